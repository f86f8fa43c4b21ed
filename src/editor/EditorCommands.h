// The editor window's command characters: its 64 tagged buttons and what each key places.
#pragma once

#include <array>
#include <string_view>

#include "model/Kinds.h"

namespace vorpel {

// Command characters beyond the typed ones: F1 to F12 are 241 to 252, Esc is 255.
inline constexpr Byte kEditorF1 = 241;
inline constexpr Byte kEditorEscape = 255;
inline constexpr Byte kEditorCopy = 3;   // Ctrl+C
inline constexpr Byte kEditorPaste = 22; // Ctrl+V
inline constexpr Byte kEditorCut = 24;   // Ctrl+X
inline constexpr Byte kRoundBlockCommand = '[';
inline constexpr Byte kRoundMarkCommand = ']';

enum class ButtonKind { kBlock, kMark, kCommand, kOwn };

struct EditorButton {
    std::string_view key;  // the caption: the key that does the same
    std::string_view hint; // Windows-1252
    ButtonKind kind;
    Byte value;   // the kind, the mark or the command character
    Byte command; // the character the button passes to the dispatcher
};

inline constexpr int kEditorButtonCount = 64;
inline constexpr int kStopButton = 58;
inline constexpr int kHelpButton = 59;
inline constexpr int kAlphanumericBlockButton = 28;
inline constexpr int kAlphanumericMarkButton = 38;
inline constexpr int kRoundMarkButton = 61;
inline constexpr int kRoundBlockButton = 62;
inline constexpr int kZoomOutButton = 53;
inline constexpr int kZoomInButton = 54;
inline constexpr int kZoomFitButton = 55;

// By tag.
const std::array<EditorButton, kEditorButtonCount>& EditorButtons();

// What a typed character places: a block kind or a mark; 0 when it does neither. The round
// ones place `roundChar`.
Byte KindOfKey(Byte c, Byte roundChar);
Byte MarkOfKey(Byte c, Byte roundChar);

} // namespace vorpel
