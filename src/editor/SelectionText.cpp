// Copying the editor's selection as level text, and pasting level text into the selection.
#include "editor/SelectionText.h"

#include <optional>
#include <unordered_map>

#include "editor/EditorCells.h"
#include "files/LevelText.h"
#include "io/FileIO.h"

namespace vorpel {

namespace {

constexpr Byte kLetterPrefix = 0xFF;

Byte At(const std::string& s, std::size_t i) {
    return static_cast<Byte>(s[i]);
}

std::string Invalid(const char* what, Byte ch, std::size_t lineNumber, std::size_t column) {
    return std::string("Invalid ") + what + " \"" + static_cast<char>(ch) + "\" at line " +
           std::to_string(lineNumber) + ", column " + std::to_string(column) + ".";
}

// One cell of the pasted text that lands in the selection.
struct PastedCell {
    int row = 0;
    int column = 0;
    Byte mark = '.';
    bool hasBlock = false; // a group of the mark alone leaves the block as it is
    Byte block = '.';
    std::int16_t id = 0;
    int fresh = -1; // the pasted block's number among the new ones, -1 for a fixed `id`
};

// Gives the blocks that stay distinct identifiers from 2 up, in the order their first cells
// come; returns the first identifier above them.
int RenumberKept(Level& level, const RowSet& overwritten) {
    std::unordered_map<std::uint32_t, std::int16_t> renamed;
    int next = 2;
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c) {
            const std::int16_t id = level.IdAt(r, c);
            if (id <= 0 || overwritten.Test(r, c)) continue;
            const auto [it, added] = renamed.try_emplace(editor::BlockKey(level.BlockAt(r, c), id),
                                                         static_cast<std::int16_t>(next));
            if (added) ++next;
            level.idLayer.Set(r, c, it->second);
        }
    return next;
}

} // namespace

std::string SelectionText(const Context& ctx, const CellSelection& selected) {
    const Level& level = ctx.CurrentLevel();
    const RowSet selection = editor::SelectionInLevel(ctx, selected);
    if (selection.IsEmpty(kMaxRows - 1)) return {};
    const Bounds box = SelectionBounds(selection, level.rows, level.columns);
    std::vector<int> cellsWithId(65536, 0);
    ForEachCell(selection, level.rows, level.columns,
                [&](int r, int c) { ++cellsWithId[static_cast<std::uint16_t>(level.IdAt(r, c))]; });
    std::vector<int> label(65536, -1);
    int labels = 0;
    std::string text = QuoteTitle(level.title.empty() ? std::string("no title") : level.title);
    text += "\r\n";
    for (int r = box.firstRow; r <= box.lastRow; ++r) {
        for (int c = box.firstColumn; c <= box.lastColumn; ++c) {
            if (!selection.Test(r, c)) {
                text += "....";
                continue;
            }
            text += static_cast<char>(level.MarkAt(r, c));
            text += static_cast<char>(level.BlockAt(r, c));
            const std::int16_t id = level.IdAt(r, c);
            const std::uint16_t key = static_cast<std::uint16_t>(id);
            if (id < 0 && AlphanumericChar(-id) != 0) {
                text += static_cast<char>(kLetterPrefix);
                text += static_cast<char>(AlphanumericChar(-id));
            } else if (id <= 0 || cellsWithId[key] < 2) {
                text += "..";
            } else {
                if (label[key] < 0) label[key] = labels++;
                text += BlockLabel(label[key]);
            }
        }
        text += "\r\n";
    }
    return text;
}

std::string CopyToClipboard(Context& ctx, CellSelection& selected) {
    if (editor::SelectionInLevel(ctx, selected).IsEmpty(kMaxRows - 1))
        return WriteLevelText(ctx, LevelPlace::Clipboard()).message;
    return ctx.platform->SetClipboardText(SelectionText(ctx, selected)) ? "" : kErrorWriting;
}

std::string PasteIntoSelection(Context& ctx, CellSelection& selected,
                               const std::vector<std::string>& lines) {
    Level& level = ctx.CurrentLevel();
    const RowSet selection = editor::SelectionInLevel(ctx, selected);
    if (selection.IsEmpty(kMaxRows - 1)) return {};
    const bool quoted = IsQuotedText(lines);
    const Bounds box = SelectionBounds(selection, level.rows, level.columns);

    std::vector<PastedCell> cells;
    std::vector<int> labelFresh(65536, -1);
    int freshCount = 0;
    int row = box.firstRow;
    // The first line is the title line.
    for (std::size_t index = 1; index < lines.size() && row <= box.lastRow; ++index, ++row) {
        const std::string& line = lines[index];
        if (line.empty() || !IsTextMarkChar(At(line, 0), quoted)) break;
        int column = box.firstColumn;
        for (std::size_t p = 0; p < line.size(); p += 4, ++column) {
            PastedCell cell{row, column, At(line, p)};
            if (!IsTextMarkChar(cell.mark, quoted))
                return Invalid("mark", cell.mark, index + 1, p + 1);
            const bool inside = column < level.columns && selection.Test(row, column);
            if (p + 1 < line.size()) {
                cell.hasBlock = true;
                cell.block = At(line, p + 1);
                if (!IsBlockChar(cell.block)) return Invalid("block", cell.block, index + 1, p + 2);
                const Byte first = p + 2 < line.size() ? At(line, p + 2) : '.';
                const Byte second = p + 3 < line.size() ? At(line, p + 3) : '.';
                if (!TakesIdentifier(cell.block)) {
                    cell.id = 0;
                } else if (first == kLetterPrefix && AlphanumericIndex(second) != 0) {
                    cell.id = static_cast<std::int16_t>(-AlphanumericIndex(second));
                } else if (!inside) {
                    // Blocks that fall outside the selection take no identifier.
                } else if (first == '.' && second == '.') {
                    cell.fresh = freshCount++;
                } else {
                    int& known = labelFresh[first << 8 | second];
                    if (known < 0) known = freshCount++;
                    cell.fresh = known;
                }
            }
            if (inside) cells.push_back(cell);
        }
    }
    if (cells.empty()) return {};

    RowSet overwritten;
    for (const PastedCell& cell : cells)
        if (cell.hasBlock) overwritten.Set(cell.row, cell.column);
    const int firstNew = RenumberKept(level, overwritten);
    for (const PastedCell& cell : cells) {
        level.markLayer.Set(cell.row, cell.column, cell.mark);
        if (!cell.hasBlock) continue;
        level.blockLayer.Set(cell.row, cell.column, cell.block);
        level.idLayer.Set(cell.row, cell.column,
                          cell.fresh < 0 ? cell.id
                                         : static_cast<std::int16_t>(firstNew + cell.fresh));
    }
    editor::FinishEdit(ctx, selected, true);
    return {};
}

std::string PasteClipboardIntoSelection(Context& ctx, CellSelection& selected) {
    const std::optional<std::string> text = ctx.platform->ClipboardText();
    return PasteIntoSelection(ctx, selected, SplitLines(text.value_or(std::string())));
}

} // namespace vorpel
