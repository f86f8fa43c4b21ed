// SOK texts: the reader's level text lines, titles and solutions, the writer's bytes, and the
// Sokoban collections of the shared corpus.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string_view>
#include <unistd.h>

#include "Fixtures.h"
#include "TextFixtures.h"
#include "files/LevelText.h"
#include "files/MoveText.h"
#include "files/SokFormat.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

using text_test::SetBoard;

struct Reading {
    std::vector<std::string> lines;
    std::vector<std::string> madeFrom; // bases given to the title maker
    std::string error;
};

Reading Read(const std::string& source, std::string_view text) {
    Reading r;
    int counter = 0;
    r.error = ReadSokText(source, SplitLines(text), r.lines, [&](const std::string& base) {
        r.madeFrom.push_back(base);
        return base + " " + std::to_string(++counter);
    });
    return r;
}

void AddStep(Level& level, int rowDelta, int columnDelta) {
    StepRecord step;
    step.rowDelta = static_cast<std::int8_t>(rowDelta);
    step.columnDelta = static_cast<std::int8_t>(columnDelta);
    level.steps.push_back(step);
    level.stepCount = static_cast<std::int32_t>(level.steps.size());
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("vorpel-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

// A level read back from level text lines, its move lines carried out.
struct Loaded {
    Level level;
    std::string error;
    bool solved = false;
};

// Reads every level of level text lines as the loader does, each with its move lines.
std::vector<Loaded> LoadLines(const std::vector<std::string>& lines) {
    std::vector<Loaded> levels;
    Context ctx;
    std::size_t index = 0;
    while (index + 1 < lines.size()) {
        ctx.collection.NewLevel("", 4, 4, false);
        Loaded loaded;
        loaded.error = ReadLevelText(ctx, lines, index, true);
        if (!loaded.error.empty()) break;
        RebuildBoard(ctx);
        if (index < lines.size() && lines[index][0] == ' ')
            loaded.error = ReadMoveLines(ctx, lines, index);
        loaded.solved = IsSolved(ctx);
        loaded.level = ctx.CurrentLevel();
        levels.push_back(std::move(loaded));
    }
    return levels;
}

TEST(SokRead, BoardCharactersBecomeCellGroups) {
    const Reading r = Read("a.sok", "T\n\n#%$b*B.Oo@ -_x\n");
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[0], "\"T\"");
    EXPECT_EQ(r.lines[1], ".#...#...V...V..+V..+V..+...+...+....[..................");
    EXPECT_EQ(r.lines[2], " 1) 0, 9: ");
}

TEST(SokRead, EveryPlayerCharacterStartsTheMoveLine) {
    struct Case {
        char player;
        const char* group;
    };
    for (const Case& c : {Case{'@', ".[.."}, Case{'p', ".[.."}, Case{'r', ".[.."},
                          Case{'+', "+[.."}, Case{'P', "+[.."}, Case{'R', "+[.."}}) {
        const Reading r = Read("a.sok", std::string("T\n\n####\n# ") + c.player + "#\n");
        ASSERT_EQ(r.lines.size(), 4u) << c.player;
        EXPECT_EQ(r.lines[2], std::string(".#......") + c.group + ".#..") << c.player;
        EXPECT_EQ(r.lines[3], " 1) 1, 2: ") << c.player;
    }
}

TEST(SokRead, TitleRulesOfEachLayoutMode) {
    struct Case {
        const char* source;
        const char* text;
        const char* title;
    };
    const Case cases[] = {
        {"a.xsb", "Title: A\n#@#\n", "A"},
        {"a.sok", "Notes\n\nTitle: A\n#@#\n", "Title: A"},
        {"a.sok", "Notes\nTitle: \t A \n#@#\n", "A"},
        {"a.sok", "Level 7\nmore notes\n#@#\n", "a.sok 1"},
        {"a.xsb", "Level 7\n#@#\n", "Level 7"},
        {"a.xsb", "#@#\nTitle: B\n", "B"},
        {"a.xsb", "#@#\n", "a.xsb 1"},
        {"a.txt", "::\nLevel 7\n#@#\n", "Level 7"},
        {"a.txt", "::\n#@#\n", "a.txt 1"},
        {"Clipboard", "Level 7\n\n#@#\n", "Clipboard 1"},
        {"a.STB", "Comment:\nTitle: C\nComment-End:\n#@#\n", "C"},
        {"a.XSB", "#@#\nComment:\nTitle: B\nComment-End:\n", "a.XSB 1"},
    };
    for (const Case& c : cases) {
        const Reading r = Read(c.source, c.text);
        ASSERT_EQ(r.error, "") << c.text;
        ASSERT_FALSE(r.lines.empty()) << c.text;
        EXPECT_EQ(r.lines[0], std::string("\"") + c.title + "\"") << c.source << ": " << c.text;
    }
}

TEST(SokRead, SolutionLines) {
    struct Case {
        const char* tail; // after a board whose player stands at row 0, column 1
        const char* moves;
        const char* error;
    };
    const Case cases[] = {
        {"\nSolution\n3R2ul\n", ">>>^^<", ""},
        {"RR\n", ">>", ""},
        {"\nRR\n", "", ""},
        {"\nSolution\nlLrRuUdD\n", "<<>>^^vv", ""},
        {"\nSolution\n2\nR\n", ">>", ""},
        {"\nSolution\nRR\nLL\n\nSolution 2\nUU\n", ">><<", ""},
        {"\nComment:\nSolution\nRR\nComment-End:\nSolution\nLL\n", "<<", ""},
        {"\nSolution\n64R\n", "", "Repetition number (64) too high at line 6, column 2."},
        {"\nSolution\nRR\n1000L\n", "", "Repetition number (100) too high at line 7, column 3."},
    };
    for (const Case& c : cases) {
        const Reading r = Read("a.sok", std::string("T\n\n#@ #\n") + c.tail);
        EXPECT_EQ(r.error, c.error) << c.tail;
        if (*c.error) {
            EXPECT_TRUE(r.lines.empty());
            continue;
        }
        ASSERT_EQ(r.lines.size(), 3u) << c.tail;
        EXPECT_EQ(r.lines[2], std::string(" 1) 0, 1: ") + c.moves) << c.tail;
    }
}

TEST(SokRead, SolutionsNeedTitleFirstModeAndAPlayer) {
    const Reading xsb = Read("a.xsb", "T\n#@ #\nSolution\nRR\n");
    ASSERT_EQ(xsb.lines.size(), 3u);
    EXPECT_EQ(xsb.lines[2], " 1) 0, 1: ");

    const Reading noPlayer = Read("a.sok", "T\n\n#$.#\nSolution\nRR\n");
    ASSERT_EQ(noPlayer.lines.size(), 2u);
    EXPECT_EQ(noPlayer.lines[1], ".#...V..+....#..");
}

TEST(SokRead, BoxOrderAndGoalOrderLetterTheCells) {
    const Reading r = Read("a.sok", "T\n\n#$$$*.@#\nboxorder 1 10 99 0 300\nGoalOrder: 2,36,63\n");
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[1], std::string(".#..") + ".v\xFF" + "1" + ".v\xFF" + "A" + ".V.." + "2V.." +
                              "\xC7..." + ".[.." + ".#..");
}

