// The move list as text: one line per move of a level, clipboard text split into lines, and a
// stored best solution numbered like the listed moves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Level.h"

namespace vorpel {

// One line: "%4d)%3d,%3d,%3d,%3d: " (move, start row and column, end row and column, counted
// from the origin cell) and one direction letter per step.
std::string MoveListLine(int move, int startRow, int startColumn, int endRow, int endColumn,
                         std::string_view letters);

// The lines of the level's whole recorded history: a real step takes the following steps of its
// move; an elimination is a line of its own.
std::vector<std::string> MoveListLines(const Level& level, int originRow, int originColumn);

// The lines of a text: split at every CR or LF, each non-empty piece that begins with a blank.
std::vector<std::string> SplitMoveListText(std::string_view text);

// The text of all lines, each followed by CR LF.
std::string JoinMoveListLines(const std::vector<std::string>& lines);

// The move texts of a stored solution (the title line already taken off) with a move number in
// front; an elimination carries the number of the move before it.
std::vector<std::string> NumberBestSolutionLines(const std::vector<std::string>& texts);

} // namespace vorpel
