// Test helpers for GIF files: encoding frames from pictures, and reading a file back the way a
// decoder does (block layout, sub-blocks, LZW codes with their widths).
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "render/GifEncoder.h"

namespace vorpel::gifkit {

inline constexpr std::size_t kStride = 2048; // canvas row length

// A frame's rectangle and its pixels, row-major.
struct Frame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// A palette whose entry i is (i, 255 - i, i * 7 mod 256), so a swapped channel shows.
inline GifPalette TestPalette() {
    GifPalette palette;
    for (int i = 0; i < 256; ++i)
        palette[i] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7 % 256)};
    return palette;
}

// Pixels (x * 5 + y * 3 + seed) mod 88: the colours a board uses, in short diagonal runs.
inline Frame PatternFrame(int left, int top, int width, int height, int seed) {
    Frame f{left, top, width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            f.pixels.push_back(std::uint8_t((x * 5 + y * 3 + seed) % 88));
    return f;
}

// All 128 colours at random: strings stay short, so the table fills by its entry count.
inline Frame NoiseFrame(int width, int height) {
    Frame f{0, 0, width, height, {}};
    std::mt19937 random(7);
    for (int i = 0; i < width * height; ++i) f.pixels.push_back(std::uint8_t(random() >> 25));
    return f;
}

// One colour: strings grow to the length cap and then repeat, so codes run out before entries.
inline Frame UniformFrame(int width, int height) {
    return Frame{0, 0, width, height, std::vector<std::uint8_t>(std::size_t(width) * height, 9)};
}

// Runs of one colour: a run of 4656 pixels (1 + 2 + ... + 96) stores strings of 2 to 97
// pixels, 5037 bytes of string store, and each further 96 pixels repeat the longest string
// without storing. A lone first pixel and the first run's length make the store reach 63896
// bytes, just past its limit, on the 1918th code after the clear, where a decoder's next code
// becomes 2048.
inline Frame StoreLimitFrame() {
    Frame f{0, 0, 512, 311, {127}};
    const int firstRunEnd = 1 + 4656 + 688 * 96;
    for (int i = 1; i < f.width * f.height; ++i)
        f.pixels.push_back(std::uint8_t(i < firstRunEnd ? 0 : 1 + (i - firstRunEnd) / 4656));
    return f;
}

// Draws each frame into a canvas of the real row length and feeds it to the encoder row by
// row at the canvas offsets the export uses.
template <class Encoder = GifEncoder>
std::string Encode(int width, int height, const std::vector<Frame>& frames, int delay = 0,
                   bool loop = false, bool gif89a = false) {
    Encoder encoder;
    encoder.GifBeginFile(TestPalette(), width, height, delay, loop, gif89a);
    for (const Frame& f : frames) {
        std::vector<std::uint8_t> canvas(kStride * (f.top + f.height), 0xEE);
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x)
                canvas[(f.top + y) * kStride + f.left + x] = f.pixels[y * f.width + x];
        encoder.GifBeginFrame(f.width, f.height, f.left, f.top);
        for (int y = 0; y < f.height; ++y)
            encoder.GifAddRow(canvas, (f.top + y) * kStride + f.left, y == f.height - 1);
    }
    encoder.GifEndFile();
    return encoder.Bytes();
}

// One extension or image of a file; `head` is everything before its sub-blocks.
struct Block {
    std::uint8_t introducer = 0; // 0x21 extension, 0x2C image
    std::string head;
    std::vector<int> subBlockSizes;
    std::string data; // the sub-blocks' payloads joined
};

struct Layout {
    std::string header; // signature, screen descriptor, global colour table
    std::vector<Block> blocks;
    std::size_t bytesAfterTrailer = 0;
};

