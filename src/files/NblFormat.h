// Level files of the Bricks level editor (NBL): read into level text lines, written from the
// level.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

// Appends to `output` the level text lines of the one level in the NBL file `fileName`.
// `makeUniqueTitle` is the loader's maker of unused titles from a base text. On error `output`
// is left as it was.
FileResult ReadNblFile(const std::string& fileName, std::vector<std::string>& output,
                       const std::function<std::string(const std::string&)>& makeUniqueTitle);

// The same for the bytes of an NBL file; `sourceName` is the file's name without folder.
FileResult ReadNblBytes(const std::string& bytes, const std::string& sourceName,
                        std::vector<std::string>& output,
                        const std::function<std::string(const std::string&)>& makeUniqueTitle);

// The NBL bytes of a level; fails, leaving `bytes` empty, when it has too many blocks.
std::string NblBytes(const Level& level, std::string& bytes);

// What the NBL bytes of a level cannot give back, one short phrase each: the title's end or
// leading blanks, the board's shape, blocks and marks without a code, blocks of mixed kinds, the
// moves. Empty when the file reads back to the same level.
std::vector<std::string> NblLosses(const Level& level);

// Writes the current level as an NBL file; an empty name (no clipboard form) is refused.
FileResult WriteNblFile(const Context& ctx, const std::string& fileName,
                        const WriteFaults& faults = {});

} // namespace vorpel