TEST(SokRead, LevelsFollowOneAnother) {
    const Reading r = Read("set.sok", "::\nNotes\nCollection: X\n\nLevel 1\n\n#@#\n\nTime: 1\n"
                                      "Solution\nR\n\nLevel 2\n\n#@#\n");
    ASSERT_EQ(r.error, "");
    const std::vector<std::string> expected = {"\"Level 1\"", ".#...[...#..", " 1) 0, 1: >",
                                               "\"Level 2\"", ".#...[...#..", " 1) 0, 1: "};
    EXPECT_EQ(r.lines, expected);

    const Reading xsb = Read("set.xsb", "; 1\n#@#\n\n; 2\n#@#\n");
    ASSERT_EQ(xsb.lines.size(), 6u);
    EXPECT_EQ(xsb.lines[0], "\"; 1\"");
    EXPECT_EQ(xsb.lines[3], "\"; 2\"");
    EXPECT_TRUE(xsb.madeFrom.empty());
}

TEST(SokRead, FloorPastTheSixtyFourthRowOrColumnIsDropped) {
    std::string rows;
    for (int i = 0; i < 64; ++i) rows += "#\n";

    const Reading wide = Read("a.sok", "T\n\n" + std::string(64, '#') + "  -\n");
    ASSERT_EQ(wide.error, "");
    EXPECT_EQ(wide.lines[1].size(), 64u * 4);

    const Reading tall = Read("a.sok", "T\n\n" + rows + "   \n");
    ASSERT_EQ(tall.error, "");
    EXPECT_EQ(tall.lines.size(), 65u);
}

