// The move list's text: lines built from the history, clipboard text and numbered best solutions.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

#include "SolutionFixtures.h"
#include "files/MoveList.h"

namespace vorpel {
namespace {

using namespace solution_test;

TEST(MoveListLine, PadsEachFieldToItsWidth) {
    EXPECT_EQ(MoveListLine(1, 0, 0, 0, 5, ">>>>>"), "   1)  0,  0,  0,  5: >>>>>");
    EXPECT_EQ(MoveListLine(12345, -3, 63, 100, -1, "x"), "12345) -3, 63,100, -1: x");
}

// Steps as the history keeps them: the move, its block's (row, column) and the deltas.
using Step = std::array<int, 5>;
void SetSteps(Level& level, std::initializer_list<Step> steps) {
    for (const Step& s : steps) test::AppendStep(level.steps, s[0], s[1], s[2], s[3], s[4]);
}

TEST(MoveListLines, OneLinePerMoveEliminationsApartFromTheOrigin) {
    Level level;
    SetSteps(level, {
                        {1, 2, 3, 0, 1},
                        {1, 2, 4, 1, 0},
                        {1, 3, 4, 0, -1}, // one move, three steps
                        {1, 3, 3, 0, 0},  // its block eliminated
                        {2, 5, 5, -1, 0},
                        {3, 4, 5, -1, 0}, // the same block again
                        {4, 1, 1, 1, 1},  // no real step
                    });
    level.stepCount = 6; // the last record lies past the history
    EXPECT_EQ(MoveListLines(level, 0, 0), (std::vector<std::string>{
                                              "   1)  2,  3,  3,  3: >v<",
                                              "   1)  3,  3,  3,  3: x",
                                              "   2)  5,  5,  4,  5: ^",
                                              "   3)  4,  5,  3,  5: ^",
                                          }));
    EXPECT_EQ(MoveListLines(level, 2, 1).front(), "   1)  0,  2,  1,  2: >v<");
    level.stepCount = 0;
    EXPECT_TRUE(MoveListLines(level, 0, 0).empty());
}

TEST(MoveListLines, ListsTheMovesOfAPlayedLevel) {
    ScratchProgram p;
    p.Load("Three");
    EXPECT_EQ(MoveListLines(p.ctx.CurrentLevel(), 0, 0),
              (std::vector<std::string>{"   1)  0,  0,  0,  5: >>>>>", "   2)  1,  0,  1,  2: >>",
                                        "   3)  2,  0,  2,  1: >"}));
}

TEST(SplitMoveListText, KeepsNonEmptyPiecesThatBeginWithABlank) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {" a\r\n b\r\n", {" a", " b"}},
        {" a\r\rno\n\n c", {" a", " c"}},
        {"1) 2, 3: >\r\n", {}},
        {"", {}},
        {"  \n", {"  "}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitMoveListText(c.text), c.lines) << c.text;
    EXPECT_EQ(JoinMoveListLines({" a", " b"}), " a\r\n b\r\n");
    EXPECT_EQ(SplitMoveListText(JoinMoveListLines({" a", " b"})),
              (std::vector<std::string>{" a", " b"}));
}

TEST(NumberBestSolutionLines, NumbersMovesAndGivesEliminationsThePreviousNumber) {
    const struct {
        std::vector<std::string> texts, numbered;
    } cases[] = {
        {{"  0,  0: >>", "  1,  0: x", "  2,  0: <"},
         {" 1)  0,  0: >>", " 1)  1,  0: x", " 2)  2,  0: <"}},
        // A first elimination is move 1, and so is the move after it.
        {{"  3,  4: x", "  0,  0: v"}, {" 1)  3,  4: x", " 1)  0,  0: v"}},
        // A row written without its leading blank, a column with one blank only.
        {{"5, 6: >", " 5, 6: >"}, {" 1) 5,  6: >", " 2) 5,  6: >"}},
        {{}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberBestSolutionLines(c.texts), c.numbered);
    // Ten texts take numbers three characters wide.
    const std::vector<std::string> ten(10, "  0,  0: >");
    EXPECT_EQ(NumberBestSolutionLines(ten).back(), " 10)  0,  0: >");
}

} // namespace
} // namespace vorpel
