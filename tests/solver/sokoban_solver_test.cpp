// The Sokoban search: which levels it takes, its answers, and every solution replayed by the
// engine from the level as the SOK reader makes it.
#include <gtest/gtest.h>

#include <string_view>

#include "Fixtures.h"
#include "files/LevelText.h"
#include "files/SokFormat.h"
#include "model/History.h"
#include "model/Solved.h"
#include "solver/SokobanSolver.h"

namespace vorpel {
namespace {

// Reads the first level of a SOK text into the context's current level and builds its board.
void ReadSok(Context& ctx, std::string_view text) {
    std::vector<std::string> lines;
    ASSERT_EQ(ReadSokText("test.sok", SplitLines(text), lines,
                          [](const std::string& base) { return base + " 1"; }),
              "");
    ctx.collection.NewLevel("", 4, 4, false);
    std::size_t index = 0;
    ASSERT_EQ(ReadLevelText(ctx, lines, index, true), "");
    RebuildBoard(ctx);
}

// Plays the steps on the level from its start; true when every step was made and the level
// ends solved. Counts the steps that moved a box.
::testing::AssertionResult Replays(Context& ctx, const SolveResult& result) {
    RebuildBoard(ctx);
    int pushes = 0;
    for (std::size_t i = 0; i < result.steps.size(); ++i) {
        const SolveStep& s = result.steps[i];
        const int r = s.row + s.rowDelta, c = s.column + s.columnDelta;
        const bool push = ctx.board.BlockIndexAt(r, c) != 0;
        if (!test::Drag(ctx, s.row, s.column, s.rowDelta, s.columnDelta))
            return ::testing::AssertionFailure() << "step " << i << " refused";
        pushes += push;
    }
    if (!IsSolved(ctx)) return ::testing::AssertionFailure() << "not solved at the end";
    if (pushes != result.pushes)
        return ::testing::AssertionFailure() << pushes << " pushes, reported " << result.pushes;
    if (TotalMoves(ctx.CurrentLevel()) != result.moves)
        return ::testing::AssertionFailure()
               << TotalMoves(ctx.CurrentLevel()) << " moves, reported " << result.moves;
    return ::testing::AssertionSuccess();
}

SokobanPuzzle PuzzleOfText(Context& ctx, std::string_view text) {
    ReadSok(ctx, text);
    SokobanPuzzle puzzle;
    EXPECT_TRUE(SokobanPuzzleOf(ctx.CurrentLevel(), puzzle));
    return puzzle;
}

TEST(SokobanPuzzle, PlainLevelBecomesCells) {
    Context ctx;
    const SokobanPuzzle p = PuzzleOfText(ctx, "T\n\n#####\n# $.#\n#*+ #\n#####\n");
    ASSERT_EQ(p.rows, 4);
    ASSERT_EQ(p.columns, 5);
    using C = SokobanPuzzle;
    const std::vector<std::uint8_t> row2 = {C::kWall, C::kGoal | C::kBox, C::kGoal, C::kFloor,
                                            C::kWall};
    EXPECT_EQ(std::vector<std::uint8_t>(p.cells.begin() + 10, p.cells.begin() + 15), row2);
    EXPECT_EQ(p.cells[7], C::kBox);
    EXPECT_EQ(p.player, 12) << "on its goal";
}

// Anything but walls, master boxes of one cell, destinations and one normal block is refused.
TEST(SokobanPuzzle, OtherLevelsAreRefused) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {"a plain box", {".#.. .#.. .#.. .#..", ".#.. .[.. .v.. .#..", ".#.. +... .... .#.."}},
        {"two players", {".#.. .[.. .[.. .#..", ".#.. +V.. .... .#.."}},
        {"a player of two cells", {".#.. .[AA .[AA .#..", ".#.. +V.. .... .#.."}},
        {"a box of two cells", {".#.. .[.. .VAA .VAA", ".#.. +... +... .#.."}},
        {"a master block", {".#.. .[.. .@.. .#..", ".#.. +... .... .#.."}},
        {"an ice mark", {".#.. .[.. .V.. .#..", ".#.. +... :... .#.."}},
        {"no player", {".#.. .... .V.. .#..", ".#.. +... .... .#.."}},
        {"a keyhole", {".#.. .[.. .V.. .%..", ".#.. +... .... .#.."}},
    };
    for (const Case& c : cases) {
        Context ctx;
        ASSERT_EQ(test::LoadBoard(ctx, c.rows), "") << c.what;
        SokobanPuzzle p;
        EXPECT_FALSE(SokobanPuzzleOf(ctx.CurrentLevel(), p)) << c.what;
    }

