// Reading every level of a file into a collection, the way loading a file does, without
// asking anything.
#pragma once

#include <string>
#include <vector>

#include "Context.h"

namespace vorpel {

struct LoadedLevel {
    int index = -1; // in the collection; -1 when the level could not be read
    std::string title;
    bool hasMoves = false;
    std::string error; // a board error (level not read) or the first move error
};

// Appends the file's levels to the collection (replacing the initial placeholder), replaying
// the move lines of each. Returns "" or the error that kept the file from being read.
std::string LoadLevelFile(Context& ctx, const std::string& path, std::vector<LoadedLevel>& levels);

} // namespace vorpel
