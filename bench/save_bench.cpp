// Speed of keeping a player's work: saving a 10,000-level collection with its moves, and the
// resume file written and read back against reading the same levels as own level text.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/ResumeFile.h"
#include "files/SaveAll.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

namespace fs = std::filesystem;

constexpr int kLevels = 10000;

// A Sokoban-like room of 16 x 12 cells; the box is pushed right along the middle row and back
// by a player who walks round it: about 60 steps.
std::string Room(int number) {
    std::string text = "\"Room " + std::to_string(number) + "\"\r\n";
    for (int r = 0; r < 12; ++r) {
        for (int c = 0; c < 16; ++c) {
            const bool wall = r == 0 || c == 0 || r == 11 || c == 15;
            if (wall)
                text += ".#..";
            else if (r == 5 && c == 2)
                text += ".@..";
            else if (r == 5 && c == 3)
                text += ".v..";
            else if (r == 5 && c == 13)
                text += "+...";
            else
                text += "....";
        }
        text += "\r\n";
    }
    text += " 1) 5, 2: >>>>>>>>>\r\n 2) 5, 11: ^>>v<<<<<<<<<\r\n";
    return text;
}

std::string OwnTextFile() {
    const fs::path path =
        fs::temp_directory_path() / ("vorpel-save-bench-" + std::to_string(::getpid()) + ".txt");
    if (!fs::exists(path)) {
        std::string text;
        for (int k = 0; k < kLevels; ++k) text += Room(k + 1);
        WriteFileAtomic(path.string(), text);
    }
    return path.string();
}

std::unique_ptr<Context> Loaded() {
    auto ctx = std::make_unique<Context>();
    ctx->collection.levels.clear();
    std::vector<std::string> lines;
    ReadLevelSource(*ctx, OwnTextFile(), lines);
    RememberedAnswer remembered = kAlwaysAdd;
    AddLevels(*ctx, "File.", lines, remembered);
    return ctx;
}

// The reference: reading the levels as own level text, as "Read levels" does.
void BM_ReadOwnText10k(benchmark::State& state) {
    const std::string path = OwnTextFile();
    for (auto _ : state) {
        auto ctx = std::make_unique<Context>();
        ctx->collection.levels.clear();
        std::vector<std::string> lines;
        ReadLevelSource(*ctx, path, lines);
        RememberedAnswer remembered = kAlwaysAdd;
        AddLevels(*ctx, "File.", lines, remembered);
        if (ctx->collection.levels.size() != kLevels || ctx->collection.levels[1].stepCount == 0) {
            state.SkipWithError("the collection did not load whole");
            return;
        }
    }
}
BENCHMARK(BM_ReadOwnText10k)->Unit(benchmark::kMillisecond)->Iterations(3);

// Target: at most 1.2 x BM_ReadOwnText10k.
void BM_ResumeWriteAndRead10k(benchmark::State& state) {
    auto source = Loaded();
    const std::string path = OwnTextFile() + ".resume";
    for (auto _ : state) {
        if (!WriteResumeFile(path, source->collection).Ok()) {
            state.SkipWithError("not written");
            return;
        }
        auto ctx = std::make_unique<Context>();
        if (!ReadResumeFile(*ctx, path).Ok() || ctx->collection.levels.size() != kLevels) {
            state.SkipWithError("not read back");
            return;
        }
    }
    fs::remove(path);
}
BENCHMARK(BM_ResumeWriteAndRead10k)->Unit(benchmark::kMillisecond)->Iterations(3);

// Target: at most 1 s for either format.
void SaveAll(benchmark::State& state, const char* extension) {
    auto source = Loaded();
    const std::string path = OwnTextFile() + extension;
    for (auto _ : state)
        if (!WriteAllLevels(source->collection, path).Ok()) {
            state.SkipWithError("not written");
            return;
        }
    state.counters["MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
    fs::remove(path);
}
void BM_SaveAllOwnText10k(benchmark::State& state) {
    SaveAll(state, ".all.txt");
}
BENCHMARK(BM_SaveAllOwnText10k)->Unit(benchmark::kMillisecond)->Iterations(3);
void BM_SaveAllSok10k(benchmark::State& state) {
    SaveAll(state, ".all.sok");
}
BENCHMARK(BM_SaveAllSok10k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace vorpel
