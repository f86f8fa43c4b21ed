// The GIF animation export: frame counts, changed rectangles, and whole recordings decoded by
// Pillow and compared frame by frame with the canvas.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "Fixtures.h"
#include "RenderKit.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "render/GifExport.h"

namespace vorpel {
namespace {

using renderkit::Crop;
using renderkit::Decoded;
using renderkit::DecodePicture;
using renderkit::ScratchFolder;

constexpr int kCell = 10;

// A master block that moves right 1, a normal block that moves down, the master block right 2:
// three moves, four steps.
const std::vector<std::string> kRows = {
    ".#.. .#.. .#.. .#.. .#.. .#..", ".#.. .@.. .... .[.. .... .#..",
    ".#.. .... .... .... +... .#..", ".#.. .#.. .#.. .#.. .#.. .#.."};
const char* const kMoves = "  1)  1,  1:  >\r\n  2)  1,  3:  v\r\n  3)  1,  2:  >>\r\n";

// A platform that asks to stop at the given call of ProcessEvents (0: never).
class StoppingPlatform : public SilentPlatform {
public:
    std::stop_source stop;
    int stopAt = 0;
    int calls = 0;
    void ProcessEvents() override {
        if (++calls == stopAt) stop.request_stop();
    }
};

struct Recorder {
    std::unique_ptr<Context> ctx = std::make_unique<Context>();
    std::unique_ptr<BoardCanvas> canvas = std::make_unique<BoardCanvas>();
    std::unique_ptr<ViewState> state = std::make_unique<ViewState>();
    CanvasView view{kCell};
    StoppingPlatform platform;
    ScratchFolder folder;
    std::vector<std::string> drawn; // the canvas after each positioning

    explicit Recorder(const std::vector<std::string>& rows = kRows,
                      const std::string& moves = kMoves) {
        EXPECT_EQ(test::LoadBoard(*ctx, rows, moves), "");
        EndOfLevel(*ctx);
        ctx->platform = &platform;
    }
    int Width() const { return ctx->board.columns * kCell; }
    int Height() const { return ctx->board.rows * kCell; }

