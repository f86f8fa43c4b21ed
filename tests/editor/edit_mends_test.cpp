// Editor operations that change nothing keep the selection and history; identifiers travel with
// their cells; selections reaching past the level; reading a text's first level into the editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorFixtures.h"
#include "Fixtures.h"
#include "editor/EditorOps.h"
#include "editor/EditorSession.h"
#include "files/LevelText.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

using test::Drag;
using test::EditorContext;
using test::IdsOfRow;
using test::LoadBoard;
using test::Select;
using test::Stored;

struct Unchanged {
    const char* name;
    std::vector<std::string> board;
    std::vector<std::string> selection;
    void (*command)(Context&, CellSelection&);
};

const Unchanged kUnchanged[] = {
    {"DeleteBordersWithoutEmptyBorders",
     {".[.. .#..", ".... .#.."},
     {"#.", ".."},
     DeleteEmptyBorders},
    {"ConvertToMasterOnAWall", {".[.. .#..", ".... .#.."}, {".#", ".."}, ConvertToMaster},
    {"ConvertToNonmasterOnANormalBlock",
     {".[.. .#..", ".... .#.."},
     {"#.", ".."},
     ConvertToNonmaster},
    {"ConvertToTireOnAWall", {".[.. .#..", ".... .#.."}, {".#", ".."}, ConvertToTire},
};

class NothingChanged : public ::testing::TestWithParam<Unchanged> {};

TEST_P(NothingChanged, KeepsTheSelectionAndTheHistory) {
    const Unchanged& t = GetParam();
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, t.board), "");
    ASSERT_TRUE(Drag(ctx, 0, 0, 1, 0));
    Select(ctx, t.selection);
    const RowSet selection = ctx.selected.cells;
    const std::string before = Stored(ctx.CurrentLevel());
    t.command(ctx, ctx.selected);
    EXPECT_EQ(Stored(ctx.CurrentLevel()), before);
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 1);
    EXPECT_EQ(ctx.selected.cells, selection);
}

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const Unchanged& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Editor, NothingChanged, ::testing::ValuesIn(kUnchanged),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(NothingChanged, AddingBordersToAFullSizeLevelKeepsTheSelection) {
    EditorContext ctx;
    Level& level = ctx.CurrentLevel();
    level.Initialise("big", 64, 64);
    level.blockLayer.Set(0, 0, '[');
    level.idLayer.Set(0, 0, 2);
    ShowCurrentLevel(ctx);
    ASSERT_TRUE(Drag(ctx, 0, 0, 0, 1));
    ctx.selected.cells.Set(3, 3);
    AddEmptyBorders(ctx, ctx.selected);
    EXPECT_TRUE(ctx.selected.cells.Test(3, 3));
    EXPECT_EQ(level.stepCount, 1);
}

TEST(NothingChanged, AConversionThatChangesOneCellIsAChange) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[aa .[aa", ".... ....", ".... .#.."}), "");
    ASSERT_TRUE(Drag(ctx, 0, 0, 1, 0));
    Select(ctx, {"#.", "#.", ".."});
    ConvertToMaster(ctx, ctx.selected);
    EXPECT_EQ(Stored(ctx.CurrentLevel()), "@@\n..\n.#\n");
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 0);
    EXPECT_TRUE(ctx.selected.cells.IsEmpty(kMaxRows - 1));
    EXPECT_TRUE(ctx.selected.saved.Test(1, 0));
}

// Three blocks in one row, two of them two cells wide: a b b c over an empty row.
const std::vector<std::string> kRowOfBlocks = {".[aa .[bb .[bb .[cc", ".... .... .... ...."};

TEST(IdentifiersTravel, WithTheirCellsInTurnsAndFlips) {
    struct Case {
        const char* name;
        std::vector<std::string> selection;
        bool (*transform)(Context&, CellSelection&);
        // Where the identifiers of row 0 stand afterwards, as (row, column) of the old place.
        std::vector<std::pair<int, int>> from;
    };
    for (const Case& t : {
             Case{"HalfTurn", {"####", "####"}, Rotate180, {}},
             Case{
                 "HalfTurnOfTheRow", {"####", "...."}, Rotate180, {{0, 3}, {0, 2}, {0, 1}, {0, 0}}},
             Case{"Vertical", {"####", "####"}, ReverseVertically, {}},
             Case{"Horizontal",
                  {"####", "...."},
                  ReverseHorizontally,
                  {{0, 3}, {0, 2}, {0, 1}, {0, 0}}},
         }) {
        EditorContext ctx;
        ASSERT_EQ(LoadBoard(ctx, kRowOfBlocks), "");
        const std::vector<int> before = IdsOfRow(ctx.CurrentLevel(), 0);
        Select(ctx, t.selection);
        ASSERT_TRUE(t.transform(ctx, ctx.selected)) << t.name;
        const Level& level = ctx.CurrentLevel();
        if (t.from.empty()) {
            // The whole level: row 0 went to row 1 (reversed for the half turn).
            std::vector<int> expected = before;
            if (t.transform == Rotate180) expected.assign(before.rbegin(), before.rend());
            EXPECT_EQ(IdsOfRow(level, 1), expected) << t.name;
            EXPECT_EQ(IdsOfRow(level, 0), (std::vector<int>{0, 0, 0, 0})) << t.name;
        } else {
            std::vector<int> expected;
            for (const auto& [r, c] : t.from) expected.push_back(before[static_cast<size_t>(c)]);
            EXPECT_EQ(IdsOfRow(level, 0), expected) << t.name;
        }
        // The cells of one block still share one identifier, the others differ.
        EXPECT_NE(before[0], before[1]);
        EXPECT_EQ(before[1], before[2]);
    }
}

