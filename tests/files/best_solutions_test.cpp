// The best solutions file: record bytes, look-up, move lines, applying, erasing, damaged files.
#include <gtest/gtest.h>

#include "SolutionFixtures.h"
#include "files/BestSolutions.h"
#include "files/CompanionPath.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

using namespace solution_test;

TEST(CompanionPath, ReplacesTheExtensionOfTheFileName) {
    const struct {
        const char *program, *path;
    } cases[] = {
        {"/opt/vorpel/vorpel.exe", "/opt/vorpel/vorpel.sol"},
        {"/opt/v.1/vorpel", "/opt/v.1/vorpel.sol"},
        {"C:\\Games\\Vorpel.EXE", "C:\\Games\\Vorpel.sol"},
        {"C:vorpel", "C:vorpel.sol"},
        {"vorpel.tar.exe", "vorpel.tar.sol"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CompanionPath(c.program, ".sol"), c.path) << c.program;
}

TEST(SaveBestSolution, WritesTheRecordByteForByte) {
    ScratchProgram p;
    p.Load("Three");
    ASSERT_TRUE(SaveBestSolution(p.ctx, false));
    EXPECT_EQ(p.Contents(".sol"), Int32(36) + Int32(5) + "Three" + Int32(8) + Int32(3) + Int32(8) +
                                      Int32(11) + kSolutionData);

    ASSERT_TRUE(SaveBestSolution(p.ctx, true)); // a kept move list has negated counters
    EXPECT_EQ(p.Contents(".sol"), Record("Three", -3, -8, kSolutionData));
    EXPECT_TRUE(p.Shown().empty());
}

TEST(SaveBestSolution, EliminationsAndSameBlockMovesAreMovesOfTheirOwn) {
    ScratchProgram p;
    // A weak barrier at (0,1) is taken off; the block at (0,0) then moves right and down, and
    // after another block's move, right again.
    p.Load("E", " 1)  0,  1:  x\r\n 1)  0,  0:  >v\r\n 2)  2,  2:  <\r\n 3)  1,  1:  >\r\n",
           {".[.. .!.. ....", ".... .... ....", ".... .... .[.."});
    ASSERT_TRUE(SaveBestSolution(p.ctx, false));
    EXPECT_EQ(p.Contents(".sol"),
              Record("E", 3, 4, Bytes({0, 1, 0xD0, 0, 0, 0x9C, 2, 2, 0xB0, 1, 1, 0x90})));
}

TEST(SaveBestSolution, ReplacesTheTitlesRecordAndPutsItFirst) {
    ScratchProgram p;
    const std::string other = Record("Other", 1, 1, Bytes({0, 0, 0x90}));
    p.Write(".sol", Record("A", 9, 9, "") + other);
    p.Load("A");
    ASSERT_TRUE(SaveBestSolution(p.ctx, false));
    EXPECT_EQ(p.Contents(".sol"), Record("A", 3, 8, kSolutionData) + other);

    p.ctx.CurrentLevel().title = "Other"; // letter case counts: "other" would be a new record
    ASSERT_TRUE(SaveBestSolution(p.ctx, true));
    EXPECT_EQ(p.Contents(".sol"),
              Record("Other", -3, -8, kSolutionData) + Record("A", 3, 8, kSolutionData));
}

TEST(SaveBestSolution, NoTitleOrNoProgramStoresNothing) {
    ScratchProgram p;
    p.Load("");
    EXPECT_FALSE(SaveBestSolution(p.ctx, false));
    p.ctx.CurrentLevel().title = "T";
    p.ctx.programPath.clear();
    EXPECT_FALSE(SaveBestSolution(p.ctx, false));
    EXPECT_EQ(p.Contents(".sol"), "<missing>");
    EXPECT_TRUE(p.Shown().empty());
}

TEST(SaveBestSolution, AFailedWriteLeavesTheOldFileWholeAndIsShown) {
    for (const WriteFaults faults : {WriteFaults{5, false}, WriteFaults{-1, true}}) {
        ScratchProgram p;
        const std::string old = Record("A", 9, 9, "") + Record("B", 1, 1, Bytes({0, 0, 0x90}));
        p.Write(".sol", old);
        p.Load("A");
        EXPECT_FALSE(SaveBestSolution(p.ctx, false, faults));
        EXPECT_EQ(p.Contents(".sol"), old);
        const std::vector<std::vector<std::string>> shown = {
            {"File " + p.Path(".sol") + ".", "Error when writing the file."}};
        EXPECT_EQ(p.Shown(), shown);
    }
}

TEST(SaveBestSolution, AnUnreadableFileIsNotOverwritten) {
    ScratchProgram p;
    std::filesystem::create_directory(p.Path(".sol"));
    p.Load("A");
    EXPECT_FALSE(SaveBestSolution(p.ctx, false));
    EXPECT_TRUE(std::filesystem::is_directory(p.Path(".sol")));
    ASSERT_EQ(p.Shown().size(), 1u);
    EXPECT_EQ(p.Shown()[0][1],
              "Error when opening the file.\r\n" + p.Path(".sol") + ": Is a directory.");
}

TEST(ReadBestSolutionInfo, TellsMissingFileMissingRecordAndCounters) {
    ScratchProgram p;
    p.Load("A");
    BestSolutionInfo info = ReadBestSolutionInfo(p.ctx);
    EXPECT_EQ(info.status, kBestSolutionNoFile);
    EXPECT_EQ(info.error, "");

    p.Write(".sol", Record("B", 1, 1, "") + Record("A", -4, -7, "") + Record("A", 2, 2, ""));
    info = ReadBestSolutionInfo(p.ctx);
    EXPECT_EQ(info.status, kBestSolutionFound);
    EXPECT_EQ(info.moves, -4); // the first record of a title counts
    EXPECT_EQ(info.steps, -7);

    p.ctx.CurrentLevel().title = "a";
    EXPECT_EQ(ReadBestSolutionInfo(p.ctx).status, kBestSolutionNoRecord);
    p.ctx.CurrentLevel().title = "";
    EXPECT_EQ(ReadBestSolutionInfo(p.ctx).status, kBestSolutionNoFile);

    std::filesystem::remove(p.Path(".sol"));
    std::filesystem::create_directory(p.Path(".sol"));
    p.ctx.CurrentLevel().title = "A";
    info = ReadBestSolutionInfo(p.ctx);
    EXPECT_EQ(info.status, kBestSolutionNoFile);
    EXPECT_EQ(info.error,
              "Error when opening the file.\r\n" + p.Path(".sol") + ": Is a directory.");
}

TEST(BestSolutionLabel, DescribesTheRecordOrItsAbsence) {
    ScratchProgram p;
    p.Load("A");
    bool have = true;
    EXPECT_EQ(BestSolutionLabel(p.ctx, have),
              "Best solution file \"" + p.Path(".sol") + "\" not found.");
    EXPECT_FALSE(have);
    p.Write(".sol", Record("B", 3, 8, ""));
    EXPECT_EQ(BestSolutionLabel(p.ctx, have), kBestSolutionNotFound);
    EXPECT_FALSE(have);
    p.ctx.CurrentLevel().title = "";
    EXPECT_EQ(BestSolutionLabel(p.ctx, have),
              "Best solution file \"" + p.Path(".sol") + "\" not found.");

    p.ctx.CurrentLevel().title = "A";
    ASSERT_TRUE(SaveBestSolution(p.ctx, false));
    EXPECT_EQ(BestSolutionLabel(p.ctx, have), "Best solution:\nMoves: 3\nSteps: 8");
    EXPECT_TRUE(have);
    ASSERT_TRUE(SaveBestSolution(p.ctx, true));
    EXPECT_EQ(BestSolutionLabel(p.ctx, have), "Move list:\nMoves: 3\nSteps: 8");
}

TEST(ReadBestSolutionMoves, WritesOneMoveLinePerStoredMove) {
    ScratchProgram p;
    p.Load("A");
    ASSERT_TRUE(SaveBestSolution(p.ctx, false));
    std::vector<std::string> lines{"kept"};
    int status = 99;
    ASSERT_EQ(ReadBestSolutionMoves(p.ctx, lines, &status).message, "");
    EXPECT_EQ(status, kBestSolutionFound);
    const std::vector<std::string> expected = {"\"lin\"", "  0,  0: >>>>>", "  1,  0: >>",
                                               "  2,  0: >"};
    EXPECT_EQ(lines, expected);

    p.ctx.CurrentLevel().title = "B";
    EXPECT_EQ(ReadBestSolutionMoves(p.ctx, lines, &status).message, kBestSolutionNotFound);
    EXPECT_EQ(status, kBestSolutionNoRecord);
    EXPECT_EQ(lines, expected); // untouched
}

TEST(ReadBestSolutionMoves, DecodesEveryByteWithoutTrustingIt) {
    const struct {
        const char* name;
        std::string data;
        std::vector<std::string> lines;
    } cases[] = {
        {"every code", Bytes({3, 200, 0x9A, 0xBC, 0xD0}), {"  3, 200: >^<vx"}},
        {"unknown codes", Bytes({12, 5, 0x8E, 0xF1, 0x90}), {" 12,  5: ####>"}},
        {"a zero low half inside a move", Bytes({1, 1, 0x90, 0x90}), {"  1,  1: >>"}},
        {"steps before any cell", Bytes({0x99, 4, 4, 0xC0}), {" >>", "  4,  4: v"}},
        {"a cell without steps", Bytes({1, 2, 3, 4, 0x90}), {"  1,  2: ", "  3,  4: >"}},
        {"a cell without its column", Bytes({1, 2, 0x90, 7}), {"  1,  2: >"}},
    };
    for (const auto& c : cases) {
        ScratchProgram p;
        p.Load("A", "");
        p.Write(".sol", Record("A", 1, 1, c.data));
        std::vector<std::string> lines;
        ASSERT_EQ(ReadBestSolutionMoves(p.ctx, lines).message, "") << c.name;
        std::vector<std::string> expected{"\"lin\""};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(lines, expected) << c.name;
    }
}

TEST(ApplyBestSolution, CarriesOutTheStoredMovesFromTheStart) {
    ScratchProgram p;
    p.Load("A");
    ASSERT_TRUE(SaveBestSolution(p.ctx, false));
    p.Load("A", " 1)  1,  0:  >\r\n"); // the same level, another play
    ASSERT_EQ(ApplyBestSolutionAtStart(p.ctx).message, "");
    const Level& level = p.ctx.CurrentLevel();
    EXPECT_EQ(level.currentStep, 0);
    EXPECT_EQ(level.stepCount, 8);
    EXPECT_EQ(TotalMoves(level), 3);
    EndOfLevel(p.ctx);
    EXPECT_TRUE(IsSolved(p.ctx));
}

TEST(ApplyBestSolution, WithoutRecordTheFormerPositionReturns) {
    ScratchProgram p;
    p.Load("A", " 1)  1,  0:  >>\r\n");
    GoToPosition(p.ctx, 1);
    const std::string before = test::Picture(p.ctx);
    // No stored solution is told by its code, not its text.
    EXPECT_EQ(ApplyBestSolutionAtStart(p.ctx).code, FileError::kNotFound); // no file
    p.Write(".sol", Record("B", 1, 1, Bytes({0, 0, 0x90})));
    EXPECT_EQ(ApplyBestSolutionAtStart(p.ctx).message, kBestSolutionNotFound);
    EXPECT_EQ(p.ctx.CurrentLevel().currentStep, 1);
    EXPECT_EQ(p.ctx.CurrentLevel().stepCount, 2);
    EXPECT_EQ(test::Picture(p.ctx), before);
}

TEST(ApplyBestSolution, MovesThatDoNotFitTheLevelFailWithThePossibleCauses) {
    const std::string wrongLevel = Record("A", 3, 8, kSolutionData);
    const struct {
        const char* name;
        std::string data;
    } cases[] = {
        {"another level of the same title", kSolutionData},
        {"a row outside the board", Bytes({100, 0, 0x90})},
        {"a column outside the board", Bytes({0, 250, 0x90})},
        {"an empty cell", Bytes({1, 4, 0x90})},
        {"an unknown code", Bytes({0, 0, 0xE0})},
        {"steps before any cell", Bytes({0x99, 0x99})},
        {"a cell without steps", Bytes({0, 0, 1, 0, 0x90})},
    };
    // A wall stops the first master after two steps.
    const std::vector<std::string> walled = {".@.. .... .... .#.. .... +... ....",
                                             ".@.. .... +... .... .... .... ....",
                                             ".@.. +... .... .... .... .... ...."};
    for (const auto& c : cases) {
        ScratchProgram p;
        p.Load("A", "", walled);
        p.Write(".sol", Record("A", 3, 8, c.data));
        EXPECT_EQ(ApplyBestSolutionAtStart(p.ctx).message, kBestSolutionApplyError) << c.name;
        EXPECT_EQ(p.ctx.CurrentLevel().currentStep, 0) << c.name;
    }
}

TEST(EraseBestSolution, RemovesOnlyTheTitlesRecord) {
    ScratchProgram p;
    const std::string a = Record("A", 3, 8, kSolutionData), b = Record("B", 1, 1, "");
    p.Load("A");
    EXPECT_EQ(EraseBestSolution(p.ctx).message, ""); // no file: nothing happens
    EXPECT_EQ(p.Contents(".sol"), "<missing>");

    p.Write(".sol", b + a);
    EXPECT_EQ(EraseBestSolution(p.ctx).message, "");
    EXPECT_EQ(p.Contents(".sol"), b);
    EXPECT_EQ(EraseBestSolution(p.ctx).message, ""); // no record: the file stays as it is
    EXPECT_EQ(p.Contents(".sol"), b);

    p.ctx.CurrentLevel().title = "B";
    EXPECT_EQ(EraseBestSolution(p.ctx, WriteFaults{-1, true}).message,
              "Error when writing the file.");
    EXPECT_EQ(p.Contents(".sol"), b);
    EXPECT_EQ(EraseBestSolution(p.ctx).message, "");
    EXPECT_EQ(p.Contents(".sol"), ""); // an empty file when nothing remains
}

TEST(ReadAllBestSolutions, GivesEachLevelTheFirstRecordOfItsTitle) {
    ScratchProgram p;
    LevelCollection& levels = p.ctx.collection;
    levels.levels.resize(4);
    levels.levels[0].title = "A";
    levels.levels[1].title = "B";
    levels.levels[2].title = "A"; // a second level of the same title takes nothing
    levels.levels[3].title = "";
    std::vector<BestCounts> counts{{7, 7}};
    EXPECT_EQ(ReadAllBestSolutions(p.ctx, counts).message, "");
    EXPECT_EQ(counts, std::vector<BestCounts>(4));

    p.Write(".sol", Record("Z", 1, 1, "") + Record("A", 3, 8, "") + Record("B", -2, -5, "") +
                        Record("A", 1, 1, "") + Record("", 6, 6, ""));
    EXPECT_EQ(ReadAllBestSolutions(p.ctx, counts).message, "");
    const std::vector<BestCounts> expected = {{3, 8}, {-2, -5}, {0, 0}, {0, 0}};
    EXPECT_EQ(counts, expected);
}

// Damaged files: every walk ends, reads only the file's bytes and matches only whole titles.
TEST(BestSolutionsFile, DamagedFilesEndTheWalkSafely) {
    const std::string good = Record("A", 3, 8, kSolutionData);
    const std::string title = Int32(1) + "A";
    const struct {
        const char* name;
        std::string bytes;
        int status;
    } cases[] = {
        {"empty", "", kBestSolutionNoRecord},
        {"shorter than two lengths", good.substr(0, 7), kBestSolutionNoRecord},
        // Pointing back to itself: taken as a length, it would walk in a circle.
        {"negative record length", Record("B", 1, 1, "") + Int32(-4) + Int32(0) + good,
         kBestSolutionNoRecord},
        {"negative title length", Int32(4) + Int32(-1) + good, kBestSolutionNoRecord},
        {"records of length 0", Int32(0) + Int32(0) + Int32(0) + good, kBestSolutionFound},
        {"record length past the end", Record("B", 1, 1, "", 1 << 30) + good,
         kBestSolutionNoRecord},
        {"largest record length", Int32(0x7FFFFFFF) + good, kBestSolutionNoRecord},
        {"title length past the end", Int32(9) + Int32(0x7FFFFFFF) + "A", kBestSolutionNoRecord},
        {"title cut by the end", Int32(30) + Int32(1), kBestSolutionNoRecord},
        {"counters cut by the end", Int32(40) + title + Int32(8) + Int32(3), kBestSolutionNoRecord},
        {"record length shorter than its counters",
         Int32(5) + title + Int32(8) + Int32(3) + Int32(8) + Int32(0), kBestSolutionNoRecord},
    };
    for (const auto& c : cases) {
        ScratchProgram p;
        p.Load("A", "");
        p.Write(".sol", c.bytes);
        const BestSolutionInfo info = ReadBestSolutionInfo(p.ctx);
        EXPECT_EQ(info.status, c.status) << c.name;
        const std::string error = ApplyBestSolutionAtStart(p.ctx).message;
        EXPECT_EQ(error, c.status == kBestSolutionFound ? "" : kBestSolutionNotFound) << c.name;
        std::vector<BestCounts> counts;
        EXPECT_EQ(ReadAllBestSolutions(p.ctx, counts).message, "") << c.name;
        // Saving mends the file: the new record comes first and is found.
        ASSERT_TRUE(SaveBestSolution(p.ctx, true)) << c.name;
        EXPECT_EQ(ReadBestSolutionInfo(p.ctx).status, kBestSolutionFound) << c.name;
    }
}

TEST(BestSolutionsFile, ARecordRunningPastTheEndStillMatchesAndEndsThere) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"record length", Record("A", 3, 8, kSolutionData, 500)},
        {"record and data length", Record("A", 3, 8, kSolutionData, 500, 400)},
        {"data length alone", Record("A", 3, 8, kSolutionData, -1, 400) + Record("B", 1, 1, "")},
    };
    for (const auto& c : cases) {
        ScratchProgram p;
        p.Load("A", "");
        p.Write(".sol", c.bytes);
        const BestSolutionInfo info = ReadBestSolutionInfo(p.ctx);
        EXPECT_EQ(info.status, kBestSolutionFound) << c.name;
        EXPECT_EQ(info.moves, 3) << c.name;
        ASSERT_EQ(ApplyBestSolutionAtStart(p.ctx).message, "") << c.name;
        EXPECT_EQ(p.ctx.CurrentLevel().stepCount, 8) << c.name;
    }
    // Removing such a record takes the file up to its end.
    ScratchProgram p;
    p.Load("A");
    p.Write(".sol", Record("A", 3, 8, kSolutionData, 500));
    EXPECT_EQ(EraseBestSolution(p.ctx).message, "");
    EXPECT_EQ(p.Contents(".sol"), "");
}

} // namespace
} // namespace vorpel
