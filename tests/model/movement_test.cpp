// The movement rules of every kind and mark, driven through little level pictures.
#include <gtest/gtest.h>

#include <random>

#include "Fixtures.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

using test::Drag;
using test::LoadBoard;
using test::Picture;

struct DragCase {
    const char* name;
    std::vector<std::string> board;
    int row, column, rowDelta, columnDelta; // the drag
    bool moved;
    const char* picture; // the board afterwards
};

class SingleDrag : public ::testing::TestWithParam<DragCase> {};

TEST_P(SingleDrag, EndsAsPictured) {
    const DragCase& t = GetParam();
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, t.board), "");
    EXPECT_EQ(Drag(ctx, t.row, t.column, t.rowDelta, t.columnDelta), t.moved);
    std::string expected = t.picture;
    if (t.board.size() == 1) // a level has at least two rows
        expected += std::string(static_cast<std::size_t>(ctx.board.columns), '.') + "\n";
    EXPECT_EQ(Picture(ctx), expected);
}

const DragCase kDrags[] = {
    {"PushOneBox", {".#.. .[.. .v.. .... .#.."}, 0, 1, 0, 1, true, "#.[v#\n"},
    {"TwoBoxesRefused", {".#.. .[.. .v.. .v.. .... .#.."}, 0, 1, 0, 1, false, "#[vv.#\n"},
    {"HoverThenBox", {".#.. .[.. .;.. .v.. .... .#.."}, 0, 1, 0, 1, true, "#.[;v#\n"},
    {"BoxAgainstWall", {".#.. .[.. .v.. .#.."}, 0, 1, 0, 1, false, "#[v#\n"},
    {"BoxCannotBeHeld", {".#.. .v.. .... .#.."}, 0, 1, 0, 1, false, "#v.#\n"},
    {"NormalBlockStopsAtWater", {".#.. .[.. )... .#.."}, 0, 1, 0, 1, false, "#[)#\n"},
    {"HoverEntersWater", {".#.. .;.. )... .#.."}, 0, 1, 0, 1, true, "#.;#\n"},
    {"GlueHoldsNormalBlock", {".#.. _[.. .... .#.."}, 0, 1, 0, 1, false, "#[.#\n"},
    {"HoverLeavesGlue", {".#.. _;.. .... .#.."}, 0, 1, 0, 1, true, "#_;#\n"},
    {"VerticalRefusesSideways", {".#.. .|.. .... .#.."}, 0, 1, 0, 1, false, "#|.#\n"},
    {"HorizontalRefusesUpDown", {".... .-..", ".... ...."}, 0, 1, 1, 0, false, ".-\n..\n"},
    {"MagnetKeepsAwayFromAntimagnet", {".#.. .{.. .... .}.. .#.."}, 0, 1, 0, 1, false, "#{.}#\n"},
    {"MagnetsJoinAsMaster", {".#.. .{.. .... .?.. .#.."}, 0, 1, 0, 1, true, "#.??#\n"},
    {"SlideOnIceUntilFloor", {".#.. .[.. :... :... .... .... .#.."}, 0, 1, 0, 1, true, "#.::[.#\n"},
    {"SlideOnIceUntilWall", {".#.. .[.. :... :... .#.."}, 0, 1, 0, 1, true, "#.:[#\n"},
    {"PushedBoxSlidesOnIce", {".#.. .[.. .v.. :... :... .... .#.."}, 0, 1, 0, 1, true, "#.[::v#\n"},
    {"FallIntoHole", {".#.. .[.. \\... .... .#.."}, 0, 1, 0, 1, true, "#.\\.#\n"},
    {"CoverFillsHole", {".#.. .>.. \\... .... .#.."}, 0, 1, 0, 1, true, "#...#\n"},
    {"PushedBoxFallsIntoHole", {".#.. .[.. .v.. \\... .#.."}, 0, 1, 0, 1, true, "#.[\\#\n"},
    {"TrapCloses", {".#.. /[.. .... .#.."}, 0, 1, 0, 1, true, "##[#\n"},
    {"HoverLeavesTrapOpen", {".#.. /;.. .... .#.."}, 0, 1, 0, 1, true, "#/;#\n"},
    {"EliminatorsVanishTogether", {".#.. .$.. .... .$.. .#.."}, 0, 1, 0, 1, true, "#...#\n"},
    {"EliminatorDriesWater", {".#.. .$.. .... )... .#.."}, 0, 1, 0, 1, true, "#...#\n"},
    {"MasterWeakensBarrier", {".#.. .@.. .... .*.. .#.."}, 0, 1, 0, 1, true, "#.@!#\n"},
    {"TwoCellBlockMovesWhole",
     {".#.. .[ab .... .... .#..", ".#.. .... .[ab .... .#.."},
     0,
     1,
     0,
     1,
     true,
     "#.[.#\n#..[#\n"},
    // Teleporter at (2, 2) of a 5 x 5 board: a block stepping up to (3, 3) jumps to (1, 1)
    // unless something there or under it forbids the jump; the step itself stays made.
    {"TeleportRefusedOntoABlock",
     {".... .... .... .... ....", ".... .[.. .... .... ....", ".... .... .~.. .... ....",
      ".... .... .... .... ....", ".... .... .... .[.. ...."},
     4,
     3,
     -1,
     0,
     true,
     ".....\n.[...\n..~..\n...[.\n.....\n"},
    {"TeleportRefusedOnGlue",
     {".... .... .... .... ....", ".... .... .... .... ....", ".... .... .~.. .... ....",
      ".... .... .... _... ....", ".... .... .... .[.. ...."},
     4,
     3,
     -1,
     0,
     true,
     ".....\n.....\n..~..\n...[.\n.....\n"},
    {"TeleportRefusedIntoWater",
     {".... .... .... .... ....", ".... )... .... .... ....", ".... .... .~.. .... ....",
      ".... .... .... .... ....", ".... .... .... .[.. ...."},
     4,
     3,
     -1,
     0,
     true,
     ".....\n.)...\n..~..\n...[.\n.....\n"},
    {"HoverTeleportsOntoWater",
     {".... .... .... .... ....", ".... )... .... .... ....", ".... .... .~.. .... ....",
      ".... .... .... .... ....", ".... .... .... .;.. ...."},
     4,
     3,
     -1,
     0,
     true,
     ".....\n.;...\n..~..\n.....\n.....\n"},
    {"MagnetTeleportRefusedNextToAntimagnet",
     {".... .}.. .... .... ....", ".... .... .... .... ....", ".... .... .~.. .... ....",
      ".... .... .... .... ....", ".... .... .... .{.. ...."},
     4,
     3,
     -1,
     0,
     true,
     ".}...\n.....\n..~..\n...{.\n.....\n"},
    {"AntimagnetTeleportRefusedNextToMagnet",
     {".... .{.. .... .... ....", ".... .... .... .... ....", ".... .... .~.. .... ....",
      ".... .... .... .... ....", ".... .... .... .}.. ...."},
     4,
     3,
     -1,
     0,
     true,
     ".{...\n.....\n..~..\n...}.\n.....\n"},
    // A pushed box makes its own jump, from (2, 3) to (0, 1), also when the pusher cannot.
    {"PushedBoxTeleportsWithThePusher",
     {".... .... .... .... ....", ".... .... .... .... ....", ".... .... .~.. .... ....",
      ".... .... .... .v.. ....", ".... .... .... .[.. ...."},
     4,
     3,
     -1,
     0,
     true,
     ".v...\n.[...\n..~..\n.....\n.....\n"},
    {"PushedBoxTeleportsAlone",
     {".... .... .... .... ....", ".... .#.. .... .... ....", ".... .... .~.. .... ....",
      ".... .... .... .v.. ....", ".... .... .... .[.. ...."},
     4,
     3,
     -1,
     0,
     true,
     ".v...\n.#...\n..~..\n...[.\n.....\n"},
};

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const DragCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Rules, SingleDrag, ::testing::ValuesIn(kDrags),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Movement, JoinedMagnetsTakeTheUpperLeftAnchor) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".... .{.. ....", ".... .... .{.."}), "");
    ASSERT_TRUE(Drag(ctx, 1, 2, 0, -1));
    const int held = ctx.board.BlockIndexAt(1, 1);
    EXPECT_EQ(ctx.board.BlockIndexAt(0, 1), held);
    EXPECT_EQ(ctx.board.blocks[held].anchorRow, 0);
    EXPECT_EQ(ctx.board.blocks[held].anchorColumn, 1);
    EXPECT_NE(ctx.board.blocks[held].link, 0) << "the absorbed magnet joins the chain";
}

