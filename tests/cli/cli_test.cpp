// vorpel-cli verify and snapshot, run as a separate program on small files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace {

struct CliRun {
    int status;
    std::string out;
};

CliRun RunCli(const std::string& arguments) {
    const std::string command = std::string(VORPEL_CLI) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    CliRun run{-1, {}};
    if (!pipe) return run;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

class Cli : public ::testing::Test {
protected:
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vorpel-cli-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Write(const std::string& name, const std::string& text) {
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
};

// A corridor: the block at column 1 pushes the master box onto the destination.
const std::string kPush = "\"Push\"\r\n"
                          ".#...[...V......+....#..\r\n"
                          ".#...#...#...#...#...#..\r\n";

TEST_F(Cli, VerifyReportsUnsolvedAndFailingLevels) {
    const std::string file = Write("levels.txt", kPush + "  1)  0,  1:  >>\r\n" +       // solved
                                                     kPush + "  1)  0,  1:  >\r\n" +    // short
                                                     kPush + "  1)  0,  1:  >>>>\r\n" + // blocked
                                                     kPush);                            // no moves
    const CliRun run = RunCli("verify " + file);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, file + ": 2 \"Push\": unsolved\n" + file +
                           ": 3 \"Push\": Invalid step at line 12, column 17.\n");
}

TEST_F(Cli, VerifyPassesTheShippedExamples) {
    const std::string data = std::string(VORPEL_SOURCE_DIR) + "/data/";
    const CliRun run = RunCli("verify " + data + "example.txt '" + data + "Vorpel 0.txt'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

TEST_F(Cli, UnusableArgumentsAndFiles) {
    EXPECT_EQ(RunCli("").status, 2);
    EXPECT_EQ(RunCli("frobnicate x").status, 2);
    EXPECT_EQ(RunCli("snapshot").status, 2);
    EXPECT_EQ(RunCli("verify " + (dir / "missing.txt").string()).status, 2);
}

TEST_F(Cli, VerifyNamesABoardError) {
    const std::string file = Write("bad.txt", "\"Bad\"\r\n.#...Q..\r\n.#...#..\r\n");
    const CliRun run = RunCli("verify " + file);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, file + ": 1 \"Bad\": Invalid block \"Q\" at line 2, column 6.\n");
}

TEST_F(Cli, SnapshotPrintsEveryCellWithLabels) {
    // A two-cell block, a one-cell block, an alphanumeric block and a wall.
    const std::string file = Write("snap.txt", "\"Snap\"\r\n"
                                               ".[ab.[ab.;..\r\n"
                                               "+[\xFF"
                                               "A.#......\r\n"
                                               "............\r\n"
                                               "  1)  0,  2:  v\r\n");
    const CliRun run = RunCli("snapshot " + file);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "\"Snap\"\n"
                       ".[//.[//....\n"
                       "+[\xFF"
                       "A.#...;..\n"
                       "............\n"
                       "solved: no\n"
                       "moves: 1/1 steps: 1/1\n");
}

TEST_F(Cli, SnapshotReportsAMoveError) {
    const std::string file = Write("err.txt", kPush + "  1)  0,  2:  >\r\n");
    const CliRun run = RunCli("snapshot " + file);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("moves: 0/0 steps: 0/0\nerror: Moving a box directly at line 4"),
              std::string::npos)
        << run.out;
}

} // namespace
