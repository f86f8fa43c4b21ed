// Placing kinds and marks on the editor's selection: identifiers, joining, conversions.
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

struct KindCase {
    const char* name;
    const char* selection; // of row 0
    Byte kind;
    const char* stored; // row 0 afterwards
    std::vector<int> ids;
};

// Row 0 holds a two-cell block (identifier 2) and two single ones (3 and 4).
const KindCase kKinds[] = {
    {"WholeBlockKeepsItsIdentifier", "##..", '{', "{{][", {2, 2, 3, 4}},
    {"PartOfABlockGetsAFreshOne", "#...", '[', "[[][", {5, 2, 3, 4}},
    {"TwoBlocksGetAFreshOne", ".##.", '[', "[[[[", {2, 5, 5, 4}},
    {"KindWithoutIdentifier", "##..", '#', "##][", {0, 0, 3, 4}},
};

class SetKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(SetKind, ChoosesTheIdentifier) {
    const KindCase& t = GetParam();
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[aa .[aa .].. .[..", ".... .... .... ...."}), "");
    Select(ctx, {t.selection});
    SetBlockKind(ctx, ctx.selected, t.kind);
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(Stored(level).substr(0, 4), t.stored);
    EXPECT_EQ(IdsOfRow(level, 0), t.ids);
}

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Editor, SetKind, ::testing::ValuesIn(kKinds),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(SetKind, KeepsTheIdentifierOfAWholeAlphanumericBlock) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[\xFF"
                              "A .[\xFF"
                              "A ....",
                              ".... .... ...."}),
              "");
    Select(ctx, {"##."});
    SetBlockKind(ctx, ctx.selected, '$');
    EXPECT_EQ(IdsOfRow(ctx.CurrentLevel(), 0), (std::vector<int>{-1, -1, 0}));
}

TEST(SetKind, JoinsNeighbouringBarriersOnlyWhenAsked) {
    for (bool join : {true, false}) {
        EditorContext ctx;
        ctx.options.joinBarriers = join;
        // The normal block shares the weak barrier's label, yet is another block.
        ASSERT_EQ(LoadBoard(ctx, {".*aa .... .!bb .[bb", ".... .... .... ...."}), "");
        Select(ctx, {".#.."});
        SetBlockKind(ctx, ctx.selected, '*');
        const Level& level = ctx.CurrentLevel();
        EXPECT_EQ(Stored(level).substr(0, 4), "**![");
        EXPECT_EQ(IdsOfRow(level, 0),
                  (join ? std::vector<int>{4, 4, 4, 3} : std::vector<int>{2, 4, 3, 3}));
        EXPECT_EQ(ctx.board.BlockIndexAt(0, 0) == ctx.board.BlockIndexAt(0, 2), join);
    }
}

TEST(SetKind, JoinedMagnetsTurnMasterWhenOneIs) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".{aa .... .?bb", ".}cc .... .zdd"}), "");
    Select(ctx, {".#.", "..."});
    SetBlockKind(ctx, ctx.selected, '{');
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(Stored(level), "???\n}.z\n");
    EXPECT_EQ(IdsOfRow(level, 0), (std::vector<int>{6, 6, 6}));
    EXPECT_EQ(IdsOfRow(level, 1), (std::vector<int>{4, 0, 5}));

    Select(ctx, {"...", ".#."});
    SetBlockKind(ctx, ctx.selected, '}');
    EXPECT_EQ(Stored(level), "???\nzzz\n");
    EXPECT_EQ(IdsOfRow(level, 1), (std::vector<int>{2, 2, 2}));

    ctx.options.joinMagnets = false;
    ASSERT_EQ(LoadBoard(ctx, {".{aa .... .?bb", ".... .... ...."}), "");
    Select(ctx, {".#.", "..."});
    SetBlockKind(ctx, ctx.selected, '{');
    EXPECT_EQ(Stored(level), "{{?\n...\n");
    EXPECT_EQ(IdsOfRow(level, 0), (std::vector<int>{2, 4, 3}));
}

