// The editor's transforms: rotations, reversals, inserting and deleting cells, borders.
#include <gtest/gtest.h>

#include "EditorFixtures.h"
#include "Fixtures.h"
#include "editor/EditorOps.h"
#include "model/Context.h"

namespace vorpel {
namespace {

using test::Drag;
using test::EditorContext;
using test::IdsOfRow;
using test::LoadBoard;
using test::Select;
using test::Stored;

// 3 rows by 5 columns: a normal block, a vertical pair, a horizontal pair and a destination.
const std::vector<std::string> kWide = {".[.. .... .... .... .|aa", ".... .... +... .... .|aa",
                                        ".-bb .-bb .... .... ...."};

TEST(Rotate90, TheWholeLevelSwapsItsSizeAndTurnsSliders) {
    struct Case {
        bool clockwise;
        bool selectAll;
        const char* stored;
    };
    for (const Case& t : {Case{true, false, "|.[\n|..\n.+.\n...\n.--\n"},
                          Case{true, true, "|.[\n|..\n.+.\n...\n.--\n"},
                          Case{false, false, "--.\n...\n.+.\n..|\n[.|\n"}}) {
        EditorContext ctx;
        ASSERT_EQ(LoadBoard(ctx, kWide), "");
        ASSERT_TRUE(Drag(ctx, 0, 0, 0, 1));
        if (t.selectAll) Select(ctx, {"#####", "#####", "#####"});
        ASSERT_TRUE(Rotate90(ctx, ctx.selected, t.clockwise));
        const Level& level = ctx.CurrentLevel();
        EXPECT_EQ(level.rows, 5);
        EXPECT_EQ(level.columns, 3);
        EXPECT_EQ(Stored(level), t.stored);
        EXPECT_EQ(level.stepCount, 0);
        EXPECT_EQ(ctx.board.rows, 5);
    }
}

TEST(Rotate90, ASymmetricSelectionTurnsInPlaceAndTurnsItsSlidersWhole) {
    EditorContext ctx;
    // The vertical pair lies in the selection; the horizontal block shares its label.
    ASSERT_EQ(LoadBoard(ctx, {".|aa .... .-aa", ".|aa .... ....", ".... .... ...."}), "");
    Select(ctx, {"##.", "##.", "..."});
    ASSERT_TRUE(Rotate90(ctx, ctx.selected, true));
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(Stored(level), "---\n...\n...\n");
    EXPECT_EQ(IdsOfRow(level, 0), (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(level.rows, 3);

    Select(ctx, {"##.", "##.", "..."});
    ASSERT_TRUE(Rotate90(ctx, ctx.selected, false));
    // The three cells are one horizontal block by now, and turn together.
    EXPECT_EQ(Stored(level), "|.|\n|..\n...\n");
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> selection;
    bool (*transform)(Context&, CellSelection&);
    std::vector<std::string> message;
};

const RefusalCase kRefusals[] = {
    {"LShapeHasNo90",
     {"#..", "##.", "..."},
     [](Context& ctx, CellSelection& s) { return Rotate90(ctx, s, true); },
     {"Command not executed.", "The selection has no 90\xB0 symmetry",
      "or not all cells are selected."}},
    {"RowWithAGapHasNo180",
     {"#.##", "....", "...."},
     Rotate180,
     {"Command not executed.", "The selection has no 180\xB0 symmetry."}},
    {"RowsDifferNoVertical",
     {"##..", "#...", "...."},
     ReverseVertically,
     {"Command not executed.", "The selection has no vertical symmetry."}},
    {"ColumnsDifferNoHorizontal",
     {"##..", "#...", "...."},
     ReverseHorizontally,
     {"Command not executed.", "The selection has no horizontal symmetry."}},
};

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, ShowsItsMessageAndChangesNothing) {
    const RefusalCase& t = GetParam();
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. .].. .{.. .$..", ".}.. .&.. .... ....", ".... .... .... .;.."}),
              "");
    ASSERT_TRUE(Drag(ctx, 1, 0, 1, 0));
    Select(ctx, t.selection);
    const RowSet selection = ctx.selected.cells;
    const std::string before = Stored(ctx.CurrentLevel());
    EXPECT_FALSE(t.transform(ctx, ctx.selected));
    ASSERT_EQ(ctx.silentPlatform.shown.size(), 1u);
    EXPECT_EQ(ctx.silentPlatform.shown[0], t.message);
    EXPECT_EQ(Stored(ctx.CurrentLevel()), before);
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 1);
    EXPECT_EQ(ctx.selected.cells, selection);
}

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Editor, Refusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& param) { return std::string(param.param.name); });

struct FlipCase {
    const char* name;
    std::vector<std::string> selection;
    bool (*transform)(Context&, CellSelection&);
    const char* stored;
};

// The board of each case: "[]{$" over "}&.;" over "....".
const FlipCase kFlips[] = {
    {"HalfTurnOfARowKeepsItsMiddle", {"###.", "....", "...."}, Rotate180, "{][$\n}&.;\n....\n"},
    {"HalfTurnOfABox", {"##..", "##..", "...."}, Rotate180, "&}{$\n][.;\n....\n"},
    {"VerticalReversal", {"#..#", "#..#", "...."}, ReverseVertically, "}]{;\n[&.$\n....\n"},
    {"HorizontalReversal", {"####", ".##.", "...."}, ReverseHorizontally, "${][\n}.&;\n....\n"},
};

