// Speed and memory of loading large collections: a generated 10,000-level SOK file with and
// without solutions, and the growth of appending, title look-up and made-up titles.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

#include "BenchKit.h"
#include "files/LevelLoad.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

namespace fs = std::filesystem;

constexpr int kLevels = bench::kCollectionLevels;

using bench::CollectionFile;

double LevelMegabytes(const LevelCollection& collection) {
    std::size_t bytes = collection.levels.capacity() * sizeof(Level);
    for (const Level& level : collection.levels)
        bytes += level.blockLayer.Bytes() + level.markLayer.Bytes() + level.idLayer.Bytes() +
                 level.steps.capacity() * sizeof(StepRecord) +
                 (level.title.capacity() > 15 ? level.title.capacity() + 1 : 0);
    return static_cast<double>(bytes) / 1e6;
}

// Reads the file into an empty collection as the read command does; false on any message.
bool Load(Context& ctx, const std::string& path) {
    ctx.collection.levels.clear();
    std::vector<std::string> lines;
    if (!ReadLevelSource(ctx, path, lines).Ok()) return false;
    RememberedAnswer remembered = kAsk;
    return AddLevels(ctx, "File.", lines, remembered).error.empty() &&
           ctx.silentPlatform.shown.empty();
}

// resident_MB is the whole process's, which never shrinks: run one benchmark alone
// (--benchmark_filter) for its own figure.
void LoadCollection(benchmark::State& state, bool solutions) {
    const std::string path = CollectionFile(solutions);
    const double before = bench::ResidentMegabytes();
    double resident = 0, levels = 0;
    for (auto _ : state) {
        auto ctx = std::make_unique<Context>();
        if (!Load(*ctx, path) || ctx->collection.levels.size() != kLevels) {
            state.SkipWithError("the collection did not load whole");
            return;
        }
        state.PauseTiming();
        resident = bench::ResidentMegabytes();
        levels = LevelMegabytes(ctx->collection);
        ctx.reset();
        state.ResumeTiming();
    }
    state.counters["resident_MB"] = resident;
    state.counters["growth_MB"] = resident - before;
    state.counters["levels_MB"] = levels;
}

// Target: at most 3 s, and at most 100 MB resident with the levels loaded.
void BM_LoadSokWithSolutions(benchmark::State& state) {
    LoadCollection(state, true);
}
BENCHMARK(BM_LoadSokWithSolutions)->Unit(benchmark::kMillisecond)->Iterations(3);

// Target: at most 0.3 s.
void BM_LoadSokBoardsOnly(benchmark::State& state) {
    LoadCollection(state, false);
}
BENCHMARK(BM_LoadSokBoardsOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

// Every solution replays to a solved board: the generated collection is what it claims.
void BM_GeneratedSolutionsSolve(benchmark::State& state) {
    auto ctx = std::make_unique<Context>();
    if (!Load(*ctx, CollectionFile(true))) {
        state.SkipWithError("the collection did not load");
        return;
    }
    int solved = 0;
    for (auto _ : state) {
        solved = 0;
        for (int i = 0; i <= ctx->collection.lastLevel(); ++i) {
            ctx->collection.currentLevel = i;
            RebuildBoard(*ctx);
            EndOfLevel(*ctx);
            solved += IsSolved(*ctx) ? 1 : 0;
        }
    }
    if (solved != kLevels) state.SkipWithError("a generated solution does not solve its level");
    state.counters["solved"] = solved;
}
BENCHMARK(BM_GeneratedSolutionsSolve)->Unit(benchmark::kMillisecond)->Iterations(1);

// N small levels in the level text format appended to a collection that already holds N:
// half without titles (made up from the source's name) and half with one shared title (looked
// up, then added again). Linear when appending and title look-up are constant-time.
void BM_AppendMadeUpAndTakenTitles(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::string text;
    for (int k = 0; k < n; ++k)
        text += std::string(k % 2 ? "\"Same\"" : "\"\"") + "\r\n.#...[..+...\r\n.#...#...#..\r\n";
    const fs::path path =
        fs::temp_directory_path() / ("vorpel-bench-" + std::to_string(::getpid()) + "-titles.txt");
    std::ofstream(path, std::ios::binary) << text;
    for (auto _ : state) {
        state.PauseTiming();
        auto ctx = std::make_unique<Context>();
        std::vector<std::string> lines;
        ReadLevelSource(*ctx, path.string(), lines);
        RememberedAnswer remembered = kAlwaysAdd;
        AddLevels(*ctx, "File.", lines, remembered);
        state.ResumeTiming();
        ReadLevelSource(*ctx, path.string(), lines);
        AddLevels(*ctx, "File.", lines, remembered);
        if (ctx->collection.levels.size() != static_cast<std::size_t>(2 * n + 1))
            state.SkipWithError("levels went missing");
        state.PauseTiming();
        ctx.reset();
        state.ResumeTiming();
    }
    fs::remove(path);
    state.SetComplexityN(n);
}
BENCHMARK(BM_AppendMadeUpAndTakenTitles)
    ->RangeMultiplier(4)
    ->Range(1000, 64000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Removes the generated collections when the benchmarks end.
struct CleanUp {
    ~CleanUp() {
        std::error_code ec;
        for (const char* kind : {"-solved.sok", "-boards.sok"})
            fs::remove(fs::temp_directory_path() /
                           ("vorpel-bench-" + std::to_string(::getpid()) + kind),
                       ec);
    }
};
const CleanUp kCleanUp;

} // namespace
} // namespace vorpel