TEST(SokRead, OversizeBoardsAreSkippedAndTheLevelsAroundThemKept) {
    std::string tall;
    for (int i = 0; i < 65; ++i) tall += "#\n";
    // A box inside the first 64 columns and one past them, then numbers for both boxes and a
    // solution that would fail if it were read.
    const std::string wide = "#$" + std::string(62, '#') + "$\nboxorder 1 2\n99R\n";
    const std::string text =
        "First\n\n#@#\n\nWide\n\n" + wide + "\nTall\n\n" + tall + "\nLast\n\n#@#\n";
    std::vector<std::string> output;
    std::vector<SkippedLevel> skipped;
    int made = 0;
    const std::string error = ReadSokText(
        "set.sok", SplitLines(text), output,
        [&](const std::string& base) { return base + std::to_string(++made); }, &skipped);
    ASSERT_EQ(error, "");
    EXPECT_EQ(output, (std::vector<std::string>{"\"First\"", ".#...[...#..", " 1) 0, 1: ",
                                                "\"Last\"", ".#...[...#..", " 1) 0, 1: "}));
    ASSERT_EQ(skipped.size(), 2u);
    EXPECT_EQ(skipped[0].title, "Wide");
    EXPECT_EQ(skipped[0].line, 7u);
    EXPECT_EQ(skipped[1].title, "Tall");
    EXPECT_EQ(skipped[1].line, 13u);
    EXPECT_EQ(made, 0) << "a skipped level uses up no made-up title";

    // Without a title: an .xsb board on the first line. A failure elsewhere keeps the list.
    const std::string untitled = std::string(65, '#') + "\n\nNext\n#@#\n";
    skipped.assign(1, SkippedLevel{"kept", 1});
    output.clear();
    EXPECT_EQ(ReadSokText(
                  "set.xsb", SplitLines(untitled), output,
                  [](const std::string& base) { return base; }, &skipped),
              "");
    ASSERT_EQ(skipped.size(), 2u);
    EXPECT_EQ(skipped[1].title, "");
    EXPECT_EQ(skipped[1].line, 1u);
    EXPECT_EQ(output.front(), "\"Next\"");
    EXPECT_EQ(ReadSokText(
                  "set.sok", SplitLines(untitled + "64R\n"), output,
                  [](const std::string& base) { return base; }, &skipped),
              "Repetition number (64) too high at line 5, column 2.");
    EXPECT_EQ(skipped.size(), 2u);
}

TEST(SokRead, SkippedLevelsMessageCountsAndNamesTheFirstFive) {
    EXPECT_TRUE(SkippedLevelsMessage({}).empty());
    EXPECT_EQ(SkippedLevelsMessage({{"Wide", 7}}),
              (std::vector<std::string>{"1 level with more than 64 rows or columns was skipped:",
                                        "\"Wide\" at line 7."}));
    std::vector<SkippedLevel> many;
    for (std::size_t k = 1; k <= 7; ++k) {
        std::string title;
        if (k != 2) title = std::string(1, 'L').append(std::to_string(k));
        many.push_back({title, k});
    }
    EXPECT_EQ(SkippedLevelsMessage(many),
              (std::vector<std::string>{
                  "7 levels with more than 64 rows or columns were skipped:", "\"L1\" at line 1.",
                  "The level at line 2.", "\"L3\" at line 3.", "\"L4\" at line 4.",
                  "\"L5\" at line 5.", "And 2 more."}));
}

