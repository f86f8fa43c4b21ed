// vorpel-cli with Bricks DLLs: convert writes the levels a DLL can hold, list reads them back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

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

// With SOURCE_DATE_EPOCH the DLL's time stamps are that time, so two conversions give the
// same bytes; without it they are the current time.
TEST_F(CliDll, ConvertHonoursSourceDateEpoch) {
    const std::string levels = Save("levels.txt", "\"Walls\"\r\n.#...#..\r\n");
    const std::string first = (dir / "first.dll").string(), second = (dir / "second.dll").string();
    ::setenv("SOURCE_DATE_EPOCH", "1234567890", 1);
    EXPECT_EQ(RunCli("convert '" + levels + "' '" + first + "'").status, 0);
    EXPECT_EQ(RunCli("convert '" + levels + "' '" + second + "'").status, 0);
    ::unsetenv("SOURCE_DATE_EPOCH");
    const std::string bytes = Load(first);
    EXPECT_EQ(U32(bytes, 0x0C8), 1234567890u);
    EXPECT_EQ(U32(bytes, 0x424), 1234567890u);
    EXPECT_EQ(Load(second).substr(0x500), bytes.substr(0x500)) << "the data are the same";

    const std::uint32_t before = CurrentDllTime();
    EXPECT_EQ(RunCli("convert '" + levels + "' '" + first + "'").status, 0);
    const std::uint32_t stamp = U32(Load(first), 0x0C8);
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, CurrentDllTime());
}

} // namespace
} // namespace vorpel
