// Speed of building the play board and of replaying and stepping back through a history.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/History.h"
#include "model/Movement.h"

namespace vorpel {
namespace {

void Put(Level& level, int r, int c, Byte mark, Byte block, int id) {
    const int cell = CellIndex(r, c);
    level.markLayer[cell] = mark;
    level.blockLayer[cell] = block;
    level.idLayer[cell] = static_cast<std::int16_t>(id);
}

// A walled 20 x 20 Sokoban room with a player, two master boxes and two destinations.
std::unique_ptr<Context> SokobanRoom() {
    auto ctx = std::make_unique<Context>();
    Level& level = ctx->CurrentLevel();
    level.Initialise("room", 20, 20);
    for (int i = 0; i < 20; ++i) {
        Put(level, 0, i, '.', '#', 0);
        Put(level, 19, i, '.', '#', 0);
        Put(level, i, 0, '.', '#', 0);
        Put(level, i, 19, '.', '#', 0);
    }
    Put(level, 5, 3, '.', '[', 2);
    Put(level, 5, 4, '.', 'V', 3);
    Put(level, 12, 4, '.', 'V', 4);
    Put(level, 17, 17, '+', '.', 0);
    Put(level, 17, 16, '+', '.', 0);
    RebuildBoard(*ctx);
    return ctx;
}

// Drags the player (held at its anchor) one cell; true when it moved.
bool Step(Context& ctx, int rowDelta, int columnDelta) {
    const Block& player = ctx.board.blocks[2];
    SelectBlock(ctx, player.anchorColumn, player.anchorRow);
    return DragSelectedBlock(ctx, player.anchorColumn + columnDelta, player.anchorRow + rowDelta,
                             false);
}

// Records about 5,000 steps, most of them pushes: the box goes right ten cells, the player
// walks round it, the box goes left ten cells, and the player walks back round.
std::unique_ptr<Context> SokobanHistory() {
    auto ctx = SokobanRoom();
    while (ctx->CurrentLevel().stepCount < 5000) {
        for (int i = 0; i < 10; ++i) Step(*ctx, 0, 1);
        Step(*ctx, 1, 0);
        Step(*ctx, 0, 1);
        Step(*ctx, 0, 1);
        Step(*ctx, -1, 0);
        for (int i = 0; i < 10; ++i) Step(*ctx, 0, -1);
        Step(*ctx, 1, 0);
        Step(*ctx, 0, -1);
        Step(*ctx, 0, -1);
        Step(*ctx, -1, 0);
    }
    return ctx;
}

void BM_BuildPlayBoardSokoban(benchmark::State& state) {
    auto ctx = SokobanRoom();
    for (auto _ : state) {
        BuildPlayBoard(ctx->collection, ctx->board);
        benchmark::DoNotOptimize(ctx->board.blockCount);
    }
}
BENCHMARK(BM_BuildPlayBoardSokoban)->Unit(benchmark::kMicrosecond);

void BM_BuildPlayBoardSingleCells(benchmark::State& state) {
    auto ctx = std::make_unique<Context>();
    Level& level = ctx->CurrentLevel();
    level.Initialise("cells", 64, 64);
    for (int r = 0; r < 64; ++r)
        for (int c = 0; c < 64; ++c) Put(level, r, c, '.', '[', 2 + r * 64 + c);
    for (auto _ : state) {
        BuildPlayBoard(ctx->collection, ctx->board);
        benchmark::DoNotOptimize(ctx->board.blockCount);
    }
    state.counters["blocks"] = ctx->board.blockCount - 1;
}
BENCHMARK(BM_BuildPlayBoardSingleCells)->Unit(benchmark::kMicrosecond);

void BM_ReplayForward(benchmark::State& state) {
    auto ctx = SokobanHistory();
    const int total = ctx->CurrentLevel().stepCount;
    for (auto _ : state) {
        GoToPosition(*ctx, 0);
        GoToPosition(*ctx, total);
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(total) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReplayForward)->Unit(benchmark::kMillisecond);

void BM_StepBackwardToStart(benchmark::State& state) {
    auto ctx = SokobanHistory();
    const int total = ctx->CurrentLevel().stepCount;
    for (auto _ : state) {
        state.PauseTiming();
        GoToPosition(*ctx, 0);
        GoToPosition(*ctx, total);
        state.ResumeTiming();
        while (ctx->CurrentLevel().currentStep > 0) StepBackward(*ctx);
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(total) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StepBackwardToStart)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vorpel
