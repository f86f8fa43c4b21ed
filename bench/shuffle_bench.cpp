// Speed of the game shuffle on a crowded board and of the editor shuffle of many pieces.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/History.h"
#include "model/Shuffle.h"

namespace vorpel {
namespace {

// A 64 x 64 level whose cells hold single-cell blocks, every fourth cell left free.
std::unique_ptr<Context> Crowded() {
    auto ctx = std::make_unique<Context>();
    Level& level = ctx->CurrentLevel();
    level.Initialise("crowded", 64, 64);
    for (int r = 0; r < 64; ++r)
        for (int c = 0; c < 64; ++c)
            if ((r + c) % 4 != 0) {
                level.blockLayer.Set(r, c, '[');
                level.idLayer.Set(r, c, static_cast<std::int16_t>(2 + r * 64 + c));
            }
    RebuildBoard(*ctx);
    return ctx;
}

void BM_GameShuffleCrowded(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto ctx = Crowded();
        state.ResumeTiming();
        GameShuffle(*ctx);
        benchmark::DoNotOptimize(ctx->options.seed);
    }
}
BENCHMARK(BM_GameShuffleCrowded)->Unit(benchmark::kMillisecond);

// The same board with a 24 x 24 selection: some 430 pieces placed at random.
void BM_EditorShuffleManyPieces(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto ctx = Crowded();
        CellSelection selected;
        for (int r = 20; r < 44; ++r)
            for (int c = 20; c < 44; ++c) selected.cells.Set(r, c);
        state.ResumeTiming();
        benchmark::DoNotOptimize(EditorShuffle(*ctx, selected));
    }
}
BENCHMARK(BM_EditorShuffleManyPieces)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vorpel
