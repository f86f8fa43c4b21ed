// The board's letters for the picture commands: the program's own "Courier New" glyphs.
#pragma once

#include <memory>

#include "render/BoardDrawing.h"

class QGuiApplication;

namespace vorpel::cli {

// Qt's painter on the offscreen platform (unless QT_QPA_PLATFORM names another), so that the
// tool draws the program's pixels and opens no window. One per process, alive while drawing.
class CliFont {
public:
    CliFont();
    ~CliFont();
    CliFont(const CliFont&) = delete;
    CliFont& operator=(const CliFont&) = delete;

    const GlyphRasterizer* Rasterizer() const { return rasterizer_.get(); }

private:
    int argc_ = 1;
    char name_[12] = "vorpel-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
    std::unique_ptr<GlyphRasterizer> rasterizer_;
};

} // namespace vorpel::cli