    GifRecording Record(const GifExportSettings& settings, const std::string& name = "a.gif") {
        const GifNavigation real = DefaultGifNavigation(*ctx, *state, *canvas, view);
        auto keep = [this] { drawn.push_back(Crop(*canvas, Width(), Height())); };
        GifNavigation capturing{[=](int step) {
                                    real.goToStep(step);
                                    keep();
                                },
                                [=](int move) {
                                    real.goToMove(move);
                                    keep();
                                }};
        return RecordGif(*ctx, *state, *canvas, view, settings, folder.File(name), capturing,
                         platform.stop.get_token());
    }
};

// The frames a recording wrote are the canvases drawn for them, in order; the positioning
// after the last frame goes back to the starting step and writes nothing.
std::string Joined(const std::vector<std::string>& frames, std::size_t count) {
    std::string all;
    for (std::size_t i = 0; i < count; ++i) all += frames[i];
    return all;
}

TEST(GifExport, FrameCountsAndTimingLabels) {
    Recorder r;
    const Level& level = r.ctx->CurrentLevel();
    EXPECT_EQ(GifFrameCount(level, GifContent::kInitialPosition), 1);
    EXPECT_EQ(GifFrameCount(level, GifContent::kCurrentPosition), 1);
    EXPECT_EQ(GifFrameCount(level, GifContent::kAllSteps), 5);
    EXPECT_EQ(GifFrameCount(level, GifContent::kAllMoves), 4);
    GoToPosition(*r.ctx, 1); // steps after the current position count too
    EXPECT_EQ(GifFrameCount(level, GifContent::kAllSteps), 5);

    using Labels = std::pair<std::string, std::string>;
    EXPECT_EQ(GifTimingLabels(40, 5),
              Labels("Speed: 2.50 frames per second", "Total time: 1.60 seconds"));
    EXPECT_EQ(GifTimingLabels(3, 2),
              Labels("Speed: 33.33 frames per second", "Total time: 0.03 seconds"));
    const Labels none("Speed: (not applicable)", "Total time: (not applicable)");
    EXPECT_EQ(GifTimingLabels(0, 5), none);
    EXPECT_EQ(GifTimingLabels(40, 1), none);
}

TEST(GifExport, StepsAndMovesDecodeToTheCanvasOfEachPosition) {
    const struct {
        GifContent what;
        bool loop;
        int frames;
        const char* rectangles; // after the first, whole-board frame
    } cases[] = {
        // The master block's step changes its two cells; the normal block's its two; the
        // last two steps of the master block two cells each.
        {GifContent::kAllSteps, true, 5,
         "frame 10 10 30 20 250\nframe 30 10 40 30 250\nframe 20 10 40 20 250\n"
         "frame 30 10 50 20 250\n"},
        // By moves: the last move changes three cells.
        {GifContent::kAllMoves, false, 4,
         "frame 10 10 30 20 250\nframe 30 10 40 30 250\nframe 20 10 50 20 250\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.what));
        Recorder r;
        const GifRecording result = r.Record({c.what, 25, c.loop});
        EXPECT_EQ(result.error, "");
        EXPECT_EQ(result.framesWritten, c.frames);
        EXPECT_FALSE(result.stopped);
        const Decoded d = DecodePicture(r.folder.File("a.gif"));
        ASSERT_EQ(d.facts.status, 0) << d.facts.text << "(scripts/setup.sh installs python3-pil)";
        std::ostringstream facts;
        facts << "format GIF GIF89a\nsize 60 40\nloop " << (c.loop ? "0" : "none")
              << "\nframe 0 0 60 40 250\n"
              << c.rectangles;
        EXPECT_EQ(d.facts.text, facts.str());
        ASSERT_EQ(r.drawn.size(), std::size_t(c.frames) + 1);
        EXPECT_TRUE(d.frames == Joined(r.drawn, std::size_t(c.frames))) << "frames differ";
        EXPECT_EQ(r.ctx->CurrentLevel().currentStep, 4) << "back where it started";
    }
}

TEST(GifExport, SinglePositionsAreSingleImageFiles) {
    const struct {
        GifContent what;
        int step;
        std::vector<std::string> moves;
    } cases[] = {
        {GifContent::kInitialPosition, 0, {kMoves}},
        {GifContent::kCurrentPosition, 2, {kMoves}},
        {GifContent::kAllSteps, 0, {""}}, // a level without steps
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.what));
        Recorder r(kRows, c.moves[0]);
        GoToPosition(*r.ctx, c.step);
        r.ctx->options.value[kMarkSelectedBlock] = true;
        for (int i = 2; i <= r.ctx->board.blockCount; ++i)
            if (r.ctx->board.blocks[i].kind == '[') r.ctx->board.selectedBlock = i;
        EXPECT_EQ(r.Record({c.what, 40, true}).framesWritten, 1);
        const Decoded d = DecodePicture(r.folder.File("a.gif"));
        ASSERT_EQ(d.facts.status, 0) << d.facts.text;
        EXPECT_EQ(d.facts.text, "format GIF GIF87a\nsize 60 40\nloop none\nframe 0 0 60 40 none\n");

        // The picture of that position, without the selection dot.
        GoToPosition(*r.ctx, c.step);
        ComputeOutlineFlags(r.ctx->board, r.state->outline);
        DrawBoard(*r.ctx, *r.state, {kCell, true}, *r.canvas);
        EXPECT_TRUE(d.frames == Crop(*r.canvas, r.Width(), r.Height())) << "frame differs";
        DrawBoard(*r.ctx, *r.state, {kCell, false}, *r.canvas);
        EXPECT_FALSE(d.frames == Crop(*r.canvas, r.Width(), r.Height())) << "dot expected";
    }
}

TEST(GifExport, AStoppedRecordingIsAWholeFileOfTheFramesSoFar) {
    Recorder r;
    r.platform.stopAt = 3; // before the third frame
    const GifRecording result = r.Record({GifContent::kAllSteps, 40, true});
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.framesWritten, 2);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(r.ctx->CurrentLevel().currentStep, 4);
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(r.folder.File("a.gif"), bytes).message, "");
    const std::string credit(GifCreditText());
    ASSERT_GT(bytes.size(), credit.size() + 4);
    EXPECT_EQ(bytes.substr(bytes.size() - credit.size() - 2), credit + '\0' + ';')
        << "comment and trailer close the file";
    const Decoded d = DecodePicture(r.folder.File("a.gif"));
    ASSERT_EQ(d.facts.status, 0) << d.facts.text;
    EXPECT_TRUE(d.frames == Joined(r.drawn, 2));

    Recorder early;
    early.platform.stopAt = 1;
    const GifRecording none = early.Record({GifContent::kAllSteps, 40, true});
    EXPECT_TRUE(none.stopped);
    EXPECT_EQ(none.framesWritten, 0);
    EXPECT_FALSE(std::filesystem::exists(early.folder.File("a.gif"))) << "nothing to write";
}

