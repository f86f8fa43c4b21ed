// Step records, move numbers, undo and redo, and the navigation commands.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "Fixtures.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

using test::BoardDifference;
using test::Drag;
using test::LoadBoard;
using test::Picture;

// A corridor with a player, a box and a second block.
const std::vector<std::string> kRoom = {
    ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..", ".#.. .[.. .v.. .... .... .... .... .#..",
    ".#.. .... .... .... .... .... .... .#..", ".#.. .... .... .... .... .... .]ab .#..",
    ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
};

// The board that rebuilding and replaying the history up to the current position gives.
std::string DifferenceFromReplay(const Context& ctx) {
    auto fresh = std::make_unique<Context>();
    fresh->collection.levels[0] = ctx.CurrentLevel();
    fresh->options = ctx.options;
    const int target = fresh->CurrentLevel().currentStep;
    RebuildBoard(*fresh);
    while (fresh->CurrentLevel().currentStep < target) RedoStep(*fresh);
    return BoardDifference(ctx.board, fresh->board);
}

TEST(StepRecord, NumbersMovesAndSteps) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, kRoom), "");
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(CurrentMove(level), 0);
    EXPECT_EQ(CurrentStepNumber(level), 0);
    ASSERT_TRUE(Drag(ctx, 1, 1, 0, 1));
    EXPECT_EQ(CurrentMove(level), 1);
    EXPECT_EQ(TotalSteps(level), 1);
    ASSERT_TRUE(Drag(ctx, 1, 2, 0, 1));  // same block: same move
    ASSERT_TRUE(Drag(ctx, 3, 6, 0, -1)); // another block: next move
    EXPECT_EQ(CurrentMove(level), 2);
    EXPECT_EQ(CurrentStepNumber(level), 3);
}

TEST(StepRecord, BarrierRemovalBeforeTheFirstStepSharesItsNumbers) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".!.. .[.. .... ...."}), "");
    ASSERT_TRUE(SelectBlock(ctx, 0, 0));
    ASSERT_TRUE(Drag(ctx, 0, 1, 0, 1));
    ASSERT_TRUE(Drag(ctx, 0, 2, 0, 1));
    const Level& level = ctx.CurrentLevel();
    ASSERT_EQ(level.stepCount, 3);
    EXPECT_EQ(std::make_pair(level.steps.MoveNumber(0), level.steps.StepNumber(0)),
              std::make_pair(1, 1));
    EXPECT_EQ(std::make_pair(level.steps.MoveNumber(1), level.steps.StepNumber(1)),
              std::make_pair(1, 1));
    EXPECT_EQ(std::make_pair(level.steps.MoveNumber(2), level.steps.StepNumber(2)),
              std::make_pair(1, 2));
}

TEST(StepRecord, AStepAfterABarrierRemovalStartsANewMove) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. .... .!.. ...."}), "");
    ASSERT_TRUE(Drag(ctx, 0, 0, 0, 1));
    ASSERT_TRUE(SelectBlock(ctx, 2, 0));
    ASSERT_TRUE(Drag(ctx, 0, 1, 0, 1));
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(level.steps.MoveNumber(1), 1);
    EXPECT_EQ(level.steps.MoveNumber(2), 2);
    EXPECT_EQ(level.steps.StepNumber(2), 2);
}

TEST(History, NewStepDiscardsUndoneRecords) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, kRoom), "");
    for (int c = 1; c <= 3; ++c) ASSERT_TRUE(Drag(ctx, 1, c, 0, 1));
    StepBackward(ctx);
    StepBackward(ctx);
    ASSERT_TRUE(Drag(ctx, 3, 6, -1, 0));
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 2);
    EXPECT_EQ(TotalMoves(ctx.CurrentLevel()), 2);
    EXPECT_EQ(DifferenceFromReplay(ctx), "");
}

TEST(History, StepBackwardOverAPushGivesTheReplayedBoard) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, kRoom), "");
    ASSERT_TRUE(Drag(ctx, 1, 1, 0, 1)); // pushes the box
    ASSERT_TRUE(Drag(ctx, 1, 2, 0, 1));
    const std::string start = "########\n#[v....#\n";
    StepBackward(ctx);
    EXPECT_EQ(Picture(ctx).substr(0, 18), "########\n#.[v...#\n");
    EXPECT_EQ(DifferenceFromReplay(ctx), "");
    StepBackward(ctx);
    EXPECT_EQ(Picture(ctx).substr(0, 18), start);
    EXPECT_EQ(ctx.board.blocks[ctx.board.BlockIndexAt(1, 2)].link, 0) << "push count undone";
    EXPECT_EQ(ctx.board.selectedBlock, ctx.board.BlockIndexAt(1, 1)) << "next step's block held";
}

// Four moves: the player pushes twice, the magic block steps left twice, then one of each.
void PlayFourMoves(Context& ctx) {
    ASSERT_EQ(LoadBoard(ctx, kRoom), "");
    ASSERT_TRUE(Drag(ctx, 1, 1, 0, 1));
    ASSERT_TRUE(Drag(ctx, 1, 2, 0, 1));
    ASSERT_TRUE(Drag(ctx, 3, 6, 0, -1));
    ASSERT_TRUE(Drag(ctx, 3, 5, 0, -1));
    ASSERT_TRUE(Drag(ctx, 1, 3, 0, 1));
    ASSERT_TRUE(Drag(ctx, 3, 4, 0, -1));
}

