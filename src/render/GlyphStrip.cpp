// The glyph strip: measuring and drawing its glyphs once, and the glyph of a mark character.
#include "render/GlyphStrip.h"

#include <algorithm>

#include "model/History.h"

namespace vorpel {

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
    strip.inkRows.clear();
    if (strip.glyphWidth + 1 > 64) return;
    strip.inkRows.assign(std::size_t(GlyphStrip::kGlyphs) * std::size_t(strip.height), 0);
    for (int g = 0; g < GlyphStrip::kGlyphs; ++g)
        for (int row = 0; row < strip.height; ++row) {
            const std::uint8_t* line =
                strip.pixels.data() + std::size_t(row) * strip.width + std::size_t(g * strip.pitch);
            std::uint64_t bits = 0;
            for (int column = 0; column <= strip.glyphWidth; ++column)
                if (line[column]) bits |= std::uint64_t(1) << column;
            strip.inkRows[std::size_t(g) * std::size_t(strip.height) + std::size_t(row)] = bits;
        }
}

int GlyphIndex(std::uint8_t character) {
    return AlphanumericIndex(character); // the strip follows the alphanumeric table
}

} // namespace vorpel
