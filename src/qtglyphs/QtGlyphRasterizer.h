// The board's letters rasterised with Qt in "Courier New", without antialiasing: one rasteriser
// for the program and the command-line tool, so both draw the same pixels.
#pragma once

#include <map>
#include <span>
#include <string_view>

#include <QFont>

#include "render/BoardDrawing.h"

namespace vorpel {

// The font is chosen so that its cell height (ascent plus descent) is the height asked for, the
// way the board's letters are sized.
class QtGlyphRasterizer : public GlyphRasterizer {
public:
    Size Measure(std::string_view text, int pixelHeight) const override;
    void Draw(std::string_view text, int pixelHeight, int x, int y, std::span<std::uint8_t> pixels,
              int width) const override;

private:
    const QFont& FontFor(int pixelHeight) const;
    // Fonts by cell height; the strip asks for few heights, each many times.
    mutable std::map<int, QFont> fonts_;
};

} // namespace vorpel
