// The state of a title being typed: valid, invalid, or used by another level.
#pragma once

#include <string>

#include "model/Level.h"

namespace vorpel {

enum class TitleState { kValid, kInvalid, kDuplicated };

// Invalid when CheckTitle refuses the title; duplicated when a level other than `except` has
// exactly this title. A duplicated title may still be stored.
TitleState CheckTitleState(const LevelCollection& collection, const std::string& title, int except);

} // namespace vorpel
