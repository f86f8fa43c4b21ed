// Drawing the board, pixel by pixel, into the 8-bit board canvas with its fixed palette.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/Context.h"

namespace vorpel {

inline constexpr int kCanvasSize = 2048; // pixels on each side; also the row stride
inline constexpr int kMinCellSize = 10;

struct PaletteColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const PaletteColour&, const PaletteColour&) = default;
};

inline constexpr int kRoundColourCount = 32;
inline constexpr int kRoundPaletteBase = 24; // round colour i at 24 + i
inline constexpr int kLightPaletteBase = 56; // its light variant at 56 + i

// The fixed palette, the table of kinds that take dark text, and the platform's bitmap header
// (40-byte top-down 8-bit header, then 256 entries of blue, green, red, 0).
struct BoardPalette {
    std::array<PaletteColour, 256> colours{};
    std::array<bool, 256> lightKind{};
    std::array<std::uint8_t, 40 + 256 * 4> bitmapInfo{};
};

void InitBoardPalette(BoardPalette& palette);

// (R × 13938 + G × 46869 + B × 4730 + 32767) >> 16.
int Luminance(PaletteColour colour);
// Round colour 0..31 of a round character; codes past 191 give 31, codes below 162 give 0.
int RoundColourOf(std::uint8_t character);
// The character of round colour 0..31 (161 + colour, 247 for colour 31).
std::uint8_t RoundCharacter(int colour);

// Text rasterising for the glyph strip: the program renders the platform's "Courier New",
// tests and the command-line tool a built-in bitmap font, so their pixels never depend on the
// machine's fonts.
class GlyphRasterizer {
public:
    struct Size {
        int width = 0;
        int height = 0;
    };
    virtual ~GlyphRasterizer() = default;
    // Pixel size of `text` (8-bit Windows-1252 characters) at font height `pixelHeight`.
    virtual Size Measure(std::string_view text, int pixelHeight) const = 0;
    // Draws `text` with its top-left corner at (x, y) into `pixels` (`width` per row),
    // without antialiasing: ink pixels become non-zero, the rest is left alone.
    virtual void Draw(std::string_view text, int pixelHeight, int x, int y,
                      std::span<std::uint8_t> pixels, int width) const = 0;
};

// A monospaced bitmap font scaled to the height, each glyph 3/5 of the height wide.
class BitmapFontRasterizer : public GlyphRasterizer {
public:
    Size Measure(std::string_view text, int pixelHeight) const override;
    void Draw(std::string_view text, int pixelHeight, int x, int y, std::span<std::uint8_t> pixels,
              int width) const override;
};

// The 66 glyphs annotations and letters are copied from, kept for one font height.
struct GlyphStrip {
    static constexpr std::string_view kText = "-ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC7"
                                              "abcdefghijklmnopqrstuvwxyz\xE7\xD8"
                                              "1234567890";
    static constexpr int kGlyphs = 66;

    int fontHeight = -1; // -1: not built yet
    int glyphWidth = 0;
    int pitch = 0; // glyphWidth + 3
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width × height, non-zero is ink
};

// Glyph of a mark character: A-Z 1-26, Ç 27, a-z 28-53, ç 54, 0 55 (shown as Ø), 1-9 56-64,
// anything else 0 (the "-" glyph).
int GlyphIndex(std::uint8_t character);

// Pictures of cells already drawn, by what they show, so that a repaint copies most cells
// instead of drawing them again. Valid for one cell size, font and annotation setting.
struct CellPictureCache {
    int cellSize = -1;
    const GlyphRasterizer* font = nullptr;
    bool annotated = false;
    // Open addressing: what the cell shows (never 0) in the high half, picture number in the
    // low half; 0 is an empty slot.
    std::vector<std::uint64_t> slots;
    std::size_t count = 0;
    std::vector<std::uint8_t> pictures; // cellSize² bytes each
};

// The one picture of the board that the window and the GIF export copy from.
struct BoardCanvas {
    explicit BoardCanvas(const GlyphRasterizer* rasterizer = nullptr);

    std::vector<std::uint8_t> pixels; // kCanvasSize rows of kCanvasSize palette indices
    BoardPalette palette;
    const GlyphRasterizer* font; // the built-in bitmap font when constructed with null
    GlyphStrip strip;
    CellPictureCache cellCache;

    // Set by the main window: the cell size, and whether its painting is suppressed (then
    // DrawBoard leaves out the selection dot).
    int cellSize = kMinCellSize;
    bool repaintSuspended = false;

    std::uint8_t At(int x, int y) const { return pixels[std::size_t(y) * kCanvasSize + x]; }
};

// Cell-size rules: at least 10 and at most 2048 div the larger of rows and columns; 10 with
// no board.
int MaxCellSize(int rows, int columns);
int ClampCellSize(int size, int rows, int columns);
// Zoom in (11/10) or out (9/10), rounded half to even, then clamped.
int ZoomInCellSize(int size, int rows, int columns);
int ZoomOutCellSize(int size, int rows, int columns);
// The largest cell size that fits a client area, clamped.
int FitCellSize(int clientWidth, int clientHeight, int rows, int columns);

// Repaints the whole board into the canvas at the canvas's cell size, from the play board
// (its outline flags recomputed by the caller), the options and the annotation mode.
void DrawBoard(const Context& ctx, BoardCanvas& canvas);

} // namespace vorpel
