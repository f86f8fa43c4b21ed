// "Save all levels as ...": every level of the collection with its moves in one file, in the
// own text format or as SOK.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/FileIO.h"
#include "model/Level.h"

namespace vorpel {

// Whether a chosen name is written as SOK (".sok" or ".xsb"); other names get the own text.
bool SavesAllAsSok(std::string_view name);

// Whether the SOK writer turns some of the level's blocks or marks into floor or wall.
bool SokLosesCells(const Level& level);
// The titles of the levels that lose cells as SOK, in collection order.
std::vector<std::string> SokLossyTitles(const LevelCollection& collection);

// What a writer could not keep of one level: its title and short phrases.
struct LevelLosses {
    std::string title;
    std::vector<std::string> lost;
};

// The one message about what a file of `format` ("SOK", "NBL", ...) could not keep: a line
// saying so, then the first few levels with what each loses, and how many more.
std::vector<std::string> LossesMessage(std::string_view format,
                                       const std::vector<LevelLosses>& levels);

// The whole collection in the own text format, and as SOK.
std::string AllLevelsText(const LevelCollection& collection);
std::string AllLevelsSokText(const LevelCollection& collection, bool titleFirst = true);

// Writes the whole collection to `path` (format by its extension), replacing it atomically
// after the name checks of every writer.
FileResult WriteAllLevels(const LevelCollection& collection, const std::string& path,
                          const WriteFaults& faults = {});

} // namespace vorpel