    // Numbered boxes and goals make lettered blocks and marks, with a solved test of their own.
    Context ctx;
    ReadSok(ctx, "T\n\n#######\n#@$ $.#\n#.    #\n#######\n\nboxorder 1 2\ngoalorder 2 1\n");
    SokobanPuzzle p;
    EXPECT_FALSE(SokobanPuzzleOf(ctx.CurrentLevel(), p));
}

// Each level is solved by default and with the fewest pushes, and replayed to solved.
TEST(SokobanSolve, SolutionsReplayToSolved) {
    struct Case {
        const char* text;
        int fewestPushes;
    };
    const std::vector<Case> cases = {
        {"T\n\n#####\n#@$.#\n#####\n", 1},
        // Microban I, level 1.
        {"T\n\n####\n# .#\n#  ###\n#*@  #\n#  $ #\n#  ###\n####\n", 8},
        // Microban I, level 2.
        {"T\n\n######\n#    #\n# #@ #\n# $* #\n# .* #\n#    #\n######\n", 3},
        // Microban I, level 3.
        {"T\n\n  ####\n###  ####\n#     $ #\n# #  #$ #\n# . .#@ #\n#########\n", 13},
        // A board whose edge is open: the player walks along the outside rows.
        {"T\n\n  @   \n  $   \n  .   \n", 1},
        // Already solved: nothing to do.
        {"T\n\n#####\n#@*.#\n#####\n", -1},
    };
    for (const Case& c : cases) {
        Context ctx;
        SokobanPuzzle puzzle = PuzzleOfText(ctx, c.text);
        for (const SolveMetric metric : {SolveMetric::Steps, SolveMetric::Pushes}) {
            SolveLimits limits;
            limits.metric = metric;
            limits.seconds = 5;
            const SolveResult result = SolveSokoban(puzzle, limits);
            if (c.fewestPushes < 0) {
                EXPECT_EQ(result.outcome, SolveOutcome::NoSolution) << c.text;
                continue;
            }
            ASSERT_EQ(result.outcome, SolveOutcome::Solved) << c.text;
            EXPECT_TRUE(Replays(ctx, result)) << c.text;
            if (metric == SolveMetric::Pushes) {
                EXPECT_EQ(result.pushes, c.fewestPushes) << c.text;
            }
            EXPECT_GE(result.pushes, c.fewestPushes) << c.text;
        }
    }
}

TEST(SokobanSolve, AnsweredWithoutSearch) {
    struct Case {
        const char* what;
        const char* text;
        SolveOutcome outcome;
    };
    const std::vector<Case> cases = {
        {"solved at the start", "T\n\n####\n#@*#\n####\n", SolveOutcome::Solved},
        {"no destination", "T\n\n####\n#@ #\n####\n", SolveOutcome::NoSolution},
        {"more boxes than goals", "T\n\n#######\n#@$$ .#\n#     #\n#######\n",
         SolveOutcome::NoSolution},
        {"more goals than boxes", "T\n\n#######\n#@$ ..#\n#     #\n#######\n",
         SolveOutcome::NoSolution},
        {"a box in a corner", "T\n\n#####\n#$ .#\n# @ #\n#####\n", SolveOutcome::NoSolution},
        {"a goal out of reach", "T\n\n#######\n#@$ #.#\n#.  ###\n#######\n",
         SolveOutcome::NoSolution},
    };
    for (const Case& c : cases) {
        Context ctx;
        const SolveResult result = SolveSokoban(PuzzleOfText(ctx, c.text), {});
        EXPECT_EQ(result.outcome, c.outcome) << c.what;
        EXPECT_TRUE(result.steps.empty()) << c.what;
    }
}

