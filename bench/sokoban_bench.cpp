// The Sokoban search on Microban I: pushes generated per second of processor time on one core,
// and how many levels are solved within a time limit each (seconds of the clock on the wall).
#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

#include "files/LevelLoad.h"
#include "solver/SokobanSearch.h"

namespace vorpel {
namespace {

std::vector<SokobanPuzzle> MicrobanPuzzles() {
    Context ctx;
    std::vector<std::string> lines;
    const std::string file = VORPEL_SOURCE_DIR "/../shared/corpus/sokoban/Microban_I.xsb";
    std::vector<SokobanPuzzle> puzzles;
    if (!ReadLevelSource(ctx, file, lines).Ok()) return puzzles;
    RememberedAnswer answer = kAlwaysAdd;
    AddLevels(ctx, file, lines, answer);
    for (const Level& level : ctx.collection.levels)
        if (SokobanPuzzle p; SokobanPuzzleOf(level, p)) puzzles.push_back(std::move(p));
    return puzzles;
}

// Every level of Microban I in turn, each with the time limit given in seconds.
void BM_SokobanMicroban(benchmark::State& state) {
    const std::vector<SokobanPuzzle> puzzles = MicrobanPuzzles();
    if (puzzles.empty()) {
        state.SkipWithError("Microban_I.xsb not found beside the clone");
        return;
    }
    SolveLimits limits;
    limits.seconds = static_cast<double>(state.range(0));
    SokobanCounters counters;
    int solved = 0;
    double seconds = 0, slowest = 0;
    // Processor time of this thread, so that other work on the machine does not count.
    const std::clock_t startClock = std::clock();
    for (auto _ : state) {
        for (const SokobanPuzzle& p : puzzles) {
            const SolveResult r = SolveSokobanCounted(p, limits, counters);
            solved += r.outcome == SolveOutcome::Solved;
            seconds += r.seconds;
            if (r.outcome == SolveOutcome::Solved) slowest = std::max(slowest, r.seconds);
        }
    }
    const double processor = static_cast<double>(std::clock() - startClock) / CLOCKS_PER_SEC;
    state.counters["levels"] = static_cast<double>(puzzles.size());
    state.counters["solved"] = solved;
    state.counters["slowest_solved_s"] = slowest;
    state.counters["pushes_per_s"] =
        benchmark::Counter(static_cast<double>(counters.pushesGenerated) / processor);
    state.counters["expanded_per_s"] =
        benchmark::Counter(static_cast<double>(counters.positionsExpanded) / processor);
    state.counters["wall_s"] = seconds;
}
BENCHMARK(BM_SokobanMicroban)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace vorpel
