// The board's letters for the picture commands: the program's own "Courier New" glyphs.
#include "cli/CliFont.h"

#include <cstdio>

#include <QGuiApplication>

#include "qtglyphs/QtGlyphRasterizer.h"

namespace vorpel::cli {
namespace {

// Qt's notes about the session (no runtime folder, no display settings) are not the tool's
// output; only its errors reach standard error.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

CliFont::CliFont() {
    qInstallMessageHandler(QuietQtMessages);
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
