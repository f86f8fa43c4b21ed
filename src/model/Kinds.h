// Block-layer and mark-layer characters and the kind groups the rules test.
#pragma once

#include <cstdint>

namespace vorpel {

using Byte = std::uint8_t;

constexpr bool IsRoundColour(Byte c) {
    return (c >= 0xA1 && c <= 0xBF) || c == 0xF7;
}

constexpr bool IsMasterKind(Byte k) {
    switch (k) {
    case '"':
    case '=':
    case '?':
    case '@':
    case 'V':
    case 'X':
    case 'Y':
    case 'Z':
    case 'w':
    case 'y':
    case 'z':
        return true;
    default:
        return false;
    }
}

constexpr bool IsHover(Byte k) {
    return k == ';' || k == 'Z';
}
constexpr bool IsBox(Byte k) {
    return k == 'v' || k == 'V';
}
constexpr bool IsMagnet(Byte k) {
    return k == '{' || k == '?';
}
constexpr bool IsAntimagnet(Byte k) {
    return k == '}' || k == 'z';
}
constexpr bool IsEliminator(Byte k) {
    return k == '$' || k == 'Y';
}
constexpr bool IsKeystone(Byte k) {
    return k == '&' || k == 'w';
}
constexpr bool IsCover(Byte k) {
    return k == '>' || k == 'y';
}

// Every block-layer character a level may hold.
constexpr bool IsBlockChar(Byte k) {
    switch (k) {
    case '.':
    case '#':
    case '%':
    case '~':
    case '[':
    case '@':
    case 'x':
    case 'X':
    case '{':
    case '?':
    case '}':
    case 'z':
    case '|':
    case '"':
    case '-':
    case '=':
    case 'v':
    case 'V':
    case '&':
    case 'w':
    case '$':
    case 'Y':
    case ';':
    case 'Z':
    case '>':
    case 'y':
    case ']':
    case '*':
    case '!':
    case '(':
        return true;
    default:
        return IsRoundColour(k);
    }
}

// Block characters whose cells carry an identifier (all but empty, wall, keyhole, teleporter).
constexpr bool TakesIdentifier(Byte k) {
    return IsBlockChar(k) && k != '.' && k != '#' && k != '%' && k != '~';
}

// The nine marks of both quoting modes.
constexpr bool IsBasicMark(Byte m) {
    switch (m) {
    case '.':
    case '+':
    case '^':
    case '/':
    case ')':
    case ':':
    case '\\':
    case '<':
    case '_':
        return true;
    default:
        return false;
    }
}

// Kinds a user can move (everything but walls, keyholes, barriers, teleporters, switches,
// blockades and the empty cell).
constexpr bool IsMovableKind(Byte k) {
    return k != '.' && k != '#' && k != '%' && k != '*' && k != '!' && k != '~' && k != '<' &&
           k != '(';
}

// Alphanumeric character table, index 1..64.
constexpr Byte AlphanumericChar(int index) {
    if (index >= 1 && index <= 26) return static_cast<Byte>('A' + index - 1);
    if (index == 27) return 0xC7;
    if (index >= 28 && index <= 53) return static_cast<Byte>('a' + index - 28);
    if (index == 54) return 0xE7;
    if (index >= 55 && index <= 64) return static_cast<Byte>('0' + index - 55);
    return 0;
}

// Index 1..64 of an alphanumeric character, 0 when the character has none.
constexpr int AlphanumericIndex(Byte c) {
    if (c >= 'A' && c <= 'Z') return c - 'A' + 1;
    if (c == 0xC7) return 27;
    if (c >= 'a' && c <= 'z') return c - 'a' + 28;
    if (c == 0xE7) return 54;
    if (c >= '0' && c <= '9') return c - '0' + 55;
    return 0;
}

} // namespace vorpel
