// Board rendering: palette, glyph strip, block kinds and patterns, bevels, marks, annotations.
#include "render/Desenhar.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/Execucao.h"

namespace vorpel {
namespace {

constexpr std::array<std::uint32_t, 24> kBaseColours = {
    0x000000, 0x0000A0, 0xA000A0, 0xF00000, 0x5050F0, 0x00A000, 0xB07000, 0x00A0A0,
    0xD050FF, 0x808080, 0xF0A000, 0xA0A0F0, 0xC0C0C0, 0x50FF50, 0x50F0F0, 0xF0F050,
    0xFFFFFF, 0xFFD090, 0xFFD0D0, 0xF050F0, 0xFFC0FF, 0xC0C0FF, 0xC0F0F0, 0xE0E0E0,
};

constexpr std::array<std::uint32_t, kRoundColourCount> kRoundColours = {
    0xFFFF80, 0xC0FFC0, 0x00FFA0, 0x00F000, 0xB0E000, 0xC0C000, 0x00B000, 0x000000,
    0xF0F000, 0xA0FFFF, 0x00F0F0, 0x00C0C0, 0x00C0FF, 0xC0C0FF, 0x0090C0, 0x808080,
    0xFFC000, 0xC0A000, 0xC00000, 0xC000C0, 0xC000FF, 0x4040FF, 0x0000B0, 0xA0A0A0,
    0xFFC0C0, 0xFFC0FF, 0xFF00FF, 0xFF00C0, 0xFF0000, 0xFFFFFF, 0xE0E0E0, 0xC0C0C0,
};

constexpr PaletteColour FromRgb(std::uint32_t rgb) {
    return {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)};
}

// Palette indices by name.
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kDarkBlue = 1;
constexpr std::uint8_t kPurple = 2;
constexpr std::uint8_t kRed = 3;
constexpr std::uint8_t kBlue = 4;
constexpr std::uint8_t kGreen = 5;
constexpr std::uint8_t kBrown = 6;
constexpr std::uint8_t kTeal = 7;
constexpr std::uint8_t kGrey = 9;
constexpr std::uint8_t kOrange = 10;
constexpr std::uint8_t kLightBlue = 11;
constexpr std::uint8_t kFloor = 12;
constexpr std::uint8_t kLightGreen = 13;
constexpr std::uint8_t kCyan = 14;
constexpr std::uint8_t kYellow = 15;
constexpr std::uint8_t kWhite = 16;
constexpr std::uint8_t kLightBrown = 17;
constexpr std::uint8_t kPink = 18;
constexpr std::uint8_t kMagenta = 19;
constexpr std::uint8_t kLightPurple = 20;
constexpr std::uint8_t kPaleBlue = 21;
constexpr std::uint8_t kPaleCyan = 22;
constexpr std::uint8_t kPaleGrey = 23;

void Put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = std::uint8_t(value >> (8 * i));
}

// --- Built-in font -------------------------------------------------------------------------

// Glyphs on a 5 × 9 grid (7 rows of body, 2 of descender), rows separated by blanks. Drawn in
// a cell of 6 columns (one of spacing) and 11 rows, the first two empty, so no ink reaches the
// rows the glyph copy skips.
struct FontGlyph {
    std::uint8_t character;
    const char* rows;
};

