// vorpel-cli solve: one line per level, solutions written as the levels' moves that verify
// finds solved, and the exit status of each outcome.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "CliRun.h"

namespace vorpel {
namespace {

using test::RunCli;

TEST(SolveCli, WritesSolutionsThatVerifyFindsSolved) {
    const std::string out = testing::TempDir() + "solve_cli_classic.txt";
    const test::CliRun run =
        RunCli("solve \"" VORPEL_SOURCE_DIR "/data/Classic sliding puzzles.txt\" --level 2"
               " --metric moves --out " +
                   out,
               false);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("2\tRush Hour"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\tsolved\t81 steps\t51 moves\t"), std::string::npos) << run.out;
    EXPECT_EQ(RunCli("verify " + out, true).status, 0);
    const test::CliRun list = RunCli("list " + out, false);
    EXPECT_NE(list.out.find("51 moves\t81 steps\tsolved"), std::string::npos) << list.out;
    std::remove(out.c_str());
}

TEST(SolveCli, ExitStatusByOutcome) {
    const std::string file = VORPEL_SOURCE_DIR "/data/Classic sliding puzzles.txt";
    // The eight puzzle (181,440 positions) under a 1 MB cap gives up, and says why.
    const test::CliRun gaveUp = RunCli("solve \"" + file + "\" --level 3 --memory 1", false);
    EXPECT_EQ(gaveUp.status, 1);
    EXPECT_NE(gaveUp.out.find("gave up (memory)"), std::string::npos) << gaveUp.out;
    for (const char* bad : {"--level 0", "--time x", "--metric fastest", "--memory", "--level 9"})
        EXPECT_EQ(RunCli("solve \"" + file + "\" " + bad, false).status, 2) << bad;
    EXPECT_EQ(RunCli("solve", false).status, 2);
}

} // namespace
} // namespace vorpel
