// Drawing primitives: copying a glyph from the strip onto the canvas.
#include "render/DrawingPrimitives.h"

namespace vorpel {

void CopyGlyph(const Pen& pen, const GlyphStrip& strip, int top, int g, int x, int y, bool emboss) {
    if (g < 0 || g >= GlyphStrip::kGlyphs) return;
    if (emboss) {
        for (int row = top; row < strip.height; ++row) {
            const std::uint8_t* line = strip.pixels.data() + std::size_t(row) * strip.width;
            for (int column = 0; column <= strip.glyphWidth; ++column) {
                if (!line[g * strip.pitch + column]) continue;
                const int cx = x + column, cy = y + row - top;
                pen.PutAbsolute(cx, cy, pen.colour);
                pen.PutAbsolute(cx - 1, cy - 1, ink::kGrey);
            }
        }
        return;
    }
    // Clipped to the canvas once, then copied row by row.
    const int firstRow = std::max(top, top - y),
              endRow = std::min(strip.height, top + kCanvasSize - y);
    const int firstColumn = std::max(0, -x),
              endColumn = std::min(strip.glyphWidth + 1, kCanvasSize - x);
    for (int row = firstRow; row < endRow; ++row) {
        const std::uint8_t* from =
            strip.pixels.data() + std::size_t(row) * strip.width + std::size_t(g * strip.pitch);
        std::uint8_t* to = pen.canvas + std::ptrdiff_t(y + row - top) * kCanvasSize + x;
        for (int column = firstColumn; column < endColumn; ++column)
            if (from[column]) to[column] = pen.colour;
    }
}

} // namespace vorpel