TEST(SokRead, TextWithoutBoardGivesNothingAndAFailureKeepsTheOutput) {
    EXPECT_TRUE(Read("a.sok", "just notes\n\nmore\n").lines.empty());

    std::vector<std::string> output = {"kept"};
    const std::string error = ReadSokText("a.sok", {"T", "", "#@#", "Solution", "99R"}, output,
                                          [](const std::string& base) { return base; });
    EXPECT_EQ(error, "Repetition number (99) too high at line 5, column 2.");
    EXPECT_EQ(output, std::vector<std::string>{"kept"});
}

TEST(SokWrite, WriterMapOfEachCell) {
    struct Case {
        Byte mark, block;
        char written;
    };
    const Case cases[] = {
        {'.', '#', '#'}, {'+', '%', '#'}, {'.', '!', '#'}, {'.', '*', '#'},  {'.', '(', '#'},
        {'.', '~', '#'}, {'+', 'V', '*'}, {'A', 'v', '*'}, {'.', 'V', '$'},  {'^', 'v', '$'},
        {'+', '[', '+'}, {'A', '@', '@'}, {'.', '{', '@'}, {'+', 0xA1, '+'}, {'+', '.', '.'},
        {'7', '.', '.'}, {'^', '.', ' '}, {')', '.', ' '}, {0xA2, '.', ' '},
    };
    for (const Case& c : cases) {
        Context ctx;
        SetBoard(ctx, "T", {std::string{static_cast<char>(c.mark), static_cast<char>(c.block)}});
        const std::string text = SokText(ctx.CurrentLevel());
        EXPECT_EQ(text.substr(0, 14), std::string("::\r\n\r\nT\r\n\r\n") + c.written + "\r\n")
            << c.mark << c.block;
    }
}

TEST(SokWrite, WholeTextAndItsReadingBack) {
    Context ctx;
    Level& level = SetBoard(ctx, "Tiny", {".#.#.#.#.#.#", ".#.[+V..Av.#", ".#.#.#.#.#.#"});
    level.idLayer[CellIndex(1, 4)] = -1; // the box bears "A"
    AddStep(level, 0, 1);
    AddStep(level, 1, 0);
    AddStep(level, 0, 0); // an elimination
    AddStep(level, 0, -1);
    const std::string text = "::\r\n\r\nTiny\r\n\r\n"
                             "######\r\n#@* *#\r\n######\r\n"
                             "Title: Tiny\r\n"
                             "Comment:\r\nboxorder 99 10\r\ngoalorder 99 10\r\nComment-End:\r\n"
                             "Moves:\r\nrdul\r\n";
    EXPECT_EQ(SokText(level), text);
    EXPECT_TRUE(WriteSokLevel(ctx, LevelPlace::Clipboard()).Ok());
    EXPECT_EQ(ctx.silentPlatform.clipboard, text);

    const Reading r = Read("Clipboard", text);
    ASSERT_EQ(r.error, "");
    const std::vector<std::string> expected = {"\"Tiny\"", ".#...#...#...#...#...#..",
                                               ".#...[..+V......Av\xFF"
                                               "A.#..",
                                               ".#...#...#...#...#...#..", " 1) 1, 1: >v^<"};
    EXPECT_EQ(r.lines, expected);
}

TEST(SokWrite, ACopiedLevelReadsBackAsTheSameBoardWithOneMove) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx,
                              {".#.. .#.. .#.. .#.. .#.. .#..", ".#.. .[.. .V.. .... +... .#..",
                               ".#.. .#.. .#.. .#.. .#.. .#.."},
                              " 1) 1, 1: >\r\n 2) 1, 2: >\r\n"),
              "");
    ctx.CurrentLevel().title = "Push";
    ASSERT_TRUE(WriteSokLevel(ctx, LevelPlace::Clipboard()).Ok());
    ASSERT_TRUE(ctx.silentPlatform.clipboard.has_value());

    const Reading r = Read("Clipboard", *ctx.silentPlatform.clipboard);
    ASSERT_EQ(r.error, "");
    const std::vector<Loaded> back = LoadLines(r.lines);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].error, "");
    const Level& original = ctx.CurrentLevel();
    const Level& level = back[0].level;
    EXPECT_EQ(level.title, "Push");
    ASSERT_EQ(level.rows, original.rows);
    ASSERT_EQ(level.columns, original.columns);
    for (int row = 0; row < level.rows; ++row) {
        for (int column = 0; column < level.columns; ++column) {
            EXPECT_EQ(level.BlockAt(row, column), original.BlockAt(row, column));
            EXPECT_EQ(level.MarkAt(row, column), original.MarkAt(row, column));
        }
    }
    ASSERT_EQ(level.stepCount, 2);
    EXPECT_EQ(level.steps.MoveNumber(0), 1);
    EXPECT_EQ(level.steps.MoveNumber(1), 1);
    EXPECT_TRUE(back[0].solved);
}

