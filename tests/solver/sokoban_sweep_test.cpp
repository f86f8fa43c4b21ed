// A measuring run over a Sokoban collection, left out of the suite: run it by hand with
//   VORPEL_SWEEP_FILE=... [VORPEL_SWEEP_SECONDS=10] [VORPEL_SWEEP_FIRST=1 VORPEL_SWEEP_LAST=N]
//   [VORPEL_SWEEP_ONLY=4,7,...] [VORPEL_SWEEP_METRIC=pushes] solver_tests
//   --gtest_also_run_disabled_tests
//   --gtest_filter='*Sweep*'
// The limit is the solving thread's processor time, so that other work on a shared machine
// does not shorten it. One line per level: number, title, outcome, pushes, steps, processor
// and wall seconds, positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <pthread.h>
#include <string>
#include <thread>

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

double ThreadSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Solves on a thread of its own, stopped when its processor time passes `seconds`.
SolveResult SolveTimed(const SokobanPuzzle& puzzle, SolveLimits limits, double seconds,
                       double& used) {
    limits.seconds = 0;
    SolveResult result;
    std::stop_source stop;
    std::atomic<bool> done = false;
    clockid_t clock{};
    std::atomic<bool> started = false;
    std::thread solver([&] {
        pthread_getcpuclockid(pthread_self(), &clock);
        started = true;
        result = SolveSokoban(puzzle, limits, stop.get_token());
        used = ThreadSeconds(clock);
        done = true;
    });
    while (!started) std::this_thread::yield();
    while (!done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!done && ThreadSeconds(clock) > seconds) stop.request_stop();
    }
    solver.join();
    if (result.outcome == SolveOutcome::GaveUp && result.limit == "stopped") result.limit = "time";
    return result;
}

TEST(SokobanSweep, DISABLED_Collection) {
    const char* file = std::getenv("VORPEL_SWEEP_FILE");
    ASSERT_NE(file, nullptr);
    Context ctx;
    std::vector<std::string> lines;
    ASSERT_EQ(ReadLevelSource(ctx, std::string(file), lines).message, "");
    RememberedAnswer answer = kAlwaysAdd;
    ASSERT_EQ(AddLevels(ctx, file, lines, answer).error, "");
    SolveLimits limits;
    const double seconds = EnvNumber("VORPEL_SWEEP_SECONDS", 10);
    const char* metric = std::getenv("VORPEL_SWEEP_METRIC");
    if (metric && std::string(metric) == "pushes") limits.metric = SolveMetric::Pushes;
    const int first = static_cast<int>(EnvNumber("VORPEL_SWEEP_FIRST", 1));
    const int last = static_cast<int>(EnvNumber("VORPEL_SWEEP_LAST", 1e9));
    std::string only;
    if (const char* list = std::getenv("VORPEL_SWEEP_ONLY")) {
        only = ",";
        only += list;
        only += ",";
    }
    int solved = 0, tried = 0;
    double total = 0, slowest = 0;
    for (int i = first - 1; i < static_cast<int>(ctx.collection.levels.size()) && i < last; ++i) {
        if (!only.empty() && only.find("," + std::to_string(i + 1) + ",") == std::string::npos)
            continue;
        const Level& level = ctx.collection.levels[i];
        SokobanPuzzle puzzle;
        if (!SokobanPuzzleOf(level, puzzle)) {
            std::printf("%3d %-24s not plain Sokoban\n", i + 1, level.title.c_str());
            continue;
        }
        double used = 0;
        const SolveResult r = SolveTimed(puzzle, limits, seconds, used);
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
        total += used;
        if (replayed) slowest = std::max(slowest, used);
        std::printf("%3d %-24s %-12s %5d pushes %6zu steps %8.3f s %8.3f s wall %10llu positions\n",
                    i + 1, level.title.c_str(), outcome, r.pushes, r.steps.size(), used, r.seconds,
                    static_cast<unsigned long long>(r.positions));
        std::fflush(stdout);
    }
    std::printf("solved %d of %d, %.1f s in all, slowest solved %.3f s\n", solved, tried, total,
                slowest);
}

} // namespace
} // namespace vorpel
