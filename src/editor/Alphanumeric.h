// The editor's alphanumeric character: its cycle and what typing in its field makes of it.
#pragma once

#include <string_view>

#include "model/Kinds.h"

namespace vorpel {

// The cycle runs blank, A to Z, Ç, a to z, ç, 0 to 9 and back to the blank (Windows-1252).
// A character outside it steps to "A" going on and to "9" going back.
Byte NextAlphanumeric(Byte c);
Byte PreviousAlphanumeric(Byte c);

// The character after the field's text became `text`: a blank for an empty field, otherwise
// the last character that differs from `current` (the one just typed, wherever the cursor
// stood), or `current` when there is none.
Byte TypedAlphanumeric(std::string_view text, Byte current);

// The character shown for `c` on the editor's buttons: "0" is drawn as "Ø" so that it is not
// taken for "O".
constexpr Byte ButtonCharacter(Byte c) {
    return c == '0' ? Byte{0xD8} : c;
}

} // namespace vorpel
