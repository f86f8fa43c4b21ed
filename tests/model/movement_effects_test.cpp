// Effects of a step that reach beyond the moved block: keystones at keyholes, magnets joining
// with their Bricks piece numbers, the slide limit met through a teleporter, and the end of
// automatic replay.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

using test::Drag;
using test::LoadBoard;
using test::Picture;

// A keystone that steps off a blockade switch next to a keyhole: the switch it leaves would
// toggle the blockades, unless "Bricks compatibility" drops that toggle.
TEST(Keystone, BricksCompatibilityDropsTheSwitchLeftInTheSameStep) {
    const std::vector<std::string> board = {".#.. .%.. .#.. .#.. .#..", ".#.. .... .... .(.. .#..",
                                            ".#.. <&.. .... <... .#..", ".#.. .#.. .#.. .#.. .#.."};
    for (const bool bricks : {false, true}) {
        Context ctx;
        ctx.options.value[kBricksCompatibility] = bricks;
        ASSERT_EQ(LoadBoard(ctx, board), "");
        ASSERT_TRUE(Drag(ctx, 2, 1, -1, 0));
        // Either way the keystone is gone, the keyhole is a wall and the blockade a normal
        // block; the two uncovered switches turn into blockades only without the option.
        EXPECT_EQ(Picture(ctx),
                  bricks ? "#####\n#..[#\n#<.<#\n#####\n" : "#####\n#..[#\n#(.(#\n#####\n")
            << "Bricks compatibility " << bricks;
        EXPECT_EQ(ctx.board.selectedBlock, 0);
        EXPECT_TRUE(ctx.CurrentLevel().steps[0].sideEffect);
    }
}

TEST(Keystone, BlockadesWhollyOnHolesAreRemovedTheOthersFreed) {
    Context ctx;
    // One blockade on a hole, one two-cell blockade with only one cell on a hole, and a second
    // keystone away from the keyhole.
    ASSERT_EQ(LoadBoard(ctx, {".#.. .%.. .#.. .#.. .#..", ".#.. .... .&.. \\(.. .#..",
                              ".#.. .&.. \\(ab .(ab .#..", ".#.. .#.. .#.. .#.. .#.."}),
              "");
    const int onHole = ctx.board.BlockIndexAt(1, 3);
    const int otherKeystone = ctx.board.BlockIndexAt(1, 2);
    ASSERT_TRUE(Drag(ctx, 2, 1, -1, 0));
    EXPECT_EQ(Picture(ctx), "#####\n#..\\#\n#.[[#\n#####\n");
    EXPECT_TRUE(ctx.board.blocks[onHole].removed);
    EXPECT_TRUE(ctx.board.blocks[otherKeystone].removed) << "every keystone goes";
    // The freed blockade stays on its hole: only a block that steps falls.
    EXPECT_EQ(ctx.board.BlockIndexAt(2, 2), ctx.board.BlockIndexAt(2, 3));
    EXPECT_EQ(ctx.board.blocks[ctx.board.BlockIndexAt(2, 2)].kind, '[');
}

// Joining a plain magnet with master magnets: the joined block is master and carries the
// smallest piece number of the master members; a plain member gives none.
TEST(Magnets, JoinedPlainMagnetTakesTheSmallestMasterPiece) {
    struct Case {
        Byte heldKind;
        int heldPiece; // expected afterwards
        int masterPieces[2];
    };
    for (const Case& t : {Case{'{', 3, {0, 0}}, Case{'?', 9, {5, 3}}}) {
        Context ctx;
        const std::string held = std::string(".") + static_cast<char>(t.heldKind) + "..";
        ASSERT_EQ(LoadBoard(ctx, {".... .?.. ....", held + " .... .?..", ".... .{.. ...."}), "");
        PlayBoard& b = ctx.board;
        const int heldIndex = b.BlockIndexAt(1, 0), upper = b.BlockIndexAt(0, 1),
                  right = b.BlockIndexAt(1, 2), plain = b.BlockIndexAt(2, 1);
        b.blocks[heldIndex].bricksPiece = 9;
        b.blocks[upper].bricksPiece = 5;
        b.blocks[right].bricksPiece = 3;
        b.blocks[plain].bricksPiece = 1;
        ASSERT_TRUE(Drag(ctx, 1, 0, 0, 1));
        EXPECT_EQ(Picture(ctx), ".?.\n.??\n.?.\n") << t.heldKind;
        EXPECT_EQ(b.blocks[heldIndex].bricksPiece, t.heldPiece) << t.heldKind;
        EXPECT_EQ(b.blocks[upper].bricksPiece, t.masterPieces[0]) << t.heldKind;
        EXPECT_EQ(b.blocks[right].bricksPiece, t.masterPieces[1]) << t.heldKind;
        EXPECT_EQ(b.blocks[plain].bricksPiece, 1) << t.heldKind;
        EXPECT_TRUE(b.blocks[upper].removed && b.blocks[right].removed && b.blocks[plain].removed);
    }
}

// Teleporter at (2, 3) of a 4 x 6 board: a block sliding right on the ice of rows 1 and 3
// jumps between them and comes back to where it began every six steps, so only the limit of
// 64 iterations ends the slide. After 64 it stands where the fourth step of the round put it.
TEST(Slide, TeleporterLoopEndsAfterSixtyFourIterations) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".... .... .... .... .... ....", ":[.. :... :... :... :... :...",
                              ".... .... .... .~.. .... ....", ":... :... :... :... :... :..."}),
              "");
    ASSERT_TRUE(Drag(ctx, 1, 0, 0, 1));
    EXPECT_EQ(Picture(ctx), "......\n::::[:\n...~..\n::::::\n");
    const Level& level = ctx.CurrentLevel();
    ASSERT_EQ(level.stepCount, 1);
    EXPECT_TRUE(level.steps[0].sideEffect);
    EXPECT_EQ(ctx.board.selectedBlock, ctx.board.BlockIndexAt(1, 4)) << "still held";

    // The record replays to the same place.
    GoToPosition(ctx, 0);
    EXPECT_EQ(Picture(ctx), "......\n[:::::\n...~..\n::::::\n");
    GoToPosition(ctx, 1);
    EXPECT_EQ(Picture(ctx), "......\n::::[:\n...~..\n::::::\n");
}

// Automatic replay steps forward one record a tick and ends at the last record; a tick at the
// end changes nothing.
TEST(Replay, TicksEndAtTheLastRecord) {
    Context ctx;
    ASSERT_EQ(
        LoadBoard(ctx, {".#.. .[.. .... .V.. .... +... .#..", ".#.. .#.. .#.. .#.. .#.. .#.. .#.."},
                  " 1) 0, 1: >>>\r\n"),
        "");
    Level& level = ctx.CurrentLevel();
    ASSERT_EQ(level.stepCount, 3);
    GoToMove(ctx, 0);
    int ticks = 0;
    while (ReplayTick(ctx)) ASSERT_LE(++ticks, 3);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(level.currentStep, 3);
    EXPECT_TRUE(IsSolved(ctx));
    const std::string end = Picture(ctx);
    EXPECT_EQ(end, "#...[V#\n#######\n");
    EXPECT_FALSE(ReplayTick(ctx));
    EXPECT_EQ(level.currentStep, 3);
    EXPECT_EQ(Picture(ctx), end);
}

} // namespace
} // namespace vorpel
