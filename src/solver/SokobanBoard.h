// The Sokoban search's fixed facts about a board: floor, goals, dead squares, push distances,
// and the deadlock tests that look only at the boxes near the one just pushed.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "solver/SokobanSolver.h"

namespace vorpel::sokoban {

inline constexpr std::uint16_t kFar = 0xFFFF; // no push path

// The board padded by one wall cell on every side, so that every neighbour of a floor cell is
// a cell of the grid. Cells are indexed row-major over the padded width.
struct Board {
    int width = 0;  // padded
    int height = 0; // padded
    int cellCount = 0;
    std::array<int, 4> delta{};     // up, right, down, left
    std::vector<std::uint8_t> wall; // 1 for walls and for cells the player can never reach
    std::vector<std::uint8_t> goal;
    std::vector<std::uint8_t> live;    // a box here can still reach some goal
    std::vector<std::int16_t> floorOf; // cell -> floor number (row-major), -1 off the floor
    std::vector<int> cellOf;           // floor number -> cell
    std::vector<int> goals;            // cells; on a lettered board goals[k] is box k's own
    std::vector<int> boxes;            // starting cells, row-major
    // Each box has its own goal: positions keep the boxes apart, and the bound matches each
    // box to its goal.
    bool lettered = false;
    int player = 0;
    // Pushes a lone box needs from a cell to goal k: distance[k * cellCount + cell].
    std::vector<std::uint16_t> distance;
    // Pushes a lone box needs from start box k to a cell, which are the pulls back.
    std::vector<std::uint16_t> backDistance;
    std::vector<std::uint8_t> backLive; // a box here can still be pulled back to some start

    int Row(int cell) const { return cell / width - 1; }
    int Column(int cell) const { return cell % width - 1; }
};

enum class Verdict { Search, Solved, NoSolution };

// Builds the board of a puzzle. Boxes that the player can never reach stay where they are: on
// a goal they become walls; off a goal, or a goal that no box can reach, means no solution.
// The level counts as solved exactly when the boxes cover every destination and only those.
Verdict Prepare(const SokobanPuzzle& puzzle, Board& board);

// The deadlock tests over a box map (1 where a box stands, padded cells).
class DeadlockTest {
public:
    explicit DeadlockTest(const Board& board);
    // Whether the box just pushed to `cell` is frozen off a goal, or freezes a neighbour that is
    // off a goal. Boxes are in `boxes`.
    bool FrozenAfterPush(const std::vector<std::uint8_t>& boxes, int cell);
    // Whether the box at `cell` can never move again (or only onto dead squares).
    bool FrozenAt(const std::vector<std::uint8_t>& boxes, int cell);

private:
    bool Frozen(int cell);
    bool AxisBlocked(int cell, int step);

    const Board& board_;
    const std::vector<std::uint8_t>* boxes_ = nullptr;
    std::vector<std::uint8_t> fixed_; // boxes taken as walls while their freeze is tested
    int calls_ = 0;
};

// Pushes a lone box needs from each cell to `goal` (kFar for none), cells marked in `blocked`
// taken as walls too.
void DistancesTo(const Board& board, int goal, const std::vector<std::uint8_t>& blocked,
                 std::uint16_t* out);

// Minimum total pushes of a perfect matching of boxes to targets (boxes given as cells; the
// targets are the goals, or the start boxes for the search backward); kFar when no matching
// exists, which is a deadlock. On a lettered board box k's target is target k.
class Matching {
public:
    Matching(const Board& board, const std::vector<std::uint16_t>& distance);
    int LowerBound(const int* boxCells, int count);
    // Whether any matching exists, pushes not counted: far cheaper than the bound.
    bool Feasible(const int* boxCells, int count);

private:
    bool Augment(int box);

    const Board& board_;
    const std::vector<std::uint16_t>& distance_;
    int n_ = 0;
    std::vector<int> cost_, u_, v_, p_, way_, minv_;
    std::vector<std::uint8_t> used_;
    const int* cells_ = nullptr;
    std::vector<int> matchOf_; // target -> box, -1 when free
    std::vector<std::uint8_t> visited_;
};

} // namespace vorpel::sokoban
