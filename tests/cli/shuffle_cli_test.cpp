// vorpel-cli shuffle, run as a separate program on small files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "CliRun.h"

namespace {

vorpel::test::CliRun Shuffle(const std::string& arguments) {
    return vorpel::test::RunCli("shuffle " + arguments, false);
}

class ShuffleCli : public ::testing::Test {
protected:
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vorpel-shuffle-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const std::string& name) { return (dir / name).string(); }
    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
    std::string Read(const std::string& name) {
        std::ifstream in(Path(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

// A corridor of four free cells with one block, which has one recorded move.
const std::string kCorridor = "\"Corridor\"\r\n"
                              ".#...[...............#..\r\n"
                              ".#...#...#...#...#...#..\r\n"
                              "  1)  0,  1:  >\r\n";

TEST_F(ShuffleCli, WritesTheShuffledLevelAloneAndPrintsTheFinalSeed) {
    const std::string in = Write("in.txt", kCorridor + "\"Second\"\r\n.[......\r\n........\r\n");
    // From the initial seed the block ends on the third free cell (worked out by hand).
    vorpel::test::CliRun run = Shuffle(in + " " + Path("out.txt"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "2371857469\n");
    EXPECT_EQ(Read("out.txt"), "\"Corridor\"\r\n"
                               ".#...........[.......#..\r\n"
                               ".#...#...#...#...#...#..\r\n");

    run = Shuffle(in + " " + Path("second.txt") + " --level 2 --seed 7");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(Read("second.txt").substr(0, 10), "\"Second\"\r\n");
}

TEST_F(ShuffleCli, RefusesUnusableArguments) {
    const std::string in = Write("in.txt", kCorridor);
    const std::string out = Path("out.txt");
    for (const std::string& arguments :
         {in, in + " " + out + " --level 2", in + " " + out + " --level 0",
          in + " " + out + " --seed 4294967296", in + " " + out + " --seed -1",
          Path("missing.txt") + " " + out}) {
        EXPECT_EQ(Shuffle(arguments).status, 2) << arguments;
        EXPECT_FALSE(std::filesystem::exists(out)) << arguments;
    }
}

} // namespace
