// Solving a level: one entry point over the general search by the rules engine and the Sokoban
// search. Plain C++; a window runs it on a worker thread and stops it through the token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

#include "model/Context.h"
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

// The level laid out as the board stands (its blocks and marks where they are now), with no
// history: solving it solves the position the board shows.
Level LevelAtPosition(const Level& level, const PlayBoard& board);

// Makes a solution's steps on the current level from where it stands, each recorded in the
// history as a click on the block and a drag of one cell would record it: a step that takes
// back the step before it drops both, as a drag back does.
struct CarriedOut {
    std::size_t made = 0; // fewer than the steps when the rules refuse one
    // The history position the solution starts from: where it was made, or earlier when its
    // first steps took back steps before it.
    int firstStep = 0;
};
CarriedOut CarryOutSolution(Context& ctx, const std::vector<SolveStep>& steps);

// A solution's next move, as a hint: the steps that make it, the cell of the block it moves
// (on a Sokoban level the pushed box, the walk to it included in the steps) and the cells that
// cell passes through, the first one included.
struct MoveHint {
    std::size_t stepCount = 0;
    int row = -1;
    int column = -1;
    std::vector<std::pair<int, int>> path; // (row, column)
};
// The next move of a solution from the level's start: the first run of steps of one block; on
// a Sokoban level, the walk to the first push with that push and the box's further pushes in
// the same direction. Empty for an empty solution.
MoveHint NextMoveHint(const Level& level, const std::vector<SolveStep>& steps);

} // namespace vorpel
