// Level list pictures over 40,000 levels: one page drawn from scratch (the list opening or
// scrolling a page), and every level drawn once through the bounded cache (time and bytes).
#include <benchmark/benchmark.h>

#include "files/LevelLoad.h"
#include "render/Thumbnails.h"

namespace vorpel {
namespace {

constexpr int kLevels = 40000;
constexpr int kPage = 30;    // rows in a page of the list
constexpr int kPicture = 48; // the picture column's box, pixels on each side

// Microban I's levels, repeated up to 40,000 (each index a level of its own to the cache).
const std::vector<Level>& Levels() {
    static const std::vector<Level> levels = [] {
        Context ctx;
        std::vector<std::string> lines;
        const std::string file = VORPEL_SOURCE_DIR "/../shared/corpus/sokoban/Microban_I.xsb";
        std::vector<Level> all;
        if (!ReadLevelSource(ctx, file, lines).Ok()) return all;
        RememberedAnswer answer = kAlwaysAdd;
        AddLevels(ctx, file, lines, answer);
        const std::vector<Level>& read = ctx.collection.levels;
        for (int i = 0; i < kLevels; ++i)
            all.push_back(read[1 + std::size_t(i) % (read.size() - 1)]);
        return all;
    }();
    return levels;
}

void DrawPage(ThumbnailCache& cache, const std::vector<Level>& levels, int first) {
    for (int i = first; i < first + kPage; ++i) {
        const Level& level = levels[std::size_t(i) % levels.size()];
        benchmark::DoNotOptimize(
            cache.Get(level, i, ThumbnailCellSize(level, kPicture, kPicture)).pixels.data());
    }
}

// A page of pictures none of which is kept yet: what opening the list or scrolling costs.
void BM_ThumbnailPage(benchmark::State& state) {
    const std::vector<Level>& levels = Levels();
    if (levels.empty()) {
        state.SkipWithError("Microban_I.xsb not found beside the clone");
        return;
    }
    ThumbnailCache cache;
    int first = 0;
    for (auto _ : state) {
        DrawPage(cache, levels, first);
        first = (first + kPage) % kLevels;
    }
    state.counters["levels"] = kPage;
}
BENCHMARK(BM_ThumbnailPage)->Unit(benchmark::kMillisecond);

// Scrolling through all 40,000 levels a page at a time with the default bound.
void BM_ThumbnailAllLevels(benchmark::State& state) {
    const std::vector<Level>& levels = Levels();
    if (levels.empty()) {
        state.SkipWithError("Microban_I.xsb not found beside the clone");
        return;
    }
    std::size_t bytes = 0, count = 0;
    for (auto _ : state) {
        ThumbnailCache cache;
        for (int first = 0; first < kLevels; first += kPage) DrawPage(cache, levels, first);
        bytes = cache.Bytes();
        count = cache.Count();
    }
    state.counters["cached"] = double(count);
    state.counters["cacheMB"] = double(bytes) / (1 << 20);
}
BENCHMARK(BM_ThumbnailAllLevels)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace vorpel
