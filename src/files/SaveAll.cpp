// The whole collection written to one file through the level writers' texts.
#include "files/SaveAll.h"

#include <new>

#include "files/FileNames.h"
#include "files/LevelText.h"
#include "files/SokFormat.h"

namespace vorpel {

bool SavesAllAsSok(std::string_view name) {
    return HasExtension(".sok", name) || HasExtension(".xsb", name);
}

bool SokLosesCells(const Level& level) {
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c) {
            const Byte block = level.BlockAt(r, c), mark = level.MarkAt(r, c);
            if (mark != '.' && mark != '+' && AlphanumericIndex(mark) == 0) return true;
            // Walls, boxes and the blocks that become the player survive; barriers, keyholes,
            // blockades and teleporters become wall, and the rest floor.
            if (block == '%' || block == '!' || block == '*' || block == '(' || block == '~')
                return true;
            if (block != '.' && block != '#' && !IsBox(block) && !TakesIdentifier(block))
                return true;
        }
    return false;
}

std::vector<std::string> SokLossyTitles(const LevelCollection& collection) {
    std::vector<std::string> titles;
    for (const Level& level : collection.levels)
        if (SokLosesCells(level)) titles.push_back(level.title);
    return titles;
}

std::vector<std::string> LossesMessage(std::string_view format,
                                       const std::vector<LevelLosses>& levels) {
    constexpr std::size_t kNamed = 5;
    std::vector<std::string> message;
    std::size_t count = 0;
    for (const LevelLosses& level : levels) {
        if (level.lost.empty()) continue;
        if (++count > kNamed) continue;
        std::string line = "\"" + level.title + "\": ";
        for (std::size_t k = 0; k < level.lost.size(); ++k)
            line += (k > 0 ? ", " : "") + level.lost[k];
        message.push_back(line + ".");
    }
    if (count == 0) return {};
    message.insert(message.begin(), "Not kept in " + std::string(format) + ":");
    if (count > kNamed)
        message.push_back("And " + std::to_string(count - kNamed) + " more levels.");
    return message;
}

std::string AllLevelsText(const LevelCollection& collection) {
    std::string text;
    for (const Level& level : collection.levels) text += LevelTextOf(level);
    return text;
}

std::string AllLevelsSokText(const LevelCollection& collection, bool titleFirst) {
    std::string text;
    for (const Level& level : collection.levels)
        text += SokText(level, titleFirst, &level != &collection.levels.front());
    return text;
}

FileResult WriteAllLevels(const LevelCollection& collection, const std::string& path,
                          const WriteFaults& faults) {
    return WriteToPlace(
        nullptr, LevelPlace(path),
        [&](std::string& text) {
            text = SavesAllAsSok(path) ? AllLevelsSokText(collection, SokTitleFirst(path))
                                       : AllLevelsText(collection);
            return std::string();
        },
        faults);
}

} // namespace vorpel