TEST(SokWrite, CommentOnlyForLetteredBoxesOrGoals) {
    Context ctx;
    const std::string plain = SokText(SetBoard(ctx, "", {".#+V.[+..#"}));
    EXPECT_EQ(plain, "::\r\n\r\nno title\r\n\r\n#*@.#\r\nTitle: no title\r\n");

    // A goal mark under a wall is not written, so it gets no number either.
    const std::string lettered = SokText(SetBoard(ctx, "L", {"B#C.+..#"}));
    EXPECT_EQ(lettered, "::\r\n\r\nL\r\n\r\n#..#\r\nTitle: L\r\n"
                        "Comment:\r\ngoalorder 12 99\r\nComment-End:\r\n");
}

TEST(SokWrite, MovesAreWrappedAtSeventyLetters) {
    Context ctx;
    Level& level = SetBoard(ctx, "M", {".#.[.#"});
    for (int i = 0; i < 150; ++i) AddStep(level, 0, i % 2 ? -1 : 1);
    const std::string text = SokText(level);
    std::string seventy;
    for (int i = 0; i < 70; ++i) seventy += i % 2 ? 'l' : 'r';
    EXPECT_EQ(text.substr(text.find("Moves:\r\n")),
              "Moves:\r\n" + seventy + "\r\n" + seventy + "\r\nrlrlrlrlrl\r\n");
}

TEST(SokWrite, WritesTheFileOrReportsTheFailure) {
    Context ctx;
    SetBoard(ctx, "F", {".#.[.#"});
    const std::string path = TempPath("sok-write.sok");
    ASSERT_TRUE(WriteSokLevel(ctx, path).Ok());
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(path, bytes).message, "");
    EXPECT_EQ(bytes, SokText(ctx.CurrentLevel()));
    EXPECT_EQ(WriteSokLevel(ctx, path, WriteFaults{.failAtByte = 3}).message, kErrorWriting);
    ASSERT_EQ(ReadWholeFile(path, bytes).message, "");
    EXPECT_EQ(bytes, SokText(ctx.CurrentLevel()));
    std::filesystem::remove(path);
}

// The collections of the shared corpus: levels, titles, solutions and solved ends.
// A title that reads back alone on its line is written there as before, in either layout, also
// when it looks like a keyword: only a board row or a header is written otherwise.
TEST(SokWrite, TitlesThatReadBackStayAloneOnTheirLine) {
    for (const char* title : {"Title: x", "Comment:", "boxorder 1", "Moves:", "Plain"}) {
        Context ctx;
        const Level level = SetBoard(ctx, title, {".#.#", ".#.["});
        for (const bool titleFirst : {true, false})
            EXPECT_EQ(SokText(level, titleFirst).substr(0, 6 + std::strlen(title)),
                      std::string("::\r\n\r\n") + title)
                << title;
    }
    Context ctx;
    const Level hash = SetBoard(ctx, "#5", {".#.#", ".#.["});
    EXPECT_EQ(SokText(hash, true).substr(0, 17), "::\r\n\r\nTitle: #5\r\n");
    EXPECT_EQ(SokText(hash, false).substr(0, 8), "::\r\n\r\n##");
}

