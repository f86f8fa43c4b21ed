// Sokoban moves and pushes counted from the steps of a history, and how solutions compare.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "model/Sokoban.h"

namespace vorpel {
namespace {

// The player left of a box in a room two rows high; the goal three cells right of the box.
const std::vector<std::string> kRoom = {".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
                                        ".#.. .[.. .V.. .... .... +... .... .... .... .#..",
                                        ".#.. .... .... .... .... .... .... .... .... .#..",
                                        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.."};

TEST(SokobanCounts, PlayerStepsAndPushesOfTheHistory) {
    const struct {
        const char* moves;
        SokobanCounts counts;
    } cases[] = {
        {"", {0, 0}},
        {" 1) 1, 1: >>>", {3, 3}},
        {" 1) 1, 1: >>v<^>>", {7, 3}}, // walks round behind the box
        {" 1) 1, 1: v>>^", {4, 0}},    // walks past the box without touching it
    };
    for (const auto& c : cases) {
        Context ctx;
        ASSERT_EQ(test::LoadBoard(ctx, kRoom, c.moves), "") << c.moves;
        const Level& level = ctx.CurrentLevel();
        EXPECT_EQ(SokobanCountsAt(level, level.stepCount), c.counts) << c.moves;
    }
}

TEST(SokobanCounts, CountsStopAtThePositionAskedFor) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kRoom, " 1) 1, 1: >>v<^>>"), "");
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(SokobanCountsAt(level, 3), (SokobanCounts{3, 2}));
    EXPECT_EQ(SokobanCountsAt(level, 99), (SokobanCounts{7, 3}));
}

TEST(SokobanCounts, OtherLevelsAreNoSokobanLevels) {
    Context ctx;
    const std::vector<std::vector<std::string>> others = {
        {".#.. .#.. .#..", ".#.. .@.. .#.."}, // a master block is no player
        {".[.. .V.. +...", "^... .... ...."}, // a don't-cover mark
        {".[.. .[.. +...", ".V.. .... ...."}, // two players
        {".[.. .V// .V//", "+... +... ...."}, // one box of two cells
        {".[.. .... +...", ".... .... ...."}, // no box
    };
    for (const auto& rows : others) {
        ASSERT_EQ(test::LoadBoard(ctx, rows), "");
        EXPECT_FALSE(IsSokobanLevel(ctx.CurrentLevel())) << rows[0];
        EXPECT_EQ(SokobanCountsAt(ctx.CurrentLevel(), 0), (SokobanCounts{0, 0}));
    }
    ASSERT_EQ(test::LoadBoard(ctx, kRoom), "");
    EXPECT_TRUE(IsSokobanLevel(ctx.CurrentLevel()));
}

TEST(SokobanBetter, FewerMovesThenPushesOrTheOtherWayRound) {
    const struct {
        SokobanCounts a, b;
        bool movesFirst, pushesFirst;
    } cases[] = {
        {{10, 3}, {12, 2}, true, false},  {{12, 2}, {10, 3}, false, true},
        {{10, 2}, {10, 3}, true, true},   {{10, 3}, {10, 3}, false, false},
        {{11, 3}, {10, 3}, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SokobanBetter(c.a, c.b, false), c.movesFirst) << c.a.moves << "/" << c.a.pushes;
        EXPECT_EQ(SokobanBetter(c.a, c.b, true), c.pushesFirst) << c.a.moves << "/" << c.a.pushes;
    }
}

} // namespace
} // namespace vorpel

namespace vorpel {
namespace {

TEST(PlayerSteps, GoToMoveCountsPlayerStepsBothWays) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, kRoom, " 1) 1, 1: >>v<^>>"), "");
    const Level& level = ctx.CurrentLevel();
    for (int position = 0; position <= 7; ++position) {
        EXPECT_EQ(PlayerStepAt(level, position), position);
        EXPECT_EQ(PositionOfPlayerStep(level, position), position);
    }
    EXPECT_EQ(PlayerStepAt(level, 99), 7);
    EXPECT_EQ(PositionOfPlayerStep(level, 99), 7);
    EXPECT_EQ(PositionOfPlayerStep(level, -3), 0);
}

// A barrier removal shares the step number of the step before it: the position of a step is
// the first that reaches it.
TEST(PlayerSteps, ARecordWithoutAStepTakesNoStepNumber) {
    Level level;
    StepRecord step;
    step.columnDelta = 1;
    step.counts = StepRecord::kNewMove | StepRecord::kNewStep;
    level.steps.push_back(step);
    level.steps.push_back(StepRecord{}); // a removal: no new move, no new step
    level.steps.push_back(step);
    level.stepCount = 3;
    EXPECT_EQ(PlayerStepAt(level, 2), 1);
    EXPECT_EQ(PositionOfPlayerStep(level, 1), 1);
    EXPECT_EQ(PositionOfPlayerStep(level, 2), 3);
}

} // namespace
} // namespace vorpel