TEST(Movement, KeystoneAtKeyholeReleasesEveryBlockade) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".#.. .%.. .#.. .#.. .#..", ".#.. .... .... .(.. .#..",
                              ".#.. .&.. .... .(.. .#..", ".#.. .#.. .#.. .#.. .#.."}),
              "");
    ASSERT_TRUE(Drag(ctx, 2, 1, -1, 0));
    EXPECT_EQ(Picture(ctx), "#####\n#..[#\n#..[#\n#####\n");
    EXPECT_EQ(ctx.board.selectedBlock, 0) << "the keystone left the board";
}

TEST(Movement, LeavingASwitchTogglesBlockadesAndSwitches) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".#.. <[.. .... .(.. .... .#..", ".#.. .... .... <... .... .#.."}),
              "");
    ASSERT_TRUE(Drag(ctx, 0, 1, 0, 1));
    EXPECT_EQ(Picture(ctx), "#([<.#\n#..(.#\n");
    // The switch just left is a blockade now, so the block cannot step back onto it.
    ASSERT_FALSE(Drag(ctx, 0, 2, 0, -1)) << "the new blockade is in the way";
}

TEST(Movement, TeleporterSendsABlockToTheOppositeQuadrant) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".... .... .... .... ....", ".... .... .... .... ....",
                              ".... .... .~.. .... ....", ".... .... .... .... ....",
                              ".... .... .... .[.. ...."}),
              "");
    ASSERT_TRUE(Drag(ctx, 4, 3, -1, 0));
    EXPECT_EQ(Picture(ctx), ".....\n.[...\n..~..\n.....\n.....\n");
    EXPECT_TRUE(ctx.CurrentLevel().steps[0].sideEffect);
}

