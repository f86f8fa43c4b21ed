// Whether a title typed for the current level may be stored: the rule the title fields share.
#pragma once

#include <string>

#include "model/Level.h"

namespace vorpel {

enum class TitleState { Valid, Invalid, Duplicated };

// Invalid when CheckTitle refuses it; Duplicated when another level than `current` has it.
TitleState CheckTitleFor(const LevelCollection& collection, const std::string& title, int current);

// The warning shown beside the field: "", "Invalid title." or "Duplicated title.".
const char* TitleWarning(TitleState state);

} // namespace vorpel
