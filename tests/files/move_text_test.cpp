// Tests of moves as text: writing move lines, reading them, and applying single move texts.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "TextFixtures.h"
#include "files/MoveText.h"

namespace vorpel {
namespace {

// Blocks A at (1,1) and B at (1,4), a two-cell block C at (2,2)-(3,2), a weak barrier at (2,4),
// a box at (3,1) and a strong barrier at (3,3), inside a frame.
const std::vector<std::string> kBoard = {
    ".#.. .#.. .#.. .#.. .#.. .#.. .#..", ".#.. .[.. .... .... .[.. .... .#..",
    ".#.. .... .[cd .... .!.. .... .#..", ".#.. .v.. .[cd .*.. .... .... .#..",
    ".#.. .#.. .#.. .#.. .#.. .#.. .#..",
};

struct Fixture {
    Context ctx;
    Fixture() { text_test::LoadPlayBoard(ctx, kBoard); }
    // The title and board lines followed by `moves`.
    std::vector<std::string> Lines(const std::vector<std::string>& moves) const {
        std::vector<std::string> lines{"\"Test\""};
        for (const std::string& row : kBoard) lines.push_back(text_test::Groups(row));
        lines.insert(lines.end(), moves.begin(), moves.end());
        return lines;
    }
    // Reads `moves` as the move lines after the board; returns the error text.
    std::string Read(const std::vector<std::string>& moves, std::size_t* end = nullptr) {
        const std::vector<std::string> lines = Lines(moves);
        std::size_t index = 1 + kBoard.size();
        std::string error = ReadMoveLines(ctx, lines, index);
        if (end) *end = index;
        return error;
    }
    std::pair<int, int> AnchorAt(int row, int column) const {
        const Block& b = ctx.board.blocks[ctx.board.BlockIndexAt(row, column)];
        return {b.anchorRow, b.anchorColumn};
    }
    int Steps() const { return ctx.CurrentLevel().stepCount; }
};

TEST(WriteMoveLines, OneLinePerMoveWithAlignedNumbers) {
    Level level;
    auto add = [&](int move, int row, int column, int rowDelta, int columnDelta) {
        test::AppendStep(level.steps, move, row, column, rowDelta, columnDelta);
    };
    add(1, 4, 10, 0, 1);
    add(1, 4, 10, 0, 1);
    add(1, 4, 10, 1, 0);
    add(1, 2, 3, 0, 0); // an elimination stands on a line of its own
    add(2, 2, 3, 0, -1);
    for (int m = 3; m <= 12; ++m) add(m, 5, 7, -1, 0);
    add(13, 9, 9, 0, 1); // beyond the valid records
    level.stepCount = static_cast<std::int32_t>(level.steps.size()) - 1;

    std::string out = "head";
    WriteMoveLines(level, out);
    const std::vector<std::string> lines = SplitLines(out);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "head  1)  4, 10:  >>v");
    EXPECT_EQ(lines[1], "  1)  2,  3:  x");
    EXPECT_EQ(lines[2], "  2)  2,  3:  <");
    EXPECT_EQ(lines[12], " 12)  5,  7:  ^");
    EXPECT_EQ(out.substr(out.size() - 2), "\r\n");

