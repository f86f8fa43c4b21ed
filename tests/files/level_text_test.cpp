// Tests of the level text format: splitting, recognising, reading and writing levels.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <unistd.h>

#include "TextFixtures.h"
#include "files/MoveText.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "model/Movement.h"

namespace vorpel {
namespace {

using text_test::Groups;
using text_test::ReadLevel;

// Each cell of the level as its block character and a letter per identifier, in order of first
// appearance ("-" for identifier 0); rows separated by "/".
std::string Canonical(const Level& level) {
    std::map<int, char> names;
    std::string out;
    for (int r = 0; r < level.rows; ++r) {
        if (r) out += '/';
        for (int c = 0; c < level.columns; ++c) {
            out += static_cast<char>(level.BlockAt(r, c));
            const int id = level.IdAt(r, c);
            if (id == 0) {
                out += '-';
                continue;
            }
            const auto [it, added] = names.emplace(id, static_cast<char>('a' + names.size()));
            out += it->second;
        }
    }
    return out;
}

TEST(SplitLines, AcceptsEveryLineEnd) {
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\r\n\n", {"", "", ""}},
    };
    for (const auto& t : cases) EXPECT_EQ(SplitLines(t.text), t.lines) << t.text;
}

TEST(IsLevelText, DecidesByFirstAndSecondLine) {
    const struct {
        std::vector<std::string> lines;
        bool expected;
    } cases[] = {
        {{}, true},
        {{"A title"}, true},
        {{"\"Quoted\"", "anything at all"}, true},
        {{"Title", ".#..+[ab"}, true},
        {{"Title", "A[..\xA1#...[\xFF"
                   "A"},
         true}, // marks of quoted mode count
        {{".#..", ".#.."}, true},
        {{".#..", ".#."}, false}, // length not a multiple of 4
        {{"Title", ".#..+q.."}, false},
        {{"Title", "!#.."}, false},
        {{"Title", ""}, false},
    };
    for (const auto& t : cases)
        EXPECT_EQ(IsLevelText(t.lines), t.expected) << ::testing::PrintToString(t.lines);
}

TEST(ReadLevelText, TakesTitleWithoutEnclosingQuotes) {
    const struct {
        std::string line, title;
    } cases[] = {
        {"\"Hello\"", "Hello"},
        {"Hello", "Hello"},
        {"\"a\"b\"", "a\"b"},
        {"\"open", "\"open"},
        {"\"\"", "Level without title."},
        {"", "Level without title."},
    };
    for (const auto& t : cases) {
        Context ctx;
        EXPECT_EQ(ReadLevel(ctx, {t.line, "...."}), "");
        EXPECT_EQ(ctx.CurrentLevel().title, t.title) << t.line;
    }
    EXPECT_EQ(QuoteTitle("a\"b"), "\"a\"b\"");
}

TEST(ReadLevelText, ReadsCellsAndStopsAtFirstLineThatIsNoBoardLine) {
    Context ctx;
    const std::vector<std::string> lines{"\"T\"", "+...",           ".#",   ".[",
                                         ".[..+", " 1)  0,  0:  >", "\"U\""};
    std::size_t index = 0;
    ASSERT_EQ(ReadLevel(ctx, lines, index), "");
    EXPECT_EQ(index, 5u);
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(level.rows, 4);
    EXPECT_EQ(level.columns, 2);
    EXPECT_EQ(level.MarkAt(0, 0), '+');
    EXPECT_EQ(level.BlockAt(0, 0), '.');
    EXPECT_EQ(level.BlockAt(1, 0), '#');
    EXPECT_EQ(level.IdAt(1, 0), 0);
    EXPECT_EQ(level.IdAt(2, 0), 2); // identifier characters past the line's end count as ".."
    EXPECT_EQ(level.IdAt(3, 0), 3);
    // A group cut after its mark sets the mark only.
    EXPECT_EQ(level.MarkAt(3, 1), '+');
    EXPECT_EQ(level.BlockAt(3, 1), '.');
    // Cells a short line does not reach stay empty.
    EXPECT_EQ(level.MarkAt(1, 1), '.');
    EXPECT_EQ(level.BlockAt(0, 1), '.');

    for (const std::string& end : {std::string(""), std::string("\"Next\""), std::string(" 1)")}) {
        index = 0;
        ASSERT_EQ(ReadLevel(ctx, {"\"T\"", "....", end, "...."}, index), "");
        EXPECT_EQ(index, 2u) << end;
    }
}

TEST(ReadLevelText, GivesIdentifiersToLabelsFreshCellsAndLetters) {
    Context ctx;
    ASSERT_EQ(ReadLevel(ctx, {"\"T\"", Groups(".[ab .[.. .[.."),
                              Groups(".#xy .[ab .[\xFF"
                                     "A"),
                              Groups(".[\xFF"
                                     "A .[\xFF"
                                     "0 .[\xFF!")}),
              "");
    const Level& level = ctx.CurrentLevel();
    const int expected[3][3] = {{2, 3, 4}, {0, 2, -1}, {-1, -55, 5}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(level.IdAt(r, c), expected[r][c]) << r << "," << c;

    // Two cells of one label are one block; ".." cells are blocks of their own.
    BuildPlayBoard(ctx.collection, ctx.board);
    EXPECT_EQ(ctx.board.BlockIndexAt(0, 0), ctx.board.BlockIndexAt(1, 1));
    EXPECT_NE(ctx.board.BlockIndexAt(0, 1), ctx.board.BlockIndexAt(0, 2));
    EXPECT_EQ(ctx.board.BlockIndexAt(1, 2), ctx.board.BlockIndexAt(2, 0));
}

TEST(ReadLevelText, SizeIsAtLeastTwoByTwoAndAtMostSixtyFour) {
    Context ctx;
    ASSERT_EQ(ReadLevel(ctx, {"\"T\"", "+["}), "");
    EXPECT_EQ(ctx.CurrentLevel().rows, 2);
    EXPECT_EQ(ctx.CurrentLevel().columns, 2);
    ASSERT_EQ(ReadLevel(ctx, {"\"T\""}), "");
    EXPECT_EQ(ctx.CurrentLevel().rows, 2);

    // A 65th line is written over row 63, a 65th group over column 63.
    std::vector<std::string> lines{"\"Big\""};
    for (int r = 0; r < 64; ++r) lines.push_back(".[..");
    lines.push_back("+");
    std::string wide;
    for (int c = 0; c < 64; ++c) wide += "....";
    lines[1] = wide + "^#..";
    ASSERT_EQ(ReadLevel(ctx, lines), "");
    const Level& level = ctx.CurrentLevel();
    EXPECT_EQ(level.rows, 64);
    EXPECT_EQ(level.columns, 64);
    EXPECT_EQ(level.MarkAt(63, 0), '+');
    EXPECT_EQ(level.BlockAt(63, 0), '['); // the overwriting group has only a mark
    EXPECT_EQ(level.MarkAt(0, 63), '^');
    EXPECT_EQ(level.BlockAt(0, 63), '#');

    // Far more lines and groups than fit still read into a 64 by 64 level.
    std::string huge;
    for (int c = 0; c < 300; ++c) huge += ".[..";
    std::vector<std::string> many(2000, huge);
    many.insert(many.begin(), "\"Huge\"");
    ASSERT_EQ(ReadLevel(ctx, many), "");
    EXPECT_EQ(ctx.CurrentLevel().rows, 64);
    EXPECT_EQ(ctx.CurrentLevel().columns, 64);
    BuildPlayBoard(ctx.collection, ctx.board);
    EXPECT_LE(ctx.board.blockCount, 4097);
}

TEST(ReadLevelText, ReportsInvalidMarksAndBlocksWithTheirPlace) {
    const struct {
        std::vector<std::string> lines;
        std::string message;
    } cases[] = {
        {{"\"T\"", ".[..!#.."}, "Invalid mark \"!\" at line 2, column 5."},
        {{"\"T\"", ".[..+q.."}, "Invalid block \"q\" at line 2, column 6."},
        {{"\"T\"", "....", ".\xA0"}, "Invalid block \"\xA0\" at line 3, column 2."},
        {{"T", "....A[.."}, "Invalid mark \"A\" at line 2, column 5."},
        {{"T", "....\xA1[.."}, "Invalid mark \"\xA1\" at line 2, column 5."},
        {{"\"T\"", "....A[..\xA1\xA2..\xE7[..", "....a"}, ""},
    };
    for (const auto& t : cases) {
        Context ctx;
        EXPECT_EQ(ReadLevel(ctx, t.lines), t.message) << ::testing::PrintToString(t.lines);
    }
    // Line numbers count from the start of the whole text.
    Context ctx;
    std::size_t index = 2;
    ctx.collection.NewLevel("", 4, 4, false);
    EXPECT_EQ(ReadLevelText(ctx, {"\"A\"", "....", "\"B\"", ".q"}, index, true),
              "Invalid block \"q\" at line 4, column 2.");
}

TEST(ReadLevelText, JoinsTouchingMagnetsAndAntimagnets) {
    const struct {
        std::vector<std::string> board;
        std::string expected;
    } cases[] = {
        {{".{.. .{.."}, "{a{a/.-.-"},
        {{".{.. .?.."}, "?a?a/.-.-"},
        {{".?.. .{.."}, "?a?a/.-.-"},
        {{".}.. .z.."}, "zaza/.-.-"},
        {{".{.. .}.."}, "{a}b/.-.-"},
        {{".{ab .{cd"}, "{a{a/.-.-"},
        {{".{..", ".{.."}, "{a.-/{a.-"},
        {{".{..", ".?.."}, "?a.-/?a.-"},
        {{".?..", ".{.."}, "?a.-/?a.-"},
        {{".... .{..", ".?.. .{.."}, ".-?a/?a?a"},
        {{".{.. .{..", ".... .?.."}, "?a?a/.-?a"},
        {{".[.. .{..", ".{.. .[.."}, "[a{b/{c[d"},
    };
    for (const auto& t : cases) {
        Context ctx;
        std::vector<std::string> lines{"\"Magnets\""};
        for (const std::string& row : t.board) lines.push_back(Groups(row));
        ASSERT_EQ(ReadLevel(ctx, lines), "");
        EXPECT_EQ(Canonical(ctx.CurrentLevel()), t.expected) << ::testing::PrintToString(t.board);
    }
}

// The level of the format's example: a frame around a two-cell block and two destinations.
const char* const kExample = "\"Example\"\r\n"
                             ".#...#...#...#...#..\r\n"
                             ".#...[//.[//.....#..\r\n"
                             ".#......+...+....#..\r\n"
                             ".#...#...#...#...#..\r\n";

TEST(WriteLevelText, WritesTheExampleExactly) {
    Context ctx;
    ASSERT_EQ(ReadLevel(ctx, SplitLines(kExample)), "");
    EXPECT_EQ(LevelTextOf(ctx.CurrentLevel()), kExample);
}

TEST(WriteLevelText, TrimsEmptyCellsButKeepsTheWidth) {
    Context ctx;
    Level& level = ctx.CurrentLevel();
    level.Initialise("", 3, 4);
    level.blockLayer[CellIndex(1, 1)] = '[';
    level.idLayer[CellIndex(1, 1)] = 7;
    // No title is written as "no title"; a block of one cell as "..".
    const std::string text = LevelTextOf(level);
    EXPECT_EQ(text, "\"no title\"\r\n................\r\n.....[..\r\n....\r\n");
    ASSERT_EQ(ReadLevel(ctx, SplitLines(text)), "");
    EXPECT_EQ(ctx.CurrentLevel().columns, 4);
    EXPECT_EQ(ctx.CurrentLevel().rows, 3);

    // With the last column in use, every row is trimmed.
    ctx.CurrentLevel().blockLayer[CellIndex(2, 3)] = '#';
    EXPECT_EQ(LevelTextOf(ctx.CurrentLevel()),
              "\"no title\"\r\n....\r\n.....[..\r\n.............#..\r\n");
}

// A title read from a binary format may hold line breaks or a zero byte: they are written as
// blanks, so that the level reads back rather than vanishing with its title.
TEST(WriteLevelText, TitlesWithLineBreaksStillReadBack) {
    Context ctx;
    Level& level = ctx.CurrentLevel();
    level.Initialise(std::string("Play\r\"gr\n\0und", 13), 2, 2);
    EXPECT_FALSE(LevelTextLosses(level).empty());
    const std::string text = LevelTextOf(level);
    EXPECT_EQ(text.substr(0, 17), "\"Play \"gr  und\"\r\n");
    ASSERT_EQ(ReadLevel(ctx, SplitLines(text)), "");
    EXPECT_EQ(ctx.CurrentLevel().title, "Play \"gr  und");
}

TEST(WriteLevelText, NumbersLabelsOfMultiCellBlocks) {
    EXPECT_EQ(BlockLabel(0), "//");
    EXPECT_EQ(BlockLabel(1), "0/");
    EXPECT_EQ(BlockLabel(63), "\x6E\x2F");
    EXPECT_EQ(BlockLabel(64), "\x2F\x30");

    // 65 two-cell blocks with scattered identifiers, and an alphanumeric block.
    Context ctx;
    Level& level = ctx.CurrentLevel();
    level.Initialise("Labels", 4, 64);
    for (int k = 0; k < 65; ++k)
        for (int half = 0; half < 2; ++half) {
            const int cell = 2 * k + half;
            level.blockLayer[CellIndex(cell / 64, cell % 64)] = '[';
            level.idLayer[CellIndex(cell / 64, cell % 64)] = static_cast<std::int16_t>(900 - k);
        }
    level.blockLayer[CellIndex(3, 0)] = '@';
    level.idLayer[CellIndex(3, 0)] = -27;
    const std::vector<std::string> lines = SplitLines(LevelTextOf(level));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1].substr(0, 8), ".[//.[//");
    EXPECT_EQ(lines[2].substr(4 * 62, 8), ".[\x6E\x2F.[\x6E\x2F");
    EXPECT_EQ(lines[3].substr(0, 8), ".[\x2F\x30.[\x2F\x30");
    EXPECT_EQ(lines[4], ".@\xFF\xC7");

