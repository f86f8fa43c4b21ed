// The look of Sokoban levels: a box on a goal and the player on a goal show the goal at every
// cell size; the same cells of another level stay as they were.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "RenderKit.h"
#include "render/BoardPalette.h"

namespace vorpel {
namespace {

using namespace ink;
using renderkit::Draw;

// A box on a goal, the player on a goal, a box off a goal and an empty goal.
const std::vector<std::string> kSokoban = {".#.. .#.. .#.. .#.. .#.. .#..",
                                           ".#.. +V.. +[.. .V.. +... .#..",
                                           ".#.. .#.. .#.. .#.. .#.. .#.."};

std::uint8_t Centre(const BoardCanvas& canvas, int row, int column) {
    const int s = canvas.drawnCellSize;
    return canvas.At(column * s + s / 2, row * s + s / 2);
}

TEST(SokobanLook, GoalsUnderBoxAndPlayerShowAtEverySize) {
    auto ctx = std::make_unique<Context>();
    auto canvas = std::make_unique<BoardCanvas>();
    ASSERT_EQ(test::LoadBoard(*ctx, kSokoban), "");
    for (const int s : {2, 3, 5, 8, 10, 11, 12, 14, 32}) {
        SCOPED_TRACE(s);
        Draw(*ctx, *canvas, s, false, Annotation::kNone);
        EXPECT_EQ(Centre(*canvas, 1, 1), kYellow) << "box on a goal";
        EXPECT_EQ(Centre(*canvas, 1, 2), kRed) << "player on a goal";
        EXPECT_NE(Centre(*canvas, 1, 3), kYellow) << "a box off a goal";
        EXPECT_EQ(Centre(*canvas, 1, 4), kRed) << "an empty goal";
        // The square sits inside the cell and leaves the box's edge alone.
        EXPECT_NE(canvas->At(s, s), kYellow);
    }
}

TEST(SokobanLook, OtherLevelsAndTheEditorKeepTheirLook) {
    // With a don't-cover mark the level is no Sokoban level: the goals stay hidden under blocks.
    std::vector<std::string> other = kSokoban;
    other[0] = ".#.. .#.. .#.. .#.. .#.. ^#..";
    for (const bool editing : {false, true}) {
        auto ctx = std::make_unique<Context>();
        auto canvas = std::make_unique<BoardCanvas>();
        ASSERT_EQ(test::LoadBoard(*ctx, editing ? kSokoban : other), "");
        ctx->editing = editing;
        Draw(*ctx, *canvas, 14, false, Annotation::kNone);
        // The editor draws every mark its own way (the destination square, red on a red box).
        EXPECT_NE(Centre(*canvas, 1, 1), kYellow) << editing;
        EXPECT_EQ(Centre(*canvas, 1, 2), editing ? kRed : kBrown) << editing;
    }
}

} // namespace
} // namespace vorpel
