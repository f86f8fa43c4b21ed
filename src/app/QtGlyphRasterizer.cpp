// Rasterising the board's letters with Qt: "Courier New" at a cell height, ink as non-zero bytes.
#include "app/QtGlyphRasterizer.h"

#include <algorithm>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "app/QtPlatform.h"

namespace vorpel {

const QFont& QtGlyphRasterizer::FontFor(int pixelHeight) const {
    auto found = fonts_.find(pixelHeight);
    if (found != fonts_.end()) return found->second;
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    // The largest pixel size whose cell height does not exceed the height asked for.
    int size = std::max(1, pixelHeight);
    for (;;) {
        font.setPixelSize(size);
        if (size == 1 || QFontMetrics(font).height() <= pixelHeight) break;
        --size;
    }
    return fonts_.emplace(pixelHeight, font).first->second;
}

GlyphRasterizer::Size QtGlyphRasterizer::Measure(std::string_view text, int pixelHeight) const {
    const QFontMetrics metrics(FontFor(pixelHeight));
    return {metrics.horizontalAdvance(FromCp1252(std::string(text))), std::max(1, pixelHeight)};
}

void QtGlyphRasterizer::Draw(std::string_view text, int pixelHeight, int x, int y,
                             std::span<std::uint8_t> pixels, int width) const {
    const QFont& font = FontFor(pixelHeight);
    const QString string = FromCp1252(std::string(text));
    const QFontMetrics metrics(font);
    const int textWidth = std::max(1, metrics.horizontalAdvance(string));
    const int textHeight = std::max(1, pixelHeight);
    QImage image(textWidth, textHeight, QImage::Format_Grayscale8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(0, metrics.ascent(), string);
    }
    if (width <= 0) return;
    const int rows = static_cast<int>(pixels.size() / static_cast<std::size_t>(width));
    for (int row = 0; row < textHeight; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= rows) continue;
        const uchar* line = image.constScanLine(row);
        for (int column = 0; column < textWidth; ++column) {
            const int tx = x + column;
            if (tx < 0 || tx >= width || line[column] == 0) continue;
            pixels[static_cast<std::size_t>(ty) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(tx)] = 255;
        }
    }
}

} // namespace vorpel
