// The fast drawing paths against their plain forms, on random shapes, places and boards.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "RenderKit.h"
#include "render/BitmapFont.h"
#include "render/DrawingPrimitives.h"

namespace vorpel {
namespace {

using Canvas = std::vector<std::uint8_t>;

Canvas NewCanvas() {
    return Canvas(std::size_t(kCanvasSize) * kCanvasSize, 7);
}

// A cell origin anywhere, often near an edge of the canvas so that clipping is exercised.
int Origin(std::mt19937& random) {
    switch (random() % 4) {
    case 0:
        return int(random() % 40);
    case 1:
        return kCanvasSize - 60 + int(random() % 80);
    default:
        return int(random() % unsigned(kCanvasSize));
    }
}

TEST(DrawingPrimitives, CircleSpansMatchThePixelTest) {
    std::mt19937 random(3);
    Canvas fast = NewCanvas(), plain = NewCanvas();
    for (int trial = 0; trial < 3000; ++trial) {
        const int s = 10 + int(random() % 120);
        Pen a{fast.data(), s, Origin(random), Origin(random)};
        a.colour = std::uint8_t(random() % 88);
        a.second = std::uint8_t(random() % 88);
        Pen b = a;
        b.canvas = plain.data();
        const int xa = int(random() % unsigned(s)) - 2, xb = xa + int(random() % unsigned(s));
        const int ya = int(random() % unsigned(s)) - 2, yb = ya + int(random() % unsigned(s));
        const auto mode = Pen::Round(random() % 3);
        const int t = int(random() % unsigned(s / 2 + 1));
        a.Circle(xa, xb, ya, yb, mode, t);
        b.CircleByPixels(xa, xb, ya, yb, mode, t);
        if (fast != plain) {
            ADD_FAILURE() << "circle " << xa << ".." << xb << " × " << ya << ".." << yb << " mode "
                          << int(mode) << " t " << t << " at " << a.x0 << "," << a.y0;
            return;
        }
    }
}

TEST(DrawingPrimitives, DitherRunsMatchThePixelTest) {
    std::mt19937 random(4);
    Canvas fast = NewCanvas(), plain = NewCanvas();
    for (int trial = 0; trial < 2000; ++trial) {
        Pen a{fast.data(), 10 + int(random() % 60), Origin(random), Origin(random)};
        a.colour = std::uint8_t(random() % 88);
        Pen b = a;
        b.canvas = plain.data();
        a.Dither();
        b.DitherByPixels();
        if (fast != plain) {
            ADD_FAILURE() << "dither of size " << a.s << " at " << a.x0 << "," << a.y0;
            return;
        }
    }
}

TEST(DrawingPrimitives, GlyphCopiesFromInkBitsMatchThePixelCopy) {
    std::mt19937 random(5);
    const BitmapFontRasterizer font;
    Canvas fast = NewCanvas(), plain = NewCanvas();
    for (const int fontHeight : {5, 8, 13, 18, 40, 100, 106, 107}) {
        SCOPED_TRACE(fontHeight);
        GlyphStrip withBits;
        BuildGlyphStrip(withBits, font, fontHeight);
        ASSERT_EQ(withBits.inkRows.empty(), withBits.glyphWidth + 1 > 64);
        GlyphStrip pixelsOnly = withBits;
        pixelsOnly.inkRows.clear();
        for (int trial = 0; trial < 400; ++trial) {
            Pen a{fast.data(), 32};
            a.colour = std::uint8_t(random() % 88);
            Pen b = a;
            b.canvas = plain.data();
            const int top = int(random() % 4), g = int(random() % 68) - 1;
            const int x = Origin(random) - 20, y = Origin(random) - 20;
            const bool emboss = random() % 2 == 0;
            CopyGlyph(a, withBits, top, g, x, y, emboss);
            CopyGlyph(b, pixelsOnly, top, g, x, y, emboss);
            if (fast != plain) {
                ADD_FAILURE() << "glyph " << g << " at " << x << "," << y << " top " << top
                              << (emboss ? " embossed" : "");
                return;
            }
        }
    }
}

// A random board of pairs of cells of one kind (joined on two rows out of three, so blocks
// carry identifiers), with random marks, letters among them.
std::vector<std::string> RandomBoard(std::mt19937& random, int rows, int columns) {
    const std::string kinds = "[@xX{?}z|\"-=vV&w$Y;Z>y]*!(#%~..\xA1\xB0\xF7";
    const std::string marks = "....+^/):\\_<A0\xC7\xE7\xA1\xB5zq9";
    std::vector<std::string> board;
    for (int r = 0; r < rows; ++r) {
        std::string line;
        char kind = '.';
        for (int c = 0; c < columns; ++c) {
            if (c % 2 == 0) kind = kinds[random() % kinds.size()];
            line += marks[random() % marks.size()];
            line += kind;
            if (r % 3 == 0)
                line += "..";
            else
                line += std::string{char('0' + c / 2), char('0' + r % 40)};
            line += ' ';
        }
        line.pop_back();
        board.push_back(line);
    }
    return board;
}

// Without the ink bits and the kept layers and unmarked cells, every glyph and every cell is
// drawn whole; a second drawing copies cells, identifiers included, from the cache.
TEST(DrawingPrimitives, RandomBoardsDrawTheSameWithoutInkBitsOrKeptLayers) {
    std::mt19937 random(6);
    for (int trial = 0; trial < 12; ++trial) {
        SCOPED_TRACE(trial);
        auto ctx = std::make_unique<Context>();
        const int rows = 3 + int(random() % 8), columns = 2 + 2 * int(random() % 6);
        ASSERT_EQ(test::LoadBoard(*ctx, RandomBoard(random, rows, columns)), "");
        ctx->options.value[kDrawMarksOverBlocks] = random() % 2 == 0;
        const bool identify = random() % 2 == 0;
        const Annotation annotation = random() % 3 == 0 ? Annotation::kCountMoves
                                      : identify        ? Annotation::kIdentifyBlocks
                                                        : Annotation::kNone;
        ctx->options.value[kMarkSelectedBlock] = true;
        ctx->board.selectedBlock = ctx->board.BlockIndexAt(int(random() % unsigned(rows)), 0);
        const int s = 10 + int(random() % 40);
        auto canvas = std::make_unique<BoardCanvas>();
        renderkit::Draw(*ctx, *canvas, s, false, annotation);
        const std::string fast = renderkit::Crop(*canvas, columns * s, rows * s);
        renderkit::Draw(*ctx, *canvas, s, false,
                        annotation); // from the kept pictures, identifiers included
        EXPECT_TRUE(fast == renderkit::Crop(*canvas, columns * s, rows * s)) << "redrawn";
        canvas->strip.inkRows.clear(); // kept until the font height changes
        canvas->cellCache.cellSize = -1;
        canvas->cellCache.reuseLayers = false;
        std::fill(canvas->pixels.begin(), canvas->pixels.end(), std::uint8_t(0));
        renderkit::Draw(*ctx, *canvas, s, false, annotation);
        EXPECT_TRUE(fast == renderkit::Crop(*canvas, columns * s, rows * s)) << "at size " << s;
    }
}

} // namespace
} // namespace vorpel