class Flip : public ::testing::TestWithParam<FlipCase> {};

TEST_P(Flip, ExchangesMirroredCells) {
    const FlipCase& t = GetParam();
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. .].. .{.. .$..", ".}.. .&.. .... .;..", ".... .... .... ...."}),
              "");
    Select(ctx, t.selection);
    EXPECT_TRUE(t.transform(ctx, ctx.selected));
    EXPECT_EQ(Stored(ctx.CurrentLevel()), t.stored);
}

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const FlipCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Editor, Flip, ::testing::ValuesIn(kFlips),
                         [](const auto& param) { return std::string(param.param.name); });

struct ShiftCase {
    const char* name;
    std::vector<std::string> selection;
    CellShift shift;
    const char* stored;
};

// The board of each case: "[]{" over "}&$" over ";>v", every row full.
const ShiftCase kShifts[] = {
    {"InsertIntoAFullColumnDropsItsLastCell",
     {"...", ".#.", "..."},
     CellShift::kInsertExpandingColumns,
     "[]{\n}.$\n;&v\n"},
    {"InsertTwiceIntoAColumn",
     {".#.", ".#.", "..."},
     CellShift::kInsertExpandingColumns,
     "[.{\n}.$\n;]v\n"},
    {"InsertIntoARow", {"...", ".#.", "..."}, CellShift::kInsertExpandingRows, "[]{\n}.&\n;>v\n"},
    {"DeleteFromAColumn",
     {"...", ".#.", "..."},
     CellShift::kDeleteCompactingColumns,
     "[]{\n}>$\n;.v\n"},
    {"DeleteFromARow", {"...", ".#.", "..."}, CellShift::kDeleteCompactingRows, "[]{\n}$.\n;>v\n"},
    {"DeleteTwoFromARow",
     {"##.", "...", "..."},
     CellShift::kDeleteCompactingRows,
     "{..\n}&$\n;>v\n"},
};

class Shift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(Shift, MovesCellsWithinTheLevel) {
    const ShiftCase& t = GetParam();
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. .].. .{..", ".}.. +&.. .$..", ".;.. .>.. .v.."}), "");
    Select(ctx, t.selection);
    ShiftCells(ctx, ctx.selected, t.shift);
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(Stored(level), t.stored);
    EXPECT_EQ(level.rows, 3);
    EXPECT_EQ(level.columns, 3);
}

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const ShiftCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Editor, Shift, ::testing::ValuesIn(kShifts),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Shift, MarksAndIdentifiersMoveWithTheirCells) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".... .... ....", "+[aa .[aa ...."}), "");
    Select(ctx, {"#..", "..."});
    ShiftCells(ctx, ctx.selected, CellShift::kDeleteCompactingColumns);
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(level.MarkAt(0, 0), '+');
    EXPECT_EQ(level.BlockAt(0, 0), '[');
    EXPECT_EQ(level.IdAt(0, 0), level.IdAt(1, 1));
    EXPECT_EQ(Stored(level), "[..\n.[.\n");
}

TEST(Borders, DeletingStopsAtTwoByTwo) {
    struct Case {
        std::vector<std::string> board;
        const char* stored;
    };
    for (const Case& t :
         {Case{{".... ....", ".... ...."}, "..\n..\n"},
          Case{{".... .... ....", ".... .... ....", ".... .... ...."}, "..\n..\n"},
          Case{{".... .... .... ....", ".... .[.. .... ....", ".... .... +... ....",
                ".... .... .... ....", ".... .... .... ...."},
               "[.\n.+\n"},
          Case{{".... .... ....", ".... .... .#..", ".... .... ...."}, "..\n.#\n"}}) {
        EditorContext ctx;
        ASSERT_EQ(LoadBoard(ctx, t.board), "");
        DeleteEmptyBorders(ctx, ctx.selected);
        EXPECT_EQ(Stored(ctx.CurrentLevel()), t.stored);
    }
}

TEST(Borders, AnUnchangedSizeKeepsTheHistory) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. ....", ".... +..."}), "");
    ASSERT_TRUE(Drag(ctx, 0, 0, 0, 1));
    DeleteEmptyBorders(ctx, ctx.selected);
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 1);
    AddEmptyBorders(ctx, ctx.selected);
    EXPECT_EQ(ctx.CurrentLevel().stepCount, 0);
    EXPECT_EQ(Stored(ctx.CurrentLevel()), "....\n.[..\n..+.\n....\n");
}

TEST(Borders, AddingNeverPassesSixtyFour) {
    EditorContext ctx;
    Level& level = ctx.CurrentLevel();
    level.Initialise("big", 64, 63);
    level.blockLayer.Set(0, 0, '#');
    AddEmptyBorders(ctx, ctx.selected);
    EXPECT_EQ(level.rows, 64);
    EXPECT_EQ(level.columns, 64);
    EXPECT_EQ(level.BlockAt(0, 0), '#'); // one column added, on the right
    AddEmptyBorders(ctx, ctx.selected);
    EXPECT_EQ(level.columns, 64);

    level.Initialise("tall", 63, 5);
    level.blockLayer.Set(0, 0, '#');
    AddEmptyBorders(ctx, ctx.selected);
    EXPECT_EQ(level.rows, 64);
    EXPECT_EQ(level.columns, 7);
    EXPECT_EQ(level.BlockAt(0, 1), '#');
}

} // namespace
} // namespace vorpel