TEST(Movement, WhollyWeakBarrierIsRemovedWhenTakenHold) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".#.. .@.. .... .*.. .#.."}), "");
    EXPECT_FALSE(SelectBlock(ctx, 3, 0)) << "a strong barrier stays";
    ASSERT_TRUE(Drag(ctx, 0, 1, 0, 1));
    EXPECT_TRUE(SelectBlock(ctx, 3, 0));
    EXPECT_EQ(Picture(ctx), "#.@.#\n.....\n");
    const Level& level = ctx.CurrentLevel();
    ASSERT_EQ(level.stepCount, 2);
    EXPECT_EQ(level.steps[1].rowDelta, 0);
    EXPECT_EQ(level.steps[1].columnDelta, 0);
    EXPECT_TRUE(level.steps[1].sideEffect);
}

TEST(Movement, DiagonalDragStepsHorizontallyFirst) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. .... ....", ".... .... ....", ".... .... ...."}), "");
    SelectBlock(ctx, 0, 0);
    ASSERT_TRUE(DragSelectedBlock(ctx, 1, 1, false));
    const Level& level = ctx.CurrentLevel();
    ASSERT_EQ(level.stepCount, 2);
    EXPECT_EQ(level.steps[0].columnDelta, 1);
    EXPECT_EQ(level.steps[1].rowDelta, 1);
    EXPECT_EQ(level.steps[1].column, 0) << "both records carry the anchor from before the drag";
}

