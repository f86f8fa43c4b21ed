// Solving a level: one entry point over the general search by the rules engine and the Sokoban
// search. Plain C++; a window runs it on a worker thread and stops it through the token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "model/Level.h"
#include "model/PlayBoard.h"

namespace vorpel {

// What a shortest solution counts: one-cell steps, moves (runs of steps of one block), or, on
// a Sokoban level, pushes.
enum class SolveMetric { Steps, Moves, Pushes };

struct SolveLimits {
    double seconds = 0; // 0: no time limit
    std::size_t memoryBytes = std::size_t{1} << 30;
    SolveMetric metric = SolveMetric::Steps;
};

// Reported every few thousand positions, on the solving thread.
struct SolveProgress {
    std::uint64_t positions = 0; // positions stored so far
    std::int32_t depth = 0;
    double seconds = 0;
    double positionsPerSecond = 0;
};
using SolveProgressFn = std::function<void(const SolveProgress&)>;

// One step of a solution: take hold of the block at (row, column) and step it by one cell.
struct SolveStep {
    std::int8_t row = 0;
    std::int8_t column = 0;
    std::int8_t rowDelta = 0;
    std::int8_t columnDelta = 0;
    friend bool operator==(const SolveStep&, const SolveStep&) = default;
};

enum class SolveOutcome { Solved, NoSolution, GaveUp };

struct SolveResult {
    SolveOutcome outcome = SolveOutcome::GaveUp;
    std::vector<SolveStep> steps; // with Solved: from the level's start position to solved
    std::int32_t moves = 0;       // the program's moves: runs of steps of one block
    std::int32_t pushes = -1;     // box steps on a Sokoban level; -1 elsewhere
    std::uint64_t positions = 0;  // positions stored
    std::int32_t depth = 0;       // deepest level of the search reached
    double seconds = 0;
    std::string limit; // with GaveUp: "time", "memory" or "stopped"
};

// Default time limit of `vorpel-cli solve` per level, in seconds.
inline constexpr double kDefaultSolveSeconds = 10;

// Solves the level from its start position (its blocks as laid out; its history is not used)
// and never changes it.
SolveResult Solve(const Level& level, const SolveLimits& limits, std::stop_token stop = {},
                  const SolveProgressFn& progress = {});

// The board of the level's start position (its blocks as laid out), built without changing the
// level.
void BuildStartBoard(const Level& level, PlayBoard& board);
// Takes hold of the step's block and steps it by the rules, as a click and a drag of one cell
// would (a step of zero displacement removes a wholly weak barrier); false when refused.
bool ApplySolveStep(PlayBoard& board, const SolveStep& step);
// The program's moves of a solution from the level's start: runs of steps of one block.
int CountMoves(const Level& level, const std::vector<SolveStep>& steps);
// Steps of a solution from the level's start that move a box; -1 on a level without boxes.
int CountPushes(const Level& level, const std::vector<SolveStep>& steps);

} // namespace vorpel
