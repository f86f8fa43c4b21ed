// The editor window's button table and the kinds and marks its keys place.
#include "editor/EditorCommands.h"

namespace vorpel {

namespace {

using enum ButtonKind;

constexpr std::array<EditorButton, kEditorButtonCount> kButtons = {{
    {"F2", "Rotate 90\xB0 counterclockwise", kCommand, 242, 242},
    {"F3", "Rotate 180\xB0", kCommand, 243, 243},
    {"F4", "Rotate 90\xB0 clockwise", kCommand, 244, 244},
    {"F5", "Vertical reversal", kCommand, 245, 245},
    {"F6", "Horizontal reversal", kCommand, 246, 246},
    {"F7", "Insert cells, expanding columns", kCommand, 247, 247},
    {"F8", "Insert cells, expanding rows", kCommand, 248, 248},
    {"F9", "Delete cells, compacting columns", kCommand, 249, 249},
    {"F10", "Delete cells, compacting rows", kCommand, 250, 250},
    {"F12", "Block shuffling", kCommand, 252, 252},
    {"1", "Destination", kMark, '+', '1'},
    {"2", "Erase marks", kMark, '.', '2'},
    {"3", "Erase blocks", kBlock, '.', '3'},
    {"4", "Normal", kBlock, '[', '4'},
    {"5", "Convert to master", kCommand, '5', '5'},
    {"6", "Convert to nonmaster", kCommand, '6', '6'},
    {"7", "Magnet", kBlock, '{', '7'},
    {"8", "Antimagnet", kBlock, '}', '8'},
    {"9", "Erase blocks and marks", kCommand, '9', '9'},
    {"I", "Teleporter", kBlock, '~', 'I'},
    {"\\", "Don't cover", kMark, '^', '\\'},
    {"Q", "Trap", kMark, '/', 'Q'},
    {"W", "Water", kMark, ')', 'W'},
    {"E", "Frame", kBlock, '#', 'E'},
    {"R", "Magic", kBlock, ']', 'R'},
    {"T", "Strong barrier", kBlock, '*', 'T'},
    {"Y", "Weak barrier", kBlock, '!', 'Y'},
    {"U", "Vertical", kBlock, '|', 'U'},
    {"O", "Convert to alphanumeric block", kCommand, 'O', 'O'},
    {"K", "Cover", kBlock, '>', 'K'},
    {"'", "Ice", kMark, ':', '\''},
    {"A", "Hole", kMark, '\\', 'A'},
    {"S", "Blockade switch", kMark, '<', 'S'},
    {"D", "Keyhole", kBlock, '%', 'D'},
    {"F", "Keystone", kBlock, '&', 'F'},
    {"G", "Blockade", kBlock, '(', 'G'},
    {"H", "Eliminator", kBlock, '$', 'H'},
    {"J", "Horizontal", kBlock, '-', 'J'},
    {"P", "Alphanumeric mark", kCommand, 'P', 'P'},
    {"L", "Hover", kBlock, ';', 'L'},
    {";", "Restore selection", kCommand, ';', ';'},
    {"Z", "Select nothing", kCommand, 'Z', 'Z'},
    {"X", "Invert selection", kCommand, 'X', 'X'},
    {"C", "Delete empty borders", kCommand, 'C', 'C'},
    {"V", "Add empty borders", kCommand, 'V', 'V'},
    {"B", "Read level file", kCommand, 'B', 'B'},
    {"N", "Current level", kCommand, 'N', 'N'},
    {"<", "Undo", kCommand, '<', '<'},
    {">", "Redo", kCommand, '>', '>'},
    {"ctrl+c", "Copy to Clipboard", kCommand, kEditorCopy, kEditorCopy},
    {"ctrl+v", "Copy from Clipboard", kCommand, kEditorPaste, kEditorPaste},
    {"M", "Options", kCommand, 'M', 'M'},
    {"ctrl+x", "Copy to Clipboard, erasing", kCommand, kEditorCut, kEditorCut},
    {"/", "Zoom out", kCommand, '/', '/'},
    {"*", "Zoom in", kCommand, '*', '*'},
    {"?", "Zoom fit to window", kCommand, '?', '?'},
    {"|", "Glue", kMark, '_', '|'},
    {"0", "Convert to tire", kCommand, '0', '0'},
    {"Esc", "Stop shuffling", kOwn, 0, kEditorEscape},
    {"F1", "Help", kOwn, 0, kEditorF1},
    {"-", "Box", kBlock, 'v', '-'},
    {"]", "Round mark", kCommand, ']', ']'},
    {"[", "Round block", kCommand, '[', '['},
    {"=", "Color for round blocks and marks", kCommand, '=', '='},
}};

} // namespace

const std::array<EditorButton, kEditorButtonCount>& EditorButtons() {
    return kButtons;
}

Byte KindOfKey(Byte c, Byte roundChar) {
    if (c == kRoundBlockCommand) return roundChar;
    for (const EditorButton& b : kButtons)
        if (b.kind == ButtonKind::kBlock && b.command == c) return b.value;
    return 0;
}

Byte MarkOfKey(Byte c, Byte roundChar) {
    if (c == kRoundMarkCommand) return roundChar;
    for (const EditorButton& b : kButtons)
        if (b.kind == ButtonKind::kMark && b.command == c) return b.value;
    return 0;
}

} // namespace vorpel
