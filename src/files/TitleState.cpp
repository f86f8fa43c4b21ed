// The state of a title being typed.
#include "files/TitleState.h"

namespace vorpel {

TitleState CheckTitleState(const LevelCollection& collection, const std::string& title,
                           int except) {
    if (!CheckTitle(title).empty()) return TitleState::kInvalid;
    if (collection.TitleUsedElsewhere(title, except)) return TitleState::kDuplicated;
    return TitleState::kValid;
}

} // namespace vorpel