constexpr FontGlyph kFontGlyphs[] = {
    {'-', "..... ..... ..... ##### ..... ..... ..... ..... ....."},
    {'A', ".###. #...# #...# ##### #...# #...# #...# ..... ....."},
    {'B', "####. #...# #...# ####. #...# #...# ####. ..... ....."},
    {'C', ".###. #...# #.... #.... #.... #...# .###. ..... ....."},
    {'D', "####. #...# #...# #...# #...# #...# ####. ..... ....."},
    {'E', "##### #.... #.... ####. #.... #.... ##### ..... ....."},
    {'F', "##### #.... #.... ####. #.... #.... #.... ..... ....."},
    {'G', ".###. #...# #.... #.### #...# #...# .#### ..... ....."},
    {'H', "#...# #...# #...# ##### #...# #...# #...# ..... ....."},
    {'I', ".###. ..#.. ..#.. ..#.. ..#.. ..#.. .###. ..... ....."},
    {'J', "..### ...#. ...#. ...#. ...#. #..#. .##.. ..... ....."},
    {'K', "#...# #..#. #.#.. ##... #.#.. #..#. #...# ..... ....."},
    {'L', "#.... #.... #.... #.... #.... #.... ##### ..... ....."},
    {'M', "#...# ##.## #.#.# #.#.# #...# #...# #...# ..... ....."},
    {'N', "#...# #...# ##..# #.#.# #..## #...# #...# ..... ....."},
    {'O', ".###. #...# #...# #...# #...# #...# .###. ..... ....."},
    {'P', "####. #...# #...# ####. #.... #.... #.... ..... ....."},
    {'Q', ".###. #...# #...# #...# #.#.# #..#. .##.# ..... ....."},
    {'R', "####. #...# #...# ####. #.#.. #..#. #...# ..... ....."},
    {'S', ".###. #...# #.... .###. ....# #...# .###. ..... ....."},
    {'T', "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.. ..... ....."},
    {'U', "#...# #...# #...# #...# #...# #...# .###. ..... ....."},
    {'V', "#...# #...# #...# #...# #...# .#.#. ..#.. ..... ....."},
    {'W', "#...# #...# #...# #.#.# #.#.# #.#.# .#.#. ..... ....."},
    {'X', "#...# #...# .#.#. ..#.. .#.#. #...# #...# ..... ....."},
    {'Y', "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.. ..... ....."},
    {'Z', "##### ....# ...#. ..#.. .#... #.... ##### ..... ....."},
    {0xC7, ".###. #...# #.... #.... #.... #...# .###. ..#.. .##.."},
    {'a', "..... ..... .###. ....# .#### #...# .#### ..... ....."},
    {'b', "#.... #.... #.##. ##..# #...# #...# ####. ..... ....."},
    {'c', "..... ..... .###. #.... #.... #...# .###. ..... ....."},
    {'d', "....# ....# .##.# #..## #...# #...# .#### ..... ....."},
    {'e', "..... ..... .###. #...# ##### #.... .###. ..... ....."},
    {'f', "..##. .#..# .#... ###.. .#... .#... .#... ..... ....."},
    {'g', "..... ..... .#### #...# #...# .#### ....# #...# .###."},
    {'h', "#.... #.... #.##. ##..# #...# #...# #...# ..... ....."},
    {'i', "..#.. ..... .##.. ..#.. ..#.. ..#.. .###. ..... ....."},
    {'j', "...#. ..... ..##. ...#. ...#. ...#. ...#. #..#. .##.."},
    {'k', "#.... #.... #..#. #.#.. ##... #.#.. #..#. ..... ....."},
    {'l', ".##.. ..#.. ..#.. ..#.. ..#.. ..#.. .###. ..... ....."},
    {'m', "..... ..... ##.#. #.#.# #.#.# #.#.# #.#.# ..... ....."},
    {'n', "..... ..... #.##. ##..# #...# #...# #...# ..... ....."},
    {'o', "..... ..... .###. #...# #...# #...# .###. ..... ....."},
    {'p', "..... ..... ####. #...# #...# ####. #.... #.... #...."},
    {'q', "..... ..... .#### #...# #...# .#### ....# ....# ....#"},
    {'r', "..... ..... #.##. ##..# #.... #.... #.... ..... ....."},
    {'s', "..... ..... .###. #.... .###. ....# ####. ..... ....."},
    {'t', ".#... .#... ###.. .#... .#... .#..# ..##. ..... ....."},
    {'u', "..... ..... #...# #...# #...# #..## .##.# ..... ....."},
    {'v', "..... ..... #...# #...# #...# .#.#. ..#.. ..... ....."},
    {'w', "..... ..... #...# #...# #.#.# #.#.# .#.#. ..... ....."},
    {'x', "..... ..... #...# .#.#. ..#.. .#.#. #...# ..... ....."},
    {'y', "..... ..... #...# #...# #...# .#### ....# #...# .###."},
    {'z', "..... ..... ##### ...#. ..#.. .#... ##### ..... ....."},
    {0xE7, "..... ..... .###. #.... #.... #...# .###. ..#.. .##.."},
    {0xD8, ".###. #..## #.#.# #.#.# #.#.# ##..# .###. ..... ....."},
    {'1', "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###. ..... ....."},
    {'2', ".###. #...# ....# ...#. ..#.. .#... ##### ..... ....."},
    {'3', "##### ...#. ..#.. ...#. ....# #...# .###. ..... ....."},
    {'4', "...#. ..##. .#.#. #..#. ##### ...#. ...#. ..... ....."},
    {'5', "##### #.... ####. ....# ....# #...# .###. ..... ....."},
    {'6', "..##. .#... #.... ####. #...# #...# .###. ..... ....."},
    {'7', "##### ....# ...#. ..#.. .#... .#... .#... ..... ....."},
    {'8', ".###. #...# #...# .###. #...# #...# .###. ..... ....."},
    {'9', ".###. #...# #...# .#### ....# ...#. .##.. ..... ....."},
    {'0', ".##.. #..#. #..#. #..#. #..#. #..#. .##.. ..... ....."},
};

constexpr int kDesignColumns = 6;
constexpr int kDesignRows = 11;
constexpr int kDesignTopMargin = 2;

const char* GlyphRows(std::uint8_t character) {
    for (const FontGlyph& g : kFontGlyphs)
        if (g.character == character) return g.rows;
    return nullptr;
}

int CharacterWidth(int pixelHeight) {
    return std::max(1, pixelHeight * 3 / 5);
}

// --- Glyph strip ---------------------------------------------------------------------------

void BuildGlyphStrip(GlyphStrip& strip, const GlyphRasterizer& font, int fontHeight) {
    strip.fontHeight = fontHeight;
    const GlyphRasterizer::Size size = font.Measure(GlyphStrip::kText, fontHeight);
    strip.glyphWidth = std::max(0, size.width / GlyphStrip::kGlyphs);
    strip.pitch = strip.glyphWidth + 3;
    strip.width = GlyphStrip::kGlyphs * strip.pitch;
    strip.height = std::max(0, size.height);
    strip.pixels.assign(std::size_t(strip.width) * strip.height, 0);
    for (int g = 0; g < GlyphStrip::kGlyphs; ++g)
        font.Draw(GlyphStrip::kText.substr(std::size_t(g), 1), fontHeight, g * strip.pitch, 0,
                  strip.pixels, strip.width);
}

// --- Kinds ---------------------------------------------------------------------------------

enum class Pattern : std::uint8_t {
    kNone,
    kPlain,
    kQuarters,
    kDither,
    kHorizontalStripes,
    kVerticalStripes,
    kVerticalBar,
    kHorizontalBar,
    kKey,
    kTeleporter,
    kTire,
    kBox,
    kRound,
};

struct KindStyle {
    std::uint8_t base = kFloor;
    std::uint8_t light = kFloor;
    std::uint8_t pattern = kBlack;
    Pattern shape = Pattern::kNone;
};

