// Comparing a solved play with the stored best: what is stored, the messages, the status line.
#include <gtest/gtest.h>

#include "SolutionFixtures.h"
#include "files/BestSolutions.h"
#include "files/Celebration.h"
#include "files/Records.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

using namespace solution_test;

const std::string kStored = Record("A", 3, 8, kSolutionData); // the play: 3 moves, 8 steps

struct ComparisonCase {
    const char* name;
    std::string file; // empty: no file
    bool quiet;
    std::string message;
    bool compared;
    int moveDifference, stepDifference;
    bool stored;
};

std::string Improved(const char* by) {
    return std::string(kImprovedMessage) + " solution by " + by + "! \r\n";
}

class Comparison : public ::testing::TestWithParam<ComparisonCase> {};

TEST_P(Comparison, StoresOnlyABetterPlayAndWordsTheMessage) {
    const ComparisonCase& c = GetParam();
    ScratchProgram p;
    p.Load("A");
    if (!c.file.empty()) p.Write(".sol", c.file);
    std::string message = "old";
    SolvedNumbers numbers;
    ASSERT_TRUE(CheckSolvedWithRecords(p.ctx, c.quiet, message, numbers));
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(numbers.compared, c.compared);
    if (c.compared) {
        EXPECT_EQ(numbers.moves, 3);
        EXPECT_EQ(numbers.steps, 8);
        EXPECT_EQ(numbers.moveDifference, c.moveDifference);
        EXPECT_EQ(numbers.stepDifference, c.stepDifference);
    }
    EXPECT_EQ(p.Contents(".sol"), c.stored ? kStored : c.file.empty() ? "<missing>" : c.file);
    EXPECT_TRUE(p.Shown().empty());
}

const ComparisonCase kComparisonCases[] = {
    {"NoBest", "", false, kSolvedMessage, false, 0, 0, true},
    {"NoBestEvenWhenQuiet", "", true, kSolvedMessage, false, 0, 0, true},
    {"KeptMoveList", Record("A", -1, -1, ""), true, kSolvedMessage, false, 0, 0, true},
    {"NegativeStepsOnly", Record("A", 1, -1, ""), true, kSolvedMessage, false, 0, 0, true},
    {"OneMoveFewer", Record("A", 4, 8, ""), true, Improved("1 move"), true, -1, 0, true},
    {"TwoMovesFewer", Record("A", 5, 20, ""), true, Improved("2 moves"), true, -2, -12, true},
    {"OneStepFewer", Record("A", 3, 9, ""), true, Improved("1 step"), true, 0, -1, true},
    {"FourStepsFewer", Record("A", 3, 12, ""), true, Improved("4 steps"), true, 0, -4, true},
    {"SameCountsQuiet", Record("A", 3, 8, ""), true, "", true, 0, 0, false},
    {"SameCountsLoud", Record("A", 3, 8, ""), false, kSolvedMessage, true, 0, 0, false},
    {"MoreMovesFewerSteps", Record("A", 2, 20, ""), true, "", true, 1, -12, false},
    {"MoreSteps", Record("A", 3, 7, ""), false, kSolvedMessage, true, 0, 1, false},
};

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const ComparisonCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(CheckSolvedWithRecords, Comparison, ::testing::ValuesIn(kComparisonCases),
                         [](const auto& param) { return std::string(param.param.name); });

// Another title's record (letter case counts) is no best of this level and stays behind the new
// one.
TEST(CheckSolvedWithRecords, AnotherTitlesRecordIsNoBest) {
    ScratchProgram p;
    p.Load("A");
    p.Write(".sol", Record("a", 1, 1, ""));
    std::string message;
    SolvedNumbers numbers;
    ASSERT_TRUE(CheckSolvedWithRecords(p.ctx, true, message, numbers));
    EXPECT_EQ(message, kSolvedMessage);
    EXPECT_EQ(p.Contents(".sol"), kStored + Record("a", 1, 1, ""));
}

TEST(CheckSolvedWithRecords, UnsolvedOrUnplayedLevelsStoreNothing) {
    ScratchProgram p;
    std::string message = "old";
    SolvedNumbers numbers;
    p.Load("A", " 1)  0,  0:  >\r\n");
    EXPECT_FALSE(CheckSolvedWithRecords(p.ctx, false, message, numbers));
    EXPECT_EQ(message, "");

    p.Load("A", "", {"+@.. ...."}); // solved before any step
    EXPECT_TRUE(CheckSolvedWithRecords(p.ctx, true, message, numbers));
    EXPECT_EQ(message, "");
    EXPECT_TRUE(CheckSolvedWithRecords(p.ctx, false, message, numbers));
    EXPECT_EQ(message, kSolvedMessage);
    EXPECT_FALSE(numbers.compared);
    EXPECT_EQ(p.Contents(".sol"), "<missing>");
}

TEST(CheckSolvedWithRecords, NothingIsSolvedWhileTheEditorIsOpen) {
    ScratchProgram p;
    p.Load("A", "", {"+@.. ...."});
    std::string message = "old";
    SolvedNumbers numbers;
    p.ctx.editing = true;
    EXPECT_FALSE(CheckSolvedWithRecords(p.ctx, false, message, numbers));
    EXPECT_EQ(message, "");
    p.ctx.editing = false;
    EXPECT_TRUE(CheckSolvedWithRecords(p.ctx, false, message, numbers));
}

TEST(CheckSolvedWithRecords, WithNothingStoredAQuietCheckStaysQuiet) {
    ScratchProgram p;
    p.Load(""); // no title
    std::string message;
    SolvedNumbers numbers;
    EXPECT_TRUE(CheckSolvedWithRecords(p.ctx, true, message, numbers));
    EXPECT_EQ(message, "");
    EXPECT_TRUE(CheckSolvedWithRecords(p.ctx, false, message, numbers));
    EXPECT_EQ(message, kSolvedMessage);
    EXPECT_EQ(p.Contents(".sol"), "<missing>");

    p.ctx.CurrentLevel().title = "A"; // a failed write is shown, and not celebrated again
    EXPECT_TRUE(CheckSolvedWithRecords(p.ctx, true, message, numbers, WriteFaults{-1, true}));
    EXPECT_EQ(message, "");
    ASSERT_EQ(p.Shown().size(), 1u);
    EXPECT_EQ(p.Shown()[0][1], "Error when writing the file.");
}

TEST(CheckSolvedWithRecords, StoresThePlayUpToTheSolvedPosition) {
    ScratchProgram p;
    p.Load("A", kSolution + " 4)  0,  5:  <\r\n");
    GoToPosition(p.ctx, 8);
    std::string message;
    SolvedNumbers numbers;
    ASSERT_TRUE(CheckSolvedWithRecords(p.ctx, true, message, numbers));
    EXPECT_EQ(p.Contents(".sol"), kStored);

    ASSERT_TRUE(CheckSolvedWithRecords(p.ctx, true, message, numbers));
    EXPECT_EQ(message, "");
    EXPECT_EQ(ImprovedStatusText(p.ctx, numbers), " move 3/4 (0), step 8/9 (0), records: ?, ?");
    SetRecord(p.ctx, "A", 2, 7);
    EXPECT_EQ(ImprovedStatusText(p.ctx, numbers), " move 3/4 (0), step 8/9 (0), records: 2, 7");

    p.Write(".sol", Record("A", 5, 20, ""));
    ASSERT_TRUE(CheckSolvedWithRecords(p.ctx, true, message, numbers));
    EXPECT_EQ(ImprovedStatusText(p.ctx, numbers), " move 3/4 (-2), step 8/9 (-12), records: 2, 7");
}

} // namespace
} // namespace vorpel
