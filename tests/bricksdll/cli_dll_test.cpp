// vorpel-cli with Bricks DLLs: convert writes the levels a DLL can hold, list reads them back.
#include <gtest/gtest.h>

#include <cstdio>

#include "CliRun.h"
#include "DllFixtures.h"

namespace vorpel {
namespace {

using namespace dll_test;
using test::CliRun;

CliRun RunCli(const std::string& arguments) {
    return test::RunCli(arguments, true);
}

class CliDll : public DllFiles {};

TEST_F(CliDll, ConvertWritesWhatADllHoldsAndListReadsItBack) {
    const std::string levels = Save("levels.txt", "\"Slide\"\r\n"
                                                  ".#...[...@..+....#..\r\n"
                                                  ".#...#...#...#...#..\r\n"
                                                  "\"Box\"\r\n"
                                                  ".#...v.......#..\r\n"
                                                  "\"Walls\"\r\n"
                                                  ".#...#..\r\n");
    const std::string pack = (dir / "pack.dll").string();
    CliRun run =
        RunCli("convert '" + levels + "' '" + pack + "' --game Pack --prefix pk --records 12");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("\"Box\" skipped"), std::string::npos) << run.out;

    DllGameData data;
    ASSERT_EQ(ParseBricksDll(Load(pack), data), "");
    EXPECT_EQ(data.savePrefix, "pk");
    ASSERT_EQ(data.levels.size(), 2u);
    EXPECT_EQ(data.levels[0].record, 12);
    EXPECT_EQ(data.levels[1].record, 999);

    run = RunCli("list '" + pack + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "1\tSlide\t2x5\t0 moves\t0 steps\tunsolved\n"
                       "2\tWalls\t2x2\t0 moves\t0 steps\tunsolved\n");

    // The DLL converts back to level text with the same boards.
    run = RunCli("convert '" + pack + "' -");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find("\"Walls\"")),
              "\"Slide\"\r\n.#...[...@..+....#..\r\n.#...#...#...#...#..\r\n");

    EXPECT_EQ(RunCli("convert '" + levels + "' '" + pack + "' --records 12,x").status, 2);
    EXPECT_EQ(RunCli("convert '" + levels + "' '" + pack + "' --game").status, 2);
}

} // namespace
} // namespace vorpel
