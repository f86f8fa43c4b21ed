// The collection of levels and building the play board from a stored level.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "model/BoardOutline.h"
#include "model/History.h"

namespace vorpel {
namespace {

using test::LoadBoard;

TEST(Collection, NeverEmptyAndCopiesWithHistory) {
    LevelCollection c;
    ASSERT_EQ(c.lastLevel(), 0);
    EXPECT_EQ(c.Title(0), "Void level");
    c.NewLevel("Second", 4, 5, true);
    EXPECT_EQ(c.lastLevel(), 1);
    EXPECT_EQ(c.levels[1].rows, 4);
    c.levels[1].steps.resize(3);
    c.levels[1].stepCount = 3;
    c.CopyLevel(0, 1);
    EXPECT_EQ(c.Title(0), "Second");
    EXPECT_EQ(c.levels[0].stepCount, 3);
    EXPECT_EQ(c.FindTitle("Second"), 0);
    EXPECT_TRUE(c.TitleUsedElsewhere("Second", 0));
    c.RemoveLastLevel();
    c.RemoveLastLevel();
    ASSERT_EQ(c.lastLevel(), 0);
    EXPECT_EQ(c.Title(0), "Void level");
    EXPECT_EQ(c.levels[0].rows, 6);
    EXPECT_EQ(c.currentLevel, 0);
}

TEST(Collection, TitleCheck) {
    EXPECT_EQ(CheckTitle(""), "Level without title.");
    EXPECT_EQ(CheckTitle(" Lead"),
              "Title \" Lead\" not accepted: starts with the space character.");
    EXPECT_EQ(CheckTitle("Fine title"), "");
}

TEST(PlayBoard, CellsOfOneKindAndIdentifierFormOneBlock) {
    Context ctx;
    // Two separate [ cells labelled ab, a [ and an @ labelled cd, an X and an @ labelled ef.
    ASSERT_EQ(LoadBoard(ctx, {".[ab .... .[ab", ".[cd .@cd ....", ".Xef .@ef ...."}), "");
    const PlayBoard& b = ctx.board;
    EXPECT_EQ(b.BlockIndexAt(0, 0), b.BlockIndexAt(0, 2)) << "apart but one block";
    EXPECT_NE(b.BlockIndexAt(1, 0), b.BlockIndexAt(1, 1)) << "same label, other kind";
    EXPECT_EQ(b.BlockIndexAt(2, 0), b.BlockIndexAt(2, 1)) << "X and @ are one master block";
    EXPECT_EQ(DisplayChar(b, 2, 0), 'X');
    EXPECT_EQ(DisplayChar(b, 2, 1), '@');
    EXPECT_EQ(b.blocks[b.BlockIndexAt(2, 0)].kind, '@');
    EXPECT_EQ(b.blockCount, 5);
    int number = 0;
    ASSERT_TRUE(DisplayedBlockNumber(b, 0, 2, number));
    EXPECT_EQ(number, 0);
}

TEST(PlayBoard, WallsOnlyAndDerivedSets) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".#.. .%.. .#..", "\\... :... +...", ")... ^... _..."}), "");
    const PlayBoard& b = ctx.board;
    EXPECT_EQ(b.blockCount, 1);
    EXPECT_EQ(DisplayChar(b, 0, 1), '%');
    EXPECT_TRUE(b.holeCells.Test(1, 0) && b.slideCells.Test(1, 0) && b.slideCells.Test(1, 1));
    EXPECT_TRUE(b.destinationCells.Test(1, 2) && b.waterCells.Test(2, 0));
    EXPECT_TRUE(b.dontCoverCells.Test(2, 1) && b.glueCells.Test(2, 2));
    EXPECT_EQ(b.keyholeRing.Dump(3, 3), "#.#\n.#.\n...\n") << "keyhole neighbours, walls too";
}

TEST(PlayBoard, SwitchesGetBlocksWithUnusedIdentifiers) {
    Context ctx;
    // Labels give identifiers 2 and 3 to the two blocks; the switches take 4 and 5.
    ASSERT_EQ(LoadBoard(ctx, {"<[ab .(cd <...", ".... .... ...."}), "");
    const PlayBoard& b = ctx.board;
    ASSERT_EQ(b.blockCount, 5);
    EXPECT_EQ(b.blocks[4].kind, '<');
    EXPECT_EQ(b.blocks[4].id, 4);
    EXPECT_EQ(b.blocks[5].id, 5);
    EXPECT_EQ(b.BlockIndexAt(0, 2), 0) << "switch blocks are not in the map";
}

TEST(PlayBoard, BuildingClampsTheCurrentLevel) {
    Context ctx;
    ctx.collection.NewLevel("Two", 3, 3, true);
    ctx.collection.currentLevel = -1;
    BuildPlayBoard(ctx.collection, ctx.board);
    EXPECT_EQ(ctx.collection.currentLevel, 1);
    ctx.collection.currentLevel = 2;
    BuildPlayBoard(ctx.collection, ctx.board);
    EXPECT_EQ(ctx.collection.currentLevel, 0);
}

TEST(PlayBoard, BuildReturnsThePositionToReplay) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. .... ...."}, "  1)  0,  0:  >>\r\n"), "");
    Level& level = ctx.CurrentLevel();
    ASSERT_EQ(level.currentStep, 2);
    EXPECT_EQ(BuildPlayBoard(ctx.collection, ctx.board), 2);
    EXPECT_EQ(level.currentStep, 0);
    GoToPosition(ctx, 2);
    EXPECT_EQ(test::Picture(ctx), "..[\n...\n");
}

TEST(PlayBoard, OutlineFlagsMarkWhereNeighboursDiffer) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[ab .[ab .#..", ".... .... .~.."}), "");
    BoardOutline outline;
    ComputeOutlineFlags(ctx.board, outline);
    // Left cell of the two-cell block: its right neighbour is alike; up, left and down differ.
    EXPECT_EQ(outline.flags[CellIndex(0, 0)], 0b11111110);
    // A wall next to a teleporter counts it as alike.
    EXPECT_EQ(outline.flags[CellIndex(0, 2)] & 0b01000000, 0);
}

} // namespace
} // namespace vorpel