// Three levels written one after another in either layout, their middle one titled each way
// that alone on a line would read as a board row, a note or a header, read back: every title
// comes back, every board stays one level and the moves of the first level stay its own.
TEST(SokRoundTrip, TitlesThatWouldReadAsSomethingElse) {
    const char* const titles[] = {"#5",       "%x",     " lead",      "::x",         "Title: x",
                                  "Comment:", "Moves:", "boxorder 1", "goalorder 2", "Comment: 1",
                                  "Plain 3",  "LURD",   "3"};
    for (const bool titleFirst : {true, false}) {
        const std::string source = titleFirst ? "set.sok" : "set.XSB";
        for (const char* title : titles) {
            SCOPED_TRACE(source + ": " + title);
            Context ctx;
            Level first = SetBoard(ctx, "First", {".#.#.#.#.#", ".#.[.V+..#", ".#.#.#.#.#"});
            AddStep(first, 0, 1);
            Level middle = SetBoard(ctx, title, {".#.#.#.#", ".#.[+V.#", ".#.#.#.#"});
            const Level last = SetBoard(ctx, "Last", {".#.#.#", ".#.[.#", ".#.#.#"});
            const bool trims = !titleFirst && title[0] == ' ';
            EXPECT_EQ(SokLosses(middle, titleFirst).empty(), !trims);
            if (trims) continue;
            const std::string text = SokText(first, titleFirst) +
                                     SokText(middle, titleFirst, true) +
                                     SokText(last, titleFirst, true);
            const Reading r = Read(source, text);
            ASSERT_EQ(r.error, "");
            const std::vector<std::string> expected = {"\"First\"",
                                                       ".#...#...#...#...#..",
                                                       ".#...[...V..+....#..",
                                                       ".#...#...#...#...#..",
                                                       " 1) 1, 1: >",
                                                       QuoteTitle(title),
                                                       ".#...#...#...#..",
                                                       ".#...[..+V...#..",
                                                       ".#...#...#...#..",
                                                       " 1) 1, 1: ",
                                                       "\"Last\"",
                                                       ".#...#...#..",
                                                       ".#...[...#..",
                                                       ".#...#...#..",
                                                       " 1) 1, 1: "};
            EXPECT_EQ(r.lines, expected);
        }
    }
}

// The moves the program writes come back from an ".xsb" or ".stb" file as from an ".sok" one;
// a solution that others wrote in an ".xsb" file stays a note.
TEST(SokRead, XsbFilesReadTheProgramsOwnMoves) {
    Context ctx;
    Level level = SetBoard(ctx, "T", {".#.#.#.#", ".#.[..+V.#"});
    AddStep(level, 0, 1);
    AddStep(level, 0, -1);
    for (const char* source : {"a.xsb", "a.STB", "a.sok"}) {
        const Reading r = Read(source, SokText(level, SokTitleFirst(source)));
        ASSERT_EQ(r.error, "") << source;
        ASSERT_EQ(r.lines.size(), 4u) << source;
        EXPECT_EQ(r.lines[3], " 1) 1, 1: ><") << source;
    }
    const Reading others = Read("a.xsb", "T\n#@ #\nSolution: 1-4u1,4-4l1\nRR\n");
    ASSERT_EQ(others.lines.size(), 3u);
    EXPECT_EQ(others.lines[2], " 1) 0, 1: ");
}

// "Comment:" with text after it is a comment of one line: the "Title:" lines after it count.
// Alone, it still opens a block that "Comment-End:" closes.
TEST(SokRead, CommentLinesWithTextCloseThemselves) {
    const Reading oneLine =
        Read("a.xsb", "#@#\nComment: from a collection\nTitle: A\n\n#@#\nTitle: B\n");
    ASSERT_EQ(oneLine.lines.size(), 6u);
    EXPECT_EQ(oneLine.lines[0], "\"A\"");
    EXPECT_EQ(oneLine.lines[3], "\"B\"");

    const Reading block = Read("a.xsb", "#@#\nComment:  \nTitle: A\nComment-End:\nTitle: B\n");
    ASSERT_EQ(block.lines.size(), 3u);
    EXPECT_EQ(block.lines[0], "\"B\"");
}

// A row that begins with a box, a goal or the player continues the board above it when it holds
// a wall; without a wall it ends the board, and no board begins with one.
TEST(SokRead, RowsBeginningWithABoxOrGoalContinueTheBoard) {
    const Reading r = Read("a.xsb", "T\n ####\n*# .#\n.#@$#\n ####\n");
    ASSERT_EQ(r.error, "");
    const std::vector<std::string> expected = {"\"T\"",
                                               ".....#...#...#...#..",
                                               "+V...#......+....#..",
                                               "+....#...[...V...#..",
                                               ".....#...#...#...#..",
                                               " 1) 2, 2: "};
    EXPECT_EQ(r.lines, expected);

    const Reading noWall = Read("a.xsb", "T\n#@#\n$$.\n");
    ASSERT_EQ(noWall.lines.size(), 3u);
    const Reading notFirst = Read("a.xsb", "T\n*#@#\n");
    EXPECT_TRUE(notFirst.lines.empty());
}

