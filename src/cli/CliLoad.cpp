// Reading level files for the command-line tool through the program's loader.
#include "cli/CliLoad.h"

#include <cstdio>

namespace vorpel {

void CliPlatform::ShowInfo(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) std::fprintf(stderr, "%s\n", line.c_str());
}

bool CliPlatform::AskYesNo(const std::vector<std::string>& lines) {
    ShowInfo(lines);
    return false;
}

Choice CliPlatform::AskChoice(const std::vector<std::string>&, const std::string&,
                              const std::string&, const std::string&, bool, bool& repeat) {
    repeat = true;
    return kChoiceSecond;
}

std::string LoadLevelFile(Context& ctx, const std::string& path, std::vector<LoadedLevel>& levels,
                          std::size_t* skipped) {
    LevelCollection& collection = ctx.collection;
    // A fresh context holds one placeholder level, which the file's levels replace.
    const bool fresh = collection.levels.size() == 1 &&
                       collection.levels[0].title == "Void level" &&
                       collection.levels[0].stepCount == 0;
    CliPlatform platform;
    Platform* const previous = ctx.platform;
    ctx.platform = &platform;
    std::vector<std::string> lines;
    std::vector<SkippedLevel> tooLarge;
    std::string error = ReadLevelSource(ctx, path, lines, &tooLarge).message;
    for (const SkippedLevel& level : tooLarge) {
        const std::string name = level.title.empty() ? "level" : "\"" + level.title + "\"";
        std::fprintf(stderr, "%s: line %zu: %s skipped: more than 64 rows or columns\n",
                     path.c_str(), level.line, name.c_str());
    }
    if (skipped) *skipped = tooLarge.size();
    if (error.empty()) {
        if (fresh) collection.levels.clear();
        RememberedAnswer remembered = kAsk;
        AddLevels(ctx, "File " + path + ".", lines, remembered, &levels);
        if (collection.levels.empty()) collection.NewLevel("Void level", 6, 6, true);
        if (collection.currentLevel > collection.lastLevel()) collection.currentLevel = 0;
    }
    ctx.platform = previous;
    return error;
}

} // namespace vorpel
