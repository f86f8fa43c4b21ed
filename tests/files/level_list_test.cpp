// The level list's rows: counts and percentages, order on every column, search, score and texts.
#include <gtest/gtest.h>

#include "SolutionFixtures.h"
#include "files/BestSolutions.h"
#include "files/LevelList.h"
#include "files/Records.h"

namespace vorpel {
namespace {

using namespace solution_test;

TEST(LevelRow, DifferenceAndPercentageFollowFromMovesAndRecord) {
    const struct {
        int moves, record, difference, percentage, picture;
    } cases[] = {
        {41, 40, 1, 250, 1},                     // 2.50%
        {40, 40, 0, 0, 0},                       // record reached
        {39, 40, -1, -250, 0},                   // better than the record
        {44, 40, 4, 1000, 3},                    // the edges of the pictures
        {42, 40, 2, 500, 2},                     //
        {1, 3, -2, -6667, 0},                    // rounded to the nearest hundredth
        {2, 3, -1, -3333, 0},                    //
        {50, 40, 10, 2500, 4},                   //
        {1000000, 1, 999999, kPercentageCap, 4}, // capped where it would reach 1e9
        {0, 40, kAbsentValue, kAbsentValue, 4},  // no best solution, a record
        {12, 0, kAbsentValue, kAbsentValue, 5},  // no record
        {-3, 40, kAbsentValue, kAbsentValue, 4}, // a kept move list is no solution
    };
    for (const auto& c : cases) {
        const LevelRow row = MakeLevelRow(1, c.moves, c.record, "T");
        EXPECT_EQ(row.difference, c.difference) << c.moves << " " << c.record;
        EXPECT_EQ(row.percentage, c.percentage) << c.moves << " " << c.record;
        EXPECT_EQ(RowPicture(row), c.picture) << c.moves << " " << c.record;
    }
}

TEST(LevelRow, CellsShowQuestionMarksForMissingCounts) {
    const LevelRow full = MakeLevelRow(7, 41, 40, "Seven");
    const LevelRow bare = MakeLevelRow(8, 0, 0, "Eight");
    const std::string_view expected[][2] = {
        {"Seven", "Eight"},     {"7", "8"}, {"41", "?"}, {"40", "?"}, {"1", "?"}, {"2,50%", "?"},
        {"solved", "unsolved"},
    };
    for (int c = 0; c < kLevelColumnCount; ++c) {
        EXPECT_EQ(LevelCellText(full, LevelColumn(c), ","), expected[c][0]) << c;
        EXPECT_EQ(LevelCellText(bare, LevelColumn(c), ","), expected[c][1]) << c;
    }
}

TEST(PercentageText, PadsToThreeDigitsWithTheLocaleSeparator) {
    const struct {
        int p;
        const char *separator, *text;
    } cases[] = {
        {5, ".", "0.05%"},
        {-1234, ".", "-12.34%"},
        {0, ".", "0.00%"},
        {-5, ",", "-0,05%"},
        {99, ",", "0,99%"},
        {100, ".", "1.00%"},
        {kPercentageCap, ".", "10000000.00%"},
        {250, "\xA0",
         "2\xA0"
         "50%"},
    };
    for (const auto& c : cases) EXPECT_EQ(PercentageText(c.p, c.separator), c.text) << c.p;
}

std::vector<int> Numbers(const std::vector<LevelRow>& rows) {
    std::vector<int> numbers;
    for (const LevelRow& r : rows) numbers.push_back(r.number);
    return numbers;
}

LevelRow RowWithSteps(int number, int moves, int steps, int record, int recordSteps) {
    LevelRow row = MakeLevelRow(number, moves, record, "T");
    row.steps = steps;
    row.recordSteps = recordSteps;
    return row;
}

TEST(SolvedState, BeatenIsFewerMovesThenFewerStepsThanTheRecord) {
    const struct {
        int moves, steps, record, recordSteps;
        LevelSolved expected;
        const char* text;
    } cases[] = {
        {0, 0, 40, 90, LevelSolved::Unsolved, "unsolved"},
        {-3, -9, 40, 90, LevelSolved::Unsolved, "unsolved"}, // a kept move list
        {12, 30, 0, 0, LevelSolved::Solved, "solved"},       // no record to beat
        {41, 80, 40, 90, LevelSolved::Solved, "solved"},     // more moves, fewer steps
        {40, 90, 40, 90, LevelSolved::Solved, "solved"},     // only reached
        {40, 89, 40, 90, LevelSolved::Beaten, "beaten"},
        {40, 89, 40, 0, LevelSolved::Solved, "solved"}, // a record without steps
        {39, 200, 40, 90, LevelSolved::Beaten, "beaten"},
    };
    for (const auto& c : cases) {
        const LevelRow row = RowWithSteps(1, c.moves, c.steps, c.record, c.recordSteps);
        EXPECT_EQ(SolvedState(row), c.expected) << c.moves << " " << c.steps;
        EXPECT_EQ(LevelCellText(row, LevelColumn::Solved, "."), c.text) << c.moves;
    }
}

TEST(SortLevelRows, SolvedOrdersUnsolvedSolvedBeatenThenByNumber) {
    std::vector<LevelRow> rows = {
        RowWithSteps(1, 5, 9, 4, 9), RowWithSteps(2, 0, 0, 4, 9), RowWithSteps(3, 3, 9, 4, 9),
        RowWithSteps(4, 5, 9, 0, 0), RowWithSteps(5, 0, 0, 0, 0),
    };
    SortLevelRows(rows, LevelColumn::Solved, 1);
    EXPECT_EQ(Numbers(rows), (std::vector<int>{2, 5, 1, 4, 3}));
    SortLevelRows(rows, LevelColumn::Solved, -1);
    EXPECT_EQ(Numbers(rows), (std::vector<int>{3, 4, 1, 5, 2}));
}

TEST(SortLevelRows, RowsWithoutValueStayLastInBothDirections) {
    // number, moves, record, title
    const std::vector<LevelRow> rows = {
        MakeLevelRow(1, 0, 0, "delta"),
        MakeLevelRow(2, 30, 20, "Alpha"),
        MakeLevelRow(3, 0, 50, "charlie"),
        MakeLevelRow(4, 10, 10, "bravo"),
        MakeLevelRow(5, 25, 0, "ALPHA 2"),
        MakeLevelRow(6, 0, 10,
                     "\xC9"
                     "cho"),
    };
    const struct {
        LevelColumn column;
        int direction;
        std::vector<int> order;
    } cases[] = {
        {LevelColumn::Title, 1, {2, 5, 4, 3, 1, 6}},
        {LevelColumn::Title, -1, {6, 1, 3, 4, 5, 2}},
        {LevelColumn::Number, -1, {6, 5, 4, 3, 2, 1}},
        {LevelColumn::Moves, 1, {4, 5, 2, 1, 3, 6}},
        {LevelColumn::Moves, -1, {2, 5, 4, 6, 3, 1}}, // levels without solution still last
        {LevelColumn::Record, 1, {4, 6, 2, 3, 1, 5}},
        {LevelColumn::Record, -1, {3, 2, 4, 6, 5, 1}},
        {LevelColumn::Difference, 1, {4, 2, 1, 3, 5, 6}},
        {LevelColumn::Difference, -1, {2, 4, 6, 5, 3, 1}},
        // Without a percentage the larger record first.
        {LevelColumn::Percentage, 1, {4, 2, 3, 6, 1, 5}},
        {LevelColumn::Percentage, -1, {2, 4, 1, 5, 6, 3}},
    };
    for (const auto& c : cases) {
        std::vector<LevelRow> sorted = rows;
        SortLevelRows(sorted, c.column, c.direction);
        EXPECT_EQ(Numbers(sorted), c.order) << int(c.column) << " " << c.direction;
    }
}

TEST(FoldCase, FoldsTheLettersOfTheCodePage) {
    EXPECT_EQ(FoldCase("AbZ \xC9\xD7\xDE\x8A\x9F"), "abz \xE9\xD7\xFE\x9A\xFF");
}

TEST(SearchLevelRows, FindsTitlesIgnoringCaseAndWrapsAround) {
    const std::vector<LevelRow> rows = {
        MakeLevelRow(1, 0, 0, "Easy one"),
        MakeLevelRow(2, 0, 0, "Hard"),
        MakeLevelRow(3, 0, 0, "EASY two"),
        MakeLevelRow(4, 0, 0, "Last"),
    };
    const struct {
        const char* text;
        int selected;
        bool down;
        int found;
    } cases[] = {
        {"easy", -1, true, 0},  {"easy", 0, true, 2},    {"easy", 2, true, 0}, // wraps to the first
        {"easy", 3, true, 0},   {"easy", 2, false, 0},   {"easy", 0, false, 2},
        {"easy", -1, false, 2}, {"hard", 1, true, 1}, // the selected row itself, found round
        {"none", 1, true, -1},  {"none", -1, false, -1}, {"AST", 0, true, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchLevelRows(rows, c.text, c.selected, c.down), c.found)
            << c.text << " " << c.selected << " " << c.down;
}

TEST(ScoreLevelRows, SumsAtMostTheLevelsToScoreFromTheSelectedRow) {
    const std::vector<LevelRow> rows = {
        MakeLevelRow(1, 5, 0, "a"),  MakeLevelRow(2, 10, 0, "b"), MakeLevelRow(3, 0, 0, "c"),
        MakeLevelRow(4, 20, 0, "d"), MakeLevelRow(5, 30, 0, "e"),
    };
    const struct {
        int selected, limit, count;
        long long total;
    } cases[] = {
        {1, 3, 3, 1970}, {3, 48, 2, 1950}, {-1, 48, 0, 0}, {0, 0, 0, 0}, {4, 1, 1, 970},
    };
    for (const auto& c : cases) {
        const Score s = ScoreLevelRows(rows, c.selected, c.limit);
        EXPECT_EQ(s.count, c.count) << c.selected;
        EXPECT_EQ(s.total, c.total) << c.selected;
    }
    EXPECT_EQ(ScoreLine({3, 1970}), "Actually scored: 3.  Total score: 1970.");
}

TEST(BuildLevelRows, TakesBestSolutionsAndRecordsByTitle) {
    ScratchProgram p;
    p.Load("Three");
    p.ctx.collection.NewLevel("Other", 6, 6, true);
    p.ctx.collection.NewLevel("No record", 6, 6, true);
    p.ctx.collection.currentLevel = 0;
    ASSERT_TRUE(SaveBestSolution(p.ctx, false));
    p.Write(".sol", p.Contents(".sol") + Record("No record", 7, 9, kSolutionData) +
                        Record("Other", -4, -6, kSolutionData));
    p.Write(".rec", "  2  345 Three\r\n 9 9 Other\r\n");
    ASSERT_EQ(ReadRecordsFile(p.ctx, false).message, "");
    std::vector<LevelRow> rows;
    ASSERT_EQ(BuildLevelRows(p.ctx, rows), "");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Numbers(rows), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rows[0].moves, 3);
    EXPECT_EQ(rows[0].record, 2);
    EXPECT_EQ(rows[0].percentage, 5000);
    EXPECT_EQ(rows[1].moves, -4); // a kept move list counts as none
    EXPECT_EQ(LevelCellText(rows[1], LevelColumn::Moves, "."), "?");
    EXPECT_EQ(rows[1].record, 9);
    EXPECT_EQ(rows[2].moves, 7);
    EXPECT_EQ(rows[2].steps, 9);
    EXPECT_EQ(rows[0].recordSteps, 345);
    EXPECT_EQ(RowPicture(rows[2]), 5);

    // A damaged file: its error, and every row without a solution.
    std::filesystem::remove(p.Path(".sol"));
    std::filesystem::create_directory(p.Path(".sol"));
    EXPECT_NE(BuildLevelRows(p.ctx, rows), "");
    ASSERT_EQ(rows.size(), 3u);
    for (const LevelRow& r : rows) EXPECT_EQ(r.moves, 0);
}

TEST(FirstLevelToOpen, FirstUnsolvedOfTheNewLevelsOrTheOneLastPlayed) {
    // Counters per level: a best solution, none, a kept move list.
    const std::vector<BestCounts> best = {{}, {1, 5}, {2, 9}, {}, {-1, -4}, {3, 3}, {1, 1}};
    const struct {
        int first, count, resumed, expected;
    } cases[] = {
        {1, 6, -1, 3}, // level 0 is not among the new ones
        {4, 3, -1, 4}, // a kept move list is no solution
        {5, 2, -1, 5}, // all solved: the first
        {1, 6, 2, 2},  // after a resume, where play stopped
        {6, 9, -1, 6}, // a count past the collection
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstLevelToOpen(best, c.first, c.count, c.resumed), c.expected) << c.first;
}

TEST(OpenFirstUnsolved, OpensTheFirstNewLevelWithoutBestSolution) {
    // Levels 0 and 1 were there before; 2 (solved), 3 (a kept move list) and 4 (solved) are new.
    ScratchProgram p;
    p.ctx.collection.levels[0].title = "Old";
    for (const char* title : {"Old unsolved", "New solved", "New kept", "New also solved"})
        p.ctx.collection.NewLevel(title, 6, 6, true);
    p.Write(".sol", Record("New solved", 7, 9, kSolutionData) +
                        Record("New kept", -4, -6, kSolutionData) +
                        Record("New also solved", 7, 9, kSolutionData));
    const struct {
        int firstNew, expected;
    } cases[] = {
        {2, 3}, // the kept move list is no solution; level 1 is not new
        {4, 4}, // every new level solved: the first of them
        {5, 1}, // nothing appended (only replaced): the loader's choice stays
    };
    for (const auto& c : cases) {
        p.ctx.collection.currentLevel = 1;
        OpenFirstUnsolved(p.ctx, c.firstNew);
        EXPECT_EQ(p.ctx.collection.currentLevel, c.expected) << c.firstNew;
    }
    // An unreadable best-solutions file: the first new level.
    std::filesystem::remove(p.Path(".sol"));
    std::filesystem::create_directory(p.Path(".sol"));
    OpenFirstUnsolved(p.ctx, 2);
    EXPECT_EQ(p.ctx.collection.currentLevel, 2);
}

} // namespace
} // namespace vorpel
