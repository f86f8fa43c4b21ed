// A solved play against the stored best solution: storing a better one, celebration, status.
#pragma once

#include <string>

#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

inline constexpr const char* kImprovedMessage =
    "\r\n Congratulations! \r\n You improved the level \r\n";

// The play against the stored best; set only when a best existed.
struct SolvedNumbers {
    bool compared = false;
    int moves = 0;          // M, of the last applied step record
    int steps = 0;          // S
    int moveDifference = 0; // M - best moves
    int stepDifference = 0; // S - best steps
    // On a Sokoban level: moves, moveDifference and the pushes are Sokoban counts (player steps
    // and box pushes), steps and stepDifference equal moves and moveDifference.
    bool sokoban = false;
    int pushes = 0;
    int pushDifference = 0;
};

// Runs the solved test and, on a solved board reached by at least one step, compares the play
// with the stored best: a play with fewer moves, or as many moves and fewer steps, or one where
// no best is stored, is stored as the best. A Sokoban level compares Sokoban moves, then pushes
// (pushes first with the "fewest pushes" option). `message` gets the celebration text (empty when
// there is nothing to celebrate). Returns whether the level is solved.
bool CheckSolvedWithRecords(Context& ctx, bool quiet, std::string& message, SolvedNumbers& numbers,
                            const WriteFaults& faults = {});

// " move M/total (dM), step S/total (dS), records: moves, steps" for the status line, with the
// current level's totals and records ("?" when none); on a Sokoban level
// " moves M/total (dM), pushes P/total (dP), record: steps" with Sokoban counts.
std::string ImprovedStatusText(const Context& ctx, const SolvedNumbers& numbers);

// The status line between solutions: " move M/total, step S/total, records: moves, steps"; on a
// Sokoban level " moves M/total, pushes P/total, record: steps" with Sokoban counts.
std::string MoveCountsText(const Context& ctx);

} // namespace vorpel