    Context back;
    ASSERT_EQ(ReadLevel(back, lines), "");
    EXPECT_EQ(Canonical(back.CurrentLevel()), Canonical(level));
    EXPECT_EQ(back.CurrentLevel().IdAt(3, 0), -27);
}

TEST(WriteLevelText, RoundTripsBoardAndMoves) {
    Context ctx;
    text_test::LoadPlayBoard(ctx,
                             {".#.. .#.. .#.. .#.. .#.. .#..", ".#.. .[ab .[ab .... .!.. .#..",
                              ".#.. .... .... .... .... .#..", ".#.. .#.. .#.. .#.. .#.. .#.."});
    auto drag = [&](int row, int column, int rowDelta, int columnDelta) {
        SelectBlock(ctx, column, row);
        return DragSelectedBlock(ctx, column + columnDelta, row + rowDelta, false);
    };
    ASSERT_TRUE(drag(1, 1, 1, 0));
    ASSERT_TRUE(drag(2, 1, 0, 1));
    EXPECT_TRUE(SelectBlock(ctx, 4, 1)); // the weak barrier goes
    ASSERT_TRUE(drag(2, 2, -1, 0));
    ASSERT_TRUE(drag(1, 2, 0, 1));
    const Level& level = ctx.CurrentLevel();
    ASSERT_EQ(level.stepCount, 5);

    const std::vector<std::string> lines = SplitLines(LevelTextOf(level));
    Context back;
    std::size_t index = 0;
    ASSERT_EQ(ReadLevel(back, lines, index), "");
    RebuildBoard(back);
    ASSERT_EQ(ReadMoveLines(back, lines, index), "");
    EXPECT_EQ(index, lines.size());
    const Level& copy = back.CurrentLevel();
    EXPECT_EQ(copy.title, "Test");
    EXPECT_EQ(Canonical(copy), Canonical(level));
    ASSERT_EQ(copy.stepCount, level.stepCount);
    for (int i = 0; i < level.stepCount; ++i) EXPECT_EQ(copy.steps[i], level.steps[i]) << i;
}

