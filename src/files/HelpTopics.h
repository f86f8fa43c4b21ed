// The help page's topics: the anchors at which the windows open the page beside the program.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace vorpel {

struct HelpTopic {
    std::string_view name; // the anchor, as the windows ask for it
    std::string_view openedFrom;
};

inline constexpr std::array<HelpTopic, 16> kHelpTopics = {{
    {"Start", "the main window's help command and its help key"},
    {"Options", "options window"},
    {"FileRead", "file chooser, reading"},
    {"FileSave", "file chooser, saving"},
    {"LevelEdit", "editor window"},
    {"MoveList", "move list window"},
    {"ChangeTitle", "title change window"},
    {"WriteGIF", "GIF animation export window"},
    {"GotoMove", "go-to-move window"},
    {"BestSolution", "best solution window"},
    {"LevelChoice", "level list window"},
    {"SavingAsDLL", "save-as-DLL window"},
    {"WriteBricksMoves", "Bricks moves window, writing"},
    {"ReadBricksMoves", "Bricks moves window, reading"},
    {"Snapshots", "save position and saved positions windows"},
    {"Solve", "solve window"},
}};

constexpr bool IsHelpTopic(std::string_view name) {
    return std::any_of(kHelpTopics.begin(), kHelpTopics.end(),
                       [name](const HelpTopic& topic) { return topic.name == name; });
}

} // namespace vorpel
