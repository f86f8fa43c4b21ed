// The Sokoban search with its work counted, for benchmarks and measuring runs.
#pragma once

#include <cstdint>

#include "solver/SokobanSolver.h"

namespace vorpel {

struct SokobanCounters {
    std::uint64_t pushesGenerated = 0; // every push tried from an expanded position
    std::uint64_t positionsExpanded = 0;
};

// SolveSokoban, adding its work to `counters`.
SolveResult SolveSokobanCounted(const SokobanPuzzle& puzzle, const SolveLimits& limits,
                                SokobanCounters& counters, std::stop_token stop = {},
                                const SolveProgressFn& progress = {});

} // namespace vorpel
