// The general solver: positions per second on open sliding-block boards from 6 x 6 to 16 x 16
// (searched until a memory cap, as no destination is ever met), the bytes each stored position
// takes, and the classic puzzles solved to their published optima.
#include <benchmark/benchmark.h>

#include <string>

#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "io/FileIO.h"
#include "model/Context.h"
#include "solver/GeneralSolver.h"

namespace vorpel {
namespace {

std::vector<Level> LevelsOf(const std::string& text) {
    Context ctx;
    std::vector<std::string> lines = SplitLines(text);
    ctx.collection.levels.clear();
    RememberedAnswer remembered = kAsk;
    AddLevels(ctx, "bench", lines, remembered);
    return ctx.collection.levels;
}

// A walled board of side `size` with a master block, a few two-cell and many one-cell blocks
// over about a third of the floor, and a destination walled in, so that no position solves it.
Level OpenBoard(int size) {
    std::string text = "\"Open " + std::to_string(size) + "\"\r\n";
    int label = 0;
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            const bool wall = r == 0 || c == 0 || r == size - 1 || c == size - 1 ||
                              (r == size - 3 && c >= size - 4) || (c == size - 4 && r >= size - 3);
            if (r == size - 2 && c == size - 2) {
                text += "+...";
            } else if (wall) {
                text += ".#..";
            } else if (r == 1 && c <= 2) {
                text += c == 1 ? ".@mm" : ".@mm";
            } else if ((r * 7 + c * 3) % 5 == 0 && c + 1 < size - 1 && r % 2 == 1) {
                // The left cell of a two-cell block; its right cell follows.
                text += ".[" + std::string{char('a' + label % 26), char('a' + label / 26)};
                ++c;
                text += ".[" + std::string{char('a' + label % 26), char('a' + label / 26)};
                ++label;
            } else if ((r * 5 + c * 11) % 4 == 0) {
                text += ".[..";
            } else {
                text += "....";
            }
        }
        text += "\r\n";
    }
    return LevelsOf(text).at(0);
}

void BM_GeneralSolverOpenBoard(benchmark::State& state) {
    const Level level = OpenBoard(static_cast<int>(state.range(0)));
    SolveLimits limits;
    limits.memoryBytes = std::size_t{16} << 20;
    SolveResult r;
    for (auto _ : state) {
        r = SolveGeneral(level, limits);
        benchmark::DoNotOptimize(r.positions);
    }
    state.counters["positions/s"] = static_cast<double>(r.positions) / r.seconds;
    state.counters["positions"] = static_cast<double>(r.positions);
    // At the cap, everything the search holds divided among its positions.
    state.counters["bytes/position"] =
        r.limit == "memory"
            ? static_cast<double>(limits.memoryBytes) / static_cast<double>(r.positions)
            : 0;
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
    std::string text;
    ReadWholeFile(VORPEL_SOURCE_DIR "/data/Classic sliding puzzles.txt", text);
    const std::vector<Level> levels = LevelsOf(text);
    const auto index = static_cast<std::size_t>(state.range(0));
    SolveLimits limits;
    limits.metric = state.range(1) ? SolveMetric::Moves : SolveMetric::Steps;
    SolveResult r;
    for (auto _ : state) r = SolveGeneral(levels.at(index), limits);
    state.counters["moves"] = r.moves;
    state.counters["steps"] = static_cast<double>(r.steps.size());
    state.counters["positions"] = static_cast<double>(r.positions);
    state.counters["positions/s"] = static_cast<double>(r.positions) / r.seconds;
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
