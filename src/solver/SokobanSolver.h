// The Sokoban search: levels made only of walls, boxes, destinations and one player block.
#pragma once

#include <cstdint>
#include <vector>

#include "model/Level.h"
#include "solver/Solver.h"

namespace vorpel {

// A Sokoban level as the search sees it: row-major cells of rows x columns.
struct SokobanPuzzle {
    enum Cell : std::uint8_t { kFloor = 0, kWall = 1, kGoal = 2, kBox = 4 };
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::vector<std::uint8_t> cells; // kWall, or kGoal and kBox bits over floor
    std::int32_t player = 0;         // the player's cell index
    // Lettered levels: each box must end on the mark of its own letter. Per cell, the letter of
    // the box and of the mark there (0 for none); both empty on plain levels.
    std::vector<std::uint8_t> boxLetter, goalLetter;
};

// Whether the level is a plain Sokoban level (what the SOK reader makes of a plain board:
// walls, master boxes, destination marks and one normal block as the player, nothing else; or
// the same with lettered boxes and as many lettered marks, one of each letter);
// fills `puzzle` when it is.
bool SokobanPuzzleOf(const Level& level, SokobanPuzzle& puzzle);

// Searches box pushes with the player's area normalised; the steps in the result are the
// player's, from the start position to solved.
SolveResult SolveSokoban(const SokobanPuzzle& puzzle, const SolveLimits& limits,
                         std::stop_token stop = {}, const SolveProgressFn& progress = {});

} // namespace vorpel
