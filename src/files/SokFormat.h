// Sokoban levels in the SOK text format: read into level text lines, written from the level.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

// Appends to `output` the level text lines (title, board, one move line for a solution) of
// every level found in `lines`, a text that came from `sourceName` (a file name without folder,
// or "Clipboard"). `makeUniqueTitle` is the loader's maker of unused titles from a base text.
// Returns "" or the error message; on error `output` is left as it was.
std::string ReadSokText(const std::string& sourceName, const std::vector<std::string>& lines,
                        std::vector<std::string>& output,
                        const std::function<std::string(const std::string&)>& makeUniqueTitle);

// The SOK text of a level: header, board rows, title, box and goal numbers, recorded steps.
std::string SokText(const Level& level);

// Writes the current level to `fileName`, or to the clipboard when the name is empty. Returns
// "" or the error message.
std::string WriteSokLevel(const Context& ctx, const std::string& fileName,
                          const WriteFaults& faults = {});

} // namespace vorpel
