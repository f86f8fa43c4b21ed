// vorpel-cli verify and snapshot, run as a separate program on small files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "CliRun.h"

namespace {

using vorpel::test::CliRun;

CliRun RunCli(const std::string& arguments) {
    return vorpel::test::RunCli(arguments, false);
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

TEST_F(Cli, HelpAndVersionGoToStandardOutput) {
    const CliRun help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: vorpel-cli verify FILE...\n", 0), 0u) << help.out;
    const CliRun version = RunCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("vorpel-cli ") + VORPEL_VERSION + "\n");
    EXPECT_EQ(RunCli("--help extra").status, 2);
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

TEST_F(Cli, ListNumbersTheLevelsOfEveryFileAndAddsTakenTitles) {
    const std::string a = Write("a.txt", kPush + "  1)  0,  1:  >>\r\n" + kPush);
    const std::string b = Write("b.sok", "Sok\n\n######\n#@$ .#\n######\nrr\n");
    const CliRun run = RunCli("list " + a + " " + b);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "1\tPush\t2x6\t2 moves\t2 pushes\tsolved\n"
                       "2\tPush\t2x6\t0 moves\t0 pushes\tunsolved\n"
                       "3\tSok\t3x6\t2 moves\t2 pushes\tsolved\n");
}

TEST_F(Cli, ListReportsFailingLevelsAndUnreadableFiles) {
    const std::string bad = Write("bad.txt", kPush + "\"Bad\"\r\n.#...Q..\r\n");
    CliRun run = RunCli("list " + bad);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1\tPush\t2x6\t0 moves\t0 pushes\tunsolved\n");
    run = RunCli("list " + bad + " " + (dir / "missing.sok").string());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(RunCli("list").status, 2);
}

TEST_F(Cli, VerifyAndSnapshotReadSokAndNbl) {
    const std::string sok = Write("set.xsb", "######\n#@$ .#\n######\n");
    CliRun run = RunCli("snapshot " + sok);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "\"set.xsb 1\"\n"
                       ".#...#...#...#...#...#..\n"
                       ".#...[...V......+....#..\n"
                       ".#...#...#...#...#...#..\n"
                       "solved: no\n"
                       "moves: 0/0 steps: 0/0\n");
    const std::string unsolved = Write("short.sok", "T\n\n######\n#@$ .#\n######\nr\n");
    run = RunCli("verify " + unsolved);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, unsolved + ": 1 \"T\": unsolved\n");

    const std::string nbl = (dir / "one.nbl").string();
    ASSERT_EQ(RunCli("convert " + sok + " " + nbl).status, 0);
    run = RunCli("verify " + nbl);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(RunCli("list " + nbl).out, "1\tset.xsb 1\t6x6\t0 moves\t0 pushes\tunsolved\n");
}

TEST_F(Cli, SkippedOversizeLevelsAreReportedAndFail) {
    std::string tall;
    for (int i = 0; i < 65; ++i) tall += "#\n";
    const std::string level = "\n\n######\n#@$ .#\n######\nrr\n";
    const std::string file =
        Write("big.sok", "Small" + level + "\nWide\n\n" + std::string(65, '#') + "\n\nTall\n\n" +
                             tall + "\nAlso small" + level);
    const std::string report = file +
                               ": line 10: \"Wide\" skipped: more than 64 rows or columns\n" +
                               file + ": line 14: \"Tall\" skipped: more than 64 rows or columns\n";
    CliRun run = vorpel::test::RunCli("list " + file, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, report + "1\tSmall\t3x6\t2 moves\t2 pushes\tsolved\n"
                                "2\tAlso small\t3x6\t2 moves\t2 pushes\tsolved\n");
    run = vorpel::test::RunCli("verify " + file, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, report);
    run = RunCli("snapshot " + file);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.starts_with("\"Small\"\n")) << run.out;
    const std::string out = (dir / "out.txt").string();
    EXPECT_EQ(vorpel::test::RunCli("convert " + file + " " + out, true).out, report);
    EXPECT_EQ(RunCli("convert " + file + " " + out).status, 1);
    run = RunCli("list " + out);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "1\tSmall\t3x6\t2 moves\t2 pushes\tsolved\n"
                       "2\tAlso small\t3x6\t2 moves\t2 pushes\tsolved\n");

    // Nothing read at all.
    const std::string lone = Write("lone.xsb", "\n" + std::string(65, '#') + "\n");
    for (const char* command : {"list ", "verify ", "snapshot "}) {
        run = vorpel::test::RunCli(command + lone, true);
        EXPECT_EQ(run.status, 2) << command;
        EXPECT_EQ(run.out, lone + ": line 2: level skipped: more than 64 rows or columns\n" + lone +
                               ": No level read: every level is larger than 64 x 64.\n")
            << command;
    }
}

