// The program's 8-bit code page (Windows-1252) to Qt text and back, exactly.
#include "qtglyphs/Cp1252.h"

#include <algorithm>
#include <array>

namespace vorpel {

namespace {

// The characters of the bytes 0x80 to 0x9F; the five bytes the code page leaves undefined
// keep the control character of their own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t Cp1252Char(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t{byte};
}

} // namespace

QString FromCp1252(const std::string& bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[static_cast<qsizetype>(i)] = QChar(Cp1252Char(static_cast<unsigned char>(bytes[i])));
    return text;
}

std::string ToCp1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes += static_cast<char>(code);
            continue;
        }
        const auto* found = std::find(kHighControls.begin(), kHighControls.end(), code);
        bytes += found != kHighControls.end()
                     ? static_cast<char>(0x80 + (found - kHighControls.begin()))
                     : '?';
    }
    return bytes;
}

QString OutsideCp1252(const QString& text) {
    QString outside;
    for (qsizetype i = 0; i < text.size();) {
        // One character: a surrogate pair counts as one.
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const QString character = text.mid(i, length);
        i += length;
        const char16_t code = character[0].unicode();
        const bool held = length == 1 && (code < 0x80 || (code >= 0xA0 && code <= 0xFF) ||
                                          std::find(kHighControls.begin(), kHighControls.end(),
                                                    code) != kHighControls.end());
        if (!held && !outside.contains(character)) outside += character;
    }
    return outside;
}

} // namespace vorpel
