// DrawBoard pixel by pixel: palette, cell sizes, every kind, pattern, bevel, mark and
// annotation, the editor's frame and grid, hatching, and writes kept inside the canvas.
#include <gtest/gtest.h>

#include <memory>

#include "Fixtures.h"
#include "RenderKit.h"
#include "model/History.h"

namespace vorpel {
namespace {

using renderkit::CellPicture;
using renderkit::Draw;
using renderkit::Lines;
using test::LoadBoard;

struct Fixture {
    std::unique_ptr<Context> ctx = std::make_unique<Context>();
    std::unique_ptr<BoardCanvas> canvas = std::make_unique<BoardCanvas>();

    // A 3 × 3 floor with `cell` (a four-character group) in the middle.
    void Centre(const std::string& cell) {
        ASSERT_EQ(LoadBoard(*ctx, {"........", "...." + cell + "....", "........"}), "");
    }
    void Board(const std::vector<std::string>& rows, const std::string& moves = "") {
        ASSERT_EQ(LoadBoard(*ctx, rows, moves), "");
    }
    Annotation annotation = Annotation::kNone;
    RowSet selected;
    void DrawAt(int s) { Draw(*ctx, *canvas, s, false, annotation, selected); }
    std::uint8_t Pixel(int row, int column, int x, int y) const {
        const int s = canvas->drawnCellSize;
        return canvas->At(column * s + x, row * s + y);
    }
};

TEST(BoardPalette, ColoursLightVariantsLightKindsAndBitmapHeader) {
    BoardPalette p;
    InitBoardPalette(p);
    const struct {
        int index;
        PaletteColour colour;
    } entries[] = {
        {0, {0, 0, 0}},           {1, {0, 0, 0xA0}},        {12, {0xC0, 0xC0, 0xC0}},
        {17, {0xFF, 0xD0, 0x90}}, {23, {0xE0, 0xE0, 0xE0}}, {24, {0xFF, 0xFF, 0x80}},
        {31, {0, 0, 0}},          {55, {0xC0, 0xC0, 0xC0}}, {56, {0xFF, 0xFF, 0xFF}},
        {63, {0xD0, 0xD0, 0xD0}}, {70, {0xD0, 0xFF, 0xFF}}, {87, {0xFF, 0xFF, 0xFF}},
        {88, {0, 0, 0}},          {255, {0, 0, 0}},
    };
    for (const auto& e : entries) EXPECT_EQ(p.colours[e.index], e.colour) << e.index;

    EXPECT_EQ(Luminance({0xFF, 0xFF, 0x80}), 246);
    EXPECT_EQ(Luminance({0x80, 0x80, 0x80}), 128);
    const struct {
        std::uint8_t character;
        bool light;
    } kinds[] = {
        {0xA1, true},  // FFFF80
        {0xA8, false}, // 000000
        {0xB0, false}, // 808080: luminance 128
        {0xF7, true},  // C0C0C0, colour 31
        {0xC0, false}, // not a round character
        {'{', true},   {'(', true}, {'!', true}, {'v', true}, {'V', false}, {'[', false},
    };
    for (const auto& k : kinds) EXPECT_EQ(p.lightKind[k.character], k.light) << int(k.character);

    const std::uint8_t header[] = {40, 0, 0, 0, 0, 8, 0, 0, 0, 0xF8, 0xFF, 0xFF, 1, 0, 8, 0, 0};
    for (std::size_t i = 0; i < sizeof header; ++i) EXPECT_EQ(p.bitmapInfo[i], header[i]) << i;
    // Entry 3 (F00000) as blue, green, red, 0.
    EXPECT_EQ(p.bitmapInfo[40 + 12], 0x00);
    EXPECT_EQ(p.bitmapInfo[40 + 14], 0xF0);
    EXPECT_EQ(p.bitmapInfo[40 + 15], 0x00);
}

TEST(BoardPalette, RoundCharactersAndColours) {
    const struct {
        int code, colour;
    } cases[] = {{161, 0}, {162, 1}, {191, 30}, {247, 31}, {192, 31}, {255, 31}, {100, 0}};
    for (const auto& c : cases) EXPECT_EQ(RoundColourOf(std::uint8_t(c.code)), c.colour);
    EXPECT_EQ(RoundCharacter(0), 161);
    EXPECT_EQ(RoundCharacter(30), 191);
    EXPECT_EQ(RoundCharacter(31), 247);
}

TEST(CellSize, BoundsZoomAndFit) {
    EXPECT_EQ(MaxCellSize(64, 64), 32);
    EXPECT_EQ(MaxCellSize(3, 100 / 2), 40);
    EXPECT_EQ(MaxCellSize(0, 0), 10);
    EXPECT_EQ(ClampCellSize(5, 8, 8), 10);
    EXPECT_EQ(ClampCellSize(300, 8, 8), 256);
    EXPECT_EQ(ClampCellSize(40, 0, 0), 10);
    const struct {
        int size, in, out;
    } zooms[] = {
        {10, 11, 10}, // 11 in; 9 out, clamped
        {15, 16, 14}, // 16.5 to even 16; 13.5 to even 14
        {25, 28, 22}, // 27.5 to 28; 22.5 to 22
        {35, 38, 32}, // 38.5 to 38; 31.5 to 32
    };
    for (const auto& z : zooms) {
        EXPECT_EQ(ZoomInCellSize(z.size, 8, 8), z.in) << z.size;
        EXPECT_EQ(ZoomOutCellSize(z.size, 8, 8), z.out) << z.size;
    }
    EXPECT_EQ(ZoomInCellSize(32, 64, 64), 32);
    EXPECT_EQ(FitCellSize(800, 300, 10, 20), 30);
    EXPECT_EQ(FitCellSize(100, 100, 20, 20), 10);
}

TEST(GlyphStrip, IndexesAndGeometry) {
    const struct {
        std::uint8_t character;
        int glyph;
    } cases[] = {{'A', 1},   {'Z', 26}, {0xC7, 27}, {'a', 28}, {'o', 42}, {'z', 53},
                 {0xE7, 54}, {'0', 55}, {'1', 56},  {'9', 64}, {'-', 0},  {'+', 0}};
    for (const auto& c : cases) EXPECT_EQ(GlyphIndex(c.character), c.glyph) << c.character;

    Fixture f;
    f.Centre("....");
    f.DrawAt(14); // font height 8, built-in glyphs 4 wide
    const GlyphStrip& strip = f.canvas->strip;
    EXPECT_EQ(strip.fontHeight, 8);
    EXPECT_EQ(strip.glyphWidth, 4);
    EXPECT_EQ(strip.pitch, 7);
    EXPECT_EQ(strip.width, 66 * 7);
    EXPECT_EQ(strip.height, 8);
    f.DrawAt(32);
    EXPECT_EQ(strip.fontHeight, 18);
    EXPECT_EQ(strip.glyphWidth, 10);
}

// Hand-drawn cells at size 10 (letters: RenderKit.h).
TEST(DrawBoard, CellsAtSizeTen) {
    const struct {
        const char* name;
        const char* cell;
        std::string picture;
    } cases[] = {
        {"one-cell normal block: both bevel sides, no corner marks", ".[..",
         Lines({"lllllllllk", "llllllllkk", "llbbbbbbkk", "llbbbbbbkk", "llbbbbbbkk", "llbbbbbbkk",
                "llbbbbbbkk", "llbbbbbbkk", "lkkkkkkkkk", "kkkkkkkkkk"})},
        {"box", ".v..",
         Lines({"yyyyyyyyyk", "yyyyyyyykk", "yykkkkkkkk",
                "yyk"
                "oooo"
                "kkk",
                "yyk"
                "oooo"
                "kkk",
                "yyk"
                "oooo"
                "kkk",
                "yyk"
                "oooo"
                "kkk",
                "yykkkkkkkk", "ykkkkkkkkk", "kkkkkkkkkk"})},
        {"teleporter", ".~..",
         Lines({"EEEEEEEEEk", "EEEEEEEEkk", "EEryyyBGkk", "EEyyyyyGkk", "EEykkkyGkk", "EEyykyyGkk",
                "EEBykyrGkk", "EEGGGGGGkk", "Ekkkkkkkkk", "kkkkkkkkkk"})},
        {"round block", ".\xA1..",
         Lines({"..SSSSSS..", ".SSSSSSSk.", "SSSRRRRkkk", "SSRRRRRRkk", "SSRRRRRRkk", "SSRRRRRRkk",
                "SSRRRRRRkk", "SSkRRRRkkk", ".kkkkkkkk.", "..kkkkkk.."})},
        {"destination", "+...",
         Lines({"..........", "..........", "..kkkkkk..", "..kkkkkp..", "..kkrrpp..", "..kkrrpp..",
                "..kkpppp..", "..kppppp..", "..........", ".........."})},
        {"don't cover", "^...",
         Lines({"..........", "..........", "..kkkkkkk.", "..kkkkkpp.", "...kkrpp..", "....krp...",
                "....kkp...", ".....k....", "..........", ".........."})},
        {"round mark", "\xA1...",
         Lines({"..........", "..........", "..........", "....kkk...", "...kkkSS..", "...kkRSS..",
                "...kSSSS..", "....SSS...", "..........", ".........."})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.Centre(c.cell);
        f.DrawAt(10);
        EXPECT_EQ(CellPicture(*f.canvas, 1, 1), c.picture);
    }
}

TEST(DrawBoard, JoinedCellsRunTheBarOnAndKeepTheirInnerSidesFlat) {
    Fixture f;
    f.Board({"........ ........", ".... .-ab .-ab ....", "........ ........"});
    f.DrawAt(10);
    EXPECT_EQ(CellPicture(*f.canvas, 1, 1),
              Lines({"llllllllll", "llllllllll", "llbbbbbbbb", "llbbbbbbbb", "llyyyyyyyy",
                     "llyyyyyyyy", "llbbbbbbbb", "llbbbbbbbb", "lkkkkkkkkk", "kkkkkkkkkk"}));
    EXPECT_EQ(CellPicture(*f.canvas, 1, 2),
              Lines({"lllllllllk", "llllllllkk", "bbbbbbbbkk", "bbbbbbbbkk", "yyyyyyyykk",
                     "yyyyyyyykk", "bbbbbbbbkk", "bbbbbbbbkk", "kkkkkkkkkk", "kkkkkkkkkk"}));
}

TEST(DrawBoard, InnerCornersAndWallsJoiningTeleporters) {
    Fixture f;
    // An L of walls around a floor cell, a teleporter among them, and a wall block of 2 × 2.
    f.Board({".#.. .#.. .#.. ....", ".#.. .... .~.. ....", ".#.. .#.. .#.. ....",
             "....  .... .... ...."});
    f.DrawAt(14);
    // (0,1): floor below, walls left and right: bottom side open, both lower corners open.
    EXPECT_EQ(f.Pixel(0, 1, 0, 13), 0);
    EXPECT_EQ(f.Pixel(0, 1, 0, 0), 13) << "top side faces outside the board";
    // (0,0): the floor cell (1,1) is its lower-right diagonal: an inner corner of black 2 × 2.
    EXPECT_EQ(f.Pixel(0, 0, 12, 12), 0);
    EXPECT_EQ(f.Pixel(0, 0, 11, 11), 5);
    // (2,0): the floor cell is its upper-right diagonal: black, black, black and light.
    EXPECT_EQ(f.Pixel(2, 0, 12, 0), 0);
    EXPECT_EQ(f.Pixel(2, 0, 13, 0), 0);
    EXPECT_EQ(f.Pixel(2, 0, 12, 1), 0);
    EXPECT_EQ(f.Pixel(2, 0, 13, 1), 13);
    // (1,2) teleporter joins the walls above and below: no top or bottom edge.
    EXPECT_EQ(f.Pixel(1, 2, 7, 0), 5);
    EXPECT_EQ(f.Pixel(1, 2, 7, 13), 5);
    EXPECT_EQ(f.Pixel(1, 2, 0, 7), 13) << "left side faces the floor";
}

TEST(DrawBoard, PatternsAtLargerSizes) {
    struct Probe {
        int x, y;
        std::uint8_t colour;
    };
    const struct {
        const char* name;
        const char* cell;
        int s;
        std::vector<Probe> probes;
    } cases[] = {
        // h = 16: squares [0,16) and [16,32) in the pattern colour.
        {"magnet quarters", ".{..", 32, {{8, 8, 14}, {24, 24, 14}, {24, 8, 4}, {8, 24, 4}}},
        {"master antimagnet", ".z..", 32, {{8, 8, 3}, {24, 8, 2}}},
        // d9 = 3, o = 5: stripes at 5-7, 11-13, 17-19, 23-25.
        {"cover stripes", ".>..", 32, {{16, 5, 0}, {16, 8, 9}, {16, 25, 0}, {16, 26, 9}}},
        {"master eliminator stripes",
         ".Y..",
         32,
         {{5, 16, 7}, {8, 16, 3}, {25, 16, 7}, {26, 16, 3}}},
        // d9 = 1, o = 3 at 14: bar [6, 8) across, cut short by o at the open ends.
        {"vertical bar",
         ".|..",
         14,
         {{6, 3, 15}, {7, 10, 15}, {6, 2, 6}, {6, 11, 6}, {5, 7, 6}, {8, 7, 6}, {6, 12, 0}}},
        {"master horizontal bar",
         ".=..",
         14,
         {{3, 6, 15}, {10, 7, 15}, {2, 6, 3}, {11, 7, 3}, {7, 5, 3}, {7, 8, 3}}},
        // t = 3, c = 16, a = 8: bar x 8..24 at rows 14..16, stem x 15..17 down to row 27, ring
        // in [8,24] × [4,15].
        {"keystone",
         ".&..",
         32,
         {{8, 15, 15},
          {7, 15, 6},
          {24, 16, 15},
          {16, 27, 15},
          {16, 28, 6},
          {16, 4, 15},
          {16, 9, 6}}},
        {"keyhole", ".%..", 32, {{16, 27, 15}, {16, 4, 15}}},
        // Tire: black ring of thickness S/4 in [1, S-1], grey disc in [q4, S-q4] with a ring
        // of 2 shaded black above the diagonal and light below.
        {"tire", ".x..", 10, {{5, 5, 9}, {4, 5, 9}, {5, 2, 0}, {7, 6, 12}, {5, 1, 12}}},
        {"master tire", ".X..", 32, {{16, 16, 3}, {16, 8, 0}, {16, 24, 18}}},
        {"master box", ".V..", 14, {{3, 7, 0}, {10, 7, 0}, {7, 3, 0}, {5, 5, 3}}},
        {"blockade", ".(..", 14, {{7, 7, 15}, {0, 0, 16}}},
        {"weak barrier", ".!..", 14, {{7, 7, 11}, {0, 0, 21}}},
        {"strong barrier", ".*..", 14, {{7, 7, 1}, {0, 0, 21}}},
        {"eliminator", ".$..", 14, {{7, 7, 7}, {0, 0, 14}}},
        {"magic block", ".]..", 14, {{7, 7, 2}, {0, 0, 20}}},
        {"master block", ".@..", 14, {{7, 7, 3}, {0, 0, 18}}},
        {"master keystone", ".w..", 14, {{7, 7, 15}, {7, 11, 15}, {2, 9, 3}}},
        {"master vertical bar", ".\"..", 14, {{7, 7, 15}, {3, 7, 3}}},
        {"master cover", ".y..", 14, {{7, 3, 0}, {7, 2, 3}}},
        {"master hover", ".Z..", 14, {{4, 4, 3}, {7, 4, 0}}},
        {"antimagnet", ".}..", 14, {{3, 3, 19}, {10, 3, 2}}},
        {"master magnet", ".?..", 14, {{3, 3, 3}, {10, 3, 4}}},
        {"wall", ".#..", 14, {{7, 7, 5}, {0, 0, 13}}},
        {"round block at 32", ".\xB8..", 32, {{16, 16, 47}, {1, 16, 79}, {31, 16, 0}, {0, 0, 12}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.Centre(c.cell);
        f.DrawAt(c.s);
        for (const Probe& p : c.probes)
            EXPECT_EQ(f.Pixel(1, 1, p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
    }
}

TEST(DrawBoard, DitherFollowsTheCanvasNotTheCell) {
    Fixture f;
    f.Board({".;aa.;aa.;aa", ".;aa.;aa.;aa"});
    f.DrawAt(14);
    // Away from the bevel, each pixel is black exactly when ((X >> 2) xor (Y >> 2)) is odd.
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            for (int y = 2; y < 12; ++y)
                for (int x = 2; x < 12; ++x) {
                    const int cx = column * 14 + x, cy = row * 14 + y;
                    const std::uint8_t expected = ((cx >> 2) ^ (cy >> 2)) & 1 ? 0 : 9;
                    ASSERT_EQ(f.canvas->At(cx, cy), expected) << cx << "," << cy;
                }
}

TEST(DrawBoard, MarksUnderBlocksShowOnlyWhenAskedOrInTheEditor) {
    Fixture f;
    f.Centre("+[..");
    const int s = 14, centre = s / 2;
    f.DrawAt(s);
    EXPECT_EQ(f.Pixel(1, 1, centre, centre), 6) << "hidden under the block";
    f.ctx->options.value[kDrawMarksOverBlocks] = true;
    f.DrawAt(s);
    EXPECT_EQ(f.Pixel(1, 1, centre, centre), 3);
    f.ctx->options.value[kDrawMarksOverBlocks] = false;
    f.ctx->editing = true;
    f.DrawAt(s);
    EXPECT_EQ(f.Pixel(1, 1, centre, centre), 3);
}

// The canvas where a glyph copied at (x, y) puts its ink: per strip pixel row top..height-1.
template <class Check> void ForGlyphInk(const GlyphStrip& strip, int top, int g, Check check) {
    for (int row = top; row < strip.height; ++row)
        for (int column = 0; column <= strip.glyphWidth; ++column)
            check(column, row - top,
                  strip.pixels[std::size_t(row) * strip.width + g * strip.pitch + column] != 0);
}

TEST(DrawBoard, LettersAreEmbossedOnTheFloorAndFlatOnBlocks) {
    for (const int s : {10, 14, 32}) {
        SCOPED_TRACE(s);
        Fixture f, plain;
        f.Board({"........", "....G...", "........"}); // last column: nothing drawn over it
        f.DrawAt(s);
        plain.Board({"........", "........", "........"});
        plain.DrawAt(s);
        const int x = s + s / 2 + 3, y = s + s / 2 - 4, top = s >> 4;
        const GlyphStrip& strip = f.canvas->strip;
        // Scan order and "later writes win": grey where the pixel one down and right is ink,
        // else white where ink, else as without the letter.
        auto ink = [&](int gx, int gy) {
            if (gx < 0 || gy < 0 || gx > strip.glyphWidth || gy + top >= strip.height) return false;
            return strip.pixels[std::size_t(gy + top) * strip.width + 7 * strip.pitch + gx] != 0;
        };
        int inked = 0;
        for (int gy = -1; gy < strip.height - top; ++gy)
            for (int gx = -1; gx <= strip.glyphWidth; ++gx) {
                const std::uint8_t expected = ink(gx + 1, gy + 1) ? 9
                                              : ink(gx, gy)       ? 16
                                                            : plain.canvas->At(x + gx, y + gy);
                inked += ink(gx, gy);
                ASSERT_EQ(f.canvas->At(x + gx, y + gy), expected) << gx << "," << gy;
            }
        EXPECT_GT(inked, 3);
    }
    // On a light block (a box) the letter is flat grey; on a dark one flat white.
    for (const char* cell : {"Gv..", "G[.."}) {
        Fixture f;
        f.Centre(cell);
        f.ctx->options.value[kDrawMarksOverBlocks] = true;
        f.DrawAt(32);
        const std::uint8_t colour = cell[1] == 'v' ? 9 : 16;
        ForGlyphInk(f.canvas->strip, 2, 7, [&](int gx, int gy, bool isInk) {
            if (!isInk) return;
            EXPECT_EQ(f.Pixel(1, 1, 16 + 3 + gx, 16 - 4 + gy), colour);
        });
    }
}

TEST(DrawBoard, SelectionDot) {
    const struct {
        const char* cell;
        std::uint8_t colour;
    } cases[] = {{".[..", 16}, {".(..", 0}, {".\xA1..", 0}, {".\xA8..", 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        Fixture f;
        f.Centre(c.cell);
        f.ctx->board.selectedBlock = f.ctx->board.BlockIndexAt(1, 1);
        f.ctx->options.value[kMarkSelectedBlock] = true;
        f.DrawAt(12); // q = 2: [2, 6) × [6, 10)
        for (int y = 6; y < 10; ++y)
            for (int x = 2; x < 6; ++x) EXPECT_EQ(f.Pixel(1, 1, x, y), c.colour);
        const std::uint8_t inside = f.Pixel(1, 1, 5, 5);
        Draw(*f.ctx, *f.canvas, 12, true);
        EXPECT_EQ(f.Pixel(1, 1, 3, 7), inside) << "no dot while painting is suppressed";
    }
}

// Every ink pixel of glyph `g` copied to (x, y) is in `colour`.
void ExpectGlyph(const BoardCanvas& canvas, int g, int x, int y, std::uint8_t colour) {
    int inked = 0;
    ForGlyphInk(canvas.strip, canvas.drawnCellSize >> 4, g, [&](int gx, int gy, bool isInk) {
        if (!isInk) return;
        ++inked;
        EXPECT_EQ(canvas.At(x + gx, y + gy), colour) << "glyph " << g << " at " << gx << "," << gy;
    });
    EXPECT_GT(inked, 0) << "glyph " << g;
}

TEST(DrawBoard, IdentifiersAndMoveCounts) {
    // Block 2 "[" at (1,1); block 3, alphanumeric "C", at (1,3); block 4, a box, in the last
    // column, where its digits may run past the board; a blockade at (2,1).
    const std::vector<std::string> rows = {".... .... .... .... .... ....",
                                           ".... .[.. .... .[\xFF"
                                           "C .... .v..",
                                           ".... .(.. .... .... .... ...."};
    auto draw = [&](Fixture& f, int s, bool identify, bool count) {
        f.Board(rows);
        f.annotation = count      ? Annotation::kCountMoves
                       : identify ? Annotation::kIdentifyBlocks
                                  : Annotation::kNone;
        f.DrawAt(s);
    };
    auto plainAt = [&](int s) {
        auto plain = std::make_unique<Fixture>();
        draw(*plain, s, false, false);
        return plain;
    };
    {
        SCOPED_TRACE("identify at 14: two glyphs of the number, black on light kinds");
        Fixture f;
        draw(f, 14, true, false);
        const int w = f.canvas->strip.glyphWidth;
        ExpectGlyph(*f.canvas, 1, 14 + 1, 14 - 1, 16); // block 2, number 0: "A" "A"
        ExpectGlyph(*f.canvas, 1, 14 + 1 + w, 14 - 1, 16);
        ExpectGlyph(*f.canvas, 3, 3 * 14 + 1, 14 - 1, 16);    // "C"
        ExpectGlyph(*f.canvas, 3, 5 * 14 + 1 + w, 14 - 1, 0); // box, number 2: "A" "C"
    }
    {
        SCOPED_TRACE("below 14 only alphanumeric blocks are annotated");
        Fixture f;
        draw(f, 13, true, false);
        const auto plain = plainAt(13);
        EXPECT_EQ(CellPicture(*f.canvas, 1, 1), CellPicture(*plain->canvas, 1, 1));
        ExpectGlyph(*f.canvas, 3, 3 * 13 + 1, 13 - 1, 16);
        Fixture none;
        draw(none, 13, false, false);
        EXPECT_EQ(CellPicture(*none.canvas, 1, 3), CellPicture(*f.canvas, 1, 3))
            << "with no annotation mode too";
    }
    {
        SCOPED_TRACE("counts: none yet, 0; pushes of a box; more than 99999; none for blockades");
        Fixture f;
        f.Board(rows);
        PlayBoard& b = f.ctx->board;
        b.blocks[b.BlockIndexAt(1, 5)].link = 100000;
        f.annotation = Annotation::kCountMoves;
        f.DrawAt(14);
        const auto plain = plainAt(14);
        const int w = f.canvas->strip.glyphWidth;
        ExpectGlyph(*f.canvas, 65, 14 + 1, 13, 16); // plain "0"
        ExpectGlyph(*f.canvas, 42, 5 * 14 + 1, 13, 0);
        ExpectGlyph(*f.canvas, 42, 5 * 14 + 1 + (2 * w) / 3, 13, 0);
        EXPECT_EQ(CellPicture(*f.canvas, 2, 1), CellPicture(*plain->canvas, 2, 1));
        b.blocks[b.BlockIndexAt(1, 5)].link = 99999;
        f.DrawAt(14);
        for (int i = 0; i < 5; ++i) // five nines
            ExpectGlyph(*f.canvas, 64, 5 * 14 + 1 + i * w, 13, 0);
    }
}

TEST(DrawBoard, NegativeCountsBeforeTheReferencePoint) {
    // Five moves of one block between moves of another, then back to the start with the
    // reference at the end: -5.
    Fixture f;
    f.Board({".... .... .... .... .].. ....", ".... .[.. .... .... .... ...."},
            "  1)  1,  1:  >\r\n  2)  0,  4:  >\r\n  3)  1,  2:  <\r\n  4)  0,  5:  <\r\n"
            "  5)  1,  1:  >\r\n  6)  0,  4:  >\r\n  7)  1,  2:  <\r\n  8)  0,  5:  <\r\n"
            "  9)  1,  1:  >\r\n");
    Context& ctx = *f.ctx;
    EndOfLevel(ctx);
    ASSERT_EQ(CurrentMove(ctx.CurrentLevel()), 9);
    ZeroMoveCount(ctx);
    GoToPosition(ctx, 0);
    f.annotation = Annotation::kCountMoves;
    f.DrawAt(14);
    const int w = f.canvas->strip.glyphWidth;
    ExpectGlyph(*f.canvas, 0, 14 + 1, 13, 16);      // "-"
    ExpectGlyph(*f.canvas, 60, 14 + 1 + w, 13, 16); // "5"
}

TEST(DrawBoard, AnnotationShiftsBarsAndKeysAside) {
    Fixture f;
    f.Centre(".|..");
    f.annotation = Annotation::kIdentifyBlocks;
    f.DrawAt(32); // d9 = 3: centre 32 - 9 = 23, bar [20, 26)
    EXPECT_EQ(f.Pixel(1, 1, 20, 16), 15);
    EXPECT_EQ(f.Pixel(1, 1, 19, 16), 6);
    EXPECT_EQ(f.Pixel(1, 1, 26, 16), 6);
    Fixture key;
    key.Centre(".&..");
    key.annotation = Annotation::kCountMoves;
    key.DrawAt(32); // stem at x = 32 - 10 = 22
    EXPECT_EQ(key.Pixel(1, 1, 22, 26), 15);
    EXPECT_EQ(key.Pixel(1, 1, 16, 26), 6);
    key.ctx->editing = true;
    key.DrawAt(32);
    EXPECT_EQ(key.Pixel(1, 1, 16, 26), 15) << "not annotated in the editor";
}

TEST(DrawBoard, EditorFrameAndGrid) {
    Fixture f;
    f.Board({".... .... .... ....", ".... .... .... ....", ".... .... .... ...."});
    f.ctx->editing = true;
    f.DrawAt(10);
    const int w = 40, h = 30;
    auto white = [&](int x, int y) { return f.canvas->At(x, y) == 16; };
    for (int x = 0; x < w; ++x) EXPECT_TRUE(white(x, 0) && white(x, h - 1)) << x;
    for (int y = 0; y < h; ++y) EXPECT_TRUE(white(0, y) && white(w - 1, y)) << y;
    EXPECT_FALSE(white(10, 10));

    EditorGrid& grid = f.ctx->options.grid;
    grid = {1, 1, 1, 2, true}; // rows from 1 every row, columns from 1 every other column
    f.DrawAt(10);
    EXPECT_TRUE(white(15, 10) && white(15, 20)) << "h-lines at rows 1 and 2";
    EXPECT_FALSE(white(5, 10)) << "h-lines start at column 1";
    EXPECT_TRUE(white(10, 15) && white(30, 15)) << "v-lines at columns 1 and 3";
    EXPECT_FALSE(white(20, 15));
    EXPECT_FALSE(white(10, 5)) << "v-lines start at row 1";

    grid = {1, 1, 0, 0, true}; // a step of 0 draws only the first line
    f.DrawAt(10);
    EXPECT_TRUE(white(15, 10) && white(10, 15));
    EXPECT_FALSE(white(15, 20) || white(20, 15) || white(30, 15));
}

TEST(DrawBoard, HatchingOfTheSelectionAndTheBlockPath) {
    for (const bool editor : {true, false}) {
        SCOPED_TRACE(editor ? "editor selection" : "block path");
        Fixture f;
        f.Board({".... .... ....", ".... .[.. .v..", ".... .... ...."});
        f.selected.Set(1, 1);
        f.selected.Set(1, 2);
        f.ctx->editing = editor;
        f.annotation = editor ? Annotation::kNone : Annotation::kBlockPath;
        f.DrawAt(16); // diagonals end at x = 4, 8, 12 and 15 on row 0
        for (const int column : {1, 2}) {
            const std::uint8_t colour = column == 2 ? 0 : 16; // a box is light
            for (const int start : {4, 8, 12, 15})
                for (int y = 0; y <= start; ++y)
                    EXPECT_EQ(f.Pixel(1, column, start - y, y), colour) << start << "," << y;
            for (const int start : {5, 9, 13})
                for (int y = start; y <= 15; ++y)
                    EXPECT_EQ(f.Pixel(1, column, 15 - (y - start), y), colour) << start;
        }
        EXPECT_NE(f.Pixel(1, 1, 6, 7), 16) << "between the diagonals";
    }
    Fixture none;
    none.Centre(".[..");
    none.selected.Set(1, 1);
    none.DrawAt(16);
    EXPECT_EQ(none.Pixel(1, 1, 15, 0), 0) << "no hatching outside those modes (bevel stays)";
    EXPECT_EQ(none.Pixel(1, 1, 8, 7), 6);
}

TEST(DrawBoard, TextNeverReachesPastTheCanvasEdge) {
    // A box in the last of 64 columns at 32 pixels shows 12345 pushes: the digits run past
    // x = 2047 and must not come back on the left of the canvas.
    std::string top, bottom;
    for (int c = 0; c < 63; ++c) top += "....", bottom += "....";
    top += ".v..";
    bottom += "....";
    Fixture f;
    f.Board({top, bottom});
    PlayBoard& b = f.ctx->board;
    b.blocks[b.BlockIndexAt(0, 63)].link = 12345;
    f.annotation = Annotation::kCountMoves;
    f.DrawAt(32);
    EXPECT_EQ(CellPicture(*f.canvas, 0, 0), CellPicture(*f.canvas, 1, 0));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(f.Pixel(0, 0, x, y), 12);
}

TEST(DrawBoard, RepaintsFromRememberedCellsMatchAFreshDrawing) {
    // Hover blocks at several canvas phases, marks, letters and joined blocks; then a move.
    Fixture f;
    f.Board({".;.. .;.. .;.. .;.. +... ^...", "A... .;aa .;aa .[bb .[bb \xA1...",
             ".... .... .... +@.. .... .v..", ".... .... .... .... .... ...."});
    f.ctx->options.value[kDrawMarksOverBlocks] = true;
    for (const int s : {14, 19}) {
        SCOPED_TRACE(s);
        f.DrawAt(s);
        f.DrawAt(s); // every cell from the remembered pictures
        Fixture fresh;
        fresh.Board({".;.. .;.. .;.. .;.. +... ^...", "A... .;aa .;aa .[bb .[bb \xA1...",
                     ".... .... .... +@.. .... .v..", ".... .... .... .... .... ...."});
        fresh.ctx->options.value[kDrawMarksOverBlocks] = true;
        fresh.DrawAt(s);
        EXPECT_EQ(renderkit::Picture(*f.canvas, 0, 0, 6 * s, 4 * s),
                  renderkit::Picture(*fresh.canvas, 0, 0, 6 * s, 4 * s));
        ASSERT_TRUE(test::Drag(*f.ctx, 2, 3, 1, 0));
        ASSERT_TRUE(test::Drag(*fresh.ctx, 2, 3, 1, 0));
        f.DrawAt(s);
        fresh.DrawAt(s);
        EXPECT_EQ(renderkit::Picture(*f.canvas, 0, 0, 6 * s, 4 * s),
                  renderkit::Picture(*fresh.canvas, 0, 0, 6 * s, 4 * s));
        ASSERT_TRUE(test::Drag(*f.ctx, 3, 3, -1, 0));
    }
}

// What the hashes below alone held, as pixels worked out from the drawing rules at S = 10.
TEST(DrawBoard, KeysAndMarkColoursAtSizeTen) {
    struct Probe {
        int x, y;
        std::uint8_t colour;
    };
    const struct {
        const char* name;
        const char* cell;
        bool identify;
        std::vector<Probe> probes;
    } cases[] = {
        // h = 5, t = 1, c = 5, a = 2: bar x 3..7 on row 4, stem x 5 rows 4..8, ring in
        // [3,7] × [1,4] with 4R² = 3.8² (limit 14) and hole (3.8 - 2)² (limit 4), so rows 2-3 keep
        // (4, 6) and leave (5) and (3, 7) in the block's brown. Rows 0-1 are the bevel's.
        {"keystone",
         ".&..",
         false,
         {{4, 2, 15},
          {6, 2, 15},
          {6, 3, 15},
          {5, 2, 6},
          {5, 3, 6},
          {3, 2, 6},
          {7, 2, 6},
          {3, 4, 15},
          {7, 4, 15},
          {5, 5, 15},
          {5, 7, 15},
          {4, 5, 6},
          {6, 6, 6}}},
        // Annotated: c = S - S/3 = 7, so everything moves two pixels right, under the bevel at 8.
        {"keystone beside its identifier",
         ".&..",
         true,
         {{6, 2, 15},
          {7, 2, 6},
          {5, 2, 6},
          {8, 2, 0},
          {5, 4, 15},
          {4, 4, 6},
          {7, 6, 15},
          {5, 6, 6}}},
        // The keyhole stays centred even when annotated.
        {"keyhole", ".%..", true, {{4, 2, 15}, {5, 2, 5}, {5, 7, 15}, {4, 5, 5}}},
        {"master keystone", ".w..", false, {{4, 2, 15}, {5, 2, 3}, {5, 7, 15}}},
        // m = 3, e = 7: black from (2, 2), fill [4,6)², highlight from column 6 and row 6 on.
        {"green square",
         "/...",
         false,
         {{2, 2, 0}, {4, 4, 5}, {5, 5, 5}, {6, 4, 13}, {4, 6, 13}, {1, 1, 12}}},
        {"teal square", ")...", false, {{4, 4, 7}, {6, 4, 14}, {4, 7, 14}}},
        {"white square", ":...", false, {{4, 4, 16}, {6, 4, 16}, {3, 3, 0}}},
        {"black square", "\\...", false, {{4, 4, 0}, {6, 4, 23}, {7, 7, 23}}},
        {"orange square", "_...", false, {{4, 4, 10}, {6, 4, 15}}},
        {"yellow square", "<...", false, {{4, 4, 15}, {6, 4, 16}}},
        // Marks over blocks when asked: the square covers the block's middle.
        {"destination over a block", "+[..", false, {{4, 4, 3}, {6, 4, 18}, {1, 4, 17}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.Centre(c.cell);
        f.annotation = c.identify ? Annotation::kIdentifyBlocks : Annotation::kNone;
        f.ctx->options.value[kDrawMarksOverBlocks] = true;
        f.DrawAt(10);
        for (const Probe& p : c.probes)
            EXPECT_EQ(f.Pixel(1, 1, p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
    }
}

// FNV-1a of the whole board picture: a net for changes anywhere in a cell's drawing.
std::uint32_t PictureHash(const BoardCanvas& canvas, int width, int height) {
    std::uint32_t hash = 2166136261u;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) hash = (hash ^ canvas.At(x, y)) * 16777619u;
    return hash;
}

TEST(DrawBoard, EveryKindAndMarkAtThreeSizes) {
    const struct {
        const char* cell;
        std::uint32_t at10, at14, at32;
    } cases[] = {
        {".[..", 2592283041u, 3616507549u, 469275177u},
        {".@..", 915118041u, 2613347173u, 195737109u},
        {".x..", 2143321614u, 256937535u, 937903843u},
        {".X..", 1547397172u, 4260732923u, 603950629u},
        {".{..", 298714269u, 1367792863u, 3821445005u},
        {".?..", 1879738575u, 1557625846u, 2788201763u},
        {".}..", 2739627915u, 1378269392u, 579069771u},
        {".z..", 2270106731u, 2983630260u, 2577596775u},
        {".|..", 3092900237u, 3882934429u, 1520638941u},
        {".\"..", 4263052193u, 926695125u, 2136015909u},
        {".-..", 3725103837u, 3745521613u, 1823827197u},
        {".=..", 1574893825u, 1959952005u, 3600311589u},
        {".v..", 1961416753u, 2835466147u, 3957679169u},
        {".V..", 1289756885u, 1894148316u, 2706597123u},
        {".&..", 4140563339u, 2447547319u, 314241759u},
        {".w..", 1650842169u, 4071078109u, 89938221u},
        {".$..", 3660659369u, 2040765685u, 2096974533u},
        {".Y..", 1171148833u, 2168600645u, 1254961793u},
        {".;..", 2374086241u, 4082109511u, 3471369880u},
        {".Z..", 1298991497u, 1320444399u, 2866232474u},
        {".>..", 1515746815u, 1916533629u, 3555416605u},
        {".y..", 2774156951u, 3416511741u, 2630053917u},
        {".]..", 2142764373u, 287251477u, 3010868133u},
        {".*..", 2070412373u, 1241552493u, 3604402101u},
        {".!..", 1486153829u, 2465958701u, 1232528757u},
        {".(..", 1857325905u, 2723011189u, 2242316297u},
        {".#..", 3003887685u, 3728605613u, 2373541669u},
        {".%..", 1405593585u, 3434329917u, 662603281u},
        {".~..", 190798584u, 2575695572u, 3497817671u},
        {".\xA1..", 4238630357u, 125111509u, 1119044673u},
        {".\xF7..", 2570231879u, 379884653u, 3542717950u},
        {"+...", 589640473u, 1978188537u, 3351781189u},
        {"^...", 4249828953u, 3518382496u, 2161311390u},
        {"/...", 1894983549u, 542852069u, 2018456373u},
        {")...", 676582505u, 3353663497u, 213062229u},
        {":...", 1483459509u, 2165038229u, 1158291877u},
        {"\\...", 3459793929u, 760037713u, 907548357u},
        {"_...", 3913934057u, 2820169121u, 3460759381u},
        {"<...", 3669782225u, 2412174193u, 928701685u},
        {"A...", 3762580612u, 3384755833u, 2990159581u},
        {"0...", 1045158093u, 920836755u, 1513811096u},
        {"\xC7...", 4150382249u, 1593472070u, 3283469064u},
        {"\xE7...", 2624227962u, 3153961013u, 4110713257u},
        {"\xB5...", 1440662273u, 2074056933u, 3407829705u},
        {"+[..", 2102019181u, 1810818365u, 2847663245u},
        {"G{..", 3659067949u, 1516744126u, 1140155854u},
        {"\xA1v..", 4093720831u, 1211800531u, 3630978221u},
        {"z\xA8..", 710920807u, 801915977u, 2175424461u},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.Centre(c.cell);
        f.annotation = Annotation::kIdentifyBlocks;
        f.ctx->options.value[kDrawMarksOverBlocks] = true;
        std::uint32_t got[3];
        for (int i = 0; i < 3; ++i) {
            const int s = i == 0 ? 10 : i == 1 ? 14 : 32;
            f.DrawAt(s);
            got[i] = PictureHash(*f.canvas, 3 * s, 3 * s);
        }
        EXPECT_EQ(got[0], c.at10) << c.cell;
        EXPECT_EQ(got[1], c.at14) << c.cell;
        EXPECT_EQ(got[2], c.at32) << c.cell;
    }
}

} // namespace
} // namespace vorpel
