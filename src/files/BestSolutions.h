// The best solutions file beside the program: one stored sequence of moves per level title.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/FileIO.h"
#include "model/Context.h"
#include "model/Sokoban.h"

namespace vorpel {

inline constexpr const char* kBestSolutionNotFound =
    "Best solution record not found for this level.";
inline constexpr const char* kBestSolutionApplyError =
    "Error when applying the moves.\nSome possible causes:\nThe level was altered and the "
    "solution is no longer valid.\nThe level title is the same as another level title and the "
    "solution refers to the other level.\nThe best solutions file is damaged.";

// Outcome of looking up the current level's record.
enum BestSolutionStatus : int {
    kBestSolutionFound = 0,
    kBestSolutionNoFile = -1,   // no file, an unreadable one, or a level without title
    kBestSolutionNoRecord = -2, // no usable record for the title
};

struct BestSolutionInfo {
    int status = kBestSolutionNoFile;
    // Positive for a best solution, negated for a kept move list.
    int moves = 0;
    int steps = 0;
    // A Sokoban level's record as Sokoban players count it (from its move data); zeros for
    // other levels.
    SokobanCounts sokoban;
    std::string error; // a read failure; empty when the file is merely missing
};

struct BestCounts {
    int moves = 0;
    int steps = 0;
    int pushes = 0; // a Sokoban level's pushes, counted from the move data
    friend bool operator==(const BestCounts&, const BestCounts&) = default;
};

// The file's path: the program's path with the extension ".sol"; empty when no program is named.
std::string BestSolutionsPath(const Context& ctx);

// Stores the current level's whole history as the record of its title, first in the file (a
// kept move list with negated counters when `asMoveList`). A level without title stores nothing.
// A failure is shown; the file is replaced atomically, so it leaves the old file whole. True when
// the record was written.
bool SaveBestSolution(Context& ctx, bool asMoveList, const WriteFaults& faults = {});
// The same with only the first `count` records of the history (the position reached).
bool SaveBestSolutionSteps(Context& ctx, int count, bool asMoveList,
                           const WriteFaults& faults = {});

// The current level's record: its status and counters, or the read error.
BestSolutionInfo ReadBestSolutionInfo(const Context& ctx);

// Replaces `lines` by the title line "\"lin\"" and one move line per stored move. A level with
// no stored solution is FileError::kNotFound with kBestSolutionNotFound; on any failure `lines`
// is unchanged. `status` (when given) receives a BestSolutionStatus.
FileResult ReadBestSolutionMoves(const Context& ctx, std::vector<std::string>& lines,
                                 int* status = nullptr);

// Carries out the stored moves on the current play board, which the caller has built.
FileResult ApplyBestSolution(Context& ctx, int& status);

// Rebuilds the board and carries out the stored moves, then goes back to the level's start; when
// no record was found, the position held before is restored instead. No stored solution is
// FileError::kNotFound.
FileResult ApplyBestSolutionAtStart(Context& ctx);

// Removes the current level's record; a missing file or record is no error.
FileResult EraseBestSolution(Context& ctx, const WriteFaults& faults = {});

// One set of counters per level of the collection (both 0 without record), from one reading of
// the file. A missing file is no error. Without `countPushes` the pushes stay 0 (replaying every
// Sokoban record is most of the work over a large collection).
FileResult ReadAllBestSolutions(const Context& ctx, std::vector<BestCounts>& counts,
                                bool countPushes = true);

// The Sokoban moves and pushes of a record's move data, replayed on the level's puzzle.
SokobanCounts SokobanCountsOfMoveData(const SokobanPuzzle& puzzle, std::string_view data);

// The text of the best solution dialog's label (moves and pushes for a Sokoban level); `haveRecord`
// tells whether a record exists.
std::string BestSolutionLabel(const Context& ctx, bool& haveRecord);

} // namespace vorpel
