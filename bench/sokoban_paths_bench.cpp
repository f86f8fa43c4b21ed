// Click to push and click to walk on 64 x 64 boards: one search from a click, in milliseconds
// (the target is 10 ms for a push).
#include <benchmark/benchmark.h>

#include <random>

#include "model/SokobanPaths.h"

namespace vorpel {
namespace {

// A 64 x 64 board walled round, with walls scattered over `wallPercent` of the inside (a fixed
// seed), the player at the top left, the box beside it and a few other boxes strewn about.
SokobanPuzzle Yard(int wallPercent) {
    SokobanPuzzle p;
    p.rows = p.columns = 64;
    p.cells.assign(64 * 64, SokobanPuzzle::kFloor);
    std::mt19937 random(64);
    for (int r = 0; r < 64; ++r)
        for (int c = 0; c < 64; ++c) {
            std::uint8_t& cell = p.cells[static_cast<std::size_t>(r * 64 + c)];
            const auto roll = static_cast<int>(random() % 100);
            if (r == 0 || c == 0 || r == 63 || c == 63 || roll < wallPercent)
                cell = SokobanPuzzle::kWall;
            else if (roll < wallPercent + 2)
                cell = SokobanPuzzle::kBox;
        }
    // A clear corner for the player and the box, and a clear one for the target.
    for (int r = 1; r < 5; ++r)
        for (int c = 1; c < 5; ++c) {
            p.cells[static_cast<std::size_t>(r * 64 + c)] = SokobanPuzzle::kFloor;
            p.cells[static_cast<std::size_t>((63 - r) * 64 + 63 - c)] = SokobanPuzzle::kFloor;
        }
    p.player = 2 * 64 + 1;
    p.cells[2 * 64 + 2] = SokobanPuzzle::kBox;
    return p;
}

// Pushes the box from the top left corner to the bottom right one.
void BM_ClickToPush(benchmark::State& state) {
    const SokobanPuzzle p = Yard(static_cast<int>(state.range(0)));
    std::size_t steps = 0;
    for (auto _ : state) {
        const std::optional<StepPath> path = PushPath(p, 2, 2, 61, 61);
        steps = path ? path->size() : 0;
        benchmark::DoNotOptimize(steps);
    }
    state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_ClickToPush)->Arg(0)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

// The box pushed to a cell it cannot reach: the whole reachable space is searched.
void BM_ClickToPushOutOfReach(benchmark::State& state) {
    SokobanPuzzle p = Yard(static_cast<int>(state.range(0)));
    p.cells[61 * 64 + 62] = SokobanPuzzle::kWall; // the target's right-hand wall has a twin
    p.cells[62 * 64 + 61] = SokobanPuzzle::kWall; // below: the target is a corner pocket
    p.cells[61 * 64 + 60] = SokobanPuzzle::kWall;
    for (auto _ : state) benchmark::DoNotOptimize(PushPath(p, 2, 2, 61, 61));
}
BENCHMARK(BM_ClickToPushOutOfReach)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_ClickToWalk(benchmark::State& state) {
    const SokobanPuzzle p = Yard(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(WalkPath(p, 62, 62));
}
BENCHMARK(BM_ClickToWalk)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vorpel
