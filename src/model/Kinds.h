// Block-layer and mark-layer characters and the kind groups the rules test.
#pragma once

#include <cstdint>

namespace vorpel {

using Byte = std::uint8_t;

// Block-layer characters.
inline constexpr Byte kEmptyKind = '.';
inline constexpr Byte kWallKind = '#';
inline constexpr Byte kKeyholeKind = '%';
inline constexpr Byte kNormalKind = '[';
inline constexpr Byte kMasterKind = '@';
inline constexpr Byte kNormalTireKind = 'x';
inline constexpr Byte kMasterTireKind = 'X';
inline constexpr Byte kMagnetKind = '{';
inline constexpr Byte kMasterMagnetKind = '?';
inline constexpr Byte kAntimagnetKind = '}';
inline constexpr Byte kMasterAntimagnetKind = 'z';
inline constexpr Byte kVerticalKind = '|';
inline constexpr Byte kMasterVerticalKind = '"';
inline constexpr Byte kHorizontalKind = '-';
inline constexpr Byte kMasterHorizontalKind = '=';
inline constexpr Byte kBoxKind = 'v';
inline constexpr Byte kMasterBoxKind = 'V';
inline constexpr Byte kKeystoneKind = '&';
inline constexpr Byte kMasterKeystoneKind = 'w';
inline constexpr Byte kEliminatorKind = '$';
inline constexpr Byte kMasterEliminatorKind = 'Y';
inline constexpr Byte kHoverKind = ';';
inline constexpr Byte kMasterHoverKind = 'Z';
inline constexpr Byte kCoverKind = '>';
inline constexpr Byte kMasterCoverKind = 'y';
inline constexpr Byte kMagicKind = ']';
inline constexpr Byte kBarrierKind = '*';
inline constexpr Byte kWeakBarrierKind = '!';
inline constexpr Byte kBlockadeKind = '(';
inline constexpr Byte kTeleporterKind = '~';
// The kind of a blockade switch's block, which stands on a switch mark.
inline constexpr Byte kSwitchKind = '<';

// Mark-layer characters.
inline constexpr Byte kPlainMark = '.';
inline constexpr Byte kDestinationMark = '+';
inline constexpr Byte kDontCoverMark = '^';
inline constexpr Byte kTrapMark = '/';
inline constexpr Byte kWaterMark = ')';
inline constexpr Byte kIceMark = ':';
inline constexpr Byte kHoleMark = '\\';
inline constexpr Byte kSwitchMark = '<';
inline constexpr Byte kGlueMark = '_';

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

// Kinds that keep the row or the column they stand in.
constexpr bool MovesOnlyVertically(Byte k) {
    return k == kVerticalKind || k == kMasterVerticalKind;
}
constexpr bool MovesOnlyHorizontally(Byte k) {
    return k == kHorizontalKind || k == kMasterHorizontalKind;
}
// The play board's kinds whose blocks may have tire cells (kept in extraCells).
constexpr bool MayHaveTireCells(Byte k) {
    return k == kNormalKind || k == kMasterKind;
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

// Kinds that a click never takes hold of: switches, the frame, blockades, boxes and the
// teleporter (a barrier is handled on its own).
constexpr bool RefusesHold(Byte k) {
    switch (k) {
    case kSwitchKind:
    case kWallKind:
    case kKeyholeKind:
    case kBlockadeKind:
    case kBoxKind:
    case kMasterBoxKind:
    case kTeleporterKind:
        return true;
    default:
        return false;
    }
}

// Kinds the game shuffle never moves: the fixed kinds.
constexpr bool NeverShuffled(Byte k) {
    switch (k) {
    case kWeakBarrierKind:
    case kWallKind:
    case kBlockadeKind:
    case kBarrierKind:
    case kSwitchKind:
    case kTeleporterKind:
        return true;
    default:
        return false;
    }
}

// Kinds whose held block has no path to mark: the fixed kinds, but for the blockade, which a
// keystone turns into a normal block.
constexpr bool HasNoBlockPath(Byte k) {
    return !IsMovableKind(k) && k != kBlockadeKind;
}

// Kinds that carry identifiers and move counts on the board.
constexpr bool IsAnnotatedKind(Byte k) {
    switch (k) {
    case kMasterVerticalKind:
    case kEliminatorKind:
    case kKeystoneKind:
    case kBlockadeKind:
    case kHorizontalKind:
    case kHoverKind:
    case kMasterHorizontalKind:
    case kCoverKind:
    case kMasterMagnetKind:
    case kMasterKind:
    case kMasterBoxKind:
    case kMasterTireKind:
    case kMasterEliminatorKind:
    case kMasterHoverKind:
    case kNormalKind:
    case kMagicKind:
    case kBoxKind:
    case kMasterKeystoneKind:
    case kNormalTireKind:
    case kMasterCoverKind:
    case kMasterAntimagnetKind:
    case kMagnetKind:
    case kVerticalKind:
    case kAntimagnetKind:
        return true;
    default:
        return IsRoundColour(k);
    }
}

// Kinds the arrow keys take hold of when no block is held: the annotated kinds but blockades
// and boxes.
constexpr bool ArrowKeyKind(Byte k) {
    return IsAnnotatedKind(k) && k != kBlockadeKind && !IsBox(k);
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