TEST(IdentifiersTravel, WhenEmptyBordersAreDeleted) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".... .... .... ....", ".... .[aa .[aa ....", ".... .[bb .... ....",
                              ".... .... .... ...."}),
              "");
    const Level& level = ctx.CurrentLevel();
    const int a = level.IdAt(1, 1), b = level.IdAt(2, 1);
    ASSERT_NE(a, b);
    DeleteEmptyBorders(ctx, ctx.selected);
    ASSERT_EQ(level.rows, 2);
    ASSERT_EQ(level.columns, 2);
    EXPECT_EQ(IdsOfRow(level, 0), (std::vector<int>{a, a}));
    EXPECT_EQ(IdsOfRow(level, 1), (std::vector<int>{b, 0}));
    // The board built from the level holds the two blocks as before.
    EXPECT_EQ(ctx.board.BlockIndexAt(0, 0), ctx.board.BlockIndexAt(0, 1));
    EXPECT_NE(ctx.board.BlockIndexAt(0, 0), ctx.board.BlockIndexAt(1, 0));
}

TEST(SelectionPastTheLevel, OnlyCellsInsideChange) {
    struct Case {
        const char* name;
        void (*command)(Context&, CellSelection&);
        const char* stored;
    };
    for (const Case& t :
         {Case{"Mark", [](Context&c, CellSelection&s) { SetMark(c, s, '+'); }, "+[.\n...\n"},
          Case{"Kind", [](Context&c, CellSelection&s) { SetBlockKind(c, s, '#'); }, "#[.\n...\n"},
          Case{"Erase", EraseBlocksAndMarks, ".[.\n...\n"},
          Case{
              "Insert",
              [](Context&c, CellSelection&s) { ShiftCells(c, s, CellShift::kInsertExpandingRows); },
              "..[\n...\n"},
          Case{"HalfTurn", [](Context&c, CellSelection&s) { Rotate180(c, s); }, ".[.\n...\n"},
          Case{"Invert", InvertTheSelection, ".[.\n...\n"}}) {
        EditorContext ctx;
        ASSERT_EQ(LoadBoard(ctx, {".... .[aa ....", ".... .... ...."}), "");
        // (0, 0) inside; (0, 5), (4, 0) and (63, 63) outside the 2 by 3 level.
        Select(ctx, {"#....#", "......", "......", "......", "#....."});
        ctx.selected.cells.Set(63, 63);
        t.command(ctx, ctx.selected);
        const Level& level = ctx.CurrentLevel();
        EXPECT_EQ(level.rows, 2) << t.name;
        EXPECT_EQ(level.columns, 3) << t.name;
        if (t.command != InvertTheSelection) {
            EXPECT_EQ(Stored(level), t.stored) << t.name;
            EXPECT_TRUE(ctx.selected.saved.Test(0, 0)) << t.name;
        } else {
            // Inverting within the level: every inside cell but (0, 0), nothing outside.
            EXPECT_FALSE(ctx.selected.cells.Test(0, 0));
            EXPECT_TRUE(ctx.selected.cells.Test(1, 2));
            EXPECT_FALSE(ctx.selected.cells.Test(0, 5));
            EXPECT_FALSE(ctx.selected.cells.Test(63, 63));
        }
        EXPECT_FALSE(ctx.selected.saved.Test(0, 5)) << t.name;
        EXPECT_FALSE(ctx.selected.saved.Test(63, 63)) << t.name;
        // Nothing was written past the level.
        EXPECT_EQ(level.MarkAt(0, 5), '.') << t.name;
        EXPECT_EQ(level.BlockAt(4, 0), '.') << t.name;
        EXPECT_EQ(level.BlockAt(63, 63), '.') << t.name;
    }
}

TEST(ReadFirstLevel, TakesTheFirstLevelWithItsMovesAtTheStart) {
    EditorContext ctx;
    // Two levels; the first has one move to the right.
    const std::vector<std::string> lines = SplitLines("\"One\"\r\n"
                                                      "............\r\n"
                                                      ".....[aa....\r\n"
                                                      "........+...\r\n"
                                                      " 1)  1,  1:  >\r\n"
                                                      "\"Two\"\r\n"
                                                      ".#......\r\n");
    ctx.CurrentLevel().Initialise("edited", 6, 6);
    const std::string error = ReadFirstLevel(ctx, ctx.selected, lines);
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(level.title, "One");
    EXPECT_EQ(error, "");
    EXPECT_EQ(level.rows, 3);
    EXPECT_EQ(level.columns, 3);
    EXPECT_EQ(Stored(level), "...\n.[.\n..+\n");
    EXPECT_EQ(level.stepCount, 1);
    EXPECT_EQ(level.currentStep, 0);
    EXPECT_EQ(ctx.board.BlockIndexAt(1, 1), ctx.board.BlockIndexAt(1, 1));
    EXPECT_NE(ctx.board.BlockIndexAt(1, 1), 0);
    EXPECT_EQ(ctx.collection.levels.size(), 1u);
}

TEST(ReadFirstLevel, AFailedReadLeavesAnEmptyFourByFour) {
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{}, std::vector<std::string>{"\"Bad\"", ".\x01.."}}) {
        EditorContext ctx;
        ASSERT_EQ(LoadBoard(ctx, {".[.. ...."}), "");
        EXPECT_NE(ReadFirstLevel(ctx, ctx.selected, lines), "");
        const Level& level = ctx.CurrentLevel();
        EXPECT_EQ(level.rows, 4);
        EXPECT_EQ(level.columns, 4);
        EXPECT_EQ(Stored(level), "....\n....\n....\n....\n");
        EXPECT_EQ(ctx.board.rows, 4);
    }
}

} // namespace
} // namespace vorpel