KindStyle StyleOf(std::uint8_t kind) {
    switch (kind) {
    case '!':
        return {kLightBlue, kPaleBlue, kBlack, Pattern::kPlain};
    case '*':
        return {kDarkBlue, kPaleBlue, kBlack, Pattern::kPlain};
    case '#':
        return {kGreen, kLightGreen, kBlack, Pattern::kPlain};
    case '%':
        return {kGreen, kLightGreen, kYellow, Pattern::kKey};
    case '~':
        return {kGreen, kLightGreen, kBlack, Pattern::kTeleporter};
    case '$':
        return {kTeal, kCyan, kBlack, Pattern::kPlain};
    case '(':
        return {kYellow, kWhite, kBlack, Pattern::kPlain};
    case '[':
        return {kBrown, kLightBrown, kBlack, Pattern::kPlain};
    case 'x':
        return {kFloor, kFloor, kGrey, Pattern::kTire};
    case '&':
        return {kBrown, kLightBrown, kYellow, Pattern::kKey};
    case '-':
        return {kBrown, kLightBrown, kYellow, Pattern::kHorizontalBar};
    case '|':
        return {kBrown, kLightBrown, kYellow, Pattern::kVerticalBar};
    case ';':
        return {kGrey, kFloor, kBlack, Pattern::kDither};
    case '>':
        return {kGrey, kFloor, kBlack, Pattern::kHorizontalStripes};
    case 'v':
        return {kOrange, kYellow, kBlack, Pattern::kBox};
    case ']':
        return {kPurple, kLightPurple, kBlack, Pattern::kPlain};
    case '{':
        return {kBlue, kPaleCyan, kCyan, Pattern::kQuarters};
    case '}':
        return {kPurple, kLightPurple, kMagenta, Pattern::kQuarters};
    case '@':
        return {kRed, kPink, kBlack, Pattern::kPlain};
    case 'X':
        return {kFloor, kPink, kRed, Pattern::kTire};
    case 'w':
        return {kRed, kPink, kYellow, Pattern::kKey};
    case '=':
        return {kRed, kPink, kYellow, Pattern::kHorizontalBar};
    case '"':
        return {kRed, kPink, kYellow, Pattern::kVerticalBar};
    case 'Z':
        return {kRed, kPink, kBlack, Pattern::kDither};
    case 'y':
        return {kRed, kPink, kBlack, Pattern::kHorizontalStripes};
    case 'Y':
        return {kRed, kPink, kTeal, Pattern::kVerticalStripes};
    case 'V':
        return {kRed, kPink, kBlack, Pattern::kBox};
    case '?':
        return {kBlue, kPink, kRed, Pattern::kQuarters};
    case 'z':
        return {kPurple, kPink, kRed, Pattern::kQuarters};
    default:
        if (IsRoundColour(kind)) return {kFloor, kFloor, kBlack, Pattern::kRound};
        return {}; // empty floor, and anything the board should never show
    }
}

// Outline bits of a cell.
enum : std::uint8_t {
    kRightOpen = 1,
    kTopRightOpen = 2,
    kTopOpen = 4,
    kTopLeftOpen = 8,
    kLeftOpen = 16,
    kBottomLeftOpen = 32,
    kBottomOpen = 64,
    kBottomRightOpen = 128,
};

// --- Pen: the per-cell drawing state and the primitives --------------------------------------

enum class Quadrant { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

struct Pen {
    std::uint8_t* canvas;
    int s = 0;  // cell size
    int x0 = 0; // cell origin on the canvas
    int y0 = 0;
    std::uint8_t colour = kBlack;
    std::uint8_t second = kBlack;
    std::uint8_t third = kFloor;

    // Every write is clipped to the canvas, so nothing a cell draws can leave the buffer.
    void PutAbsolute(int x, int y, std::uint8_t c) const {
        if (unsigned(x) < unsigned(kCanvasSize) && unsigned(y) < unsigned(kCanvasSize))
            canvas[std::size_t(y) * kCanvasSize + x] = c;
    }
    void Put(int x, int y) const { PutAbsolute(x0 + x, y0 + y, colour); }
    void Put(int x, int y, std::uint8_t c) const { PutAbsolute(x0 + x, y0 + y, c); }

