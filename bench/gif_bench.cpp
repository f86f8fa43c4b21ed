// Speed of the GIF encoder against giflib's on the same board pictures.
#include <benchmark/benchmark.h>

#include <gif_lib.h>

#include <string>
#include <vector>

#include "render/GifEncoder.h"

namespace vorpel {
namespace {

constexpr int kSide = 1024;
constexpr int kFrames = 200;

// A board-like picture: 32-pixel cells of flat colour with bevelled edges and some marks.
std::vector<std::uint8_t> BoardPicture(int frame) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kSide) * kSide);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const int cell = ((y / 32) * 37 + (x / 32) * 11 + frame) % 23;
            const int cx = x % 32, cy = y % 32;
            std::uint8_t p = static_cast<std::uint8_t>(16 + cell * 4);
            if (cx == 0 || cy == 0)
                p = 1;
            else if (cx < 3 || cy < 3)
                p = static_cast<std::uint8_t>(p + 1);
            else if (cx > 28 || cy > 28)
                p = static_cast<std::uint8_t>(p + 2);
            else if (cell % 5 == 0 && (cx - 16) * (cx - 16) + (cy - 16) * (cy - 16) < 60)
                p = 7;
            pixels[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)] = p;
        }
    return pixels;
}

void BM_GifEncoder(benchmark::State& state) {
    const std::vector<std::uint8_t> a = BoardPicture(0), b = BoardPicture(1);
    GifPalette palette{};
    for (int i = 0; i < 256; ++i)
        palette[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), 0, 0};
    std::size_t bytes = 0;
    for (auto _ : state) {
        GifEncoder encoder;
        encoder.GifBeginFile(palette, kSide, kSide, 40, true, true);
        for (int f = 0; f < kFrames; ++f) {
            const std::vector<std::uint8_t>& pixels = f % 2 ? b : a;
            encoder.GifBeginFrame(kSide, kSide, 0, 0);
            for (int y = 0; y < kSide; ++y)
                encoder.GifAddRow(pixels, static_cast<std::size_t>(y) * kSide, y == kSide - 1);
        }
        encoder.GifEndFile();
        bytes = encoder.Bytes().size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GifEncoder)->Unit(benchmark::kMillisecond)->Iterations(1);

int AppendToString(GifFileType* file, const GifByteType* data, int length) {
    static_cast<std::string*>(file->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

void BM_Giflib(benchmark::State& state) {
    std::vector<std::uint8_t> a = BoardPicture(0), b = BoardPicture(1);
    std::vector<GifColorType> colours(128);
    for (int i = 0; i < 128; ++i)
        colours[static_cast<std::size_t>(i)] = {static_cast<GifByteType>(i), 0, 0};
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string out;
        int error = 0;
        GifFileType* file = EGifOpen(&out, AppendToString, &error);
        ColorMapObject* map = GifMakeMapObject(128, colours.data());
        EGifPutScreenDesc(file, kSide, kSide, 7, 0, map);
        for (int f = 0; f < kFrames; ++f) {
            std::vector<std::uint8_t>& pixels = f % 2 ? b : a;
            EGifPutImageDesc(file, 0, 0, kSide, kSide, false, nullptr);
            for (int y = 0; y < kSide; ++y)
                EGifPutLine(file, pixels.data() + static_cast<std::size_t>(y) * kSide, kSide);
        }
        EGifCloseFile(file, &error);
        GifFreeMapObject(map);
        bytes = out.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Giflib)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace vorpel