TEST(Convert, MasterAndBackConvertsWholeBlocksOfTheSelectedKind) {
    EditorContext ctx;
    // The magic block shares the normal block's label, yet is another block.
    ASSERT_EQ(LoadBoard(ctx, {".[aa .[aa .xaa .]aa .$bb", ".... .... .... .... ...."}), "");
    Select(ctx, {"#...."});
    ConvertToMaster(ctx, ctx.selected);
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(Stored(level).substr(0, 5), "@@X]$");
    Select(ctx, {"...##"});
    ConvertToMaster(ctx, ctx.selected);
    EXPECT_EQ(Stored(level).substr(0, 5), "@@X@Y");
    Select(ctx, {"..#.#"});
    ConvertToNonmaster(ctx, ctx.selected);
    EXPECT_EQ(Stored(level).substr(0, 5), "[[x[$"); // the former magic block is one of them now
}

TEST(Convert, TireTouchesOnlySelectedNormalAndMasterCells) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".@aa .@aa .[.. .{..", ".... .... .... ...."}), "");
    Select(ctx, {"#.##"});
    ConvertToTire(ctx, ctx.selected);
    EXPECT_EQ(Stored(ctx.CurrentLevel()).substr(0, 4), "X@x{");
}

struct AlphanumericCase {
    const char* name;
    const char* row; // row 0 of the board
    const char* selection;
    Byte character;
    const char* stored;
    int id;
};

const AlphanumericCase kAlphanumerics[] = {
    {"OneFamilyKeepsItsKinds", ".[aa .xaa .... ", "##.", 'A', "[x.", -1},
    {"MixedIsForcedToTheLastKindThatPassed", ".[.. .x.. .{.. ", "###", 'B', "xxx", -2},
    {"EmptyFirstIsForcedToNormal", ".... .[.. .... ", "##.", 'C', "[[.", -3},
    {"BarrierIsForcedToNormal", ".*.. .... .... ", "#..", 'a', "[..", -28},
    {"OutsideTheTableTakesTheSmallestFreeOne", ".$.. .... .[.. ", "#..", ' ', "$.[", 1},
};

class Alphanumeric : public ::testing::TestWithParam<AlphanumericCase> {};

TEST_P(Alphanumeric, GivesTheSelectionOneCharacter) {
    const AlphanumericCase& t = GetParam();
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {t.row, ".... .... ...."}), "");
    Select(ctx, {t.selection});
    ConvertToAlphanumeric(ctx, ctx.selected, t.character);
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(Stored(level).substr(0, 3), t.stored);
    EXPECT_EQ(level.IdAt(0, 0), t.id);
}

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const AlphanumericCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Editor, Alphanumeric, ::testing::ValuesIn(kAlphanumerics),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Edit, MarksAndErasingEmptyTheHistoryAndSaveTheSelection) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[.. +... ....", ".... .... ...."}), "");
    ASSERT_TRUE(Drag(ctx, 0, 0, 1, 0));
    const Level& level = ctx.CurrentLevel();
    SetMark(ctx, ctx.selected, '+'); // nothing selected: nothing changes
    EXPECT_EQ(level.stepCount, 1);

    Select(ctx, {"##.", "..#"});
    SetMark(ctx, ctx.selected, ' ');
    EXPECT_EQ(Stored(level), "[..\n...\n");
    EXPECT_EQ(level.stepCount, 0);
    EXPECT_TRUE(ctx.selected.cells.IsEmpty(63));
    EXPECT_TRUE(ctx.selected.saved.Test(1, 2));

    Select(ctx, {"#.#", "..."});
    SetMark(ctx, ctx.selected, '^');
    EraseBlocksAndMarks(ctx, ctx.selected);
    EXPECT_EQ(Stored(level), "[.^\n...\n"); // the selection was cleared by the mark
    RestoreSelection(ctx.selected);
    EraseBlocksAndMarks(ctx, ctx.selected);
    EXPECT_EQ(Stored(level), "...\n...\n");
    EXPECT_EQ(level.IdAt(0, 0), 0);
}

TEST(Selection, NothingAndInvertSaveANonEmptySelection) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".... ....", ".... ...."}), "");
    Select(ctx, {"#.", ".."});
    InvertTheSelection(ctx, ctx.selected);
    EXPECT_EQ(ctx.selected.cells.Dump(2, 2), ".#\n##\n");
    EXPECT_EQ(ctx.selected.saved.Dump(2, 2), "#.\n..\n");
    SelectNothing(ctx, ctx.selected);
    SelectNothing(ctx, ctx.selected); // an empty selection is not saved
    EXPECT_EQ(ctx.selected.saved.Dump(2, 2), ".#\n##\n");
    RestoreSelection(ctx.selected);
    EXPECT_EQ(ctx.selected.cells.Dump(2, 2), ".#\n##\n");
}

} // namespace
} // namespace vorpel