inline Layout ReadLayout(const std::string& file) {
    Layout layout;
    std::size_t at = 0;
    auto need = [&](std::size_t n) {
        if (file.size() - at < n)
            throw std::runtime_error("file ends early at " + std::to_string(at));
    };
    auto byte = [&](std::size_t i) { return std::uint8_t(file[i]); };
    need(13);
    std::size_t headerSize = 13;
    if (byte(10) & 0x80) headerSize += 3u << ((byte(10) & 7) + 1);
    need(headerSize);
    layout.header = file.substr(0, headerSize);
    at = headerSize;
    for (;;) {
        need(1);
        const std::uint8_t introducer = byte(at);
        if (introducer == 0x3B) {
            layout.bytesAfterTrailer = file.size() - at - 1;
            return layout;
        }
        Block block;
        block.introducer = introducer;
        std::size_t headSize = 0;
        if (introducer == 0x21) {
            headSize = 2;
        } else if (introducer == 0x2C) {
            need(10);
            headSize = 11;
            if (byte(at + 9) & 0x80) headSize += 3u << ((byte(at + 9) & 7) + 1);
        } else {
            throw std::runtime_error("unknown block at " + std::to_string(at));
        }
        need(headSize);
        block.head = file.substr(at, headSize);
        at += headSize;
        for (;;) {
            need(1);
            const std::size_t size = byte(at++);
            if (size == 0) break;
            need(size);
            block.subBlockSizes.push_back(int(size));
            block.data += file.substr(at, size);
            at += size;
        }
        layout.blocks.push_back(std::move(block));
    }
}

// An LZW code stream read as a decoder reads it: the width grows when the next free code
// reaches a power of two, a clear code restarts the table.
struct ClearCode {
    std::size_t index; // position among the codes
    unsigned width;    // width it was read with
    unsigned nextCode; // the decoder's next free code when it was read
};

struct CodeWalk {
    std::vector<std::uint8_t> pixels;
    std::vector<unsigned> codes;
    std::vector<ClearCode> clears;
    std::size_t longestString = 0;
    bool ended = false;       // the end-of-information code was read
    std::size_t bitsLeft = 0; // unread bits after it
};

inline CodeWalk WalkCodes(const std::string& data, unsigned minCodeSize) {
    const unsigned clear = 1u << minCodeSize;
    const unsigned end = clear + 1;
    CodeWalk walk;
    std::vector<std::string> table;
    auto restart = [&] {
        table.assign(clear + 2, {});
        for (unsigned i = 0; i < clear; ++i) table[i] = std::string(1, char(i));
    };
    restart();
    unsigned width = minCodeSize + 1;
    int prev = -1;
    const std::size_t totalBits = data.size() * 8;
    std::size_t bit = 0;
    // A last code whose top bits lie past the data reads them as zero, as decoders do: the end
    // code may be written one bit narrower than a decoder reads it.
    while (bit < totalBits) {
        unsigned code = 0;
        for (unsigned i = 0; i < width; ++i, ++bit)
            if (bit < totalBits)
                code |= unsigned((std::uint8_t(data[bit / 8]) >> (bit % 8)) & 1) << i;
        walk.codes.push_back(code);
        if (code == clear) {
            walk.clears.push_back({walk.codes.size() - 1, width, unsigned(table.size())});
            restart();
            width = minCodeSize + 1;
            prev = -1;
            continue;
        }
        if (code == end) {
            walk.ended = true;
            walk.bitsLeft = totalBits - std::min(bit, totalBits);
            return walk;
        }
        std::string s;
        if (code < table.size() && code != clear && code != end && !table[code].empty())
            s = table[code];
        else if (code == table.size() && prev >= 0)
            s = table[prev] + table[prev][0];
        else
            throw std::runtime_error("invalid code " + std::to_string(code) + " at index " +
                                     std::to_string(walk.codes.size() - 1));
        if (prev >= 0 && table.size() < 4096) table.push_back(table[prev] + s[0]);
        if (table.size() == (1u << width) && width < 12) ++width;
        walk.pixels.insert(walk.pixels.end(), s.begin(), s.end());
        walk.longestString = std::max(walk.longestString, s.size());
        prev = int(code);
    }
    return walk;
}

} // namespace vorpel::gifkit
