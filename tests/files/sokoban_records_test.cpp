// Best solutions of Sokoban levels: moves and pushes counted from the steps, compared, shown
// and written with pushes in upper case.
#include <gtest/gtest.h>

#include "SolutionFixtures.h"
#include "files/BestSolutions.h"
#include "files/Celebration.h"
#include "files/SokFormat.h"
#include "model/Sokoban.h"

namespace vorpel {
namespace {

using namespace solution_test;

// The player left of a box; the goal three cells right of the box.
const std::vector<std::string> kRoom = {".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
                                        ".#.. .[.. .V.. .... .... +... .... .... .... .#..",
                                        ".#.. .... .... .... .... .... .... .... .... .#..",
                                        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.."};
// The play: 7 moves, 3 pushes.
const std::string kPlay = " 1) 1, 1: >>v<^>>\r\n";

// The move data of the player's steps from (1, 1), as the best solutions file keeps them.
std::string Data(const std::string& letters) {
    std::string data = Bytes({1, 1});
    const auto code = [](char c) { return c == '>' ? 0x9 : c == '^' ? 0xA : c == '<' ? 0xB : 0xC; };
    for (std::size_t i = 0; i < letters.size(); i += 2)
        data += static_cast<char>(code(letters[i]) << 4 |
                                  (i + 1 < letters.size() ? code(letters[i + 1]) : 0));
    return data;
}

std::string Improved(const char* by) {
    return std::string(kImprovedMessage) + " solution by " + by + "! \r\n";
}

TEST(SokobanBest, ComparesMovesThenPushesOrPushesFirst) {
    const struct {
        const char* best; // the stored steps (moves, pushes)
        bool pushesFirst;
        std::string message; // empty: not better, nothing stored
        int moveDifference, pushDifference;
    } cases[] = {
        {">>v<^>>", false, "", 0, 0},                      // (7, 3): the same
        {">>>", false, "", 4, 0},                          // (3, 3): fewer moves
        {">>>", true, "", 4, 0},                           //
        {">>>>>>>", false, Improved("4 pushes"), 0, -4},   // (7, 7)
        {"v>>>>>>>", false, Improved("1 move"), -1, 3},    // (8, 0): fewer pushes lose
        {"v>>>>>>>", true, "", -1, 3},                     //   unless they come first
        {">>>>>>>>>", false, Improved("2 moves"), -2, -6}, // (9, 9)
        {">>>>>>>>>", true, Improved("6 pushes"), -2, -6},
        {"v^>>v<^>>", true, Improved("2 moves"), -2, 0}, // (9, 3)
    };
    for (const auto& c : cases) {
        ScratchProgram p;
        p.Load("S", kPlay, kRoom);
        p.ctx.options.fewestPushes = c.pushesFirst;
        const std::string stored =
            Record("S", 1, static_cast<int>(std::string(c.best).size()), Data(c.best));
        p.Write(".sol", stored);
        std::string message;
        SolvedNumbers numbers;
        ASSERT_TRUE(CheckSolvedWithRecords(p.ctx, true, message, numbers)) << c.best;
        EXPECT_EQ(message, c.message) << c.best << " " << c.pushesFirst;
        EXPECT_TRUE(numbers.sokoban);
        EXPECT_EQ(numbers.moves, 7);
        EXPECT_EQ(numbers.pushes, 3);
        EXPECT_EQ(numbers.moveDifference, c.moveDifference) << c.best;
        EXPECT_EQ(numbers.pushDifference, c.pushDifference) << c.best;
        // The stored record keeps its format: one move of the player and its steps.
        EXPECT_EQ(p.Contents(".sol"),
                  c.message.empty() ? stored : Record("S", 1, 7, Data(">>v<^>>")))
            << c.best;
    }
}

TEST(SokobanBest, StatusLineLabelAndListCountMovesAndPushes) {
    ScratchProgram p;
    p.Load("S", kPlay, kRoom);
    p.Write(".sol", Record("S", 1, 9, Data(">>>>>>>>>")));
    SolvedNumbers numbers;
    std::string message;
    ASSERT_TRUE(CheckSolvedWithRecords(p.ctx, true, message, numbers));
    EXPECT_EQ(ImprovedStatusText(p.ctx, numbers), " moves 7/7 (-2), pushes 3/3 (-6), record: ?");

    bool haveRecord = false;
    EXPECT_EQ(BestSolutionLabel(p.ctx, haveRecord), "Best solution:\nMoves: 7\nPushes: 3");
    EXPECT_TRUE(haveRecord);

    std::vector<BestCounts> counts;
    ASSERT_EQ(ReadAllBestSolutions(p.ctx, counts).message, "");
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_EQ(counts[0], (BestCounts{1, 7, 3}));
    // The level list asks without pushes: the record is not replayed.
    ASSERT_EQ(ReadAllBestSolutions(p.ctx, counts, false).message, "");
    EXPECT_EQ(counts[0], (BestCounts{1, 7, 0}));
}

TEST(SokobanBest, SokWriterWritesPushesInUpperCase) {
    ScratchProgram p;
    p.Load("S", kPlay, kRoom);
    const std::string text = SokText(p.ctx.CurrentLevel());
    EXPECT_EQ(text.substr(text.find("Moves:")), "Moves:\r\nRRdlurR\r\n");

    // Another level keeps lower-case letters, whatever its steps push.
    std::vector<std::string> marked = kRoom;
    marked[2] = ".#.. ^... .... .... .... .... .... .... .... .#.."; // a don't-cover mark
    p.Load("M", kPlay, marked);
    const std::string other = SokText(p.ctx.CurrentLevel());
    EXPECT_EQ(other.substr(other.find("Moves:")), "Moves:\r\nrrdlurr\r\n");
}

} // namespace
} // namespace vorpel
