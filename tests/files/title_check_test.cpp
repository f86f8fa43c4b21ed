// Whether a typed title may be stored: valid, invalid or used by another level, and its warning.
#include <gtest/gtest.h>

#include "files/TitleCheck.h"

namespace vorpel {
namespace {

TEST(CheckTitleFor, RefusesInvalidAndWarnsOfDuplicatedTitles) {
    LevelCollection collection;
    collection.levels[0].title = "First";
    collection.NewLevel("Second", 6, 6, true);
    const struct {
        const char* title;
        int current;
        TitleState state;
    } cases[] = {
        {"", 0, TitleState::Invalid},
        {"   ", 0, TitleState::Invalid},
        {" First", 1, TitleState::Invalid},
        // Another level's title is duplicated; the current level's own title is not.
        {"First", 1, TitleState::Duplicated},
        {"First", 0, TitleState::Valid},
        {"Second", 0, TitleState::Duplicated},
        {"Second", 1, TitleState::Valid},
        // Titles compare exactly: case and trailing blanks make them different.
        {"second", 0, TitleState::Valid},
        {"Third ", 1, TitleState::Valid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckTitleFor(collection, c.title, c.current), c.state) << c.title;
    EXPECT_STREQ(TitleWarning(TitleState::Invalid), "Invalid title.");
    EXPECT_STREQ(TitleWarning(TitleState::Duplicated), "Duplicated title.");
    EXPECT_STREQ(TitleWarning(TitleState::Valid), "");
}

} // namespace
} // namespace vorpel
