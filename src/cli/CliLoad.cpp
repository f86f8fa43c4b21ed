// Reading every level of a level text file for the command-line tool.
#include "CliLoad.h"

#include "Execucao.h"
#include "FileIO.h"
#include "LevelText.h"
#include "MoveText.h"

namespace vorpel {

namespace {

bool IsMoveLine(const std::string& line, bool quoted) {
    if (line.empty()) return false;
    const unsigned char first = static_cast<unsigned char>(line[0]);
    return first == ' ' || (!quoted && first >= '0' && first <= '9');
}

} // namespace

std::string LoadLevelFile(Context& ctx, const std::string& path, std::vector<LoadedLevel>& levels) {
    std::string text;
    if (std::string error = ReadWholeFile(path, text); !error.empty()) return error;
    const std::vector<std::string> lines = SplitLines(text);
    if (!IsLevelText(lines)) return "Not a level text file.";
    const bool quoted = IsQuotedText(lines);
    LevelCollection& collection = ctx.collection;
    std::size_t index = 0;
    while (index + 1 < lines.size()) {
        collection.NewLevel("", 4, 4, true);
        collection.currentLevel = collection.lastLevel();
        LoadedLevel loaded;
        std::string error = ReadLevelText(ctx, lines, index, quoted);
        loaded.title = collection.Current().title;
        if (error.empty() && !loaded.title.empty() && loaded.title[0] == ' ')
            error = CheckTitle(loaded.title);
        if (!error.empty()) {
            collection.RemoveLastLevel();
            loaded.error = error;
            levels.push_back(loaded);
            break; // a board error ends the reading of the file
        }
        loaded.index = collection.currentLevel;
        if (index < lines.size() && IsMoveLine(lines[index], quoted)) {
            loaded.hasMoves = true;
            RebuildBoard(ctx);
            loaded.error = ReadMoveLines(ctx, lines, index);
            GoToMove(ctx, 0);
        }
        levels.push_back(loaded);
    }
    // The collection starts with a placeholder level; the file's levels take its place.
    if (collection.levels.size() > 1) {
        collection.levels.erase(collection.levels.begin());
        for (LoadedLevel& loaded : levels)
            if (loaded.index > 0) --loaded.index;
        collection.currentLevel = 0;
    }
    return {};
}

} // namespace vorpel
