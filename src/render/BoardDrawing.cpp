// DrawBoard: cells from the cache or drawn afresh, then the dot, annotations, frame and hatching.
#include "render/BoardDrawing.h"

#include "model/History.h"
#include "model/Kinds.h"
#include "model/Sokoban.h"
#include "render/BitmapFont.h"
#include "render/CellPicture.h"
#include "render/DrawingPrimitives.h"

namespace vorpel {
namespace {

using namespace ink;

// --- Annotation ----------------------------------------------------------------------------

// The glyphs of the identifier shown on a block's anchor cell: two (id div 64 and id mod 64,
// each + 1) or, for a negative id, one (`second` is then -1); false when none is shown.
bool IdentifierGlyphs(const PlayBoard& b, int row, int column, int& first, int& second) {
    int id = 0;
    if (!DisplayedBlockNumber(b, row, column, id)) return false;
    first = id >= 0 ? (id >> 6) + 1 : -id;
    second = id >= 0 ? (id & 63) + 1 : -1;
    return true;
}

void DrawAnnotation(const Context& ctx, bool countsMoves, const Pen& pen, const BoardCanvas& canvas,
                    int row, int column, std::uint8_t kind) {
    const GlyphStrip& strip = canvas.strip;
    const int top = pen.s >> 4, w = strip.glyphWidth;
    int x = pen.x0 + 1;
    const int y = pen.y0 - 1;
    Pen p = pen;
    p.colour = canvas.palette.lightKind[kind] ? kBlack : kWhite;
    if (countsMoves) {
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
    int first = 0, second = 0;
    if (!IdentifierGlyphs(ctx.board, row, column, first, second)) return;
    CopyGlyph(p, strip, top, first, x, y, false);
    if (second >= 0) CopyGlyph(p, strip, top, second, x + w, y, false);
}

// The identifier's pixels as part of a cell picture's key (1 and both glyph numbers; bits 31
// to 45 of the key), when the identifier is ink inside its cell only, so that the cell's
// picture with it can be copied in place of drawing it; 0 otherwise. Its glyphs start on
// the row above the cell (row `top` of the strip) and at x0 + 1 and x0 + 1 + w.
std::uint64_t IdentifierKey(const GlyphStrip& strip, int s, int first, int second) {
    const int top = s >> 4, w = strip.glyphWidth;
    if (strip.inkRows.empty() || 2 * w + 2 > s || strip.height - top > s) return 0;
    std::uint64_t key = 1;
    int shift = 1;
    for (const int g : {first, second}) {
        const bool shown = g >= 0 && g < GlyphStrip::kGlyphs;
        if (shown && top < strip.height &&
            strip.inkRows[std::size_t(g) * std::size_t(strip.height) + std::size_t(top)] != 0)
            return 0; // ink on the row above the cell
        key |= std::uint64_t(shown ? g : 127) << shift;
        shift += 7;
    }
    return key << 31;
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

// A kind's layer from the cache, or drawn and kept. Many cells share a kind but differ in edges
// and marks; their layers, the costly part for patterns, are then drawn once. The copy is exact:
// a layer covers its whole cell, draws nothing outside it, and depends only on the kind, the
// cell size and annotation setting (which the cache is kept for), the canvas phase (which the
// dither follows) and the outline bits it reads; the key holds the last three. Layer keys
// have bit 30 set, which cell keys never do.
void DrawLayer(const Pen& pen, CellPictureCache& cache, std::uint8_t kind, std::uint8_t flags,
               std::uint32_t phase, bool annotated, bool inside, std::uint8_t* origin) {
    std::uint8_t edgeMask = 0;
    if (!cache.reuseLayers || !inside || !KeepsKindLayer(kind, edgeMask)) {
        DrawKindLayer(pen, kind, flags, annotated);
        return;
    }
    const std::uint32_t edges = flags & edgeMask;
    const std::uint32_t key = kind | edges << 8 | phase << 24 | std::uint32_t(1) << 30;
    if (const std::uint64_t* found = FindPicture(cache, key)) {
        CopyPicture(cache, *found, origin);
        return;
    }
    DrawKindLayer(pen, kind, flags, annotated);
    AddPicture(cache, key, origin);
}

// A mark that draws the same pixels over any kind, all inside its cell, drawn once per cell
// size onto a blank cell (kBlank, a value no drawing writes) and kept as a stamp; later cells
// copy the stamp's written pixels over their unmarked picture (`bareKey`, in the cache and on
// the canvas). That is what drawing the mark there would write.
constexpr std::uint8_t kBlank = 0xFF;

// The cache key's mark byte for a Sokoban goal drawn by DrawSokobanGoal: no mark character.
constexpr std::uint32_t kSokobanGoalLook = 0x01;

void StampMark(const Pen& pen, BoardCanvas& canvas, std::uint32_t bareKey, std::uint8_t mark,
               std::uint8_t kind, std::uint8_t* origin) {
    CellPictureCache& cache = canvas.cellCache;
    const std::uint64_t stampKey = std::uint64_t(mark) << 16 | std::uint64_t(1) << 30;
    if (!FindPicture(cache, stampKey)) {
        Pen blank = pen;
        blank.colour = kBlank;
        blank.Fill(0, pen.s, 0, pen.s);
        DrawMark(pen, canvas.strip, canvas.palette, mark, kind);
        AddPicture(cache, stampKey, origin);
        CopyPicture(cache, *FindPicture(cache, bareKey), origin);
    }
    const int s = pen.s;
    const std::uint8_t* from = PictureAt(cache, *FindPicture(cache, stampKey));
    std::uint8_t* to = origin;
    for (int y = 0; y < s; ++y, to += kCanvasSize, from += s)
        for (int x = 0; x < s; ++x) to[x] = from[x] == kBlank ? to[x] : from[x];
}

} // namespace

BoardCanvas::BoardCanvas(const GlyphRasterizer* rasterizer)
    : pixels(std::size_t(kCanvasSize) * kCanvasSize, 0) {
    static const BitmapFontRasterizer builtIn; // stateless
    font = rasterizer ? rasterizer : &builtIn;
}

void DrawBoard(const Context& ctx, const ViewState& state, const CanvasView& view,
               BoardCanvas& canvas) {
    const PlayBoard& b = ctx.board;
    const int s = view.cellSize;
    if (s <= 0) return;
    canvas.drawnCellSize = s;
    const int fontHeight = (4 * s) / 7;
    if (canvas.strip.fontHeight != fontHeight)
        BuildGlyphStrip(canvas.strip, *canvas.font, fontHeight);

    const bool editor = ctx.editing;
    const bool annotated = !editor && (view.annotation == Annotation::kCountMoves ||
                                       view.annotation == Annotation::kIdentifyBlocks);
    const bool full = annotated && s >= 14;
    const bool marksVisible = editor || ctx.options[kDrawMarksOverBlocks];
    const int selected =
        ctx.options[kMarkSelectedBlock] && !view.repaintSuspended ? b.selectedBlock : 0;
    const bool countsMoves = view.annotation == Annotation::kCountMoves && !editor; // else ids
    const bool sokoban = !editor && IsSokobanLevel(ctx.CurrentLevel());

    CellPictureCache& cache = canvas.cellCache;
    PrepareCellCache(cache, s, canvas.font, annotated);

    Pen pen{canvas.pixels.data(), s};
    PendingCopies pending;
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c) {
            pen.x0 = c * s;
            pen.y0 = r * s;
            const int index = b.BlockIndexAt(r, c);
            const std::uint8_t kind = DisplayCharOfBlock(b, index, r, c);
            const std::uint8_t mark = b.MarkAt(r, c);
            // What the cell's own picture depends on: its kind, its edges, its visible mark,
            // and for the dither its place on the canvas.
            const std::uint32_t flags = kind == '.' ? 0 : state.outline.flags[CellIndex(r, c)];
            // A Sokoban goal shows under the box and the player, and at every cell size.
            const bool sokobanGoal =
                sokoban && mark == kDestinationMark && (kind != '.' || s < kSmallGoalCell);
            const std::uint32_t shownMark = sokobanGoal ? kSokobanGoalLook
                                            : (kind == '.' || marksVisible) && DrawsMark(mark)
                                                ? mark
                                                : 0;
            const std::uint32_t phase =
                IsHover(kind) ? std::uint32_t((pen.x0 & 7) | (pen.y0 & 7) << 3) : 0;
            const std::uint32_t key = kind | flags << 8 | shownMark << 16 | phase << 24;
            std::uint8_t* const origin =
                canvas.pixels.data() + std::size_t(pen.y0) * kCanvasSize + std::size_t(pen.x0);
            const bool inside = pen.x0 + s <= kCanvasSize && pen.y0 + s <= kCanvasSize;
            const bool dotted = selected != 0 && index == selected;
            const bool annotates =
                index >= kFirstBlock && IsAnnotatedKind(kind) && b.blocks[index].anchorRow == r &&
                b.blocks[index].anchorColumn == c && (full || b.blocks[index].id < 0);
            // With an identifier inside the cell and no dot, the picture with the identifier is
            // kept too: the cell is then written by the picture, the identifier and nothing else.
            std::uint64_t annotatedKey = 0;
            int first = 0, second = 0;
            if (annotates && inside && !dotted && !countsMoves &&
                IdentifierGlyphs(b, r, c, first, second)) {
                if (const std::uint64_t identifier = IdentifierKey(canvas.strip, s, first, second))
                    annotatedKey = key | identifier;
            }
            if (annotatedKey != 0) {
                if (const std::uint64_t* whole = FindPicture(cache, annotatedKey)) {
                    pending.Add(*whole, origin);
                    continue;
                }
            }
            const std::uint64_t* found = inside ? FindPicture(cache, key) : nullptr;
            if (found) {
                pending.Add(*found, origin);
            } else {
                // Drawn in place, among held-back copies: from size 10 on a cell draws nothing
                // left of or above itself, and what a mark draws right of or below it, later
                // cells cover as they would anyway.
                if (s < kMinCellSize) pending.Flush(cache);
                // A marked cell starts from the picture of the same cell unmarked, which covers
                // the cell and nothing else; it is kept under that cell's key for the next.
                const std::uint32_t bareKey = kind | flags << 8 | phase << 24;
                const bool marked = shownMark != 0 && inside && cache.reuseLayers;
                if (const std::uint64_t* bare = marked ? FindPicture(cache, bareKey) : nullptr) {
                    CopyPicture(cache, *bare, origin);
                } else {
                    DrawLayer(pen, cache, kind, std::uint8_t(flags), phase, annotated, inside,
                              origin);
                    DrawKindEdges(pen, kind, std::uint8_t(flags));
                    if (marked) AddPicture(cache, bareKey, origin);
                }
                if (shownMark == kSokobanGoalLook)
                    DrawSokobanGoal(pen, kind);
                else if (marked && IsStampMark(mark))
                    StampMark(pen, canvas, bareKey, std::uint8_t(shownMark), kind, origin);
                else if (shownMark != 0)
                    DrawMark(pen, canvas.strip, canvas.palette, mark, kind);
                if (inside) AddPicture(cache, key, origin);
            }
            if (dotted) {
                pending.Flush(cache);
                const int q = s / 6;
                Pen dot = pen;
                const bool dark =
                    (IsRoundColour(kind) && canvas.palette.lightKind[kind]) || kind == '(';
                dot.colour = dark ? kBlack : kWhite;
                dot.Fill(q, q + 4, s - q - 4, s - q);
            }
            if (annotates) {
                pending.Flush(cache);
                DrawAnnotation(ctx, countsMoves, pen, canvas, r, c, kind);
                if (annotatedKey != 0) AddPicture(cache, annotatedKey, origin);
            }
        }
        pending.Flush(cache);
    }

    if (!editor && view.annotation != Annotation::kBlockPath) return;
    pen.x0 = pen.y0 = 0;
    if (editor) DrawEditorFrame(ctx, pen, b.columns * s, b.rows * s);
    for (int r = 0; r < b.rows; ++r)
        for (int c = 0; c < b.columns; ++c) {
            if (!state.selection.cells.Test(r, c)) continue;
            pen.x0 = c * s;
            pen.y0 = r * s;
            pen.colour = canvas.palette.lightKind[DisplayChar(b, r, c)] ? kBlack : kWhite;
            HatchCell(pen);
        }
}

} // namespace vorpel
