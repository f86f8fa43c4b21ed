// Whether a title typed for the current level may be stored: the rule the title fields share.
#include "files/TitleCheck.h"

namespace vorpel {

TitleState CheckTitleFor(const LevelCollection& collection, const std::string& title, int current) {
    if (!CheckTitle(title).empty()) return TitleState::Invalid;
    if (collection.TitleUsedElsewhere(title, current)) return TitleState::Duplicated;
    return TitleState::Valid;
}

const char* TitleWarning(TitleState state) {
    switch (state) {
    case TitleState::Invalid:
        return "Invalid title.";
    case TitleState::Duplicated:
        return "Duplicated title.";
    case TitleState::Valid:
        break;
    }
    return "";
}

} // namespace vorpel
