// Helpers of the text format tests: levels read from small texts with spaced-out board lines.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "Context.h"
#include "Execucao.h"
#include "LevelText.h"

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

} // namespace vorpel::text_test
