// Solving from a position of the history: the level laid out as the board stands, the solution
// made as the user's steps after it, and the next move of a solution as a hint.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "Fixtures.h"
#include "model/History.h"
#include "model/Solved.h"
#include "solver/Solver.h"

namespace vorpel {
namespace {

// The player at (1, 1), a box at (1, 3) and its goal at (1, 6), in a room of three rows.
const std::vector<std::string> kRoom = {
    ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..", ".#.. .[.. .... .V.. .... .... +... .#..",
    ".#.. .... .... .... .... .... .... .#..", ".#.. .... .... .... .... .... .... .#..",
    ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
};

// The player steps right, next to the box, and the position is solved: the solution follows
// that step in the history and leaves the level solved.
TEST(SolvePosition, SolutionFollowsThePositionInTheHistory) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kRoom), "");
    ASSERT_TRUE(test::Drag(ctx, 1, 1, 0, 1));
    const Level& level = ctx.CurrentLevel();
    const Level position = LevelAtPosition(level, ctx.board);
    EXPECT_FALSE(SameLayout(position, level)) << "the player stands elsewhere";
    EXPECT_EQ(position.stepCount, 0);
    EXPECT_EQ(position.BlockAt(1, 2), kNormalKind);
    EXPECT_EQ(position.BlockAt(1, 1), kEmptyKind);

    const SolveResult result = Solve(position, {});
    ASSERT_EQ(result.outcome, SolveOutcome::Solved);
    const std::vector<SolveStep> pushes = {{1, 2, 0, 1}, {1, 3, 0, 1}, {1, 4, 0, 1}};
    ASSERT_EQ(result.steps, pushes) << "the search starts where the player stands";
    const CarriedOut carried = CarryOutSolution(ctx, result.steps);
    EXPECT_EQ(carried.made, pushes.size());
    EXPECT_EQ(carried.firstStep, 1);
    EXPECT_TRUE(IsSolved(ctx));
    EXPECT_EQ(level.stepCount, 4);
    GoToPosition(ctx, carried.firstStep);
    EXPECT_TRUE(SameLayout(LevelAtPosition(level, ctx.board), position));
}

// A solution whose first step takes back the step before the position drops both, as a drag
// back does: the solution then starts a step earlier in the history.
TEST(SolvePosition, StepTakenBackStartsTheSolutionEarlier) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kRoom), "");
    ASSERT_TRUE(test::Drag(ctx, 1, 1, 1, 0));
    const std::vector<SolveStep> steps = {
        {2, 1, -1, 0}, {1, 1, 0, 1}, {1, 2, 0, 1}, {1, 3, 0, 1}, {1, 4, 0, 1}};
    const CarriedOut carried = CarryOutSolution(ctx, steps);
    EXPECT_EQ(carried.made, steps.size());
    EXPECT_EQ(carried.firstStep, 0);
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 4);
    EXPECT_TRUE(IsSolved(ctx));
}

// A step the rules refuse ends the solution there; the steps before it stay made.
TEST(SolvePosition, RefusedStepEndsTheSolution) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kRoom), "");
    const std::vector<SolveStep> steps = {{1, 1, 1, 0}, {2, 1, 0, -1}, {2, 0, 0, 1}};
    EXPECT_EQ(CarryOutSolution(ctx, steps).made, 1u) << "the second step goes into the wall";
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 1);
}

TEST(SolvePosition, NextMoveHint) {
    using Path = std::vector<std::pair<int, int>>;
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        std::vector<SolveStep> steps;
        std::size_t stepCount;
        int row, column;
        Path path;
    };
    const std::vector<std::string> twoBlocks = {
        ".#.. .#.. .#.. .#.. .#.. .#..",
        ".#.. .[.. .... .... .[.. .#..",
        ".#.. .... .... .... .... .#..",
        ".#.. .#.. .#.. .#.. .#.. .#..",
    };
    const std::vector<Case> cases = {
        {"a walk to the box and three pushes on",
         kRoom,
         {{1, 1, 0, 1}, {1, 2, 0, 1}, {1, 3, 0, 1}, {1, 4, 0, 1}},
         4,
         1,
         3,
         {{1, 3}, {1, 4}, {1, 5}, {1, 6}}},
        {"a push, then the player turns away",
         kRoom,
         {{1, 1, 0, 1}, {1, 2, 0, 1}, {1, 3, 1, 0}, {2, 3, 0, 1}},
         2,
         1,
         3,
         {{1, 3}, {1, 4}}},
        {"the first block's run of steps, on a level of blocks",
         twoBlocks,
         {{1, 1, 0, 1}, {1, 2, 1, 0}, {2, 2, 0, 1}, {1, 4, 1, 0}},
         3,
         1,
         1,
         {{1, 1}, {1, 2}, {2, 2}, {2, 3}}},
        {"nothing to do", kRoom, {}, 0, -1, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Context ctx;
        ASSERT_EQ(test::LoadBoard(ctx, c.rows), "");
        const MoveHint hint = NextMoveHint(ctx.CurrentLevel(), c.steps);
        EXPECT_EQ(hint.stepCount, c.stepCount);
        EXPECT_EQ(hint.row, c.row);
        EXPECT_EQ(hint.column, c.column);
        EXPECT_EQ(hint.path, c.path);
    }
}

} // namespace
} // namespace vorpel
