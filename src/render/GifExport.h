// GIF animation export: the canvas frame by frame, later frames only the cells that changed.
#pragma once

#include <array>
#include <functional>
#include <stop_token>
#include <string>
#include <utility>

#include "io/FileIO.h"
#include "model/Context.h"
#include "render/BoardDrawing.h"
#include "render/GifEncoder.h"

namespace vorpel {

enum class GifContent : int {
    kInitialPosition = 0,
    kCurrentPosition = 1,
    kAllSteps = 2,
    kAllMoves = 3,
};

// The window's settings, kept for the run.
struct GifExportSettings {
    GifContent what = GifContent::kAllSteps;
    int stepTime = 40; // hundredths of a second, 0 to 100
    bool loop = true;
};

// Frames written for the level: 1 for a single position, the recorded steps + 1 for all
// steps, the last recorded step's move number + 1 for all moves.
int GifFrameCount(const Level& level, GifContent what);

// The speed and total time labels for a frame count.
std::pair<std::string, std::string> GifTimingLabels(int stepTime, int frameCount);

// The palette as the encoder takes it.
GifPalette ToGifPalette(const BoardPalette& palette);

// Brings the board to a history position (steps applied, or the end of a move) and redraws
// the canvas. The main window passes its own operations; DefaultGifNavigation goes through the
// history, recomputes the outline flags and the block path in `state`, and calls DrawBoard with
// `view`.
struct GifNavigation {
    std::function<void(int)> goToStep;
    std::function<void(int)> goToMove;
};
GifNavigation DefaultGifNavigation(Context& ctx, ViewState& state, BoardCanvas& canvas,
                                   const CanvasView& view);

// Builds one GIF file in memory from canvas pictures, keeping the snapshot of cells that the
// later frames are compared with.
class GifFrameWriter {
public:
    // The first frame starts the file (GIF89a exactly when it is not also the last) and covers
    // the whole board; later frames cover the cells that changed since the frame before, or
    // the whole board when none did. The last frame ends the file.
    // `state` holds the outline the canvas was drawn with; with `viewPath` the frames show the
    // held block's path (its selection), so the path's changes count.
    void WriteGifFrame(const Context& ctx, const ViewState& state, const BoardCanvas& canvas,
                       bool viewPath, int delay, bool first, bool last, bool loop);
    // Ends a file whose last frame will not come, so the frames so far make a whole file.
    void EndEarly();

    int FramesWritten() const { return frames_; }
    bool Ended() const { return ended_; }
    const std::string& Bytes() const { return encoder_.Bytes(); }

    struct Rectangle {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
    };
    // Where the last frame went.
    Rectangle LastFrame() const { return lastFrame_; }

private:
    GifEncoder encoder_;
    std::array<Byte, kCells> marks_{};
    std::array<Byte, kCells> kinds_{};
    std::array<Byte, kCells> flags_{};
    RowSet previousPath_;
    Rectangle lastFrame_;
    int frames_ = 0;
    bool ended_ = false;
};

struct GifRecording {
    std::string error; // "" or the text shown after "File " + name + "."
    int framesWritten = 0;
    bool stopped = false;
};

// The writing loop of "&Write" once the file name is chosen: suppresses the selection dot
// (through `view`, which the navigation draws with), writes every frame (letting events run and
// honouring a request on `stop` before each), writes the file whole, returns to the
// position it started from and reports a failure through the platform. A stopped recording still
// makes a complete file of the frames written so far; one stopped before its first frame writes no
// file. `progress` gets each frame index before the frame is made; `faults` are a test's write
// faults.
GifRecording RecordGif(Context& ctx, ViewState& state, BoardCanvas& canvas, CanvasView& view,
                       const GifExportSettings& settings, const std::string& path,
                       const GifNavigation& navigation, std::stop_token stop = {},
                       const std::function<void(int)>& progress = {},
                       const WriteFaults& faults = {});

} // namespace vorpel