TEST(GifExport, AFileThatCannotBeWrittenIsReported) {
    Recorder r;
    const GifRecording result = r.Record({GifContent::kAllSteps, 40, true}, "missing-folder/a.gif");
    EXPECT_FALSE(result.error.empty());
    ASSERT_EQ(r.platform.shown.size(), 1u);
    EXPECT_EQ(r.platform.shown[0],
              std::vector<std::string>(
                  {"File " + r.folder.File("missing-folder/a.gif") + ".", result.error}));
    EXPECT_EQ(r.ctx->CurrentLevel().currentStep, 4);
    // Told before any frame is made: only the return to the starting step was drawn.
    EXPECT_EQ(result.framesWritten, 0);
    EXPECT_EQ(r.drawn.size(), 1u);
}

TEST(GifExport, NoTemporaryFileIsLeftBehind) {
    for (const int stopAt : {0, 1, 3}) {
        Recorder r;
        r.platform.stopAt = stopAt;
        r.Record({GifContent::kAllSteps, 40, true});
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(r.folder.path))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names,
                  stopAt == 1 ? std::vector<std::string>{} : std::vector<std::string>{"a.gif"})
            << stopAt;
    }
}

TEST(GifExport, ChangedRectangles) {
    Recorder r;
    Context& ctx = *r.ctx;
    PlayBoard& b = ctx.board;
    ViewState& state = *r.state;
    RowSet& path = state.selection.cells;
    auto frame = [&](bool first) {
        ComputeOutlineFlags(b, state.outline);
        DrawBoard(ctx, state, r.view, *r.canvas);
        return first;
    };
    using Rect = GifFrameWriter::Rectangle;
    auto same = [](Rect a, Rect e) {
        return a.left == e.left && a.top == e.top && a.width == e.width && a.height == e.height;
    };
    const Rect whole{0, 0, 60, 40};
    {
        SCOPED_TRACE("nothing changed: the whole board");
        GifFrameWriter w;
        w.WriteGifFrame(ctx, state, *r.canvas, false, 10, frame(true), false, true);
        w.WriteGifFrame(ctx, state, *r.canvas, false, 10, frame(false), true, true);
        EXPECT_TRUE(same(w.LastFrame(), whole));
        EXPECT_TRUE(w.Ended());
        EXPECT_EQ(w.FramesWritten(), 2);
    }
    for (const bool marksShown : {false, true}) {
        SCOPED_TRACE(marksShown ? "marks over blocks: the cell" : "hidden mark: no change");
        ctx.options.value[kDrawMarksOverBlocks] = marksShown;
        GifFrameWriter w;
        w.WriteGifFrame(ctx, state, *r.canvas, false, 10, frame(true), false, true);
        b.marks[CellIndex(1, 3)] = '+'; // empty floor
        b.marks[CellIndex(2, 3)] = '_'; // under the normal block
        w.WriteGifFrame(ctx, state, *r.canvas, false, 10, frame(false), false, true);
        EXPECT_TRUE(same(w.LastFrame(), marksShown ? Rect{30, 10, 10, 20} : Rect{30, 10, 10, 10}));
        b.marks[CellIndex(1, 3)] = '.';
        b.marks[CellIndex(2, 3)] = '.';
    }
    ctx.options.value[kDrawMarksOverBlocks] = false;
    {
        SCOPED_TRACE("block path: the cells that joined or left it");
        GifFrameWriter w;
        w.WriteGifFrame(ctx, state, *r.canvas, true, 10, frame(true), false, true);
        path.Set(2, 1);
        w.WriteGifFrame(ctx, state, *r.canvas, true, 10, frame(false), false, true);
        EXPECT_TRUE(same(w.LastFrame(), Rect{10, 20, 10, 10}));
        path.Reset(2, 1);
        path.Set(1, 2);
        w.WriteGifFrame(ctx, state, *r.canvas, true, 10, frame(false), false, true);
        EXPECT_TRUE(same(w.LastFrame(), Rect{10, 10, 20, 20}));
        w.EndEarly();
        EXPECT_TRUE(w.Ended());
    }
}

} // namespace
} // namespace vorpel
