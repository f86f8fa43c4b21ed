// The general solver: positions per second on open sliding-block boards from 6 x 6 to 16 x 16
// (searched until a memory cap, as no destination is ever met), the bytes each stored position
// takes, and the classic puzzles solved to their published optima.
#include <benchmark/benchmark.h>

#include <string>

#include "SolverFixtures.h"
#include "solver/GeneralSolver.h"

namespace vorpel {
namespace {

using test::LevelsOf;

// A walled board of side `size` with a two-cell master block, a two-cell block and six
// one-cell blocks, and one destination walled in a corner, so that no position solves it.
Level OpenBoard(int size) {
    std::vector<std::string> cells(static_cast<std::size_t>(size * size), "....");
    auto at = [&](int r, int c) -> std::string& {
        return cells[static_cast<std::size_t>(r * size + c)];
    };
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            if (r == 0 || c == 0 || r == size - 1 || c == size - 1) at(r, c) = ".#..";
    at(size - 3, size - 2) = at(size - 2, size - 3) = ".#..";
    at(size - 2, size - 2) = "+...";
    at(1, 1) = at(1, 2) = ".@mm";
    at(1, size - 2) = at(2, size - 2) = ".[dd";
    const int inner = (size - 2) * (size - 2);
    for (int k = 0, placed = 0; placed < 6; ++k) {
        const int i = (k * 37 + 11) % inner;
        std::string& cell = at(1 + i / (size - 2), 1 + i % (size - 2));
        if (cell != "....") continue;
        cell = ".[..";
        ++placed;
    }
    std::string text = "\"Open " + std::to_string(size) + "\"\r\n";
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) text += at(r, c);
        text += "\r\n";
    }
    return LevelsOf(text).at(0);
}

void BM_GeneralSolverOpenBoard(benchmark::State& state) {
    const Level level = OpenBoard(static_cast<int>(state.range(0)));
    SolveLimits limits;
    limits.memoryBytes = std::size_t{16} << 20;
    SolveResult r;
    GeneralSearchStats stats;
    for (auto _ : state) {
        r = SolveGeneral(level, limits, {}, {}, &stats);
        benchmark::DoNotOptimize(r.positions);
    }
    state.counters["positions/s"] =
        benchmark::Counter(static_cast<double>(r.positions), benchmark::Counter::kIsRate);
    state.counters["positions"] = static_cast<double>(r.positions);
    state.counters["successors/s"] =
        benchmark::Counter(static_cast<double>(stats.successors), benchmark::Counter::kIsRate);
    // The encodings and the table's slots; and everything allocated, growth slack included.
    state.counters["bytes/position"] =
        static_cast<double>(stats.storedBytes) / static_cast<double>(r.positions);
    state.counters["held bytes/position"] =
        static_cast<double>(stats.heldBytes) / static_cast<double>(r.positions);
    state.counters["encoding bytes"] = static_cast<double>(GeneralEncodingBytes(level));
    state.SetLabel(r.limit);
}
BENCHMARK(BM_GeneralSolverOpenBoard)
    ->Arg(6)
    ->Arg(8)
    ->Arg(10)
    ->Arg(12)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Klotski in moves and steps, the Rush Hour card in moves, the eight puzzle in steps.
void BM_ClassicPuzzle(benchmark::State& state) {
    const std::vector<Level> levels =
        test::LevelsOfFile(VORPEL_SOURCE_DIR "/data/Classic sliding puzzles.txt");
    const auto index = static_cast<std::size_t>(state.range(0));
    SolveLimits limits;
    limits.metric = state.range(1) ? SolveMetric::Moves : SolveMetric::Steps;
    SolveResult r;
    for (auto _ : state) r = SolveGeneral(levels.at(index), limits);
    state.counters["moves"] = r.moves;
    state.counters["steps"] = static_cast<double>(r.steps.size());
    state.counters["positions"] = static_cast<double>(r.positions);
    state.counters["positions/s"] =
        benchmark::Counter(static_cast<double>(r.positions), benchmark::Counter::kIsRate);
    state.SetLabel(levels.at(index).title.substr(0, 12));
}
BENCHMARK(BM_ClassicPuzzle)
    ->Args({0, 1})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
} // namespace vorpel
