// The built-in bitmap font that tests and the command-line tool draw letters with.
#pragma once

#include "render/GlyphStrip.h"

namespace vorpel {

// A monospaced bitmap font scaled to the height, each glyph 3/5 of the height wide.
class BitmapFontRasterizer : public GlyphRasterizer {
public:
    Size Measure(std::string_view text, int pixelHeight) const override;
    void Draw(std::string_view text, int pixelHeight, int x, int y, std::span<std::uint8_t> pixels,
              int width) const override;
};

} // namespace vorpel
