// The editor's selection as level text: copying to the clipboard and pasting into the selection.
#include <gtest/gtest.h>

#include "EditorFixtures.h"
#include "Fixtures.h"
#include "editor/SelectionText.h"
#include "files/LevelText.h"

namespace vorpel {
namespace {

using test::EditorContext;
using test::IdsOfRow;
using test::LoadBoard;
using test::Select;
using test::Stored;

TEST(CopySelection, WritesTheBoundingRectangleWithLabelsOfTheSelectedBlocks) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[aa .[aa .].. +...", ".... .{bb .{bb .[\xFF"
                                                     "C"}),
              "");
    Select(ctx, {".#..", ".###"});
    EXPECT_EQ(SelectionText(ctx, ctx.selected), "\"test\"\r\n"
                                                ".[..........\r\n"
                                                ".{//.{//.[\xFF"
                                                "C\r\n");
    EXPECT_EQ(CopyToClipboard(ctx, ctx.selected), "");
    EXPECT_EQ(ctx.silentPlatform.clipboard, SelectionText(ctx, ctx.selected));
    EXPECT_FALSE(ctx.selected.cells.IsEmpty(63)); // the window saves and clears it

    Select(ctx, {});
    EXPECT_EQ(SelectionText(ctx, ctx.selected), "");
    EXPECT_EQ(CopyToClipboard(ctx, ctx.selected), "");
    EXPECT_EQ(ctx.silentPlatform.clipboard, LevelTextOf(ctx.CurrentLevel()));
}

TEST(PasteSelection, LaysCellsFromTheTopLeftAndRenumbersTheKeptBlocks) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[aa .[aa .... ....", ".... .... .... ....", ".... .... .$.. ....",
                              ".}.. .... .... ...."}),
              "");
    Level& level = ctx.CurrentLevel();
    level.idLayer.Set(0, 0, 9);
    level.idLayer.Set(0, 1, 9);
    level.idLayer.Set(2, 2, 7);
    Select(ctx, {"....", "###.", "###.", "...."});
    // Row 1 reaches past the selection; the mark alone leaves the eliminator; the third line
    // lies below the selection.
    EXPECT_EQ(
        PasteIntoSelection(ctx, ctx.selected, {"\"x\"", ".[ab.[ab.[...v..", ".]...#..+", ".v.."}),
        "");
    EXPECT_EQ(Stored(level), "[[..\n[[[.\n]#$.\n}...\n");
    EXPECT_EQ(level.MarkAt(2, 2), '+');
    EXPECT_EQ(IdsOfRow(level, 0), (std::vector<int>{2, 2, 0, 0}));
    EXPECT_EQ(IdsOfRow(level, 1), (std::vector<int>{5, 5, 6, 0}));
    EXPECT_EQ(IdsOfRow(level, 2), (std::vector<int>{7, 0, 3, 0}));
    EXPECT_EQ(IdsOfRow(level, 3), (std::vector<int>{4, 0, 0, 0}));
    EXPECT_TRUE(ctx.selected.cells.IsEmpty(63));
}

TEST(PasteSelection, AnInvalidCharacterChangesNothing) {
    for (const auto& [line, message] :
         {std::pair{".[..&[..", "Invalid mark \"&\" at line 2, column 5."},
          std::pair{".[...Q..", "Invalid block \"Q\" at line 2, column 6."}}) {
        EditorContext ctx;
        ASSERT_EQ(LoadBoard(ctx, {".... ....", ".... ...."}), "");
        Select(ctx, {"##", "##"});
        EXPECT_EQ(PasteIntoSelection(ctx, ctx.selected, {"\"x\"", line}), message);
        EXPECT_EQ(Stored(ctx.CurrentLevel()), "..\n..\n");
        EXPECT_FALSE(ctx.selected.cells.IsEmpty(63));
    }
}

TEST(PasteSelection, ACopiedBlockComesBackAsANewBlock) {
    EditorContext ctx;
    ASSERT_EQ(LoadBoard(ctx, {".[aa .[aa .... ....", ".... .... .... ...."}), "");
    Select(ctx, {"##..", "...."});
    ASSERT_EQ(CopyToClipboard(ctx, ctx.selected), "");
    Select(ctx, {"....", "..##"});
    EXPECT_EQ(PasteClipboardIntoSelection(ctx, ctx.selected), "");
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(Stored(level), "[[..\n..[[\n");
    EXPECT_EQ(IdsOfRow(level, 1), (std::vector<int>{0, 0, 3, 3}));
    EXPECT_EQ(ctx.board.blockCount, 3);
}

} // namespace
} // namespace vorpel
