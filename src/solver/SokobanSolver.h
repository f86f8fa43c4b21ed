// The Sokoban search: levels made only of walls, boxes, destinations and one player block.
#pragma once

#include <cstdint>
#include <vector>

#include "model/Level.h"
#include "model/Sokoban.h"
#include "solver/Solver.h"

namespace vorpel {

// Searches box pushes with the player's area normalised; the steps in the result are the
// player's, from the start position to solved.
SolveResult SolveSokoban(const SokobanPuzzle& puzzle, const SolveLimits& limits,
                         std::stop_token stop = {}, const SolveProgressFn& progress = {});

} // namespace vorpel
