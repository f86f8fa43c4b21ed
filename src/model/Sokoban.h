// Sokoban levels as Sokoban players count them: what makes a level one, and its moves (player
// steps) and pushes, worked out from the steps of a history or a solution.
#pragma once

#include <cstdint>
#include <vector>

#include "model/Level.h"

namespace vorpel {

// A Sokoban level as a grid: row-major cells of rows x columns.
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
// the same with lettered boxes and as many lettered marks, one of each letter), as the Sokoban
// search takes it;
// fills `puzzle` when it is.
bool SokobanPuzzleOf(const Level& level, SokobanPuzzle& puzzle);
// A plain one (no lettered boxes) with at least one box: a level counted, drawn and played as
// Sokoban players expect.
bool SokobanLevelOf(const Level& level, SokobanPuzzle& puzzle);
bool IsSokobanLevel(const Level& level);

struct SokobanCounts {
    int moves = 0;  // player steps
    int pushes = 0; // steps that moved a box
    friend bool operator==(const SokobanCounts&, const SokobanCounts&) = default;
};

// Follows the player and the boxes of a puzzle step by step. A step is taken as recorded: the
// history holds only steps the rules allowed, so nothing is tested beyond whether a box moves.
class SokobanTracker {
public:
    explicit SokobanTracker(const SokobanPuzzle& puzzle);
    // Steps the player; true when the step pushed a box. A zero step counts as nothing.
    bool Step(int rowDelta, int columnDelta);
    SokobanCounts Counts() const { return counts_; }

private:
    std::int32_t columns_ = 0;
    std::vector<std::uint8_t> cells_;
    std::int32_t player_ = 0;
    SokobanCounts counts_;
};

// The moves and pushes of the first `count` records of `steps` (clamped to the list).
SokobanCounts CountSokobanSteps(const SokobanPuzzle& puzzle, const StepList& steps, int count);
// The same for the level's applied records (its current position); zeros for a level that is
// not a Sokoban level.
SokobanCounts SokobanCountsAt(const Level& level, int position);

// How a Sokoban solution compares with another: fewer moves, then fewer pushes; with
// `pushesFirst`, fewer pushes, then fewer moves.
bool SokobanBetter(const SokobanCounts& a, const SokobanCounts& b, bool pushesFirst);

// Go to move on a Sokoban level counts player steps: the player step reached at a history
// position, and the first history position at which `step` player steps are made (clamped to the
// history; a barrier removal, which no Sokoban level has, counts as no step).
int PlayerStepAt(const Level& level, int position);
int PositionOfPlayerStep(const Level& level, int step);

} // namespace vorpel
