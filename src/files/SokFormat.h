// Sokoban levels in the SOK text format: read into level text lines, written from the level.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileNames.h"
#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

// A level left out because its board does not fit in 64 rows and 64 columns.
struct SkippedLevel {
    std::string title;    // "" when the text gave it none
    std::size_t line = 0; // 1-based line of the board's first row
};

// Appends to `output` the level text lines (title, board, one move line for a solution) of
// every level found in `lines`, a text that came from `sourceName` (a file name without folder,
// or "Clipboard"). `makeUniqueTitle` is the loader's maker of unused titles from a base text.
// A board with blocks, walls or marks past the 64th row or column is left out and appended to
// `skipped`; the other levels are read. Returns "" or the error message; on error `output` and
// `skipped` are left as they were.
std::string ReadSokText(const std::string& sourceName, const std::vector<std::string>& lines,
                        std::vector<std::string>& output,
                        const std::function<std::string(const std::string&)>& makeUniqueTitle,
                        std::vector<SkippedLevel>* skipped = nullptr);

// The lines of the one message about skipped levels: how many, then the first few by title or
// line number. Empty when nothing was skipped.
std::vector<std::string> SkippedLevelsMessage(const std::vector<SkippedLevel>& skipped);

// The SOK text of a level: header, board rows, title, box and goal numbers, recorded steps.
// `titleFirst` is the layout the text will be read in (".sok" and the clipboard; not ".xsb"
// and ".stb"); `follows` says that another level's text comes before it in the same text. A
// title that would read as something else alone on its line is written where that layout's
// reader takes it.
std::string SokText(const Level& level, bool titleFirst = true, bool follows = false);

// Whether a file of this name is read with the title first (all but ".xsb" and ".stb").
bool SokTitleFirst(std::string_view fileName);

// What the SOK text of a level cannot give back beyond the writer's map of blocks and marks, one
// short phrase each: a title the layout cannot hold, more than one player, a board row the reader
// would not take for one, moves that may not replay on the board read back. Empty when the text
// reads back to itself.
std::vector<std::string> SokLosses(const Level& level, bool titleFirst);

// Writes the current level to `place`, a file or the clipboard.
FileResult WriteSokLevel(const Context& ctx, const LevelPlace& place,
                         const WriteFaults& faults = {});

} // namespace vorpel
