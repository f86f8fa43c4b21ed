// The state of a title being typed.
#include <gtest/gtest.h>

#include "files/TitleState.h"

namespace vorpel {
namespace {

TEST(TitleState, InvalidDuplicatedOrValid) {
    LevelCollection collection;
    collection.levels[0].title = "First";
    collection.NewLevel("Second", 6, 6, true);
    struct Case {
        const char* title;
        int except;
        TitleState expected;
    };
    for (const Case& t :
         {Case{"", 1, TitleState::kInvalid}, Case{" First", 1, TitleState::kInvalid},
          Case{"First", 1, TitleState::kDuplicated}, Case{"First", 0, TitleState::kValid},
          Case{"first", 1, TitleState::kValid}, Case{"Third", 1, TitleState::kValid}}) {
        EXPECT_EQ(CheckTitleState(collection, t.title, t.except), t.expected) << t.title;
    }
}

} // namespace
} // namespace vorpel
