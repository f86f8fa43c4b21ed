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

TEST(EditorButtons, EveryButtonHasItsOwnCommandAndAHint) {
    std::set<Byte> commands;
    for (const EditorButton& b : EditorButtons()) {
        EXPECT_FALSE(b.hint.empty());
        EXPECT_FALSE(b.key.empty());
        EXPECT_TRUE(commands.insert(b.command).second) << b.hint;
    }
    EXPECT_EQ(EditorButtons()[kStopButton].hint, "Stop shuffling");
    EXPECT_EQ(EditorButtons()[kRoundBlockButton].hint, "Round block");
    EXPECT_EQ(EditorButtons()[kAlphanumericMarkButton].key, "P");
}

} // namespace
} // namespace vorpel
