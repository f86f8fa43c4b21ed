// Speed of DrawBoard on a full canvas (64 × 64 cells of 32 pixels, every kind and mark) next to
// memset over the same 4 MiB.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "files/LevelText.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"
#include "render/BoardDrawing.h"

namespace vorpel {
namespace {

// Every block character and every mark, spread so that each meets the others.
std::unique_ptr<Context> FullBoard() {
    const std::string kinds = "[@xX{?}z|\"-=vV&w$Y;Z>y]*!(#%~.\xA1\xB0\xF7\xC0..";
    const std::string marks = ".+^/):\\_<A0\xC7\xE7\xA1\xB5z..";
    std::string text = "\"Full board\"\r\n";
    for (int r = 0; r < 64; ++r) {
        for (int c = 0; c < 64; ++c) {
            // Cells go in pairs of one kind, joined by a shared label on two rows out of three.
            const char kind = kinds[std::size_t(r * 32 + c / 2) % kinds.size()];
            text += marks[std::size_t(r * 7 + c * 3) % marks.size()];
            text += kind == '\xC0' ? '[' : kind;
            if (kind == '\xC0')
                text += std::string("\xFF") + char('A' + (r + c / 2) % 26);
            else if (r % 3 == 0)
                text += "..";
            else
                text += std::string{char('0' + c / 2), char('0' + r % 40)};
        }
        text += "\r\n";
    }
    auto ctx = std::make_unique<Context>();
    const std::vector<std::string> lines = SplitLines(text);
    ctx->collection.NewLevel("", 4, 4, false);
    std::size_t index = 0;
    if (!ReadLevelText(*ctx, lines, index, true).empty()) return nullptr;
    RebuildBoard(*ctx);
    return ctx;
}

void BM_DrawBoard(benchmark::State& state) {
    auto ctx = FullBoard();
    if (!ctx) {
        state.SkipWithError("board not read");
        return;
    }
    ctx->options.value[kDrawMarksOverBlocks] = true;

    const bool cold = state.range(1) != 0;
    auto canvas = std::make_unique<BoardCanvas>();
    auto drawn = std::make_unique<ViewState>();
    ComputeOutlineFlags(ctx->board, drawn->outline);
    const CanvasView view{32, false,
                          state.range(0) != 0 ? Annotation::kIdentifyBlocks : Annotation::kNone};
    for (auto _ : state) {
        if (cold) canvas->cellCache.cellSize = -1; // as after a zoom: every cell drawn anew
        DrawBoard(*ctx, *drawn, view, *canvas);
        benchmark::DoNotOptimize(canvas->pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kCanvasSize * kCanvasSize);
}
BENCHMARK(BM_DrawBoard)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"identify", "cold"})
    ->Unit(benchmark::kMicrosecond);

void BM_MemsetCanvas(benchmark::State& state) {
    std::vector<std::uint8_t> canvas(std::size_t(kCanvasSize) * kCanvasSize);
    int value = 0;
    for (auto _ : state) {
        std::memset(canvas.data(), ++value & 0xFF, canvas.size());
        benchmark::DoNotOptimize(canvas.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kCanvasSize * kCanvasSize);
}
BENCHMARK(BM_MemsetCanvas)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vorpel
