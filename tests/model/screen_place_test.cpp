// A window's frame placed on a screen's work area.
#include <gtest/gtest.h>

#include "model/ScreenPlace.h"

namespace vorpel {
namespace {

TEST(PlaceOnto, KeepsFramesInsideAndCutsOnlyWhatCannotFit) {
    // A work area below a 24-pixel panel.
    const ScreenRect area{0, 24, 1280, 776};
    const struct {
        const char* what;
        ScreenRect frame, placed;
    } cases[] = {
        {"inside stays", {100, 100, 400, 300}, {100, 100, 400, 300}},
        {"title bar above the area", {640, 0, 640, 800}, {640, 24, 640, 776}},
        {"past the right and bottom", {1100, 700, 400, 300}, {880, 500, 400, 300}},
        {"left of the area", {-50, 300, 200, 100}, {0, 300, 200, 100}},
        {"larger than the area", {-10, -10, 2000, 1000}, {0, 24, 1280, 776}},
        {"on a second screen to the right", {1500, 100, 300, 200}, {980, 100, 300, 200}},
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceOnto(c.frame, area), c.placed) << c.what;
}

} // namespace
} // namespace vorpel
