// The program's 8-bit code page (Windows-1252) to Qt text and back, exactly.
#pragma once

#include <string>

#include <QString>

namespace vorpel {

// Windows-1252 bytes to text and back, exactly: the bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which
// the code page leaves undefined, stand for the control characters of the same number, so every
// byte string survives the round trip. Characters outside the code page become "?".
QString FromCp1252(const std::string& bytes);
std::string ToCp1252(const QString& text);

// The characters of `text` that the code page cannot hold, each once, in the order they come.
QString OutsideCp1252(const QString& text);

} // namespace vorpel