// Every box can reach a goal alone, but the player can only push the left box into the right
// one: the search runs out of positions.
TEST(SokobanSolve, NoSolutionAfterSearch) {
    for (const SolveMetric metric : {SolveMetric::Steps, SolveMetric::Pushes}) {
        Context ctx;
        const SokobanPuzzle puzzle = PuzzleOfText(ctx, "T\n\n##########\n#. @ $ $.#\n##########\n");
        SolveLimits limits;
        limits.metric = metric;
        const SolveResult result = SolveSokoban(puzzle, limits);
        EXPECT_EQ(result.outcome, SolveOutcome::NoSolution);
        EXPECT_GE(result.positions, 1u);
    }
}

constexpr std::string_view kHarder = "T\n\n"
                                     "  ####\n"
                                     "###  ####\n"
                                     "#     $ #\n"
                                     "# #  #$ #\n"
                                     "# . .#@ #\n"
                                     "#########\n";

TEST(SokobanSolve, GivesUpAtItsLimits) {
    Context ctx;
    const SokobanPuzzle puzzle = PuzzleOfText(ctx, kHarder);

    SolveLimits small;
    small.memoryBytes = 4096;
    SolveResult result = SolveSokoban(puzzle, small);
    EXPECT_EQ(result.outcome, SolveOutcome::GaveUp);
    EXPECT_EQ(result.limit, "memory");

    std::stop_source source;
    source.request_stop();
    result = SolveSokoban(puzzle, {}, source.get_token());
    // The stop is seen within the first thousand positions; the level may be solved first.
    if (result.outcome == SolveOutcome::GaveUp) {
        EXPECT_EQ(result.limit, "stopped");
    }

    result = SolveSokoban(puzzle, {});
    ASSERT_EQ(result.outcome, SolveOutcome::Solved);
    EXPECT_TRUE(Replays(ctx, result));
}

// Microban I, level 153: far beyond a fraction of a second, with progress on the way.
TEST(SokobanSolve, GivesUpAtTheTimeLimitWithProgress) {
    Context ctx;
    const SokobanPuzzle puzzle = PuzzleOfText(ctx, "T\n\n"
                                                   "#############\n"
                                                   "#.# @#  #   #\n"
                                                   "#.#$$   # $ #\n"
                                                   "#.#  # $#   #\n"
                                                   "#.# $#  # $##\n"
                                                   "#.#  # $#  #\n"
                                                   "#.# $#  # $#\n"
                                                   "#..  # $   #\n"
                                                   "#..  #  #  #\n"
                                                   "############\n");
    SolveLimits limits;
    limits.seconds = 0.2;
    SolveResult result = SolveSokoban(puzzle, limits);
    ASSERT_EQ(result.outcome, SolveOutcome::GaveUp);
    EXPECT_EQ(result.limit, "time");
    EXPECT_GE(result.seconds, 0.2);

    // A window stops the search from its progress report.
    std::stop_source stop;
    std::vector<SolveProgress> reports;
    result = SolveSokoban(puzzle, {}, stop.get_token(), [&](const SolveProgress& p) {
        reports.push_back(p);
        if (reports.size() == 2) stop.request_stop();
    });
    ASSERT_EQ(result.outcome, SolveOutcome::GaveUp);
    EXPECT_EQ(result.limit, "stopped");
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_GT(reports[1].positions, reports[0].positions);
    EXPECT_LE(reports[1].positions, result.positions);
    EXPECT_GT(reports.back().positionsPerSecond, 0);
}

} // namespace
} // namespace vorpel
