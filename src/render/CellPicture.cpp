// One cell's picture: block kinds and their patterns, bevels, round blocks and marks.
#include "render/CellPicture.h"

#include "model/History.h"

namespace vorpel {
namespace {

using namespace ink;

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
        p.Dither();
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

} // namespace

bool KeepsKindLayer(std::uint8_t kind, std::uint8_t& edgeMask) {
    edgeMask = 0;
    switch (StyleOf(kind).shape) {
    case Pattern::kNone:
    case Pattern::kPlain:
        return false; // a fill: as quick as a copy
    case Pattern::kVerticalBar:
    case Pattern::kHorizontalBar:
        edgeMask = 0xFF; // bars stop short of open ends
        return true;
    case Pattern::kRound:
        edgeMask = kLeftOpen | kRightOpen | kTopOpen | kBottomOpen; // its sides, not corners
        return true;
    default:
        return true;
    }
}

void DrawKindLayer(const Pen& pen, std::uint8_t kind, std::uint8_t flags, bool annotated) {
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
}

void DrawKindEdges(const Pen& pen, std::uint8_t kind, std::uint8_t flags) {
    const KindStyle style = StyleOf(kind);
    if (style.shape == Pattern::kNone || style.shape == Pattern::kRound) return;
    DrawBevel(pen, style.light, flags);
}

void DrawMark(const Pen& pen, const GlyphStrip& strip, const BoardPalette& palette,
              std::uint8_t mark, std::uint8_t kind) {
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
    p.colour = floor || !palette.lightKind[kind] ? kWhite : kGrey;
    CopyGlyph(p, strip, s >> 4, GlyphIndex(mark), pen.x0 + h + 3, pen.y0 + h - 4, floor);
}

void DrawSokobanGoal(const Pen& pen, std::uint8_t kind) {
    const bool box = IsBox(kind);
    const std::uint8_t fill = box ? kYellow : kRed;
    if (pen.s >= 12) {
        DrawInsetSquare(pen, fill, box ? kWhite : kPink);
        return;
    }
    const int side = std::max(1, pen.s / 3), at = pen.s / 2 - side / 2;
    Pen p = pen;
    p.colour = fill;
    p.Fill(at, at + side, at, at + side);
}

bool IsStampMark(std::uint8_t mark) {
    switch (mark) {
    case '+':
    case ')':
    case '/':
    case ':':
    case '\\':
    case '_':
    case '<':
    case '^':
        return true; // squares and the triangle in fixed colours, inside the cell
    default:
        return IsRoundColour(mark); // a disc in the mark's colours, inside the cell
    }
}

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

} // namespace vorpel
