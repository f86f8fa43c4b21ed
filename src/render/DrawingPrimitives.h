// Drawing primitives: a pen's clipped fills, lines, discs, rings and arcs, and glyph copies.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "render/BoardPalette.h"
#include "render/GlyphStrip.h"

namespace vorpel {

enum class Quadrant { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

struct Pen {
    std::uint8_t* canvas;
    int s = 0;  // cell size
    int x0 = 0; // cell origin on the canvas
    int y0 = 0;
    std::uint8_t colour = ink::kBlack;
    std::uint8_t second = ink::kBlack;
    std::uint8_t third = ink::kFloor;

    // Every write is clipped to the canvas, so nothing a cell draws can leave the buffer.
    void PutAbsolute(int x, int y, std::uint8_t c) const {
        if (unsigned(x) < unsigned(kCanvasSize) && unsigned(y) < unsigned(kCanvasSize))
            canvas[std::size_t(y) * kCanvasSize + x] = c;
    }
    void Put(int x, int y) const { PutAbsolute(x0 + x, y0 + y, colour); }
    void Put(int x, int y, std::uint8_t c) const { PutAbsolute(x0 + x, y0 + y, c); }

    // [a, b) × [c, d), cell-relative.
    void Fill(int a, int b, int c, int d) const { FillAbsolute(x0 + a, x0 + b, y0 + c, y0 + d); }
    void FillAbsolute(int a, int b, int c, int d) const { FillAbsoluteIn(a, b, c, d, colour); }
    void FillAbsoluteIn(int a, int b, int c, int d, std::uint8_t value) const {
        a = std::max(a, 0);
        c = std::max(c, 0);
        b = std::min(b, kCanvasSize);
        d = std::min(d, kCanvasSize);
        if (a >= b || c >= d) return;
        const auto n = std::size_t(b - a);
        std::uint8_t* p = canvas + std::size_t(c) * kCanvasSize + std::size_t(a);
        std::uint8_t* const end = canvas + std::size_t(d) * kCanvasSize + std::size_t(a);
        if (n == 1) {
            for (; p != end; p += kCanvasSize) *p = value;
            return;
        }
        // Cells are short rows: plain word stores beat a string instruction's start-up.
        std::uint8_t block[16];
        std::memset(block, value, sizeof block);
        for (; p != end; p += kCanvasSize) {
            std::size_t i = 0;
            for (; i + 16 <= n; i += 16) std::memcpy(p + i, block, 16);
            if (i + 8 <= n) {
                std::memcpy(p + i, block, 8);
                i += 8;
            }
            for (; i < n; ++i) p[i] = value;
        }
    }
    // Both ends included.
    void HLine(int a, int b, int y) const { Fill(a, b + 1, y, y + 1); }
    void VLine(int a, int b, int x) const { Fill(x, x + 1, a, b + 1); }
    void ThickHLine(int a, int b, int y, int t) const {
        for (int dy = -(t >> 1); dy <= (t >> 1); ++dy) HLine(a, b, y + dy);
    }
    void ThickVLine(int x, int a, int b, int t) const {
        for (int dx = -(t >> 1); dx <= (t >> 1); ++dx) VLine(a, b, x + dx);
    }
    // The cell's pixels whose canvas x div 4 and y div 4 differ in parity, in 4 × 4 squares that
    // follow the canvas rather than the cell; filled in runs.
    void Dither() const;
    // The same, pixel by pixel: the plain form that Dither is tested against.
    void DitherByPixels() const {
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x)
                if ((((x0 + x) >> 2) ^ ((y0 + y) >> 2)) & 1) Put(x, y);
    }

    // Down and to the left from (x, y1) to row y2.
    void Slash(int x, int y1, int y2) const {
        for (int y = y1; y <= y2; ++y) Put(x - (y - y1), y);
    }
    // Down and to the right.
    void Backslash(int x, int y1, int y2) const {
        for (int y = y1; y <= y2; ++y) Put(x + (y - y1), y);
    }

    enum class Round { kDisc, kRing, kShadedRing };

    // Squared distances are compared four times over on the doubled grid, where the centre
    // lies on whole numbers: 4d² is an integer and 4R² = (yb - ya + 0.8)² never is (its
    // fraction is one of .04, .24, .44, .64, .84), so whole-number limits decide exactly as
    // the real comparisons do.
    struct Limits {
        std::int64_t outer; // 4d² <= outer: inside the circle
        std::int64_t inner; // 4d² >= inner: in the band of thickness t
    };
    static Limits CircleLimits(int ya, int yb, int t) {
        const double r2 = yb - ya + 0.8, in2 = r2 - 2 * t;
        return {std::int64_t(std::floor(r2 * r2)), std::int64_t(std::ceil(in2 * in2))};
    }

    // Disc, ring or shaded ring in the box [xa, xb] × [ya, yb] (cell-relative, ends included),
    // filled a row span at a time.
    void Circle(int xa, int xb, int ya, int yb, Round mode, int t = 0) const;

    // The same, pixel by pixel: the plain form that Circle is tested against.
    void CircleByPixels(int xa, int xb, int ya, int yb, Round mode, int t = 0) const {
        const Limits limits = CircleLimits(ya, yb, t);
        const int diagonal = xa + xb + ya + yb; // (cx - x) <= (y - cy)  <=>  2(x + y) >= this
        for (int y = ya; y <= yb; ++y) {
            const std::int64_t dy = 2 * y - (ya + yb);
            for (int x = xa; x <= xb; ++x) {
                const std::int64_t dx = 2 * x - (xa + xb), d4 = dx * dx + dy * dy;
                if (d4 > limits.outer) continue;
                if (mode == Round::kDisc)
                    Put(x, y);
                else if (d4 >= limits.inner)
                    Put(x, y, mode == Round::kRing || 2 * (x + y) >= diagonal ? colour : second);
            }
        }
    }

    // One quadrant of the box, centre row and column included: outside the circle in the
    // third colour, the band of thickness t plain or shaded.
    void CornerArc(int xa, int xb, int ya, int yb, Quadrant q, int t, bool shaded) const {
        const Limits limits = CircleLimits(ya, yb, t);
        const int diagonal = xa + xb + ya + yb;
        const bool left = q == Quadrant::kTopLeft || q == Quadrant::kBottomLeft;
        const bool top = q == Quadrant::kTopLeft || q == Quadrant::kTopRight;
        for (int y = ya; y <= yb; ++y) {
            const std::int64_t dy = 2 * y - (ya + yb);
            if (top ? dy > 0 : dy < 0) continue;
            for (int x = xa; x <= xb; ++x) {
                const std::int64_t dx = 2 * x - (xa + xb), d4 = dx * dx + dy * dy;
                if (left ? dx > 0 : dx < 0) continue;
                if (d4 > limits.outer)
                    Put(x, y, third);
                else if (d4 >= limits.inner)
                    Put(x, y, !shaded || 2 * (x + y) >= diagonal ? colour : second);
            }
        }
    }
};

// Copies the strip's rows top..height-1 of glyph g, one column wider than the glyph, to the
// canvas at (x, y): ink only, in the pen's colour; with `emboss`, each ink pixel is followed by
// grey one pixel up and left.
void CopyGlyph(const Pen& pen, const GlyphStrip& strip, int top, int g, int x, int y, bool emboss);

} // namespace vorpel