TEST(WriteLevelText, WritesToFileOrClipboardAndReportsFailures) {
    Context ctx;
    ASSERT_EQ(ReadLevel(ctx, SplitLines(kExample)), "");

    ASSERT_TRUE(WriteLevelText(ctx, LevelPlace::Clipboard()).Ok());
    EXPECT_EQ(ctx.silentPlatform.clipboard, kExample);

    const std::filesystem::path path = std::filesystem::path(testing::TempDir()) /
                                       ("level_text_" + std::to_string(::getpid()) + ".txt");
    ASSERT_TRUE(WriteLevelText(ctx, path.string()).Ok());
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(path.string(), bytes).message, "");
    EXPECT_EQ(bytes, kExample);

    ctx.CurrentLevel().title = "Changed";
    EXPECT_EQ(WriteLevelText(ctx, path.string(), WriteFaults{10, false}).message,
              "Error when writing the file.");
    ASSERT_EQ(ReadWholeFile(path.string(), bytes).message, "");
    EXPECT_EQ(bytes, kExample); // the old file stays whole
    std::filesystem::remove(path);

    const std::string longName(255, 'n');
    EXPECT_EQ(WriteLevelText(ctx, longName).message,
              "The following file will not be processed because it's full name has more than 254 "
              "characters:\r\n" +
                  longName);
}

} // namespace
} // namespace vorpel