TEST(History, MoveCommands) {
    Context ctx;
    PlayFourMoves(ctx);
    Level& level = ctx.CurrentLevel();
    ASSERT_EQ(TotalMoves(level), 4);
    ASSERT_EQ(level.stepCount, 6);
    struct Case {
        int from;
        void (*command)(Context&);
        int to;
    };
    const Case cases[] = {
        {1, [](Context& c) { MoveForward(c, 1); }, 2},   // middle of move 1: its end
        {3, [](Context& c) { MoveForward(c, 2); }, 5},   // finishing move 2 counts as one
        {6, [](Context& c) { MoveBackward(c, 10); }, 0}, // from move 4: restart
        {6, [](Context& c) { MoveBackward(c, 1); }, 5},
        {4, [](Context& c) { MoveBackward(c, 1); }, 2},
        {0, EndOfLevel, 6},
        {5, RestartLevel, 0},
        {2, StepForward, 3},
        {3, StepBackward, 2},
    };
    for (const Case& t : cases) {
        GoToPosition(ctx, t.from);
        ASSERT_EQ(level.currentStep, t.from);
        t.command(ctx);
        EXPECT_EQ(level.currentStep, t.to) << "from " << t.from;
        EXPECT_EQ(DifferenceFromReplay(ctx), "") << "from " << t.from;
    }
}

TEST(History, ZeroMoveCountAndBlockMoveCount) {
    Context ctx;
    PlayFourMoves(ctx);
    int count = 0;
    ASSERT_TRUE(BlockMoveCount(ctx, 3, 3, false, count));
    EXPECT_EQ(count, 2) << "the magic block made two moves";
    ASSERT_TRUE(BlockMoveCount(ctx, 1, 5, false, count));
    EXPECT_EQ(count, 3) << "a box counts its pushes";
    EXPECT_FALSE(BlockMoveCount(ctx, 2, 4, true, count)) << "no block";
    ZeroMoveCount(ctx);
    ASSERT_TRUE(BlockMoveCount(ctx, 3, 3, true, count));
    EXPECT_EQ(count, 0);
    GoToPosition(ctx, 2);
    ASSERT_TRUE(BlockMoveCount(ctx, 3, 6, false, count));
    EXPECT_EQ(count, -2) << "counted backwards from the reference position";
}

TEST(History, MarkBlockPathFollowsTheHeldBlock) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, kRoom), "");
    ASSERT_TRUE(Drag(ctx, 1, 1, 0, 1));
    ASSERT_TRUE(Drag(ctx, 1, 2, 0, 1));
    SelectBlock(ctx, 3, 1);
    RowSet path;
    path.Set(2, 4); // cleared first
    MarkBlockPath(ctx, path);
    EXPECT_EQ(path.Dump(3, 5), ".....\n.###.\n.....\n");
}

// Random play over every kind, with random jumps through the history: wherever the history
// is, the board must be the one that rebuilding and replaying gives.
TEST(History, RandomPlayMatchesReplayEverywhere) {
    const std::vector<std::string> rich = {
        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
        ".#.. .[.. .... .v.. \\... .... :... :... .;.. .... .... .#..",
        ".#.. .... .{.. .... .... .}.. .... .... .... .... .&.. .#..",
        ".#.. .... .{.. /... .v.. .... )... .$.. .... .... .... .%..",
        ".#.. <... .... .(.. .... .*.. .... .... .@.. .V.. .... .#..",
        ".#.. .... .... .... .... .... .~.. .... .... .... .... .#..",
        ".#.. .... .>.. \\... \\... .... .... .... .... +... +... .#..",
        ".#.. .... .... .... .... _... .... .x.. _... .... .... .#..",
        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
    };
    int sideEffects = 0;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        Context ctx;
        ASSERT_EQ(LoadBoard(ctx, rich), "");
        std::mt19937 random(seed);
        const int deltas[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
        for (int action = 0; action < 500; ++action) {
            const int choice = static_cast<int>(random() % 22);
            const auto& d = deltas[random() % 4];
            Level& level = ctx.CurrentLevel();
            if (choice < 15) {
                // Drag a block that can be held by its anchor.
                std::vector<int> holdable;
                for (int i = 2; i <= ctx.board.blockCount; ++i) {
                    const Block& b = ctx.board.blocks[i];
                    if (!b.removed && IsMovableKind(b.kind) && !IsBox(b.kind))
                        holdable.push_back(i);
                }
                if (holdable.empty()) break;
                const Block& b = ctx.board.blocks[holdable[random() % holdable.size()]];
                Drag(ctx, b.anchorRow, b.anchorColumn, d[0], d[1]);
            } else if (choice < 17) {
                StepBackward(ctx);
            } else if (choice == 17) {
                GoToPosition(ctx, static_cast<int>(random() % (level.stepCount + 1)));
            } else if (choice == 18) {
                MoveBackward(ctx, 1 + static_cast<int>(random() % 3));
            } else if (choice >= 20) {
                EndOfLevel(ctx);
            } else {
                MoveForward(ctx, 1 + static_cast<int>(random() % 3));
            }
            ASSERT_EQ(IsSolved(ctx), IsSolvedByCells(ctx))
                << "seed " << seed << " action " << action;
            ASSERT_EQ(DifferenceFromReplay(ctx), "")
                << "seed " << seed << " action " << action << " at step " << level.currentStep;
        }
        const Level& level = ctx.CurrentLevel();
        for (int i = 0; i < level.stepCount; ++i) sideEffects += level.steps[i].sideEffect;
    }
    EXPECT_GT(sideEffects, 40) << "the play should have pushed, slid, joined and fallen";
}

} // namespace
} // namespace vorpel
