// vorpel-cli: checks level files and prints their boards from the command line.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bricksdll/BricksDll.h"
#include "cli/CliExport.h"
#include "cli/CliLevels.h"
#include "cli/CliLoad.h"
#include "cli/ShuffleCommand.h"
#include "files/LevelText.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

constexpr int kExitOk = 0, kExitLevelFailed = 1, kExitUsage = 2;

void PrintUsage(std::FILE* to) {
    std::fputs("usage: vorpel-cli verify FILE...\n"
               "       vorpel-cli snapshot FILE\n"
               "       vorpel-cli list FILE...\n"
               "       vorpel-cli convert IN OUT [--level N]"
               " [--game NAME] [--prefix P] [--records N,N,...]\n"
               "       vorpel-cli gif IN OUT [--level N] [--cell S]"
               " [--what initial|current|steps|moves] [--delay CS] [--no-loop]\n"
               "       vorpel-cli png IN OUT [--level N] [--cell S] [--step P]\n"
               "       vorpel-cli shuffle IN OUT [--level N] [--seed S]\n"
               "       vorpel-cli solve FILE [--level N] [--time S] [--memory MB]"
               " [--metric steps|moves|pushes] [--out OUT]\n"
               "       vorpel-cli --help | --version\n",
               to);
}

int Verify(const std::vector<std::string>& files) {
    int status = kExitOk;
    for (const std::string& file : files) {
        auto ctx = std::make_unique<Context>();
        std::vector<LoadedLevel> levels;
        std::size_t skipped = 0;
        const std::string error = LoadLevelFile(*ctx, file, levels, &skipped);
        if (!error.empty()) {
            std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
            status = kExitUsage;
            continue;
        }
        if (skipped > 0 && status == kExitOk) status = kExitLevelFailed;
        for (std::size_t n = 0; n < levels.size(); ++n) {
            const LoadedLevel& loaded = levels[n];
            std::string problem = loaded.error;
            if (problem.empty() && loaded.hasMoves) {
                ctx->collection.currentLevel = loaded.index;
                ShowCurrentLevel(*ctx);
                EndOfLevel(*ctx);
                if (!IsSolved(*ctx)) problem = "unsolved";
            }
            if (problem.empty()) continue;
            std::printf("%s: %zu \"%s\": %s\n", file.c_str(), n + 1, loaded.title.c_str(),
                        problem.c_str());
            if (status == kExitOk) status = kExitLevelFailed;
        }
    }
    return status;
}

// The two-character label of a cell in a snapshot.
std::string CellLabel(const PlayBoard& b, int r, int c, const std::vector<int>& numberOf) {
    const int index = b.BlockIndexAt(r, c);
    if (index < 2) return "..";
    const Block& blk = b.blocks[index];
    if (blk.id < 0) return std::string(1, '\xFF') + static_cast<char>(AlphanumericChar(-blk.id));
    if (numberOf[index] < 0) return "..";
    return BlockLabel(numberOf[index]);
}

void PrintBoard(const Context& ctx) {
    const PlayBoard& b = ctx.board;
    // Multi-cell blocks are numbered in the order their first cell is met.
    std::vector<int> numberOf(static_cast<std::size_t>(b.blockCount) + 1, -1);
    int next = 0;
    for (int r = 0; r < b.rows; ++r)
        for (int c = 0; c < b.columns; ++c) {
            const int index = b.BlockIndexAt(r, c);
            if (index < 2 || numberOf[index] >= 0 || b.blocks[index].id < 0) continue;
            if (b.blocks[index].cells.Count(b.LastRow()) > 1) numberOf[index] = next++;
        }
    std::string out;
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c) {
            out += static_cast<char>(b.MarkAt(r, c));
            out += static_cast<char>(DisplayChar(b, r, c));
            out += CellLabel(b, r, c, numberOf);
        }
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int SnapshotCommand(const std::string& file) {
    auto ctx = std::make_unique<Context>();
    std::vector<LoadedLevel> levels;
    std::size_t skipped = 0;
    const std::string error = LoadLevelFile(*ctx, file, levels, &skipped);
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
        return kExitUsage;
    }
    int status = skipped > 0 ? kExitLevelFailed : kExitOk;
    for (const LoadedLevel& loaded : levels) {
        std::printf("\"%s\"\n", loaded.title.c_str());
        if (loaded.index < 0) {
            std::printf("error: %s\n", loaded.error.c_str());
            status = kExitLevelFailed;
            continue;
        }
        ctx->collection.currentLevel = loaded.index;
        ShowCurrentLevel(*ctx);
        EndOfLevel(*ctx);
        PrintBoard(*ctx);
        const Level& level = ctx->CurrentLevel();
        std::printf("solved: %s\n", IsSolved(*ctx) ? "yes" : "no");
        std::printf("moves: %d/%d steps: %d/%d\n", CurrentMove(level), TotalMoves(level),
                    CurrentStepNumber(level), TotalSteps(level));
        if (!loaded.error.empty()) {
            std::printf("error: %s\n", loaded.error.c_str());
            status = kExitLevelFailed;
        }
    }
    return status;
}

} // namespace
} // namespace vorpel

int main(int argc, char** argv) {
    vorpel::RegisterDllReader();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        vorpel::PrintUsage(stderr);
        return vorpel::kExitUsage;
    }
    const std::string& command = args[0];
    if (args.size() == 1 && (command == "--help" || command == "-h")) {
        vorpel::PrintUsage(stdout);
        return vorpel::kExitOk;
    }
    if (args.size() == 1 && command == "--version") {
        std::puts("vorpel-cli " VORPEL_VERSION);
        return vorpel::kExitOk;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "verify" && !rest.empty()) return vorpel::Verify(rest);
    if (command == "snapshot" && rest.size() == 1) return vorpel::SnapshotCommand(rest[0]);
    if (command == "list" && !rest.empty()) return vorpel::ListCommand(rest);
    if (command == "convert") return vorpel::ConvertCommand(rest);
    if (command == "shuffle") return vorpel::ShuffleCommand(rest);
    if (command == "solve") return vorpel::SolveCommand(rest);
    if (command == "gif") return vorpel::GifCommand(rest);
    if (command == "png") return vorpel::PngCommand(rest);
    vorpel::PrintUsage(stderr);
    return vorpel::kExitUsage;
}
