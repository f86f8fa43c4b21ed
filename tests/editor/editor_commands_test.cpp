// The editor window's button table and the kinds and marks its keys place.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/EditorCommands.h"

namespace vorpel {
namespace {

TEST(EditorKeys, PlaceTheirKindsAndMarks) {
    const std::string kindKeys = "3478-DEFGHIJKLRTUY";
    const std::string kinds = ".[{}v%#&($~->;]*|!";
    for (std::size_t i = 0; i < kindKeys.size(); ++i) {
        EXPECT_EQ(KindOfKey(static_cast<Byte>(kindKeys[i]), 0xA1), static_cast<Byte>(kinds[i]))
            << kindKeys[i];
        EXPECT_EQ(MarkOfKey(static_cast<Byte>(kindKeys[i]), 0xA1), 0) << kindKeys[i];
    }
    const std::string markKeys = "12'AQSW\\|";
    const std::string marks = "+.:\\/<)^_";
    for (std::size_t i = 0; i < markKeys.size(); ++i) {
        EXPECT_EQ(MarkOfKey(static_cast<Byte>(markKeys[i]), 0xA1), static_cast<Byte>(marks[i]))
            << markKeys[i];
        EXPECT_EQ(KindOfKey(static_cast<Byte>(markKeys[i]), 0xA1), 0) << markKeys[i];
    }
    EXPECT_EQ(KindOfKey('[', 0xB0), 0xB0);
    EXPECT_EQ(MarkOfKey(']', 0xF7), 0xF7);
    for (const Byte c : {Byte{'5'}, Byte{'O'}, Byte{'P'}, Byte{'N'}, Byte{252}, Byte{'='}}) {
        EXPECT_EQ(KindOfKey(c, 0xA1), 0);
        EXPECT_EQ(MarkOfKey(c, 0xA1), 0);
    }
}

TEST(EditorButtons, EveryButtonHasItsOwnKeyAndAHint) {
    std::set<std::string_view> keys;
    for (std::size_t tag = 0; tag < EditorButtons().size(); ++tag) {
        const EditorButton& b = EditorButtons()[tag];
        EXPECT_FALSE(b.hint.empty());
        EXPECT_FALSE(b.key.empty());
        EXPECT_TRUE(keys.insert(b.key).second) << b.hint;
        // The caption is the key that presses the button.
        const int found = b.key.size() == 1 ? ButtonOfCharacter(static_cast<Byte>(b.key[0]))
                                            : ButtonOfKeyName(b.key);
        EXPECT_EQ(found, static_cast<int>(tag)) << b.hint;
    }
    // Letters in either case; "," and "." undo and redo as "<" and ">" do.
    EXPECT_EQ(ButtonOfCharacter('e'), ButtonOfCharacter('E'));
    EXPECT_EQ(ButtonOfCharacter(','), ButtonOfCharacter('<'));
    EXPECT_EQ(ButtonOfCharacter('.'), ButtonOfCharacter('>'));
    EXPECT_EQ(ButtonOfCharacter('%'), -1);
    EXPECT_EQ(ButtonOfKeyName("F11"), -1);
    EXPECT_EQ(EditorButtons()[kStopButton].hint, "Stop shuffling");
    EXPECT_EQ(EditorButtons()[kRoundBlockButton].hint, "Round block");
    EXPECT_EQ(EditorButtons()[kAlphanumericMarkButton].key, "P");
}

} // namespace
} // namespace vorpel
