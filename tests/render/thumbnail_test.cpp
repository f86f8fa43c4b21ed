// Level pictures for the level list: the board renderer's pixels, the start position, the cache.
#include <gtest/gtest.h>

#include "Fixtures.h"
#include "RenderKit.h"
#include "render/Thumbnails.h"

namespace vorpel {
namespace {

const std::vector<std::string> kLevel = {".#.. .#.. .#.. .#.. .#..", ".#.. .[.. .V.. +... .#..",
                                         ".#.. .@.. .... +V.. .#..", ".#.. .#.. .#.. .#.. .#.."};

TEST(Thumbnail, TheRenderersStartingBoardCropped) {
    auto ctx = std::make_unique<Context>();
    ASSERT_EQ(test::LoadBoard(*ctx, kLevel, " 1) 1, 1: >"), "");
    const Level& level = ctx->CurrentLevel();
    ThumbnailCache cache;
    for (const int s : {1, 3, 6}) {
        const Thumbnail& t = cache.Get(level, 0, s);
        ASSERT_EQ(t.width, 5 * s);
        ASSERT_EQ(t.height, 4 * s);
        // The same pixels as the board drawn at the level's start.
        auto start = std::make_unique<Context>();
        ASSERT_EQ(test::LoadBoard(*start, kLevel), "");
        auto canvas = std::make_unique<BoardCanvas>();
        renderkit::Draw(*start, *canvas, s);
        for (int y = 0; y < t.height; ++y)
            for (int x = 0; x < t.width; ++x)
                ASSERT_EQ(t.At(x, y), canvas->At(x, y)) << s << ": " << x << "," << y;
    }
    EXPECT_EQ(ThumbnailCellSize(level, 60, 100), 12);
    EXPECT_EQ(ThumbnailCellSize(level, 3, 3), 1);
}

TEST(Thumbnail, CacheKeepsRecentPicturesWithinItsBound) {
    auto ctx = std::make_unique<Context>();
    ASSERT_EQ(test::LoadBoard(*ctx, kLevel), "");
    const Level& level = ctx->CurrentLevel();
    ThumbnailCache cache(3 * 20 * 16); // three pictures at cell size 4
    const Thumbnail* first = &cache.Get(level, 0, 4);
    EXPECT_EQ(&cache.Get(level, 0, 4), first) << "kept, not drawn again";
    for (int i = 1; i <= 3; ++i) cache.Get(level, i, 4);
    EXPECT_EQ(cache.Count(), 3u);
    EXPECT_EQ(cache.Bytes(), 3u * 20 * 16);
    cache.Get(level, 2, 4); // used again, so level 1 is the oldest
    cache.Get(level, 4, 4);
    EXPECT_EQ(cache.Count(), 3u);
    EXPECT_FALSE(cache.Contains(1, 4));
    EXPECT_TRUE(cache.Contains(2, 4) && cache.Contains(3, 4) && cache.Contains(4, 4));
    EXPECT_FALSE(cache.Contains(2, 5)) << "another cell size is another picture";
    cache.Forget(2);
    EXPECT_EQ(cache.Count(), 2u);
    EXPECT_FALSE(cache.Contains(2, 4));
    EXPECT_EQ(cache.Bytes(), 2u * 20 * 16);
    // A picture larger than the bound still comes back, alone.
    cache.Get(level, 5, 30);
    EXPECT_EQ(cache.Count(), 1u);
}

} // namespace
} // namespace vorpel