TEST_F(Cli, ConvertWritesTheFormatOfTheOutputName) {
    const std::string in =
        Write("in.txt", kPush + "  1)  0,  1:  >>\r\n" + "\"Second\"\r\n.#...@..+...\r\n");
    const std::string listed = RunCli("list " + in).out;
    ASSERT_EQ(listed, "1\tPush\t2x6\t2 moves\t2 pushes\tsolved\n"
                      "2\tSecond\t2x3\t0 moves\t0 steps\tunsolved\n");

    // Own text and SOK keep every level; SOK keeps this board and its solution too, in each
    // layout.
    for (const char* name : {"out.txt", "out.sok", "OUT.XSB", "out.stb"}) {
        const std::string out = (dir / name).string();
        ASSERT_EQ(RunCli("convert " + in + " " + out).status, 0) << name;
        EXPECT_EQ(RunCli("list " + out).out, listed) << name;
    }

    // NBL holds one level: the first, or the one asked for.
    const std::string nbl = (dir / "out.nbl").string();
    ASSERT_EQ(RunCli("convert " + in + " " + nbl + " --level 2").status, 0);
    EXPECT_EQ(RunCli("list " + nbl).out, "1\tSecond\t3x3\t0 moves\t0 steps\tunsolved\n");
    ASSERT_EQ(RunCli("convert " + in + " " + nbl).status, 0);
    EXPECT_EQ(RunCli("list " + nbl).out.substr(0, 7), "1\tPush\t");

    // "-" writes the own text format to standard output.
    const CliRun out = RunCli("convert " + in + " - --level 2");
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.out, "\"Second\"\r\n.#...@..+...\r\n....\r\n");
}

// A move error is told once by every command: by the command's own line, not again by the
// loader.
TEST_F(Cli, AMoveErrorIsReportedOnce) {
    const std::string file = Write("err.txt", kPush + "  1)  0,  1:  >>>>\r\n");
    const std::string error = "Invalid step at line 4, column 17.";
    for (const std::string& command : {"verify " + file, "list " + file, "snapshot " + file,
                                       "convert " + file + " " + (dir / "out.txt").string()}) {
        const std::string out = vorpel::test::RunCli(command, true).out;
        const std::size_t first = out.find(error);
        ASSERT_NE(first, std::string::npos) << command;
        EXPECT_EQ(out.find(error, first + 1), std::string::npos) << command << ":\n" << out;
    }
}

// Titles that alone on a line would read as a board row or a header come back from SOK in either
// layout, each level whole.
TEST_F(Cli, ConvertedTitlesReadBackAsTitles) {
    const std::string in = Write("titles.txt", "\"#5\"\r\n.#...[...V......+....#..\r\n"
                                               ".#...#...#...#...#...#..\r\n  1)  0,  1:  >>\r\n"
                                               "\"::x\"\r\n.#...[...V......+....#..\r\n");
    for (const char* name : {"out.sok", "out.xsb"}) {
        const std::string out = (dir / name).string();
        ASSERT_EQ(RunCli("convert " + in + " " + out).status, 0) << name;
        EXPECT_EQ(RunCli("list " + out).out, "1\t#5\t2x6\t2 moves\t2 pushes\tsolved\n"
                                             "2\t::x\t2x6\t0 moves\t0 pushes\tunsolved\n")
            << name;
    }
}

// What a format cannot keep is said in one message after the file is written, and the
// conversion still succeeds.
TEST_F(Cli, ConvertNamesWhatTheFormatCannotKeep) {
    const std::string in = Write("two.txt", "\"Two\"\r\n.#...[.......[...#..\r\n"
                                            ".#...#...#...#...#..\r\n  1)  0,  1:  >\r\n");
    const std::string sok = (dir / "out.sok").string();
    CliRun run = vorpel::test::RunCli("convert " + in + " " + sok, true);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, sok + ": Not kept in SOK:\n" + sok +
                           ": \"Two\": more than one movable block (SOK has one player), moves "
                           "that need more than a player among walls, boxes and goals.\n");
    const std::string nbl = (dir / "out.nbl").string();
    run = vorpel::test::RunCli("convert " + in + " " + nbl, true);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, nbl + ": Not kept in NBL:\n" + nbl +
                           ": \"Two\": the board's shape (NBL boards are square: empty cells are "
                           "added), the moves (NBL files hold none).\n");
    run = vorpel::test::RunCli("convert " + in + " " + (dir / "out.txt").string(), true);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

// A file that cannot be read or written is named with the system's reason; a read-only target
// stays as it was and a symbolic link stays a link.
TEST_F(Cli, FileErrorsNameTheFileAndTheReason) {
    const std::string in = Write("in.txt", kPush);
    const std::string locked = Write("locked.txt", "old");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    CliRun run = vorpel::test::RunCli("convert " + in + " " + locked, true);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out,
              locked + ": Error when opening the file.\r\n" + locked + ": Permission denied.\n");
    std::ifstream kept(locked);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");

    const std::string folder = (dir / "folder.txt").string();
    std::filesystem::create_directories(folder);
    run = vorpel::test::RunCli("list " + folder, true);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out,
              folder + ": Error when opening the file.\r\n" + folder + ": Is a directory.\n");

    const std::string link = (dir / "link.sok").string();
    std::filesystem::create_symlink("target.sok", link);
    ASSERT_EQ(RunCli("convert " + in + " " + link).status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(RunCli("list " + (dir / "target.sok").string()).out,
              "1\tPush\t2x6\t0 moves\t0 pushes\tunsolved\n");
}

TEST_F(Cli, ConvertRefusesUnusableArguments) {
    const std::string in = Write("in.txt", kPush);
    const std::string out = (dir / "out.txt").string();
    for (const std::string& arguments :
         {std::string("convert"), "convert " + in, "convert " + in + " " + out + " --level",
          "convert " + in + " " + out + " --level 0", "convert " + in + " " + out + " --level 2",
          "convert " + in + " " + out + " extra",
          "convert " + (dir / "no.txt").string() + " " + out,
          "convert " + in + " " + (dir / "no" / "out.txt").string()})
        EXPECT_EQ(RunCli(arguments).status, 2) << arguments;
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
