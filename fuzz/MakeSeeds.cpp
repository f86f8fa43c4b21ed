// Writes the generated seed inputs of every fuzz target into a folder: vorpel_fuzz_seeds DIR.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FuzzEntries.h"
#include "bricksdll/BricksMoves.h"
#include "files/BestSolutions.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/MoveText.h"
#include "files/NblFormat.h"
#include "files/ResumeFile.h"
#include "files/SokFormat.h"
#include "model/Context.h"
#include "model/History.h"

namespace fs = std::filesystem;
using namespace vorpel;

namespace {

// Moves that the playground and the Bricks level accept, as move lines.
constexpr const char* kPlaygroundMoves = "  1)  1,  1:  v\r\n  2)  1,  2:  >\r\n"
                                         "  3)  4,  3:  ^\r\n  4)  5,  5:  x\r\n";
constexpr const char* kBricksMoves = "  1)  3,  1:  x\r\n  2)  1,  2:  >\r\n  3)  4,  1:  ^\r\n";

void Write(const fs::path& folder, const std::string& name, const std::string& bytes) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Expect(const std::string& error, const char* what) {
    if (error.empty()) return;
    std::fprintf(stderr, "%s: %s\n", what, error.c_str());
    std::exit(1);
}

// Loads level lines with move lines after them into the current level of `ctx`.
void Load(Context& ctx, const std::vector<std::string>& level, const std::string& moves) {
    std::vector<std::string> lines = level;
    for (const std::string& line : SplitLines(moves)) lines.push_back(line);
    ctx.collection.NewLevel("", 4, 4, false);
    std::size_t index = 0;
    Expect(ReadLevelText(ctx, lines, index, true), "level");
    RebuildBoard(ctx);
    Expect(ReadMoveLines(ctx, lines, index), "moves");
}

void LevelSources(const fs::path& out) {
    Context ctx;
    Load(ctx, fuzz::PlaygroundLines(), kPlaygroundMoves);
    Write(out, "playground.txt", LevelTextOf(ctx.CurrentLevel()));
    Write(out, "playground.sok", SokText(ctx.CurrentLevel()));
    Write(out, "unquoted.txt",
          "Small\r\n.#...#...#...#..\r\n.#...@..+....#..\r\n.#...#...#...#..\r\n  1)  1,  1:  >\r\n"
          "\r\n.#...#...#..\r\n.#...[......\r\n");
    Write(out, "room.sok",
          "; a note\n\nRoom\n\n#####\n#@$.#\n#####\nTitle: Room\n\nSolution\nR\n\n"
          "#######\n#.$@$.#\n#######\nboxorder: ab\ngoalorder: ba\n");
    for (const char* name : {"Vorpel 0.txt", "example.txt"})
        Write(out, name, Read(fs::path(VORPEL_SOURCE_DIR) / "data" / name));
}

void MoveTexts(const fs::path& out) {
    Context ctx;
    Load(ctx, fuzz::PlaygroundLines(), kPlaygroundMoves);
    std::string lines;
    WriteMoveLines(ctx.CurrentLevel(), lines);
    Write(out, "lines.txt", lines);
    Write(out, "texts.txt", "1) 1, 1: v\r\n-1, 2: >>\r\n0,1,5,5: v\r\n5, 5: x\r\n");
}

void NblFiles(const fs::path& out) {
    for (const auto& [name, lines] : {std::pair{"playground.nbl", fuzz::PlaygroundLines()},
                                      std::pair{"bricks.nbl", fuzz::BricksLevelLines()}}) {
        Context ctx;
        Load(ctx, lines, "");
        std::string bytes;
        Expect(NblBytes(ctx.CurrentLevel(), bytes), name);
        Write(out, name, bytes);
    }
}

void BestSolutions(const fs::path& out) {
    const fs::path scratch = fs::temp_directory_path() / "vorpel-seeds";
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    Context ctx;
    ctx.programPath = (scratch / "vorpel.exe").string();
    Load(ctx, fuzz::PlaygroundLines(), kPlaygroundMoves);
    ctx.CurrentLevel().title = "Other";
    SaveBestSolution(ctx, false);
    ctx.CurrentLevel().title = "Test";
    SaveBestSolution(ctx, false);
    Write(out, "two.sol", Read(scratch / "vorpel.sol"));
    SaveBestSolutionSteps(ctx, 2, true);
    Write(out, "move-list.sol", Read(scratch / "vorpel.sol"));
    fs::remove_all(scratch);
}

void Records(const fs::path& out) {
    Write(out, "records.rec",
          "  12  345 Level A\r\n7 70 Zeta\n\n1.000 2000 \xE9t\xE9\r 3 4 Beta\r\n");
}

void Dlls(const fs::path& out) {
    Write(out, "bricks.dll", fuzz::BricksDll(false));
    Write(out, "bricks-older.dll", fuzz::BricksDll(true));
}

void BricksMoves(const fs::path& out) {
    for (const bool older : {false, true}) {
        Context ctx;
        Load(ctx, fuzz::BricksLevelLines(), kBricksMoves);
        DllGameData data;
        Expect(ParseBricksDll(fuzz::BricksDll(older), data), "DLL");
        DllLevelGrid grid;
        grid.version = data.version;
        if (!data.levels.empty()) {
            grid.columns = data.levels[0].columns;
            grid.rows = data.levels[0].rows;
            grid.blockGrid = data.levels[0].blockGrid;
        }
        std::string bytes;
        Expect(BricksMovesBytes(ctx, grid, bytes), "moves");
        // The moves and their end mark; the zeros that fill the file are left out.
        bytes.resize(bytes.find('\0') + 1);
        Write(out, older ? "older.moves" : "newer.moves",
              std::string(1, older ? '\1' : '\0') + bytes);
    }
}

// Resume texts: the playground part-way through its moves, and the tutorial levels after it.
void ResumeFiles(const fs::path& out) {
    Context ctx;
    Load(ctx, fuzz::PlaygroundLines(), kPlaygroundMoves);
    ctx.collection.currentLevel = ctx.collection.lastLevel();
    GoToMove(ctx, 2);
    Write(out, "playground.resume", ResumeText(ctx.collection));
    std::vector<std::string> lines =
        SplitLines(Read(fs::path(VORPEL_SOURCE_DIR) / "data" / "Vorpel 0.txt"));
    RememberedAnswer remembered = kAlwaysAdd;
    AddLevels(ctx, "File.", lines, remembered);
    Write(out, "tutorial.resume", ResumeText(ctx.collection));
}

// Level texts, SOK and NBL files to write and read back, with titles that alone on a line would
// read as something else.
void RoundTrips(const fs::path& out) {
    LevelSources(out);
    NblFiles(out);
    Write(out, "titles.txt",
          "\"#5\"\r\n.#...#...#..\r\n.#...[..+V.#..\r\n 1)  1,  1:  >\r\n"
          "\"::x\"\r\n.#...#..\r\n.#...[..\r\n\"Comment:\"\r\n+V...#..\r\n.#...[..\r\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorpel_fuzz_seeds FOLDER\n");
        return 2;
    }
    const fs::path out = argv[1];
    LevelSources(out / "level_source");
    MoveTexts(out / "move_text");
    NblFiles(out / "nbl");
    BestSolutions(out / "best_solutions");
    Records(out / "records");
    Dlls(out / "dll");
    BricksMoves(out / "bricks_moves");
    ResumeFiles(out / "resume");
    RoundTrips(out / "round_trip");
    return 0;
}
