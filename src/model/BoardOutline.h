// The outline bits that the drawing traces block edges with, kept beside the play board.
#pragma once

#include <array>

#include "model/PlayBoard.h"

namespace vorpel {

// One byte per cell: bit 0 right, 1 up-right, 2 up, 3 up-left, 4 left, 5 down-left, 6 down,
// 7 down-right, set where that neighbour looks different.
struct BoardOutline {
    std::array<Byte, kCells> flags{};
};

// Recomputed whenever the board changes and is to be drawn.
void ComputeOutlineFlags(const PlayBoard& board, BoardOutline& outline);

} // namespace vorpel