// What the SOK writer cannot keep beyond its map of blocks and marks is named, and a level it
// keeps whole names nothing.
TEST(SokWrite, NamesWhatItCannotKeep) {
    struct Case {
        const char* name;
        const char* title;
        std::vector<std::string> rows;
        bool steps;
        bool titleFirst;
        std::vector<std::string> lost;
    };
    const std::string moves = "moves that need more than a player among walls, boxes and goals";
    const Case cases[] = {
        {"whole", "T", {".#.#.#", ".#.[+V"}, true, true, {}},
        {"line break",
         "a\rb",
         {".#.#", ".#.["},
         false,
         true,
         {"a title with a line break or a zero byte"}},
        {"blanks in xsb",
         "T ",
         {".#.#", ".#.["},
         false,
         false,
         {"blanks at the ends of the title"}},
        {"two players",
         "T",
         {".#.#.#", ".[.#.["},
         true,
         true,
         {"more than one movable block (SOK has one player)", moves}},
        {"row without wall",
         "T",
         {".#.#.#", "+V.[.."},
         false,
         true,
         {"a board row that begins with a box, a goal or the player (the level is cut there, "
          "title and all)"}},
        {"row with wall", "T", {".#.#.#", "+V.[.#"}, false, true, {}},
        {"magnet plays", "T", {".#.#.#", ".#.{.."}, true, true, {moves}},
    };
    for (const Case& c : cases) {
        Context ctx;
        Level level = SetBoard(ctx, c.title, c.rows);
        if (c.steps) AddStep(level, 0, 1);
        EXPECT_EQ(SokLosses(level, c.titleFirst), c.lost) << c.name;
    }
}

TEST(SokCorpus, CollectionsReadWithTheirTitlesAndSolutions) {
    const std::filesystem::path folder =
        std::filesystem::path(VORPEL_SOURCE_DIR "/../shared/corpus/sokoban");
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no corpus at " << folder;
    struct Case {
        const char* file;
        int levels;
        int solved;
        const char* firstTitle;
    };
    for (const Case& c : {Case{"Original_and_Extra.sok", 91, 89, "Level 1"},
                          Case{"MicroCosmos.sok", 40, 40, "MICROCOSMOS 01"},
                          Case{"PicoCosmos.sok", 20, 20, "PICOKOSMOS 01"}}) {
        std::string bytes;
        ASSERT_EQ(ReadWholeFile((folder / c.file).string(), bytes).message, "") << c.file;
        const Reading r = Read(c.file, bytes);
        ASSERT_EQ(r.error, "") << c.file;
        EXPECT_TRUE(r.madeFrom.empty()) << c.file;

        const std::vector<Loaded> levels = LoadLines(r.lines);
        ASSERT_EQ(static_cast<int>(levels.size()), c.levels) << c.file;
        EXPECT_EQ(levels[0].level.title, c.firstTitle) << c.file;
        int solved = 0;
        for (const Loaded& loaded : levels) {
            EXPECT_EQ(loaded.error, "") << c.file << ": " << loaded.level.title;
            solved += loaded.solved;
        }
        EXPECT_EQ(solved, c.solved) << c.file;
        if (std::string(c.file) != "Original_and_Extra.sok") continue;

        // Level 1 letters its boxes and goals, and its solution matches no box to its letter.
        const Level& first = levels[0].level;
        EXPECT_FALSE(levels[0].solved);
        EXPECT_EQ(first.BlockAt(2, 5), 'v');
        EXPECT_EQ(first.IdAt(2, 5), -AlphanumericIndex('1'));
        EXPECT_GT(first.stepCount, 0);
        for (const Loaded& loaded : levels) {
            if (loaded.level.title == "Level 37") {
                EXPECT_EQ(loaded.level.stepCount, 0);
            }
        }
    }
}

} // namespace
} // namespace vorpel
