// Speed of one GIF export frame: drawing a whole 64 x 64 board at cell size 32 into the canvas
// and encoding it as the first frame, the work between two chances to press Stop.
#include <benchmark/benchmark.h>

#include <memory>

#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"
#include "render/GifExport.h"

namespace vorpel {
namespace {

// A 64 x 64 board: walls round the edge, rows of boxes and blocks, destinations between.
void FillBoard(Context& ctx) {
    Level& level = ctx.CurrentLevel();
    level.Initialise("Frame", 64, 64);
    for (int r = 0; r < 64; ++r)
        for (int c = 0; c < 64; ++c) {
            const int cell = CellIndex(r, c);
            if (r == 0 || c == 0 || r == 63 || c == 63)
                level.blockLayer[cell] = '#';
            else if (r % 4 == 1 && c % 3 == 1)
                level.blockLayer[cell] = 'v';
            else if (r % 4 == 2 && c % 5 == 2)
                level.markLayer[cell] = '+';
        }
    level.blockLayer[CellIndex(3, 3)] = '@';
    RebuildBoard(ctx);
}

// Target: at most 100 ms.
void BM_WholeBoardFrame64(benchmark::State& state) {
    auto ctx = std::make_unique<Context>();
    FillBoard(*ctx);
    auto canvas = std::make_unique<BoardCanvas>();
    auto drawn = std::make_unique<ViewState>();
    ComputeOutlineFlags(ctx->board, drawn->outline);
    std::size_t bytes = 0;
    for (auto _ : state) {
        DrawBoard(*ctx, *drawn, {32, false}, *canvas);
        GifFrameWriter writer;
        writer.WriteGifFrame(*ctx, *drawn, *canvas, false, 40, true, false, true);
        bytes = writer.Bytes().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["frame_KB"] = static_cast<double>(bytes) / 1e3;
}
BENCHMARK(BM_WholeBoardFrame64)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vorpel
