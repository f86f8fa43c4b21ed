// Levels from level text, and replaying a solution the way the program makes a user's steps.
#pragma once

#include <string>
#include <vector>

#include "model/Context.h"
#include "solver/Solver.h"

namespace vorpel::test {

// The levels of a text in the level text format (their moves replayed and kept).
std::vector<Level> LevelsOf(const std::string& text);
std::vector<Level> LevelsOfFile(const std::string& path);

// Plays the steps on the level's start position through SelectBlock and DragSelectedBlock;
// true when every step was made and the level ends solved. `moves` and `programSteps` get the
// program's counts (taking away a weak barrier is no step there).
bool ReplaysToSolved(const Level& level, const std::vector<SolveStep>& steps, int* moves = nullptr,
                     int* programSteps = nullptr);

} // namespace vorpel::test
