// The editor's alphanumeric character cycle.
#include "editor/Alphanumeric.h"

namespace vorpel {

namespace {
constexpr int kLastIndex = 64;
}

Byte NextAlphanumeric(Byte c) {
    if (c == ' ') return AlphanumericChar(1);
    const int index = AlphanumericIndex(c);
    if (index == 0) return 'A';
    return index == kLastIndex ? Byte{' '} : AlphanumericChar(index + 1);
}

Byte PreviousAlphanumeric(Byte c) {
    if (c == ' ') return AlphanumericChar(kLastIndex);
    const int index = AlphanumericIndex(c);
    if (index == 0) return '9';
    return index == 1 ? Byte{' '} : AlphanumericChar(index - 1);
}

Byte TypedAlphanumeric(std::string_view text, Byte current) {
    if (text.empty()) return ' ';
    for (auto it = text.rbegin(); it != text.rend(); ++it)
        if (static_cast<Byte>(*it) != current) return static_cast<Byte>(*it);
    return current;
}

} // namespace vorpel