    std::string none;
    WriteMoveLines(Level{}, none);
    EXPECT_EQ(none, "");
}

TEST(ReadMoveLines, ReadsEveryFormOfAMove) {
    const std::vector<std::vector<std::string>> cases = {
        {" 1)  1,  1:  >>"},       {"1,1:>>"},
        {"1)1,1,7,9:>>"},          {"   1)  1,  1,  1,  3: >>"},
        {" 1)  1,  1:  >", "  >"}, {"", " 1)  1,  1:", "", "  >>"},
    };
    for (const auto& moves : cases) {
        Fixture f;
        std::size_t end = 0;
        ASSERT_EQ(f.Read(moves, &end), "") << ::testing::PrintToString(moves);
        EXPECT_EQ(end, f.Lines(moves).size());
        EXPECT_EQ(f.AnchorAt(1, 3), std::make_pair(1, 3));
        EXPECT_EQ(f.Steps(), 2);
        EXPECT_EQ(TotalMoves(f.ctx.CurrentLevel()), 1);
    }
}

TEST(ReadMoveLines, SeveralMovesEliminationsAndCellsOtherThanTheAnchor) {
    Fixture f;
    ASSERT_EQ(f.Read({" 1)1,1:>>2)2,4:x 3)3,2:^", "4)1,4:v"}), "");
    EXPECT_EQ(f.AnchorAt(1, 3), std::make_pair(1, 3));
    EXPECT_EQ(f.AnchorAt(2, 2), std::make_pair(1, 2)); // C, taken by its lower cell
    EXPECT_EQ(f.AnchorAt(2, 4), std::make_pair(2, 4)); // B went into the barrier's place
    EXPECT_EQ(f.Steps(), 5);

    // ":" takes hold of the block and the cell it is held by.
    Fixture g;
    ASSERT_EQ(g.Read({"1)3,2:"}), "");
    EXPECT_EQ(g.ctx.board.selectedBlock, g.ctx.board.BlockIndexAt(2, 2));
    EXPECT_EQ(g.ctx.board.selectedRow, 3);
    EXPECT_EQ(g.ctx.board.selectedColumn, 2);
}

TEST(ReadMoveLines, ReportsTheFirstErrorWithItsPlace) {
    const struct {
        std::string line, message;
    } cases[] = {
        {"1):", "Invalid text at line 7, column 3."},
        {"1,1:>x", "Invalid text at line 7, column 6."},
        {"2,4:x>", "Invalid text at line 7, column 6."},
        {"1,1,2,3,4:>", "Invalid text at line 7, column 8."},
        {"9,1:>", "Invalid line number at line 7"},
        {"1)9,1:>", "Invalid line number at line 7"},
        {"1)1,9:>", "Invalid column number at line 7"},
        {"21474836)1,1:>", "Invalid move number at line 7"},
        {"99999999999999999999999)1,1:>", "Invalid move number at line 7"},
        {"1,2:>", "Block does not exist at line 7, column 4."},
        {"3,1:>", "Moving a box directly at line 7, column 4."},
        {"1,1:<", "Invalid step at line 7, column 5."},
        {"1,1:>>>", "Invalid step at line 7, column 7."},
        {"1,1:x", "Invalid step at line 7, column 5."},
        {"3,3:x", "Invalid step at line 7, column 5."},
        {"1,1:a", "Invalid character at line 7, column 5."},
        {"1;1", "Invalid character at line 7, column 2."},
    };
    for (const auto& t : cases) {
        Fixture f;
        EXPECT_EQ(f.Read({t.line}), t.message) << t.line;
    }
}

TEST(ReadMoveLines, StopsAtTheFirstErrorAndPassesOverTheRestOfTheMoves) {
    Fixture f;
    std::size_t end = 0;
    EXPECT_EQ(f.Read({" 1)  1,  1:  >", "", " 2)  1,  2:  x", " 3)  1,  4:  <", "\"Next\"", "...."},
                     &end),
              "Invalid step at line 9, column 14.");
    EXPECT_EQ(end, 1 + kBoard.size() + 4);
    EXPECT_EQ(f.Steps(), 1);
    EXPECT_EQ(f.AnchorAt(1, 2), std::make_pair(1, 2));
    EXPECT_EQ(f.AnchorAt(1, 4), std::make_pair(1, 4));
}

TEST(ApplyMoveText, CarriesOutOneMove) {
    const struct {
        std::string text;
        bool relative;
    } cases[] = {
        {"1,1:>>", false},
        {" 5) 1 , 1 , 1 , 3 : > >  ", false},
        {"-1,0:>>", true},
        {"7)-1,-0,-1,2:>>", true},
    };
    for (const auto& t : cases) {
        Fixture f;
        ASSERT_EQ(ApplyMoveText(f.ctx, t.text, t.relative, 2, 1), "") << t.text;
        EXPECT_EQ(f.AnchorAt(1, 3), std::make_pair(1, 3));
        EXPECT_EQ(f.Steps(), 2);
    }
    Fixture f;
    ASSERT_EQ(ApplyMoveText(f.ctx, "2,4: x ", false, 0, 0), "");
    EXPECT_EQ(f.ctx.board.BlockIndexAt(2, 4), 0);
    EXPECT_EQ(f.ctx.board.selectedBlock, 0);
}

TEST(ApplyMoveText, ReportsErrorsAndLetsGoOfTheBlock) {
    const struct {
        std::string text, message;
    } cases[] = {
        {"5)1,1:>>>", "Step 3 since this move start.\r\nImpossible step. "},
        {"1,1:x", "Step 0 since this move start.\r\nImpossible step. "},
        {"-1,0:>", "Invalid block line number."},
        {"5,1:>", "Invalid block line number."},
        {"1,7:>", "Invalid block column number."},
        {"1,2:>", "Invalid or not found block."},
        {"3,1:>", "A box cannot be moved directly."},
        {"2147483647,1:>", "Number too large.\r\nText column 10."},
        {"99999999999999999999,1:>", "Number too large.\r\nText column 10."},
        {"-1)1,1:>", "Invalid move text format.\r\nText column 3."},
        {"1-1,1:>", "Invalid move text format.\r\nText column 2."},
        {"1,--1:>", "Invalid move text format.\r\nText column 4."},
        {"1)2)1,1:>", "Invalid move text format.\r\nText column 4."},
        {"1,1)1,1:>", "Invalid move text format.\r\nText column 4."},
        {",1:>", "Invalid move text format.\r\nText column 1."},
        {"1:>", "Invalid move text format.\r\nText column 2."},
        {"1,1,2,3,4:>", "Invalid move text format.\r\nText column 8."},
        {"1,1:>1", "Invalid move text format.\r\nText column 6."},
        {"1,1:>x", "Invalid move text format.\r\nText column 6."},
        {"2,4:xx", "Invalid move text format.\r\nText column 6."},
        {"1,1:a", "Invalid move text format.\r\nText column 5."},
        {"1,1:", "Invalid move text format.\r\nText column 5."},
        {"1,1", "Invalid move text format.\r\nText column 4."},
        {"", "Invalid move text format.\r\nText column 1."},
    };
    for (const auto& t : cases) {
        Fixture f;
        EXPECT_EQ(ApplyMoveText(f.ctx, t.text, false, 0, 0),
                  "Error at move " + t.text + ".\r\n" + t.message);
        EXPECT_EQ(f.ctx.board.selectedBlock, 0) << t.text;
        EXPECT_EQ(f.ctx.board.selectedRow, -1) << t.text;
        EXPECT_EQ(f.ctx.board.selectedColumn, -1) << t.text;
    }
    // The steps before a refused one stay made.
    Fixture f;
    ApplyMoveText(f.ctx, "5)1,1:>>>", false, 0, 0);
    EXPECT_EQ(f.AnchorAt(1, 3), std::make_pair(1, 3));
    EXPECT_EQ(f.Steps(), 2);
}

} // namespace
} // namespace vorpel
