// The editor's alphanumeric character: its cycle and typing in its field.
#include <gtest/gtest.h>

#include <string>

#include "editor/Alphanumeric.h"

namespace vorpel {
namespace {

TEST(AlphanumericCycle, RunsThroughEveryCharacterBothWays) {
    const std::string cycle = " ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC7"
                              "abcdefghijklmnopqrstuvwxyz\xE7"
                              "0123456789";
    ASSERT_EQ(cycle.size(), 65u);
    for (std::size_t i = 0; i < cycle.size(); ++i) {
        const auto c = static_cast<Byte>(cycle[i]);
        EXPECT_EQ(NextAlphanumeric(c), static_cast<Byte>(cycle[(i + 1) % cycle.size()])) << i;
        EXPECT_EQ(PreviousAlphanumeric(c),
                  static_cast<Byte>(cycle[(i + cycle.size() - 1) % cycle.size()]))
            << i;
    }
}

TEST(AlphanumericCycle, OtherCharactersStepToItsEnds) {
    for (const Byte c : {Byte{'#'}, Byte{0xD8}, Byte{0}, Byte{0xFF}, Byte{'@'}}) {
        EXPECT_EQ(NextAlphanumeric(c), 'A');
        EXPECT_EQ(PreviousAlphanumeric(c), '9');
    }
}

TEST(AlphanumericField, TakesTheCharacterJustTyped) {
    struct Case {
        const char* text;
        Byte current;
        Byte expected;
    };
    for (const Case& t :
         {Case{"", 'A', ' '}, Case{"AB", 'A', 'B'}, Case{"BA", 'A', 'B'}, Case{"A", 'A', 'A'},
          Case{"AA", 'A', 'A'}, Case{"7", ' ', '7'}, Case{"\xE7Q", 'Q', 0xE7}}) {
        EXPECT_EQ(TypedAlphanumeric(t.text, t.current), t.expected) << t.text;
    }
    EXPECT_EQ(ButtonCharacter('0'), 0xD8);
    EXPECT_EQ(ButtonCharacter('O'), 'O');
}

} // namespace
} // namespace vorpel
