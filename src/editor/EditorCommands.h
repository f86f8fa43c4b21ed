// The editor window's buttons: their captions (the keys that do the same), hints and actions.
#pragma once

#include <array>
#include <string_view>

#include "model/Kinds.h"

namespace vorpel {

enum class ButtonKind { kBlock, kMark, kCommand, kOwn };

// What a button does: places its kind or mark, or runs one of the editor's commands.
enum class EditorAction {
    kPlace,
    kRotateCounterclockwise,
    kRotate180,
    kRotateClockwise,
    kReverseVertically,
    kReverseHorizontally,
    kInsertExpandingColumns,
    kInsertExpandingRows,
    kDeleteCompactingColumns,
    kDeleteCompactingRows,
    kShuffle,
    kToMaster,
    kToNonmaster,
    kEraseBlocksAndMarks,
    kToAlphanumericBlock,
    kAlphanumericMark,
    kRestoreSelection,
    kSelectNothing,
    kInvertSelection,
    kDeleteEmptyBorders,
    kAddEmptyBorders,
    kReadLevelFile,
    kCurrentLevel,
    kUndo,
    kRedo,
    kCopy,
    kPaste,
    kOptions,
    kCut,
    kZoomOut,
    kZoomIn,
    kZoomFit,
    kToTire,
    kStop,
    kHelp,
    kRoundMark,
    kRoundBlock,
    kRoundColour,
};

struct EditorButton {
    // The caption, which is also the key that does the same: one typed character, or the name
    // of a key that is no character ("F2", "ctrl+c", "Esc").
    std::string_view key;
    std::string_view hint; // Windows-1252
    ButtonKind kind;
    Byte value; // the kind or the mark placed
    EditorAction action;
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

// The button a typed character presses (letters in either case, "," and "." for "<" and ">"),
// and the button of a key that is no character, by its caption; -1 when there is none.
int ButtonOfCharacter(Byte c);
int ButtonOfKeyName(std::string_view name);

// What a typed character places: a block kind or a mark; 0 when it does neither. The round
// ones place `roundChar`.
Byte KindOfKey(Byte c, Byte roundChar);
Byte MarkOfKey(Byte c, Byte roundChar);

} // namespace vorpel
