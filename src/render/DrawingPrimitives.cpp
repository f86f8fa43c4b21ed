// Drawing primitives: copying a glyph from the strip onto the canvas.
#include "render/DrawingPrimitives.h"

#include <bit>
#include <cmath>

namespace vorpel {
namespace {

// CopyGlyph from the strip's ink bits. It writes what the pixel loops write: the set bits are
// exactly the non-zero pixels of the copied columns, visited in the same order (rows downwards,
// columns rightwards, so where embossing overlaps the later write still wins), with the same
// clipping; it only skips the blank pixels.
void CopyGlyphInk(const Pen& pen, const GlyphStrip& strip, int top, int g, int x, int y,
                  bool emboss) {
    const std::uint64_t* inkBits =
        strip.inkRows.data() + std::size_t(g) * std::size_t(strip.height);
    if (emboss) {
        for (int row = top; row < strip.height; ++row)
            for (std::uint64_t bits = inkBits[row]; bits != 0; bits &= bits - 1) {
                const int cx = x + std::countr_zero(bits), cy = y + row - top;
                pen.PutAbsolute(cx, cy, pen.colour);
                pen.PutAbsolute(cx - 1, cy - 1, ink::kGrey);
            }
        return;
    }
    const int firstRow = std::max(top, top - y),
              endRow = std::min(strip.height, top + kCanvasSize - y);
    const int firstColumn = std::max(0, -x),
              endColumn = std::min(strip.glyphWidth + 1, kCanvasSize - x);
    if (firstColumn >= endColumn) return;
    const int span = endColumn - firstColumn;
    const std::uint64_t columns = (span == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << span) - 1)
                                  << firstColumn;
    for (int row = firstRow; row < endRow; ++row) {
        std::uint8_t* to = pen.canvas + std::ptrdiff_t(y + row - top) * kCanvasSize + x;
        for (std::uint64_t bits = inkBits[row] & columns; bits != 0; bits &= bits - 1)
            to[std::countr_zero(bits)] = pen.colour;
    }
}

// Floor and ceiling of n / 2 for any sign (>> is arithmetic on signed values).
constexpr std::int64_t HalfDown(std::int64_t n) {
    return n >> 1;
}
constexpr std::int64_t HalfUp(std::int64_t n) {
    return (n + 1) >> 1;
}

// The largest r >= 0 with r² <= n, for n >= 0.
std::int64_t FloorSqrt(std::int64_t n) {
    auto r = std::int64_t(std::sqrt(double(n)));
    while (r * r > n) --r;
    while ((r + 1) * (r + 1) <= n) ++r;
    return r;
}

} // namespace

// Row by row, the pixels CircleByPixels tests one at a time form spans: with dx = 2x - (xa + xb)
// (always of the parity of xa + xb), d4 <= outer holds for |dx| <= floor(sqrt(outer - dy²)),
// d4 >= inner fails for |dx| <= ceil(sqrt(inner - dy²)) - 1, and the shading test 2(x + y) >=
// diagonal holds from one x on. Each pixel is written at most once, in the colour the pixel
// test gives it, and Fill clips to the canvas as Put does, so the canvas ends the same.
void Pen::Circle(int xa, int xb, int ya, int yb, Round mode, int t) const {
    const Limits limits = CircleLimits(ya, yb, t);
    const std::int64_t sum = xa + xb;
    const int diagonal = xa + xb + ya + yb;
    // Inside the canvas no span needs clipping, and short memsets beat Fill's setup.
    const bool inside =
        x0 + xa >= 0 && x0 + xb < kCanvasSize && y0 + ya >= 0 && y0 + yb < kCanvasSize;
    auto span = [&](int a, int b, int y, std::uint8_t c) { // [a, b) on row y
        if (a >= b) return;
        if (inside)
            std::memset(canvas + std::size_t(y0 + y) * kCanvasSize + std::size_t(x0 + a), c,
                        std::size_t(b - a));
        else
            FillAbsoluteIn(x0 + a, x0 + b, y0 + y, y0 + y + 1, c);
    };
    for (int y = ya; y <= yb; ++y) {
        const std::int64_t dy = 2 * y - (ya + yb);
        const std::int64_t outerRoom = limits.outer - dy * dy;
        if (outerRoom < 0) continue;
        const std::int64_t r = FloorSqrt(outerRoom);
        const int left = int(std::max<std::int64_t>(xa, HalfUp(sum - r)));
        const int right = int(std::min<std::int64_t>(xb, HalfDown(sum + r)));
        if (left > right) continue;
        if (mode == Round::kDisc) {
            span(left, right + 1, y, colour);
            continue;
        }
        // The hole: |dx| <= k, where k = ceil(sqrt(innerRoom)) - 1; none when innerRoom <= 0.
        const std::int64_t innerRoom = limits.inner - dy * dy;
        int holeLeft = right + 1, holeRight = right;
        if (innerRoom > 0) {
            std::int64_t k = FloorSqrt(innerRoom);
            if (k * k < innerRoom) ++k;
            --k;
            holeLeft = int(std::max<std::int64_t>(left, HalfUp(sum - k)));
            holeRight = int(std::min<std::int64_t>(right, HalfDown(sum + k)));
            if (holeLeft > holeRight) holeLeft = right + 1, holeRight = right;
        }
        // The band is [left, holeLeft) and (holeRight, right]; shaded pixels are those left of
        // `lit`, the first x with 2(x + y) >= diagonal.
        const int lit = mode == Round::kShadedRing ? int(HalfUp(diagonal - 2 * y)) : left;
        auto band = [&](int a, int b) { // [a, b)
            if (a >= b) return;
            const int split = std::clamp(lit, a, b);
            span(a, split, y, second);
            span(split, b, y, colour);
        };
        band(left, holeLeft);
        band(holeRight + 1, right + 1);
    }
}

// A run of canvas columns 4k..4k+3 shares x div 4, so each run is wholly in or out, as the
// pixel test decides it for each of its pixels.
void Pen::Dither() const {
    for (int y = 0; y < s; ++y) {
        const int rowParity = ((y0 + y) >> 2) & 1;
        for (int x = 0; x < s;) {
            const int end = std::min(s, x + 4 - ((x0 + x) & 3));
            if ((((x0 + x) >> 2) & 1) != rowParity) Fill(x, end, y, y + 1);
            x = end;
        }
    }
}

void CopyGlyph(const Pen& pen, const GlyphStrip& strip, int top, int g, int x, int y, bool emboss) {
    if (g < 0 || g >= GlyphStrip::kGlyphs) return;
    if (!strip.inkRows.empty()) {
        CopyGlyphInk(pen, strip, top, g, x, y, emboss);
        return;
    }
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
