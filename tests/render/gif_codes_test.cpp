// The LZW code stream: clear codes, code widths, the string cap, table resets, sub-block sizes.
#include <gtest/gtest.h>

#include "GifKit.h"

namespace vorpel {
namespace {

using namespace gifkit;

struct Stream {
    const char* name;
    Frame frame;
    std::size_t longestString;
    unsigned resetWidth;    // width of the first in-stream clear code; 0: none
    unsigned resetNextCode; // a decoder's next free code when it reads that clear code
};

std::vector<Stream> Streams() {
    Frame run{0, 0, 127, 1, {}};
    for (int i = 0; i < 127; ++i) run.pixels.push_back(std::uint8_t(i));
    return {
        // No string repeats; the end code follows a code that makes a decoder widen to 9 bits.
        {"127 colours in a row", run, 1, 0, 0},
        // The 3336th entry is followed by a clear code: 130 + 3336 = 3466.
        {"noise", NoiseFrame(1024, 512), 3, 12, 3466},
        // Strings are cut at 96 pixels; the 3965th code since the clear (next code 4094 > 4093)
        // resets, and a decoder has made one more entry by then.
        {"one colour", UniformFrame(1024, 368), 96, 12, 4095},
        // The store fills on the 1918th code: a decoder's entry for the following code takes its
        // next code to 2048, so it reads the clear code 12 bits wide, and it must be so written.
        {"string store limit", StoreLimitFrame(), 96, 12, 2048},
    };
}

TEST(GifCodes, StreamsDecodeWithTheirClearCodesAndSubBlocks) {
    for (const Stream& s : Streams()) {
        SCOPED_TRACE(s.name);
        const Frame& f = s.frame;
        const Layout layout = ReadLayout(Encode(f.width, f.height, {f}));
        ASSERT_EQ(layout.blocks.size(), 2u);
        const Block& image = layout.blocks[0];
        CodeWalk walk;
        ASSERT_NO_THROW(walk = WalkCodes(image.data, 7));

        EXPECT_TRUE(walk.pixels == f.pixels) << "pixels differ";
        EXPECT_TRUE(walk.ended);
        EXPECT_LT(walk.bitsLeft, 8u);
        EXPECT_EQ(walk.longestString, s.longestString);
        ASSERT_FALSE(walk.clears.empty());
        EXPECT_EQ(walk.clears[0].index, 0u);
        EXPECT_EQ(walk.clears[0].width, 8u);
        EXPECT_EQ(std::uint8_t(image.data[0]), 0x80);
        if (s.resetWidth == 0) {
            EXPECT_EQ(walk.clears.size(), 1u);
        } else {
            ASSERT_GE(walk.clears.size(), 2u);
            EXPECT_EQ(walk.clears[1].width, s.resetWidth);
            EXPECT_EQ(walk.clears[1].nextCode, s.resetNextCode);
        }
        for (std::size_t i = 0; i + 1 < image.subBlockSizes.size(); ++i) {
            EXPECT_GE(image.subBlockSizes[i], 251) << "sub-block " << i;
            EXPECT_LE(image.subBlockSizes[i], 252) << "sub-block " << i;
        }
    }
}

TEST(GifCodes, FirstSubBlockClosesAt251Bytes) {
    // Clear and 127 codes of 8 bits (128 bytes), then 9-bit codes: the 110th ends in byte 251.
    const Frame f = NoiseFrame(64, 8);
    const Layout layout = ReadLayout(Encode(f.width, f.height, {f}));
    ASSERT_GE(layout.blocks[0].subBlockSizes.size(), 2u);
    EXPECT_EQ(layout.blocks[0].subBlockSizes[0], 251);
}

TEST(GifCodes, EveryFrameStartsItsOwnCodeStream) {
    const Frame a = NoiseFrame(40, 30);
    Frame b = UniformFrame(7, 3);
    b.left = 4;
    b.top = 2;
    const Layout layout = ReadLayout(Encode(40, 30, {a, b, a}, 10, true, true));
    std::vector<std::vector<std::uint8_t>> decoded;
    for (const Block& block : layout.blocks) {
        if (block.introducer != 0x2C) continue;
        const CodeWalk walk = WalkCodes(block.data, 7);
        EXPECT_EQ(walk.clears.at(0).index, 0u);
        EXPECT_EQ(walk.clears[0].width, 8u);
        decoded.push_back(walk.pixels);
    }
    EXPECT_TRUE(decoded == (std::vector{a.pixels, b.pixels, a.pixels}));
}

// The direct dictionary against a plain hash map, on random frames of few to all colours in
// runs of random length, so that the string cap, the entry count and the store limit each reset
// the table and old table entries meet new codes.
TEST(GifCodes, DirectDictionaryWritesWhatAPlainMapWrites) {
    std::mt19937 random(12);
    for (int trial = 0; trial < 24; ++trial) {
        SCOPED_TRACE(trial);
        const int colours = 1 + int(random() % 128), longestRun = 1 + int(random() % 300);
        std::vector<Frame> frames;
        for (int k = 0; k < 3; ++k) {
            Frame f{0, 0, 100 + int(random() % 400), 50 + int(random() % 200), {}};
            while (f.pixels.size() < std::size_t(f.width) * std::size_t(f.height)) {
                const auto colour = std::uint8_t(random() % unsigned(colours));
                f.pixels.insert(f.pixels.end(), 1 + random() % unsigned(longestRun), colour);
            }
            f.pixels.resize(std::size_t(f.width) * std::size_t(f.height));
            frames.push_back(std::move(f));
        }
        const int width = 500, height = 250;
        EXPECT_TRUE(Encode(width, height, frames) ==
                    Encode<BasicGifEncoder<GifMapDictionary>>(width, height, frames))
            << "bytes differ";
    }
}

} // namespace
} // namespace vorpel
