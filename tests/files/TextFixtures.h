// Helpers of the text format tests: levels read from small texts with spaced-out board lines.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "files/LevelText.h"
#include "model/Context.h"
#include "model/History.h"

namespace vorpel::text_test {

// A board line with its blanks taken out ("." "[" ".." groups may be spaced out).
inline std::string Groups(std::string line) {
    line.erase(std::remove(line.begin(), line.end(), ' '), line.end());
    return line;
}

// Reads the first level of `lines` into a new current level; returns the reader's error text.
inline std::string ReadLevel(Context& ctx, const std::vector<std::string>& lines,
                             std::size_t& index) {
    ctx.collection.NewLevel("", 4, 4, false);
    return ReadLevelText(ctx, lines, index, IsQuotedText(lines));
}

inline std::string ReadLevel(Context& ctx, const std::vector<std::string>& lines) {
    std::size_t index = 0;
    return ReadLevel(ctx, lines, index);
}

// A level titled "Test" made of spaced-out board lines, with its play board built.
inline void LoadPlayBoard(Context& ctx, const std::vector<std::string>& board) {
    std::vector<std::string> lines{"\"Test\""};
    for (const std::string& row : board) lines.push_back(Groups(row));
    ReadLevel(ctx, lines);
    RebuildBoard(ctx);
}

// Sets the current level from rows of (mark, block) character pairs; every cell of a block
// that takes an identifier gets a new one.
inline Level& SetBoard(Context& ctx, const std::string& title,
                       const std::vector<std::string>& rows) {
    Level& level = ctx.CurrentLevel();
    level.Initialise(title, static_cast<int>(rows.size()), static_cast<int>(rows[0].size() / 2));
    std::int16_t id = 2;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c * 2 < rows[r].size(); ++c) {
            const int cell = CellIndex(static_cast<int>(r), static_cast<int>(c));
            level.markLayer[cell] = static_cast<Byte>(rows[r][c * 2]);
            level.blockLayer[cell] = static_cast<Byte>(rows[r][c * 2 + 1]);
            if (TakesIdentifier(level.blockLayer[cell])) level.idLayer[cell] = id++;
        }
    }
    return level;
}

} // namespace vorpel::text_test
