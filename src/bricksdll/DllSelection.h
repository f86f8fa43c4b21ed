// The list of the save-as-DLL window: its lines, their order and selection, and the levels and
// records that reach the DLL writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bricksdll/BricksDll.h"

namespace vorpel {

// One line of the list: a writable level of the collection.
struct DllListLine {
    int level = 0; // index in the collection
    bool selected = false;
    std::uint16_t record = 999;
};

// Every level that passes IsDllWritable, in collection order, none selected, each with its
// initial record from `bestMoves` (the best solution's moves of a level index, 0 for none).
std::vector<DllListLine> DllListLines(const LevelCollection& collection,
                                      const std::vector<long long>& bestMoves);

// A line as the list shows it: a space, "*" when selected (else a space), the record
// right-aligned in 6 characters, and the title.
std::string DllListText(const DllListLine& line, const std::string& title);

// The count of selected lines followed by " level selected." or " levels selected.".
std::string DllSelectedText(int count);
int DllSelectedCount(const std::vector<DllListLine>& lines);
// OK is allowed for 1 to 48 selected levels.
bool DllSelectionWritable(int count);

// Moves the highlighted lines (flags beside the lines, moved with them) one place up or down,
// or all of them to the top keeping their order; a highlighted line never passes another.
enum class DllLineMove { kUp, kDown, kTop };
void MoveDllLines(std::vector<DllListLine>& lines, std::vector<bool>& highlighted,
                  DllLineMove move);

// The selected lines as the writer takes them: levels in list order, record i for level i. A
// second line with a title already chosen is left out (Bricks finds levels by title) and its
// title named in `skipped`.
struct DllChoice {
    DllContents contents;
    std::vector<std::string> skipped;
};
DllChoice ChooseDllLevels(const LevelCollection& collection, const std::vector<DllListLine>& lines);

} // namespace vorpel
