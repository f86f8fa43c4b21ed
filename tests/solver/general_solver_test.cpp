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
