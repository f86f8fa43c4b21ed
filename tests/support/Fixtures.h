// Test helpers: levels from little pictures in the level text format, and board comparisons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Context.h"

namespace vorpel::test {

// Reads one level from board lines (blanks are ignored, so groups may be spaced out) into the
// current level, builds the board and carries out `moves` (move lines); returns the error text.
std::string LoadBoard(Context& ctx, const std::vector<std::string>& rows,
                      const std::string& moves = "");

// One line per row: each cell's display character, or its mark where it holds no block.
std::string Picture(const Context& ctx);

// Appends a step record of move `move` (the last record's move or the one after it): the block
// at (row, column) moved by the deltas.
inline void AppendStep(StepList& steps, int move, int row, int column, int rowDelta,
                       int columnDelta) {
    StepRecord s;
    if (move > (steps.empty() ? 0 : steps.MoveNumber(steps.size() - 1)))
        s.counts = StepRecord::kNewMove;
    s.row = static_cast<std::uint8_t>(row);
    s.column = static_cast<std::uint8_t>(column);
    s.rowDelta = static_cast<std::int8_t>(rowDelta);
    s.columnDelta = static_cast<std::int8_t>(columnDelta);
    steps.push_back(s);
}

// Takes hold of the block at (row, column) and drags it one cell by the deltas.
bool Drag(Context& ctx, int row, int column, int rowDelta, int columnDelta);

// Empty when the two boards hold the same blocks, map, marks and derived sets (the held block
// aside); otherwise a description of the first difference.
std::string BoardDifference(const PlayBoard& a, const PlayBoard& b);

} // namespace vorpel::test