    // [a, b) × [c, d), cell-relative.
    void Fill(int a, int b, int c, int d) const { FillAbsolute(x0 + a, x0 + b, y0 + c, y0 + d); }
    void FillAbsolute(int a, int b, int c, int d) const {
        a = std::max(a, 0);
        c = std::max(c, 0);
        b = std::min(b, kCanvasSize);
        d = std::min(d, kCanvasSize);
        if (a >= b || c >= d) return;
        const auto n = std::size_t(b - a);
        std::uint8_t* p = canvas + std::size_t(c) * kCanvasSize + std::size_t(a);
        std::uint8_t* const end = canvas + std::size_t(d) * kCanvasSize + std::size_t(a);
        if (n == 1) {
            for (; p != end; p += kCanvasSize) *p = colour;
            return;
        }
        // Cells are short rows: plain word stores beat a string instruction's start-up.
        std::uint8_t block[16];
        std::memset(block, colour, sizeof block);
        for (; p != end; p += kCanvasSize) {
            std::size_t i = 0;
            for (; i + 16 <= n; i += 16) std::memcpy(p + i, block, 16);
            if (i + 8 <= n) {
                std::memcpy(p + i, block, 8);
                i += 8;
            }
            for (; i < n; ++i) p[i] = colour;
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

    // Disc, ring or shaded ring in the box [xa, xb] × [ya, yb] (cell-relative, ends included).
    void Circle(int xa, int xb, int ya, int yb, Round mode, int t = 0) const {
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

// --- Upper layer ---------------------------------------------------------------------------

void DrawPattern(const Pen& pen, const KindStyle& style, std::uint8_t kind, std::uint8_t flags,
                 bool annotated) {
    const int s = pen.s, h = s >> 1;
    const int d9 = s / 9, o = (s - 7 * d9) >> 1;
    Pen p = pen;
    p.colour = style.pattern;
    switch (style.shape) {
    case Pattern::kNone:
    case Pattern::kPlain:
    case Pattern::kRound:
        break;
    case Pattern::kQuarters:
        p.Fill(0, h, 0, h);
        p.Fill(h, s, h, s);
        break;
    case Pattern::kDither:
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x)
                if ((((p.x0 + x) >> 2) ^ ((p.y0 + y) >> 2)) & 1) p.Put(x, y);
        break;
    case Pattern::kHorizontalStripes:
        for (int k = 0; k < 4; ++k) p.Fill(0, s, o + 2 * k * d9, o + 2 * k * d9 + d9);
        break;
    case Pattern::kVerticalStripes:
        for (int k = 0; k < 4; ++k) p.Fill(o + 2 * k * d9, o + 2 * k * d9 + d9, 0, s);
        break;
    case Pattern::kVerticalBar: {
        const int c = annotated ? s - 3 * d9 : h;
        p.Fill(c - d9, c + d9, flags & kTopOpen ? o : 0, flags & kBottomOpen ? s - o : s);
        break;
    }
    case Pattern::kHorizontalBar: {
        const int c = annotated ? s - 3 * d9 : h;
        p.Fill(flags & kLeftOpen ? o : 0, flags & kRightOpen ? s - o : s, c - d9, c + d9);
        break;
    }
    case Pattern::kKey: {
        const int t = (s >> 4) | 1;
        const int c = annotated && kind != '%' ? s - s / 3 : h;
        const int a = h >> 1;
        p.ThickHLine(c - a, c + a, h - 1, t);
        p.ThickVLine(c, h - 1, s - (h >> 2) - 1, t);
        p.Circle(c - a, c + a, h >> 2, h - 1, Pen::Round::kRing, t);
        break;
    }
    case Pattern::kTeleporter: {
        const int t = (s >> 4) | 1;
        const int r = std::max(s >> 3, 3);
        const int far = s - r - 1, near = r - 1;
        p.colour = kDarkBlue;
        p.Slash(far, near, far);
        for (int j = 1; j <= (t >> 1) + 1; ++j) {
            p.Slash(far, near + j, far);
            p.Slash(far - j, near, far - j);
        }
        p.colour = kRed;
        p.Backslash(near, near, far);
        for (int j = 1; j <= (t >> 1) + 1; ++j) {
            p.Backslash(near, near + j, far);
            p.Backslash(near + j, near, far - j);
        }
        p.colour = kYellow;
        p.Circle(near, far, near, far, Pen::Round::kDisc);
        p.colour = kBlack;
        const int q = s / 6;
        p.ThickHLine(h - q - 1, h + q - 1, h - q, t);
        p.ThickVLine(h - 1, h - q, h + q, t);
        break;
    }
    case Pattern::kTire: {
        p.colour = kBlack;
        p.Circle(1, s - 1, 1, s - 1, Pen::Round::kRing, s >> 2);
        const int q4 = s >> 2;
        p.colour = style.pattern;
        p.Circle(q4, s - q4, q4, s - q4, Pen::Round::kDisc);
        p.colour = style.light;
        p.second = kBlack;
        p.Circle(q4, s - q4, q4, s - q4, Pen::Round::kShadedRing, 2);
        break;
    }
    case Pattern::kBox: {
        const int a = h >> 1;
        p.VLine(0, s - 1, a);
        p.VLine(0, s - 1, a + h);
        p.HLine(0, s - 1, a);
        p.HLine(0, s - 1, a + h);
        break;
    }
    }
}

void DrawBevel(const Pen& pen, std::uint8_t light, std::uint8_t f) {
    const int e = pen.s - 1;
    Pen p = pen;
    if (f & kBottomOpen) {
        p.colour = kBlack;
        const int a = f & kBottomLeftOpen ? 0 : 1, b = f & kBottomRightOpen ? e : e - 1;
        p.HLine(a, b, e - 1);
        p.HLine(a, b, e);
        f &= std::uint8_t(~(kBottomLeftOpen | kBottomRightOpen));
    }
    if (f & kRightOpen) {
        p.colour = kBlack;
        const int a = f & kTopRightOpen ? 0 : 1, b = f & kBottomRightOpen ? e : e - 1;
        p.VLine(a, b, e - 1);
        p.VLine(a, b, e);
        f &= std::uint8_t(~(kTopRightOpen | kBottomRightOpen));
    }
    if (f & kTopOpen) {
        p.colour = light;
        const int u = f & kTopLeftOpen ? 0 : 1, v = f & kTopRightOpen ? 0 : 1;
        p.HLine(u, e - v, 0);
        p.HLine(2 * u, e - 2 * v, 1);
        f &= std::uint8_t(~(kTopLeftOpen | kTopRightOpen));
    }
    if (f & kLeftOpen) {
        p.colour = light;
        const int u = f & kTopLeftOpen ? 0 : 1, v = f & kBottomLeftOpen ? 0 : 1;
        p.VLine(u, e - v, 0);
        p.VLine(2 * u, e - 2 * v, 1);
        f &= std::uint8_t(~(kTopLeftOpen | kBottomLeftOpen));
    }
    // Corner bits still set are inner corners: only the diagonal neighbour differs.
    if (f & kTopLeftOpen) {
        p.colour = light;
        p.Fill(0, 2, 0, 2);
    }
    if (f & kTopRightOpen) {
        p.Put(e - 1, 0, kBlack);
        p.Put(e - 1, 1, kBlack);
        p.Put(e, 0, kBlack);
        p.Put(e, 1, light);
    }
    if (f & kBottomLeftOpen) {
        p.Put(0, e - 1, kBlack);
        p.Put(1, e - 1, kBlack);
        p.Put(0, e, kBlack);
        p.Put(1, e, light);
    }
    if (f & kBottomRightOpen) {
        p.colour = kBlack;
        p.Fill(e - 1, e + 1, e - 1, e + 1);
    }
}

void DrawRoundBlock(const Pen& pen, std::uint8_t kind, std::uint8_t f) {
    const int s = pen.s, d = s / 3, dd = 2 * d;
    const auto index = std::uint8_t(kRoundPaletteBase + RoundColourOf(kind));
    const auto light = std::uint8_t(index + 32);
    const bool left = f & kLeftOpen, right = f & kRightOpen, top = f & kTopOpen,
               bottom = f & kBottomOpen;
    Pen p = pen;
    p.colour = index;
    p.Fill(0, s, 0, s);
    const int xa = left ? d : 0, xb = s - 1 - (right ? d : 0);
    const int ya = top ? d : 0, yb = s - 1 - (bottom ? d : 0);
    p.colour = kBlack;
    if (bottom) {
        p.HLine(xa, xb, s - 2);
        p.HLine(xa, xb, s - 1);
    }
    if (right) {
        p.VLine(ya, yb, s - 2);
        p.VLine(ya, yb, s - 1);
    }
    p.colour = light;
    if (top) {
        p.HLine(xa, xb, 0);
        p.HLine(xa, xb, 1);
    }
    if (left) {
        p.VLine(ya, yb, 0);
        p.VLine(ya, yb, 1);
    }
    p.third = kFloor;
    if (top && left) {
        p.colour = light;
        p.CornerArc(0, dd, 0, dd, Quadrant::kTopLeft, 2, false);
    }
    p.colour = kBlack;
    p.second = light;
    if (bottom && left) p.CornerArc(0, dd, s - dd - 1, s - 1, Quadrant::kBottomLeft, 2, true);
    if (top && right) p.CornerArc(s - dd - 1, s - 1, 0, dd, Quadrant::kTopRight, 2, true);
    if (bottom && right)
        p.CornerArc(s - dd - 1, s - 1, s - dd - 1, s - 1, Quadrant::kBottomRight, 2, false);
}

void DrawUpperLayer(const Pen& pen, std::uint8_t kind, std::uint8_t flags, bool annotated) {
    const KindStyle style = StyleOf(kind);
    if (style.shape == Pattern::kRound) {
        DrawRoundBlock(pen, kind, flags);
        return;
    }
    Pen p = pen;
    p.colour = style.base;
    p.Fill(0, pen.s, 0, pen.s);
    if (style.shape == Pattern::kNone) return;
    DrawPattern(pen, style, kind, flags, annotated);
    DrawBevel(pen, style.light, flags);
}

// --- Glyphs --------------------------------------------------------------------------------

// Copies the strip's rows top..height-1 of glyph g, one column wider than the glyph, to the
// canvas at (x, y): ink only, in the pen's colour; with `emboss`, each ink pixel is followed by
// grey one pixel up and left.
void CopyGlyph(const Pen& pen, const GlyphStrip& strip, int top, int g, int x, int y, bool emboss) {
    if (g < 0 || g >= GlyphStrip::kGlyphs) return;
    if (emboss) {
        for (int row = top; row < strip.height; ++row) {
            const std::uint8_t* line = strip.pixels.data() + std::size_t(row) * strip.width;
            for (int column = 0; column <= strip.glyphWidth; ++column) {
                if (!line[g * strip.pitch + column]) continue;
                const int cx = x + column, cy = y + row - top;
                pen.PutAbsolute(cx, cy, pen.colour);
                pen.PutAbsolute(cx - 1, cy - 1, kGrey);
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

// --- Marks ---------------------------------------------------------------------------------

void DrawInsetSquare(const Pen& pen, std::uint8_t fill, std::uint8_t highlight) {
    const int m = std::max(pen.s / 3 - 1, 3), e = pen.s - m;
    Pen p = pen;
    p.colour = fill;
    p.Fill(m + 1, e - 1, m + 1, e - 1);
    p.colour = kBlack;
    p.HLine(m - 1, e, m - 1);
    p.VLine(m, e, m - 1);
    p.HLine(m, e - 1, m);
    p.VLine(m + 1, e - 1, m);
    p.colour = highlight;
    p.HLine(m + 1, e - 1, e - 1);
    p.VLine(m + 1, e - 2, e - 1);
    p.HLine(m, e, e);
    p.VLine(m, e - 1, e);
}

void DrawSteppedTriangle(const Pen& pen) {
    const int s = pen.s;
    int a = s >> 2, b = s - a, y = s / 3 - 1;
    std::uint8_t inner = kBlack, rightColour = kBlack;
    // Where the colours of a row overlap, the first one named wins.
    while (b >= a) {
        for (int x = a; x <= b; ++x) pen.Put(x, y, x == a ? kBlack : x == b ? rightColour : inner);
        for (int x = a; x <= b; ++x)
            pen.Put(x, y + 1, x <= a + 1 ? kBlack : x >= b - 1 ? kPink : inner);
        if (b - 1 < a + 1) break;
        for (int x = a + 1; x <= b - 1; ++x)
            pen.Put(x, y + 2, x <= a + 2 ? kBlack : x >= b - 2 ? kPink : kRed);
        a += 2;
        b -= 2;
        y += 3;
        inner = kRed;
        rightColour = kPink;
    }
}

void DrawMark(const Pen& pen, const BoardCanvas& canvas, std::uint8_t mark, std::uint8_t kind) {
    switch (mark) {
    case '+':
        DrawInsetSquare(pen, kRed, kPink);
        return;
    case ')':
        DrawInsetSquare(pen, kTeal, kCyan);
        return;
    case '/':
        DrawInsetSquare(pen, kGreen, kLightGreen);
        return;
    case ':':
        DrawInsetSquare(pen, kWhite, kWhite);
        return;
    case '\\':
        DrawInsetSquare(pen, kBlack, kPaleGrey);
        return;
    case '_':
        DrawInsetSquare(pen, kOrange, kYellow);
        return;
    case '<':
        DrawInsetSquare(pen, kYellow, kWhite);
        return;
    case '^':
        DrawSteppedTriangle(pen);
        return;
    default:
        break;
    }
    const int s = pen.s;
    if (IsRoundColour(mark)) {
        const int m = std::max(s / 3 - 2, 3);
        Pen p = pen;
        p.colour = std::uint8_t(kRoundPaletteBase + RoundColourOf(mark));
        p.Circle(m, s - m, m, s - m, Pen::Round::kDisc);
        p.second = kBlack;
        p.colour = std::uint8_t(p.colour + 32);
        p.Circle(m, s - m, m, s - m, Pen::Round::kShadedRing, 2);
        return;
    }
    if (AlphanumericIndex(mark) == 0) return;
    const int h = s >> 1;
    Pen p = pen;
    const bool floor = kind == '.';
    p.colour = floor || !canvas.palette.lightKind[kind] ? kWhite : kGrey;
    CopyGlyph(p, canvas.strip, s >> 4, GlyphIndex(mark), pen.x0 + h + 3, pen.y0 + h - 4, floor);
}

// Whether a mark character draws anything.
bool DrawsMark(std::uint8_t mark) {
    switch (mark) {
    case '+':
    case ')':
    case '/':
    case ':':
    case '\\':
    case '_':
    case '<':
    case '^':
        return true;
    default:
        return IsRoundColour(mark) || AlphanumericIndex(mark) != 0;
    }
}

// Cell pictures kept before the cache starts afresh.
constexpr std::size_t kCachedBytes = std::size_t(16) << 20;

std::size_t SlotOf(std::uint32_t key, std::size_t mask) {
    return std::size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

const std::uint64_t* FindPicture(const CellPictureCache& cache, std::uint32_t key) {
    const std::size_t mask = cache.slots.size() - 1;
    for (std::size_t i = SlotOf(key, mask);; i = (i + 1) & mask) {
        const std::uint64_t slot = cache.slots[i];
        if (slot == 0) return nullptr;
        if (slot >> 32 == key) return &cache.slots[i];
    }
}

void AddPicture(CellPictureCache& cache, std::uint32_t key, std::uint32_t picture) {
    if (2 * (cache.count + 1) > cache.slots.size()) {
        std::vector<std::uint64_t> old(cache.slots.size() * 2, 0);
        old.swap(cache.slots);
        const std::size_t mask = cache.slots.size() - 1;
        for (const std::uint64_t slot : old) {
            if (slot == 0) continue;
            std::size_t i = SlotOf(std::uint32_t(slot >> 32), mask);
            while (cache.slots[i] != 0) i = (i + 1) & mask;
            cache.slots[i] = slot;
        }
    }
    const std::size_t mask = cache.slots.size() - 1;
    std::size_t i = SlotOf(key, mask);
    while (cache.slots[i] != 0) i = (i + 1) & mask;
    cache.slots[i] = std::uint64_t(key) << 32 | picture;
    ++cache.count;
}

// A short row: fixed-size block copies, which compile to vector moves, rather than a library
// call per row.
void CopyRow(std::uint8_t* to, const std::uint8_t* from, std::size_t n) {
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) std::memcpy(to + i, from + i, 16);
    if (i + 8 <= n) {
        std::memcpy(to + i, from + i, 8);
        i += 8;
    }
    for (; i < n; ++i) to[i] = from[i];
}

// A cell picture to the canvas; the widest cells, which fill the canvas, with fixed sizes.
void CopyPicture(std::uint8_t* to, const std::uint8_t* from, int s) {
    if (s == 32) {
        for (int y = 0; y < 32; ++y, to += kCanvasSize, from += 32) std::memcpy(to, from, 32);
        return;
    }
    for (int y = 0; y < s; ++y, to += kCanvasSize, from += s) CopyRow(to, from, std::size_t(s));
}

// --- Annotation ----------------------------------------------------------------------------

void DrawAnnotation(const Context& ctx, const Pen& pen, const BoardCanvas& canvas, int row,
                    int column, std::uint8_t kind) {
    const GlyphStrip& strip = canvas.strip;
    const int top = pen.s >> 4, w = strip.glyphWidth;
    int x = pen.x0 + 1;
    const int y = pen.y0 - 1;
    Pen p = pen;
    p.colour = canvas.palette.lightKind[kind] ? kBlack : kWhite;
    if (ctx.flags.countMoves && !ctx.flags.editorActive) {
        int n = 0;
        if (kind == '(' || !BlockMoveCount(ctx, row, column, false, n)) return;
        if (n < 0) {
            CopyGlyph(p, strip, top, 0, x, y, false);
            x += w;
            n = -n;
        }
        if (n > 99999) {
            CopyGlyph(p, strip, top, 42, x, y, false);
            CopyGlyph(p, strip, top, 42, x + (2 * w) / 3, y, false);
            return;
        }
        char digits[8];
        int count = 0;
        do {
            digits[count++] = char(n % 10);
            n /= 10;
        } while (n > 0);
        while (count > 0) {
            const int digit = digits[--count];
            CopyGlyph(p, strip, top, digit == 0 ? 65 : 55 + digit, x, y, false);
            x += w;
        }
        return;
    }
    int id = 0;
    if (!DisplayedBlockNumber(ctx.board, row, column, id)) return;
    if (id >= 0) {
        CopyGlyph(p, strip, top, (id >> 6) + 1, x, y, false);
        CopyGlyph(p, strip, top, (id & 63) + 1, x + w, y, false);
    } else {
        CopyGlyph(p, strip, top, -id, x, y, false);
    }
}

// --- Editor frame, grid and hatching ------------------------------------------------------

void DrawEditorFrame(const Context& ctx, const Pen& pen, int width, int height) {
    Pen p = pen;
    p.x0 = p.y0 = 0;
    p.colour = kWhite;
    p.HLine(0, width - 1, 0);
    p.HLine(0, width - 1, height - 1);
    p.VLine(0, height - 2, 0);
    p.VLine(0, height - 2, width - 1);
    const EditorGrid& grid = ctx.options.grid;
    if (!grid.show) return;
    const PlayBoard& b = ctx.board;
    const int s = pen.s;
    // A step of 0 draws only the first line.
    for (int r = grid.startRow; r >= 0 && r < b.rows; r += grid.rowSpacing) {
        p.HLine(grid.startColumn * s, width - 1, r * s);
        if (grid.rowSpacing <= 0) break;
    }
    for (int c = grid.startColumn; c >= 0 && c < b.columns; c += grid.columnSpacing) {
        p.VLine(grid.startRow * s, height - 1, c * s);
        if (grid.columnSpacing <= 0) break;
    }
}

void HatchCell(const Pen& pen) {
    const int s = pen.s, e = s - 1, q = s >> 2, h = s >> 1, q3 = (3 * s) >> 2;
    pen.Slash(q, 0, q);
    pen.Slash(e, q + 1, e);
    pen.Slash(h, 0, h);
    pen.Slash(e, h + 1, e);
    pen.Slash(q3, 0, q3);
    pen.Slash(e, q3 + 1, e);
    pen.Slash(e, 0, e);
}

int HalfToEven(int numerator, int denominator) {
    int q = numerator / denominator;
    const int r = numerator % denominator;
    if (2 * r > denominator || (2 * r == denominator && (q & 1))) ++q;
    return q;
}

} // namespace

// --- Palette -------------------------------------------------------------------------------

int Luminance(PaletteColour c) {
    return int((c.red * 13938u + c.green * 46869u + c.blue * 4730u + 32767u) >> 16);
}

int RoundColourOf(std::uint8_t character) {
    if (character > 191) return 31;
    if (character < 162) return 0;
    return character - 161;
}

std::uint8_t RoundCharacter(int colour) {
    return colour >= 31 ? 247 : std::uint8_t(161 + std::max(colour, 0));
}

void InitBoardPalette(BoardPalette& palette) {
    palette.colours.fill({});
    for (std::size_t i = 0; i < kBaseColours.size(); ++i)
        palette.colours[i] = FromRgb(kBaseColours[i]);
    for (int i = 0; i < kRoundColourCount; ++i) {
        const PaletteColour c = FromRgb(kRoundColours[std::size_t(i)]);
        palette.colours[std::size_t(kRoundPaletteBase + i)] = c;
        auto lighter = [](std::uint8_t v) { return std::uint8_t(std::min(v + 0xD0, 255)); };
        palette.colours[std::size_t(kLightPaletteBase + i)] = {lighter(c.red), lighter(c.green),
                                                               lighter(c.blue)};
    }

    palette.lightKind.fill(false);
    for (int i = 0; i < kRoundColourCount; ++i)
        if (Luminance(FromRgb(kRoundColours[std::size_t(i)])) > 160)
            palette.lightKind[RoundCharacter(i)] = true;
    for (const char k : {'{', '(', '!', 'v'}) palette.lightKind[std::uint8_t(k)] = true;

    std::uint8_t* info = palette.bitmapInfo.data();
    palette.bitmapInfo.fill(0);
    Put32(info + 0, 40);
    Put32(info + 4, kCanvasSize);
    Put32(info + 8, std::uint32_t(-kCanvasSize)); // negative height: rows top-down
    info[12] = 1;                                 // planes
    info[14] = 8;                                 // bits per pixel; compression 0
    for (int i = 0; i < 256; ++i) {
        std::uint8_t* entry = info + 40 + 4 * i;
        entry[0] = palette.colours[std::size_t(i)].blue;
        entry[1] = palette.colours[std::size_t(i)].green;
        entry[2] = palette.colours[std::size_t(i)].red;
    }
}

// --- Built-in font -------------------------------------------------------------------------

GlyphRasterizer::Size BitmapFontRasterizer::Measure(std::string_view text, int pixelHeight) const {
    if (pixelHeight <= 0) return {};
    return {CharacterWidth(pixelHeight) * int(text.size()), pixelHeight};
}

void BitmapFontRasterizer::Draw(std::string_view text, int pixelHeight, int x, int y,
                                std::span<std::uint8_t> pixels, int width) const {
    if (pixelHeight <= 0 || width <= 0) return;
    const int height = int(pixels.size() / std::size_t(width));
    const int cw = CharacterWidth(pixelHeight);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* rows = GlyphRows(std::uint8_t(text[i]));
        if (!rows) continue;
        const int left = x + int(i) * cw;
        for (int py = 0; py < pixelHeight; ++py) {
            const int designRow = py * kDesignRows / pixelHeight - kDesignTopMargin;
            if (designRow < 0 || y + py < 0 || y + py >= height) continue;
            for (int px = 0; px < cw; ++px) {
                const int designColumn = px * kDesignColumns / cw;
                if (designColumn >= 5 || left + px < 0 || left + px >= width) continue;
                if (rows[designRow * 6 + designColumn] == '#')
                    pixels[std::size_t(y + py) * std::size_t(width) + std::size_t(left + px)] = 255;
            }
        }
    }
}

int GlyphIndex(std::uint8_t character) {
    return AlphanumericIndex(character); // the strip follows the alphanumeric table
}

BoardCanvas::BoardCanvas(const GlyphRasterizer* rasterizer)
    : pixels(std::size_t(kCanvasSize) * kCanvasSize, 0) {
    static const BitmapFontRasterizer builtIn; // stateless
    font = rasterizer ? rasterizer : &builtIn;
    InitBoardPalette(palette);
}

// --- Cell size -----------------------------------------------------------------------------

int MaxCellSize(int rows, int columns) {
    if (rows <= 0 || columns <= 0) return kMinCellSize;
    return std::max(kMinCellSize, std::min(kCanvasSize / columns, kCanvasSize / rows));
}

int ClampCellSize(int size, int rows, int columns) {
    if (rows <= 0 || columns <= 0) return kMinCellSize;
    return std::max(kMinCellSize, std::min(size, MaxCellSize(rows, columns)));
}

int ZoomInCellSize(int size, int rows, int columns) {
    return ClampCellSize(HalfToEven(size * 11, 10), rows, columns);
}

int ZoomOutCellSize(int size, int rows, int columns) {
    return ClampCellSize(HalfToEven(size * 9, 10), rows, columns);
}

int FitCellSize(int clientWidth, int clientHeight, int rows, int columns) {
    if (rows <= 0 || columns <= 0) return kMinCellSize;
    return ClampCellSize(std::min(clientWidth / columns, clientHeight / rows), rows, columns);
}

// --- DrawBoard -----------------------------------------------------------------------------

void DrawBoard(const Context& ctx, BoardCanvas& canvas) {
    const PlayBoard& b = ctx.board;
    const int s = canvas.cellSize;
    if (s <= 0) return;
    const int fontHeight = (4 * s) / 7;
    if (canvas.strip.fontHeight != fontHeight)
        BuildGlyphStrip(canvas.strip, *canvas.font, fontHeight);

    const bool editor = ctx.flags.editorActive;
    const bool annotated = !editor && (ctx.flags.countMoves || ctx.flags.identifyBlocks);
    const bool full = annotated && s >= 14;
    const bool marksVisible = editor || ctx.options[kDrawMarksOverBlocks];
    const int selected =
        ctx.options[kMarkSelectedBlock] && !canvas.repaintSuspended ? b.selectedBlock : 0;

    CellPictureCache& cache = canvas.cellCache;
    const std::size_t area = std::size_t(s) * std::size_t(s);
    if (cache.cellSize != s || cache.font != canvas.font || cache.annotated != annotated ||
        cache.pictures.size() > kCachedBytes) {
        cache.cellSize = s;
        cache.font = canvas.font;
        cache.annotated = annotated;
        cache.slots.assign(1024, 0);
        cache.count = 0;
        cache.pictures.clear();
    }

    Pen pen{canvas.pixels.data(), s};
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c) {
            pen.x0 = c * s;
            pen.y0 = r * s;
            const int index = b.BlockIndexAt(r, c);
            const std::uint8_t kind = DisplayCharOfBlock(b, index, r, c);
            const std::uint8_t mark = b.MarkAt(r, c);
            // What the cell's own picture depends on: its kind, its edges, its visible mark,
            // and for the dither its place on the canvas.
            const std::uint32_t flags = kind == '.' ? 0 : b.outlineFlags[CellIndex(r, c)];
            const std::uint32_t shownMark =
                (kind == '.' || marksVisible) && DrawsMark(mark) ? mark : 0;
            const std::uint32_t phase =
                IsHover(kind) ? std::uint32_t((pen.x0 & 7) | (pen.y0 & 7) << 3) : 0;
            const std::uint32_t key = kind | flags << 8 | shownMark << 16 | phase << 24;
            std::uint8_t* const origin =
                canvas.pixels.data() + std::size_t(pen.y0) * kCanvasSize + std::size_t(pen.x0);
            const bool inside = pen.x0 + s <= kCanvasSize && pen.y0 + s <= kCanvasSize;
            const std::uint64_t* found = inside ? FindPicture(cache, key) : nullptr;
            if (found) {
                const std::uint8_t* from =
                    cache.pictures.data() + std::size_t(std::uint32_t(*found)) * area;
                CopyPicture(origin, from, s);
            } else {
                DrawUpperLayer(pen, kind, std::uint8_t(flags), annotated);
                if (shownMark != 0) DrawMark(pen, canvas, mark, kind);
                if (inside) {
                    AddPicture(cache, key, std::uint32_t(cache.pictures.size() / area));
                    for (int y = 0; y < s; ++y)
                        cache.pictures.insert(cache.pictures.end(),
                                              origin + std::size_t(y) * kCanvasSize,
                                              origin + std::size_t(y) * kCanvasSize + s);
                }
            }
            if (selected != 0 && index == selected) {
                const int q = s / 6;
                Pen dot = pen;
                const bool dark =
                    (IsRoundColour(kind) && canvas.palette.lightKind[kind]) || kind == '(';
                dot.colour = dark ? kBlack : kWhite;
                dot.Fill(q, q + 4, s - q - 4, s - q);
            }
            if (index < 2 || !IsAnnotatedKind(kind)) continue;
            const Block& block = b.blocks[index];
            if (block.anchorRow != r || block.anchorColumn != c) continue;
            if (full || block.id < 0) DrawAnnotation(ctx, pen, canvas, r, c, kind);
        }
    }

    if (!editor && !ctx.flags.viewBlockPath) return;
    pen.x0 = pen.y0 = 0;
    if (editor) DrawEditorFrame(ctx, pen, b.columns * s, b.rows * s);
    for (int r = 0; r < b.rows; ++r)
        for (int c = 0; c < b.columns; ++c) {
            if (!b.selection.Test(r, c)) continue;
            pen.x0 = c * s;
            pen.y0 = r * s;
            pen.colour = canvas.palette.lightKind[DisplayChar(b, r, c)] ? kBlack : kWhite;
            HatchCell(pen);
        }
}

} // namespace vorpel