TEST(Movement, RefusedVerticalStepKeepsTheHorizontalOne) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".... .[.. .#..", ".#.. .... .#..", ".#.. .... .#.."}), "");
    SelectBlock(ctx, 1, 0);
    EXPECT_FALSE(DragSelectedBlock(ctx, 0, 1, false)) << "left is free, down is a wall";
    EXPECT_EQ(Picture(ctx), "[.#\n#.#\n#.#\n");
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 1);
}

TEST(Movement, BlockThatFallsOnAHorizontalStepStillCountsAsMoved) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. \\... ....", ".... .... ...."}), "");
    SelectBlock(ctx, 0, 0);
    EXPECT_TRUE(DragSelectedBlock(ctx, 1, 0, false));
    EXPECT_EQ(ctx.board.selectedBlock, 0);
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 1);
}

TEST(Movement, BackAndForthWithoutEffectLeavesNoHistory) {
    Context ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. .... ....", ".... .... ...."}), "");
    ASSERT_TRUE(Drag(ctx, 0, 0, 0, 1));
    ASSERT_TRUE(Drag(ctx, 0, 1, 0, -1));
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 0);
    EXPECT_EQ(ctx.CurrentLevel().currentStep, 0);
}

// The blocked test reads only the rows of the blocks concerned; on random boards it must agree
// with the same test over every row, for every block, direction and pushing.
TEST(Movement, RowLimitedBlockedTestMatchesTheTestOverAllRows) {
    const char marks[] = "....+)_:\\^/";
    const char kinds[] = "....#[[vV;;{}|-@*$&>\"=?xX";
    const char* ids[] = {"..", "..", "a.", "b."};
    int compared = 0, blocked = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        const int rows = 2 + static_cast<int>(random() % 12);
        const int columns = 2 + static_cast<int>(random() % 12);
        std::vector<std::string> picture;
        for (int r = 0; r < rows; ++r) {
            std::string line;
            for (int c = 0; c < columns; ++c) {
                line += marks[random() % (sizeof marks - 1)];
                line += kinds[random() % (sizeof kinds - 1)];
                line += ids[random() % 4];
            }
            picture.push_back(line);
        }
        Context ctx;
        if (!LoadBoard(ctx, picture).empty()) continue;
        const int deltas[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
        for (int i = 2; i <= ctx.board.blockCount; ++i)
            for (const auto& d : deltas)
                for (const bool pushed : {false, true}) {
                    const bool fast = IsBlocked(ctx.board, i, d[0], d[1], pushed);
                    ASSERT_EQ(fast, IsBlockedOverAllRows(ctx.board, i, d[0], d[1], pushed))
                        << "seed " << seed << " block " << i << " by " << d[0] << "," << d[1];
                    ++compared;
                    blocked += fast;
                }
    }
    EXPECT_GT(compared, 2000);
    EXPECT_GT(compared - blocked, 200) << "some blocks should be free to move";
}

// Uncovering the don't-cover mark solves the level: in play the block stops on the first ice
// cell; in the editor, where a solved board ends nothing, it slides on.
TEST(Movement, SlideStopsOnASolvedBoardOnlyInPlay) {
    for (const bool editing : {false, true}) {
        Context ctx;
        ASSERT_EQ(
            LoadBoard(ctx, {".#.. ^[.. :... :... .... .#..", ".#.. +@.. .... .... .... .#.."}), "");
        ctx.editing = editing;
        EXPECT_EQ(RulesOf(ctx.options, ctx.editing).stopSlidesOnSolvedBoard, !editing);
        ASSERT_TRUE(Drag(ctx, 0, 1, 0, 1));
        EXPECT_EQ(Picture(ctx), editing ? "#^::[#\n#@...#\n" : "#^[:.#\n#@...#\n") << editing;
        EXPECT_TRUE(IsSolved(ctx)) << "the solved test reads no window state";
    }
}

} // namespace
} // namespace vorpel
