// GIF animation export: frame counts, changed-cell frames and the writing loop.
#include "render/GifExport.h"

#include <cstdio>
#include <new>

#include "io/FileIO.h"
#include "model/History.h"

namespace vorpel {

int GifFrameCount(const Level& level, GifContent what) {
    switch (what) {
    case GifContent::kAllSteps:
        return level.stepCount + 1;
    case GifContent::kAllMoves:
        return TotalMoves(level) + 1;
    default:
        return 1;
    }
}

std::pair<std::string, std::string> GifTimingLabels(int stepTime, int frameCount) {
    const int last = frameCount - 1;
    if (last <= 0 || stepTime <= 0)
        return {"Speed: (not applicable)", "Total time: (not applicable)"};
    char speed[64], total[64];
    std::snprintf(speed, sizeof speed, "Speed: %1.2f frames per second", 100.0 / stepTime);
    std::snprintf(total, sizeof total, "Total time: %1.2f seconds", stepTime * 0.01 * last);
    return {speed, total};
}

GifPalette ToGifPalette(const BoardPalette& palette) {
    GifPalette out;
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = {palette.colours[i].red, palette.colours[i].green, palette.colours[i].blue};
    return out;
}

GifNavigation DefaultGifNavigation(Context& ctx, ViewState& state, BoardCanvas& canvas,
                                   const CanvasView& view) {
    auto redraw = [&ctx, &state, &canvas, &view] {
        ComputeOutlineFlags(ctx.board, state.outline);
        if (view.annotation == Annotation::kBlockPath) MarkBlockPath(ctx, state.selection.cells);
        DrawBoard(ctx, state, view, canvas);
    };
    return {[&ctx, redraw](int step) {
                GoToPosition(ctx, step);
                redraw();
            },
            [&ctx, redraw](int move) {
                GoToMove(ctx, move);
                redraw();
            }};
}

void GifFrameWriter::WriteGifFrame(const Context& ctx, const ViewState& state,
                                   const BoardCanvas& canvas, bool viewPath, int delay, bool first,
                                   bool last, bool loop) {
    const PlayBoard& b = ctx.board;
    const int s = canvas.drawnCellSize;
    RowSet changed;
    if (!first && viewPath) {
        changed = previousPath_;
        changed.ToggleWith(state.selection.cells, 63);
    }
    const bool hiddenMarks = !ctx.options[kDrawMarksOverBlocks];
    for (int r = 0; r < b.rows; ++r)
        for (int c = 0; c < b.columns; ++c) {
            const int cell = CellIndex(r, c);
            const Byte kind = DisplayChar(b, r, c);
            const Byte flags = kind == '.' ? 0 : state.outline.flags[cell];
            const Byte mark = b.marks[cell];
            if (!first) {
                bool differs = kind != kinds_[cell] || flags != flags_[cell];
                // A mark under a block is not drawn, so its change shows nothing.
                if (!differs && mark != marks_[cell]) differs = kind == '.' || !hiddenMarks;
                if (differs) changed.Set(r, c);
            }
            kinds_[cell] = kind;
            flags_[cell] = flags;
            marks_[cell] = mark;
        }

    Rectangle frame{0, 0, b.columns * s, b.rows * s};
    if (first) {
        encoder_.GifBeginFile(ToGifPalette(canvas.palette), frame.width, frame.height, delay, loop,
                              !last);
        ended_ = false;
        frames_ = 0;
    } else {
        int top = 64, bottom = -1, left = 64, right = -1;
        for (int r = 0; r < b.rows; ++r)
            for (int c = 0; c < b.columns; ++c)
                if (changed.Test(r, c)) {
                    top = std::min(top, r);
                    bottom = std::max(bottom, r);
                    left = std::min(left, c);
                    right = std::max(right, c);
                }
        if (bottom >= 0)
            frame = {left * s, top * s, (right - left + 1) * s, (bottom - top + 1) * s};
    }
    encoder_.GifBeginFrame(frame.width, frame.height, frame.left, frame.top);
    for (int row = 0; row < frame.height; ++row)
        encoder_.GifAddRow(canvas.pixels, std::size_t(frame.top + row) * kCanvasSize + frame.left,
                           row == frame.height - 1);
    lastFrame_ = frame;
    ++frames_;
    if (last) {
        encoder_.GifEndFile();
        ended_ = true;
    } else if (viewPath) {
        previousPath_ = state.selection.cells;
    }
}

void GifFrameWriter::EndEarly() {
    if (frames_ == 0 || ended_) return;
    encoder_.GifEndFile();
    ended_ = true;
}

GifRecording RecordGif(Context& ctx, ViewState& state, BoardCanvas& canvas, CanvasView& view,
                       const GifExportSettings& settings, const std::string& path,
                       const GifNavigation& navigation, std::stop_token stop,
                       const std::function<void(int)>& progress, const WriteFaults& faults) {
    GifRecording result;
    const bool viewPath = view.annotation == Annotation::kBlockPath;
    const int remembered = ctx.CurrentLevel().currentStep;
    const int last = GifFrameCount(ctx.CurrentLevel(), settings.what) - 1;
    const bool wasSuspended = view.repaintSuspended;
    view.repaintSuspended = true; // frames never show the selection dot
    try {
        // The file exists before the first frame, so a folder that cannot be written is told
        // at once rather than after the whole encoding.
        AtomicFile file;
        result.error = file.Create(path);
        GifFrameWriter writer;
        for (int i = 0; i <= last && result.error.empty(); ++i) {
            ctx.platform->ProcessEvents();
            if (stop.stop_requested()) {
                result.stopped = true;
                break;
            }
            if (progress) progress(i);
            switch (settings.what) {
            case GifContent::kInitialPosition:
                navigation.goToStep(0);
                writer.WriteGifFrame(ctx, state, canvas, viewPath, 0, true, true, settings.loop);
                break;
            case GifContent::kCurrentPosition:
                navigation.goToStep(remembered);
                writer.WriteGifFrame(ctx, state, canvas, viewPath, 0, true, true, settings.loop);
                break;
            case GifContent::kAllSteps:
                navigation.goToStep(i);
                writer.WriteGifFrame(ctx, state, canvas, viewPath, settings.stepTime, i == 0,
                                     i == last, settings.loop);
                break;
            case GifContent::kAllMoves:
                navigation.goToMove(i);
                writer.WriteGifFrame(ctx, state, canvas, viewPath, settings.stepTime, i == 0,
                                     i == last, settings.loop);
                break;
            }
        }
        writer.EndEarly();
        result.framesWritten = writer.FramesWritten();
        if (result.framesWritten > 0) result.error = file.Commit(writer.Bytes(), faults);
    } catch (const std::bad_alloc&) {
        result.error = kNotEnoughMemory;
    }
    view.repaintSuspended = wasSuspended;
    navigation.goToStep(remembered);
    if (!result.error.empty()) ctx.platform->ShowInfo({"File " + path + ".", result.error});
    return result;
}

} // namespace vorpel
