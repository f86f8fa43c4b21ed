// The level list and scoreboard as data: one row per level, its order, search, score and texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/BestSolutions.h"
#include "model/Context.h"

namespace vorpel {

// A difference or percentage that cannot be computed.
inline constexpr std::int32_t kAbsentValue = 2147483647;
// The cap of a percentage, in hundredths of a percent.
inline constexpr std::int32_t kPercentageCap = 1000000000;

// The list's columns (Solved came last, so the others keep their numbers).
enum class LevelColumn : int { Title = 0, Number, Moves, Record, Difference, Percentage, Solved };
inline constexpr int kLevelColumnCount = 7;

// Whether a level is solved: no best solution, one, or one better than the record (fewer moves,
// then fewer steps, as a play is judged against the best solution).
enum class LevelSolved : int { Unsolved = 0, Solved, Beaten };

struct LevelRow {
    std::int32_t number = 0;      // level index + 1
    std::int32_t moves = 0;       // moves of the stored best solution; 0 when none
    std::int32_t record = 0;      // the record's moves; 0 when none
    std::int32_t difference = 0;  // moves - record, or kAbsentValue
    std::int32_t percentage = 0;  // difference / record in hundredths of a percent, or absent
    std::int32_t steps = 0;       // steps of the stored best solution
    std::int32_t recordSteps = 0; // the record's steps
    std::string title;
    std::string foldedTitle; // the title with letter case folded, for sorting and searching
};

// A row from its three counts; the difference and percentage follow from them.
LevelRow MakeLevelRow(int number, int moves, int record, std::string title);

// One row per level of the collection: best solutions from one reading of the best-solutions file
// and records from the records list as it stands (the caller reads the records file first).
// Returns "" or the read error of the best-solutions file, whose moves then stay 0.
std::string BuildLevelRows(const Context& ctx, std::vector<LevelRow>& rows);

// Windows-1252 text with the case of its letters folded to lower case.
std::string FoldCase(std::string_view text);

// The order of two rows on a column (negative, 0, positive), with `direction` +1 ascending or -1
// descending. Rows without a value stay after those with one in both directions.
int CompareLevelRows(const LevelRow& a, const LevelRow& b, LevelColumn column, int direction);
// Sorts stably, so that equal rows keep their order.
void SortLevelRows(std::vector<LevelRow>& rows, LevelColumn column, int direction);

LevelSolved SolvedState(const LevelRow& row);

// The row picture: 0 record reached ... 4 far from it or no solution, 5 no record.
int RowPicture(const LevelRow& row);

// A percentage in hundredths as "12.34%" with the locale's decimal separator.
std::string PercentageText(std::int32_t percentage, std::string_view decimalSeparator);
// The text of a cell: a count, or "?" when there is none.
std::string LevelCellText(const LevelRow& row, LevelColumn column,
                          std::string_view decimalSeparator);

// The row whose title contains `text` (letter case ignored), searched down or up from the one
// after or before `selected` (-1 for none) and then round from the other end; -1 when none.
int SearchLevelRows(const std::vector<LevelRow>& rows, std::string_view text, int selected,
                    bool down);

// The scoreboard over at most `limit` rows from `selected` down the list.
struct Score {
    int count = 0;
    long long total = 0;
};
Score ScoreLevelRows(const std::vector<LevelRow>& rows, int selected, int limit);
// "Actually scored: %d.  Total score: %d."
std::string ScoreLine(const Score& score);

// The level a collection opens on: after a resume, the level last played (`resumedLevel`, -1
// when there was no resume); otherwise the first of the `count` levels from `first` without a
// best solution (a kept move list is none), or `first` when every one has one. `best` holds
// ReadAllBestSolutions's counters of the whole collection.
int FirstLevelToOpen(const std::vector<BestCounts>& best, int first, int count,
                     int resumedLevel = -1);
// After a reading appended the levels from `firstNew` on, makes the first of them without a best
// solution current. A reading that appended none (only replaced levels) leaves the current level
// as the loader chose it.
void OpenFirstUnsolved(Context& ctx, int firstNew);

} // namespace vorpel
