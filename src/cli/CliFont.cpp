// The board's letters for the picture commands: the program's own "Courier New" glyphs.
#include "cli/CliFont.h"

#include <QGuiApplication>

#include "qtglyphs/QtGlyphRasterizer.h"

namespace vorpel::cli {

CliFont::CliFont() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    rasterizer_ = std::make_unique<QtGlyphRasterizer>();
}

// The rasteriser's fonts go before the application that owns the font database.
CliFont::~CliFont() {
    rasterizer_.reset();
    application_.reset();
}

} // namespace vorpel::cli
