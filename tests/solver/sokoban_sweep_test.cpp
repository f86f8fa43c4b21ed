// A measuring run over a Sokoban collection, left out of the suite: run it by hand with
//   VORPEL_SWEEP_FILE=... [VORPEL_SWEEP_SECONDS=10] [VORPEL_SWEEP_FIRST=1 VORPEL_SWEEP_LAST=N]
//   [VORPEL_SWEEP_METRIC=pushes] solver_tests --gtest_also_run_disabled_tests
//   --gtest_filter='*Sweep*'
// One line per level: number, title, outcome, pushes, seconds, positions.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/LevelLoad.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"
#include "solver/SokobanSolver.h"

namespace vorpel {
namespace {

double EnvNumber(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text ? std::atof(text) : fallback;
}

TEST(SokobanSweep, DISABLED_Collection) {
    const char* file = std::getenv("VORPEL_SWEEP_FILE");
    ASSERT_NE(file, nullptr);
    Context ctx;
    std::vector<std::string> lines;
    ASSERT_EQ(ReadLevelSource(ctx, file, lines), "");
    RememberedAnswer answer = kAlwaysAdd;
    ASSERT_EQ(AddLevels(ctx, file, lines, answer).error, "");
    SolveLimits limits;
    limits.seconds = EnvNumber("VORPEL_SWEEP_SECONDS", 10);
    const char* metric = std::getenv("VORPEL_SWEEP_METRIC");
    if (metric && std::string(metric) == "pushes") limits.metric = SolveMetric::Pushes;
    const int first = static_cast<int>(EnvNumber("VORPEL_SWEEP_FIRST", 1));
    const int last = static_cast<int>(EnvNumber("VORPEL_SWEEP_LAST", 1e9));
    int solved = 0, tried = 0;
    double total = 0;
    for (int i = first - 1; i < static_cast<int>(ctx.collection.levels.size()) && i < last; ++i) {
        const Level& level = ctx.collection.levels[i];
        SokobanPuzzle puzzle;
        if (!SokobanPuzzleOf(level, puzzle)) {
            std::printf("%3d %-24s not plain Sokoban\n", i + 1, level.title.c_str());
            continue;
        }
        const SolveResult r = SolveSokoban(puzzle, limits);
        const char* outcome = r.outcome == SolveOutcome::Solved       ? "solved"
                              : r.outcome == SolveOutcome::NoSolution ? "no solution"
                                                                      : r.limit.c_str();
        // Every solution is replayed by the engine before it counts.
        bool replayed = false;
        if (r.outcome == SolveOutcome::Solved) {
            ctx.collection.currentLevel = i;
            RebuildBoard(ctx);
            for (const SolveStep& s : r.steps) {
                SelectBlock(ctx, s.column, s.row);
                DragSelectedBlock(ctx, s.column + s.columnDelta, s.row + s.rowDelta, false);
            }
            replayed = IsSolved(ctx);
            EXPECT_TRUE(replayed) << level.title;
        }
        ++tried;
        solved += replayed;
        total += r.seconds;
        std::printf("%3d %-24s %-12s %5d pushes %6zu steps %8.3f s %10llu positions\n", i + 1,
                    level.title.c_str(), outcome, r.pushes, r.steps.size(), r.seconds,
                    static_cast<unsigned long long>(r.positions));
        std::fflush(stdout);
    }
    std::printf("solved %d of %d, %.1f s in all\n", solved, tried, total);
}

} // namespace
} // namespace vorpel
