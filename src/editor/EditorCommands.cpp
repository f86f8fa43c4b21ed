// The editor window's button table and the kinds and marks its keys place.
#include "editor/EditorCommands.h"

namespace vorpel {

namespace {

using enum ButtonKind;
using enum EditorAction;

constexpr std::array<EditorButton, kEditorButtonCount> kButtons = {{
    {"F2", "Rotate 90\xB0 counterclockwise", kCommand, 0, kRotateCounterclockwise},
    {"F3", "Rotate 180\xB0", kCommand, 0, kRotate180},
    {"F4", "Rotate 90\xB0 clockwise", kCommand, 0, kRotateClockwise},
    {"F5", "Vertical reversal", kCommand, 0, kReverseVertically},
    {"F6", "Horizontal reversal", kCommand, 0, kReverseHorizontally},
    {"F7", "Insert cells, expanding columns", kCommand, 0, kInsertExpandingColumns},
    {"F8", "Insert cells, expanding rows", kCommand, 0, kInsertExpandingRows},
    {"F9", "Delete cells, compacting columns", kCommand, 0, kDeleteCompactingColumns},
    {"F10", "Delete cells, compacting rows", kCommand, 0, kDeleteCompactingRows},
    {"F12", "Block shuffling", kCommand, 0, kShuffle},
    {"1", "Destination", kMark, '+', kPlace},
    {"2", "Erase marks", kMark, '.', kPlace},
    {"3", "Erase blocks", kBlock, '.', kPlace},
    {"4", "Normal", kBlock, '[', kPlace},
    {"5", "Convert to master", kCommand, 0, kToMaster},
    {"6", "Convert to nonmaster", kCommand, 0, kToNonmaster},
    {"7", "Magnet", kBlock, '{', kPlace},
    {"8", "Antimagnet", kBlock, '}', kPlace},
    {"9", "Erase blocks and marks", kCommand, 0, kEraseBlocksAndMarks},
    {"I", "Teleporter", kBlock, '~', kPlace},
    {"\\", "Don't cover", kMark, '^', kPlace},
    {"Q", "Trap", kMark, '/', kPlace},
    {"W", "Water", kMark, ')', kPlace},
    {"E", "Frame", kBlock, '#', kPlace},
    {"R", "Magic", kBlock, ']', kPlace},
    {"T", "Strong barrier", kBlock, '*', kPlace},
    {"Y", "Weak barrier", kBlock, '!', kPlace},
    {"U", "Vertical", kBlock, '|', kPlace},
    {"O", "Convert to alphanumeric block", kCommand, 0, kToAlphanumericBlock},
    {"K", "Cover", kBlock, '>', kPlace},
    {"'", "Ice", kMark, ':', kPlace},
    {"A", "Hole", kMark, '\\', kPlace},
    {"S", "Blockade switch", kMark, '<', kPlace},
    {"D", "Keyhole", kBlock, '%', kPlace},
    {"F", "Keystone", kBlock, '&', kPlace},
    {"G", "Blockade", kBlock, '(', kPlace},
    {"H", "Eliminator", kBlock, '$', kPlace},
    {"J", "Horizontal", kBlock, '-', kPlace},
    {"P", "Alphanumeric mark", kCommand, 0, kAlphanumericMark},
    {"L", "Hover", kBlock, ';', kPlace},
    {";", "Restore selection", kCommand, 0, kRestoreSelection},
    {"Z", "Select nothing", kCommand, 0, kSelectNothing},
    {"X", "Invert selection", kCommand, 0, kInvertSelection},
    {"C", "Delete empty borders", kCommand, 0, kDeleteEmptyBorders},
    {"V", "Add empty borders", kCommand, 0, kAddEmptyBorders},
    {"B", "Read level file", kCommand, 0, kReadLevelFile},
    {"N", "Current level", kCommand, 0, kCurrentLevel},
    {"<", "Undo", kCommand, 0, kUndo},
    {">", "Redo", kCommand, 0, kRedo},
    {"ctrl+c", "Copy to Clipboard", kCommand, 0, kCopy},
    {"ctrl+v", "Copy from Clipboard", kCommand, 0, kPaste},
    {"M", "Options", kCommand, 0, kOptions},
    {"ctrl+x", "Copy to Clipboard, erasing", kCommand, 0, kCut},
    {"/", "Zoom out", kCommand, 0, kZoomOut},
    {"*", "Zoom in", kCommand, 0, kZoomIn},
    {"?", "Zoom fit to window", kCommand, 0, kZoomFit},
    {"|", "Glue", kMark, '_', kPlace},
    {"0", "Convert to tire", kCommand, 0, kToTire},
    {"Esc", "Stop shuffling", kOwn, 0, kStop},
    {"F1", "Help", kOwn, 0, kHelp},
    {"-", "Box", kBlock, 'v', kPlace},
    {"]", "Round mark", kCommand, 0, kRoundMark},
    {"[", "Round block", kCommand, 0, kRoundBlock},
    {"=", "Color for round blocks and marks", kCommand, 0, kRoundColour},
}};

} // namespace

const std::array<EditorButton, kEditorButtonCount>& EditorButtons() {
    return kButtons;
}

int ButtonOfCharacter(Byte c) {
    if (c >= 'a' && c <= 'z') c = static_cast<Byte>(c - 'a' + 'A');
    if (c == ',') c = '<';
    if (c == '.') c = '>';
    for (std::size_t tag = 0; tag < kButtons.size(); ++tag)
        if (kButtons[tag].key.size() == 1 && static_cast<Byte>(kButtons[tag].key[0]) == c)
            return static_cast<int>(tag);
    return -1;
}

int ButtonOfKeyName(std::string_view name) {
    for (std::size_t tag = 0; tag < kButtons.size(); ++tag)
        if (kButtons[tag].key.size() > 1 && kButtons[tag].key == name) return static_cast<int>(tag);
    return -1;
}

Byte KindOfKey(Byte c, Byte roundChar) {
    const int tag = ButtonOfCharacter(c);
    if (tag < 0) return 0;
    const EditorButton& b = kButtons[static_cast<std::size_t>(tag)];
    if (b.action == EditorAction::kRoundBlock) return roundChar;
    return b.kind == ButtonKind::kBlock ? b.value : Byte{0};
}

Byte MarkOfKey(Byte c, Byte roundChar) {
    const int tag = ButtonOfCharacter(c);
    if (tag < 0) return 0;
    const EditorButton& b = kButtons[static_cast<std::size_t>(tag)];
    if (b.action == EditorAction::kRoundMark) return roundChar;
    return b.kind == ButtonKind::kMark ? b.value : Byte{0};
}

} // namespace vorpel
