// Click to walk and click to push on a Sokoban level: the player's shortest walk to a cell, and
// a box pushed to a cell by the fewest pushes, then the fewest moves. Both come back as plain
// player steps, which the movement rules then carry out as if they were typed.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/Context.h"
#include "model/Sokoban.h"

namespace vorpel {

struct GridStep {
    std::int8_t rowDelta = 0;
    std::int8_t columnDelta = 0;
    friend bool operator==(const GridStep&, const GridStep&) = default;
};
using StepPath = std::vector<GridStep>;

// The position on the play board of a Sokoban level: its walls and goals, the boxes and the
// player where they stand now. False for a level that is not a Sokoban level.
bool SokobanPositionOf(const Context& ctx, SokobanPuzzle& position);

// The shortest walk of the player to an empty floor cell (no box moved); none when the cell is
// out of reach, a wall or a box. An empty path when the player stands there.
std::optional<StepPath> WalkPath(const SokobanPuzzle& position, int row, int column);

// Pushes the box at (boxRow, boxColumn) to (row, column) by the fewest pushes, then the fewest
// moves, the other boxes staying where they are; none when there is no box there or it cannot
// get there. An empty path when the box stands there already.
std::optional<StepPath> PushPath(const SokobanPuzzle& position, int boxRow, int boxColumn, int row,
                                 int column);

// Carries the steps out with the player as held block, each recorded in the history as a typed
// step would be; returns how many steps were made (fewer when the rules refuse one).
int CarryOutPath(Context& ctx, const StepPath& path);

// Letters of a path for messages and tests: "<", ">", "^", "v" as in move lines.
std::string PathLetters(const StepPath& path);

} // namespace vorpel
