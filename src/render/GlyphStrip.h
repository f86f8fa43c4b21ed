// The glyph strip: the 66 glyphs of annotations and letters, rasterised once per font height.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vorpel {

// Text rasterising for the glyph strip: the program and the command-line tool render the
// platform's "Courier New" (src/qtglyphs), the core's tests a built-in bitmap font, so their
// pixels never depend on the machine's fonts.
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
    // The same ink as bits, for copying a glyph without testing every pixel: per glyph and row,
    // bit i set where column i of the glyph's glyphWidth + 1 copied columns is ink. Empty when
    // those columns do not fit in 64 bits; copies then read the pixels.
    std::vector<std::uint64_t> inkRows; // kGlyphs × height
};

// Glyph of a mark character: A-Z 1-26, Ç 27, a-z 28-53, ç 54, 0 55 (shown as Ø), 1-9 56-64,
// anything else 0 (the "-" glyph).
int GlyphIndex(std::uint8_t character);

// Rasterises the strip's glyphs at `fontHeight`, each in its own column of `pitch` pixels.
void BuildGlyphStrip(GlyphStrip& strip, const GlyphRasterizer& font, int fontHeight);

} // namespace vorpel
