// The general search: breadth-first over positions, every step made by the rules engine.
#pragma once

#include "solver/Solver.h"

namespace vorpel {

// What a search held and did, for the benchmarks.
struct GeneralSearchStats {
    std::uint64_t successors = 0; // positions made by a step or a move, stored or not
    std::size_t storedBytes = 0;  // the encodings and the table's slots
    std::size_t heldBytes = 0;    // everything the search had allocated at its end
};

// Fewest steps, fewest moves (every cell a block reaches by steps of its own is one move), or
// fewest box steps (every position reached without moving a box costs nothing).
SolveResult SolveGeneral(const Level& level, const SolveLimits& limits, std::stop_token stop = {},
                         const SolveProgressFn& progress = {}, GeneralSearchStats* stats = nullptr);

// What a search that stops at once would store per position on this level: the encoding's
// bytes (the fixed part).
std::size_t GeneralEncodingBytes(const Level& level);

} // namespace vorpel
