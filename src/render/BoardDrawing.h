// Drawing the board, cell by cell, into the 8-bit board canvas with its fixed palette.
#pragma once

#include <cstdint>
#include <vector>

#include "model/Context.h"
#include "model/ViewState.h"
#include "render/BoardPalette.h"
#include "render/CellCache.h"
#include "render/CellSize.h"
#include "render/GlyphStrip.h"

namespace vorpel {

// The one picture of the board that the window and the GIF export copy from.
struct BoardCanvas {
    explicit BoardCanvas(const GlyphRasterizer* rasterizer = nullptr);

    std::vector<std::uint8_t> pixels; // kCanvasSize rows of kCanvasSize palette indices
    BoardPalette palette = kBoardPalette;
    const GlyphRasterizer* font; // the built-in bitmap font when constructed with null
    GlyphStrip strip;
    CellPictureCache cellCache;
    int drawnCellSize = 0; // the cell size of the picture, set by DrawBoard

    std::uint8_t At(int x, int y) const { return pixels[std::size_t(y) * kCanvasSize + x]; }
};

// What the board shows on its blocks in play: nothing, their move counts, their identifiers, or
// (hatched) the path of the held block.
enum class Annotation : std::uint8_t { kNone, kCountMoves, kIdentifyBlocks, kBlockPath };

// What the window that shows the canvas asks of a drawing: the cell size, whether its painting
// is suspended (then DrawBoard leaves out the selection dot), and the annotation mode.
struct CanvasView {
    int cellSize = kMinCellSize;
    bool repaintSuspended = false;
    Annotation annotation = Annotation::kNone;
};

// Repaints the whole board into the canvas at the view's cell size, from the play board, the
// options, the view's annotation mode and its state: the outline (recomputed by the caller) and
// the selection, hatched in the editor or as the held block's path.
void DrawBoard(const Context& ctx, const ViewState& state, const CanvasView& view,
               BoardCanvas& canvas);

} // namespace vorpel
