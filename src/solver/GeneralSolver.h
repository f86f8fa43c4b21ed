// The general search: breadth-first over positions, every step made by the rules engine.
#pragma once

#include "solver/Solver.h"

namespace vorpel {

// Fewest steps, fewest moves (every cell a block reaches by steps of its own is one move), or
// fewest box steps (every position reached without moving a box costs nothing).
SolveResult SolveGeneral(const Level& level, const SolveLimits& limits, std::stop_token stop = {},
                         const SolveProgressFn& progress = {});

// What a search that stops at once would store per position on this level: the encoding's
// bytes (the fixed part).
std::size_t GeneralEncodingBytes(const Level& level);

} // namespace vorpel
