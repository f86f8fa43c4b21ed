// Limits: a 100 MB level text file, and a full 64 x 64 board of 4,096 one-cell blocks with a
// 100,000-step history; each is loaded, played, stepped back and saved, every phase timed.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

#include "../tests/hardening/LimitsKit.h"
#include "BenchKit.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTextBytes = 100u << 20;
constexpr int kHistorySteps = 100000;

fs::path TempFile(const std::string& name) {
    return fs::temp_directory_path() / ("vorpel-limits-" + std::to_string(::getpid()) + "-" + name);
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Reads a file into the collection as the read command does; false on any message.
bool Load(Context& ctx, const std::string& path) {
    std::vector<std::string> lines;
    if (!ReadLevelSource(ctx, path, lines).Ok()) return false;
    RememberedAnswer remembered = kAsk;
    return AddLevels(ctx, "File.", lines, remembered).error.empty() &&
           ctx.silentPlatform.shown.empty();
}

// resident_MB is the whole process's: run this benchmark alone for its own figure.
void BM_LargeTextFile(benchmark::State& state) {
    const fs::path path = TempFile("rooms.txt");
    std::ofstream(path, std::ios::binary) << limits::CollectionText(kTextBytes);
    for (auto _ : state) {
        auto ctx = std::make_unique<Context>();
        auto start = std::chrono::steady_clock::now();
        if (!Load(*ctx, path.string())) state.SkipWithError("the file did not load");
        state.counters["load_s"] = Seconds(start);
        state.counters["levels"] = ctx->collection.lastLevel();
        state.counters["resident_MB"] = bench::ResidentMegabytes();

        ctx->collection.currentLevel = ctx->collection.lastLevel();
        start = std::chrono::steady_clock::now();
        ShowCurrentLevel(*ctx);
        EndOfLevel(*ctx);
        if (!IsSolved(*ctx)) state.SkipWithError("the last room is not solved");
        state.counters["play_s"] = Seconds(start);
        start = std::chrono::steady_clock::now();
        StepBackward(*ctx);
        RestartLevel(*ctx);
        state.counters["back_s"] = Seconds(start);
        start = std::chrono::steady_clock::now();
        if (!WriteLevelText(*ctx, TempFile("room.txt").string()).Ok())
            state.SkipWithError("the level was not saved");
        state.counters["save_s"] = Seconds(start);
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
    fs::remove(path);
    fs::remove(TempFile("room.txt"));
}
BENCHMARK(BM_LargeTextFile)->Unit(benchmark::kSecond)->Iterations(1);

void BM_FullBoardLongHistory(benchmark::State& state) {
    const fs::path start = TempFile("crowded.txt"), saved = TempFile("played.txt");
    std::ofstream(start, std::ios::binary) << limits::CrowdedLevelText();
    for (auto _ : state) {
        auto ctx = std::make_unique<Context>();
        auto since = std::chrono::steady_clock::now();
        if (!Load(*ctx, start.string())) state.SkipWithError("the level did not load");
        ctx->collection.currentLevel = ctx->collection.lastLevel();
        ShowCurrentLevel(*ctx);
        state.counters["load_board_s"] = Seconds(since);

        since = std::chrono::steady_clock::now();
        limits::HoleWalk walk;
        for (int i = 0; i < kHistorySteps; ++i)
            if (!walk.Step(*ctx)) {
                state.SkipWithError("a step was refused");
                return;
            }
        state.counters["play_s"] = Seconds(since);

        since = std::chrono::steady_clock::now();
        while (ctx->CurrentLevel().currentStep > 0) StepBackward(*ctx);
        state.counters["step_back_all_s"] = Seconds(since);
        since = std::chrono::steady_clock::now();
        EndOfLevel(*ctx);
        state.counters["to_end_s"] = Seconds(since);

        since = std::chrono::steady_clock::now();
        if (!WriteLevelText(*ctx, saved.string()).Ok())
            state.SkipWithError("the level was not saved");
        state.counters["save_s"] = Seconds(since);
        state.counters["saved_MB"] = static_cast<double>(fs::file_size(saved)) / 1e6;

        auto again = std::make_unique<Context>();
        since = std::chrono::steady_clock::now();
        if (!Load(*again, saved.string()) || again->collection.Current().stepCount != kHistorySteps)
            state.SkipWithError("the saved level did not load whole");
        state.counters["load_history_s"] = Seconds(since);
    }
    fs::remove(start);
    fs::remove(saved);
}
BENCHMARK(BM_FullBoardLongHistory)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace vorpel
