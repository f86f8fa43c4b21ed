// The solved test: masters on destinations, uncovered marks, round and alphanumeric blocks.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

struct SolvedCase {
    const char* name;
    std::vector<std::string> board;
    bool solved;
};

class Solved : public ::testing::TestWithParam<SolvedCase> {};

TEST_P(Solved, Decides) {
    const SolvedCase& t = GetParam();
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, t.board), "");
    std::string message;
    EXPECT_EQ(CheckSolved(ctx, false, message), t.solved);
    EXPECT_EQ(message, t.solved ? kSolvedMessage : "");
    EXPECT_TRUE(CheckSolved(ctx, true, message) == t.solved && message.empty()) << "quiet";
}

const SolvedCase kSolvedCases[] = {
    {"MasterOnEveryDestination", {"+@.. +X..", ".... ...."}, true},
    {"MasterOffDestination", {"+@.. .X..", ".... ...."}, false},
    {"DestinationLeftEmpty", {"+@.. +...", ".... ...."}, false},
    {"NormalBlockOnDestination", {"+@.. +[..", ".... ...."}, false},
    {"HoverOnDontCover", {"+@.. ^;..", ".... ...."}, true},
    {"NormalBlockOnDontCover", {"+@.. ^[..", ".... ...."}, false},
    {"RoundBlockOnItsMark", {"\xA1\xA1.. .\xB0..", ".... ...."}, true},
    {"RoundBlockOnOtherColour", {"\xA1\xA2.. ....", ".... ...."}, false},
    {"RoundMarkUncovered", {"\xA1... .\xA1..", ".... ...."}, false},
    {"LetterBlockOnItsMarks",
     {"A[\xFF"
      "A A[\xFF"
      "A",
      "B... ...."},
     true},
    {"LetterBlockHalfOff",
     {"A[\xFF"
      "A .[\xFF"
      "A",
      ".... ...."},
     false},
    {"DigitZeroIsThePlainDigit",
     {"0[\xFF"
      "0 ....",
      ".... ...."},
     true},
    {"NoGoalsNeverSolved", {".[.. ....", ".... ...."}, false},
};

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const SolvedCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Board, Solved, ::testing::ValuesIn(kSolvedCases),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace vorpel
