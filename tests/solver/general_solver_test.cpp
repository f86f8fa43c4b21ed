// The general search: shortest solutions on every kind, checked by replay as the program makes
// a user's steps; "no solution" when the space runs out; "gave up" at each limit.
#include <gtest/gtest.h>

#include "SolverFixtures.h"
#include "solver/GeneralSolver.h"

namespace vorpel {
namespace {

using test::LevelsOf;
using test::LevelsOfFile;
using test::ReplaysToSolved;

// The tutorial has one level for each kind and mark, each with a recorded solution: the search
// solves every one in no more steps (or moves) than the recorded play, and the answer replays
// to solved.
TEST(GeneralSolver, SolvesEveryTutorialLevelByReplay) {
    const std::vector<Level> levels = LevelsOfFile(VORPEL_SOURCE_DIR "/data/Vorpel 0.txt");
    ASSERT_EQ(levels.size(), 17u);
    for (const Level& level : levels) {
        for (const SolveMetric metric : {SolveMetric::Steps, SolveMetric::Moves}) {
            SolveLimits limits;
            limits.metric = metric;
            limits.seconds = 20;
            const SolveResult r = Solve(level, limits);
            SCOPED_TRACE(level.title + (metric == SolveMetric::Steps ? " steps" : " moves"));
            ASSERT_EQ(r.outcome, SolveOutcome::Solved) << r.limit;
            int moves = 0, steps = 0;
            EXPECT_TRUE(ReplaysToSolved(level, r.steps, &moves, &steps));
            EXPECT_EQ(moves, r.moves);
            if (metric == SolveMetric::Steps)
                EXPECT_LE(steps, TotalSteps(level));
            else
                EXPECT_LE(r.moves, TotalMoves(level));
        }
    }
}

} // namespace
} // namespace vorpel

namespace vorpel {
namespace {

const char* const kClosedRoom = "\"No way out\"\r\n"
                                ".#...#...#...#...#..\r\n"
                                ".#...@...#..+....#..\r\n"
                                ".#...#...#...#...#..\r\n";

TEST(GeneralSolver, SaysNoSolutionWhenEveryPositionIsSeen) {
    const std::vector<Level> levels = LevelsOf(kClosedRoom);
    ASSERT_EQ(levels.size(), 1u);
    for (const SolveMetric metric : {SolveMetric::Steps, SolveMetric::Moves, SolveMetric::Pushes}) {
        SolveLimits limits;
        limits.metric = metric;
        const SolveResult r = Solve(levels[0], limits);
        EXPECT_EQ(r.outcome, SolveOutcome::NoSolution);
        EXPECT_TRUE(r.steps.empty());
        EXPECT_GE(r.positions, 1u);
    }
}

// Each limit ends the search with "gave up" and names itself; the level is left as it was.
TEST(GeneralSolver, GivesUpAtEachLimit) {
    const std::vector<Level> levels =
        LevelsOfFile(VORPEL_SOURCE_DIR "/data/Classic sliding puzzles.txt");
    ASSERT_GE(levels.size(), 1u);
    const Level& klotski = levels[0];
    const std::string before = klotski.title;
    const int stepsBefore = klotski.stepCount;

    SolveLimits memory;
    memory.memoryBytes = 64 << 10;
    SolveResult r = Solve(klotski, memory);
    EXPECT_EQ(r.outcome, SolveOutcome::GaveUp);
    EXPECT_EQ(r.limit, "memory");
    EXPECT_GT(r.positions, 0u);

    SolveLimits time;
    time.seconds = 1e-6;
    r = Solve(klotski, time);
    EXPECT_EQ(r.outcome, SolveOutcome::GaveUp);
    EXPECT_EQ(r.limit, "time");

    std::stop_source stop;
    stop.request_stop();
    int reports = 0;
    r = Solve(klotski, SolveLimits{}, stop.get_token(), [&](const SolveProgress&) { ++reports; });
    EXPECT_EQ(r.outcome, SolveOutcome::GaveUp);
    EXPECT_EQ(r.limit, "stopped");
    EXPECT_GE(reports, 1);

    EXPECT_EQ(klotski.title, before);
    EXPECT_EQ(klotski.stepCount, stepsBefore);
}

// The shipped classics reach their published optimal counts: Klotski 81 moves and 116 steps,
// the Rush Hour card 51 moves (the eight puzzle's 31 is in the benchmarks: its whole space).
TEST(GeneralSolver, ClassicPuzzlesReachTheirPublishedOptima) {
    const std::vector<Level> levels =
        LevelsOfFile(VORPEL_SOURCE_DIR "/data/Classic sliding puzzles.txt");
    ASSERT_EQ(levels.size(), 3u);
    struct Case {
        std::size_t level;
        SolveMetric metric;
        int count;
    };
    for (const Case& c : {Case{0, SolveMetric::Moves, 81}, Case{0, SolveMetric::Steps, 116},
                          Case{1, SolveMetric::Moves, 51}}) {
        SolveLimits limits;
        limits.metric = c.metric;
        const SolveResult r = Solve(levels[c.level], limits);
        SCOPED_TRACE(levels[c.level].title);
        ASSERT_EQ(r.outcome, SolveOutcome::Solved);
        EXPECT_EQ(c.metric == SolveMetric::Moves ? r.moves : static_cast<int>(r.steps.size()),
                  c.count);
        EXPECT_TRUE(ReplaysToSolved(levels[c.level], r.steps));
    }
}

// Box steps are counted on Sokoban-like levels only; the general search's pushes metric finds
// the fewest.
TEST(GeneralSolver, CountsAndMinimisesPushes) {
    const std::vector<Level> levels = LevelsOf("\"Push\"\r\n"
                                               ".#...#...#...#...#...#..\r\n"
                                               ".#...[.......V..+....#..\r\n"
                                               ".#...................#..\r\n"
                                               ".#...#...#...#...#...#..\r\n");
    ASSERT_EQ(levels.size(), 1u);
    SolveLimits limits;
    limits.metric = SolveMetric::Pushes;
    const SolveResult r = SolveGeneral(levels[0], limits);
    ASSERT_EQ(r.outcome, SolveOutcome::Solved);
    EXPECT_EQ(r.pushes, 1);
    EXPECT_TRUE(ReplaysToSolved(levels[0], r.steps));
    EXPECT_EQ(CountPushes(levels[0], r.steps), 1);
    EXPECT_EQ(CountPushes(LevelsOf(kClosedRoom)[0], {}), -1);
}

} // namespace
} // namespace vorpel
