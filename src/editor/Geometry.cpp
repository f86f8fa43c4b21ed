// The editor's geometric transforms: rotations, reversals, inserting and deleting cells, borders.
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "editor/EditorCells.h"
#include "editor/EditorOps.h"

namespace vorpel {

namespace {

using editor::CellContent;
using editor::FinishEdit;
using editor::Get;
using editor::Put;
using editor::SelectionInLevel;

constexpr const char* kNotExecuted = "Command not executed.";

bool Refused(Context& ctx, std::vector<std::string> lines) {
    lines.insert(lines.begin(), kNotExecuted);
    ctx.platform->ShowInfo(lines);
    return false;
}

// A vertical block turned a quarter becomes horizontal and the other way round.
Byte TurnedQuarter(Byte k) {
    switch (k) {
    case '|':
        return '-';
    case '-':
        return '|';
    case '"':
        return '=';
    case '=':
        return '"';
    default:
        return k;
    }
}

// The level gets a new size and fresh layers whose cell (r, c) is source(r, c) of the old ones.
void Refill(Level& level, int rows, int columns,
            const std::function<CellContent(int, int)>& source) {
    std::vector<CellContent> cells;
    cells.reserve(static_cast<std::size_t>(rows * columns));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) cells.push_back(source(r, c));
    level.blockLayer.Clear();
    level.markLayer.Clear();
    level.idLayer.Clear();
    level.rows = static_cast<std::int8_t>(rows);
    level.columns = static_cast<std::int8_t>(columns);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            Put(level, r, c, cells[static_cast<std::size_t>(r * columns + c)]);
}

void RotateLevel(Level& level, bool clockwise) {
    const int rows = level.rows, columns = level.columns;
    const Level old = level;
    Refill(level, columns, rows, [&](int i, int j) {
        CellContent cell = clockwise ? Get(old, rows - 1 - j, i) : Get(old, j, columns - 1 - i);
        cell.block = TurnedQuarter(cell.block);
        return cell;
    });
}

void RotateSelection(Level& level, const RowSet& selection, const Bounds& box, bool clockwise) {
    const Level old = level;
    const int f = box.firstRow, l = box.lastRow, c0 = box.firstColumn, c1 = box.lastColumn;
    std::unordered_set<std::uint32_t> sliders; // kind and identifier of each block turned
    ForEachCell(selection, level.rows, level.columns, [&](int r, int c) {
        const int i = r - f, j = c - c0;
        const CellContent cell = clockwise ? Get(old, l - j, c0 + i) : Get(old, f + j, c1 - i);
        Put(level, r, c, cell);
        if (TurnedQuarter(cell.block) != cell.block)
            sliders.insert(std::uint32_t{cell.block} << 16 | static_cast<std::uint16_t>(cell.id));
    });
    if (sliders.empty()) return;
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c) {
            const Byte k = level.BlockAt(r, c);
            if (sliders.contains(std::uint32_t{k} << 16 |
                                 static_cast<std::uint16_t>(level.IdAt(r, c))))
                level.blockLayer.Set(r, c, TurnedQuarter(k));
        }
}

// Exchanges each selected cell with its partner once; a cell that is its own partner stays.
void ExchangeWithPartners(Context& ctx, CellSelection& selected, const RowSet& selection,
                          const std::function<void(int&, int&)>& partner) {
    Level& level = ctx.CurrentLevel();
    ForEachCell(selection, level.rows, level.columns, [&](int r, int c) {
        int pr = r, pc = c;
        partner(pr, pc);
        if (CellIndex(pr, pc) <= CellIndex(r, c)) return;
        const CellContent a = Get(level, r, c);
        Put(level, r, c, Get(level, pr, pc));
        Put(level, pr, pc, a);
    });
    FinishEdit(ctx, selected, !selection.IsEmpty(kMaxRows - 1));
}

// Whether a row or a column holds "." in both layers.
bool EmptyRow(const Level& level, int r) {
    for (int c = 0; c < level.columns; ++c)
        if (level.BlockAt(r, c) != '.' || level.MarkAt(r, c) != '.') return false;
    return true;
}

bool EmptyColumn(const Level& level, int c) {
    for (int r = 0; r < level.rows; ++r)
        if (level.BlockAt(r, c) != '.' || level.MarkAt(r, c) != '.') return false;
    return true;
}

} // namespace

bool Rotate90(Context& ctx, CellSelection& selected, bool clockwise) {
    Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    if (selection.IsEmpty(kMaxRows - 1) || SelectionIsFull(selection, level.rows, level.columns)) {
        RotateLevel(level, clockwise);
    } else if (Has90Symmetry(selection, level.rows, level.columns)) {
        RotateSelection(level, selection, SelectionBounds(selection, level.rows, level.columns),
                        clockwise);
    } else {
        return Refused(ctx,
                       {"The selection has no 90\xB0 symmetry", "or not all cells are selected."});
    }
    FinishEdit(ctx, selected, true);
    return true;
}

bool Rotate180(Context& ctx, CellSelection& selected) {
    const Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    if (!Has180Symmetry(selection, level.rows, level.columns))
        return Refused(ctx, {"The selection has no 180\xB0 symmetry."});
    const Bounds b = SelectionBounds(selection, level.rows, level.columns);
    ExchangeWithPartners(ctx, selected, selection, [&](int& r, int& c) {
        r = b.firstRow + b.lastRow - r;
        c = b.firstColumn + b.lastColumn - c;
    });
    return true;
}

bool ReverseVertically(Context& ctx, CellSelection& selected) {
    const Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    if (!HasVerticalSymmetry(selection, level.rows, level.columns))
        return Refused(ctx, {"The selection has no vertical symmetry."});
    const Bounds b = SelectionBounds(selection, level.rows, level.columns);
    ExchangeWithPartners(ctx, selected, selection,
                         [&](int& r, int&) { r = b.firstRow + b.lastRow - r; });
    return true;
}

bool ReverseHorizontally(Context& ctx, CellSelection& selected) {
    const Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    if (!HasHorizontalSymmetry(selection, level.rows, level.columns))
        return Refused(ctx, {"The selection has no horizontal symmetry."});
    const Bounds b = SelectionBounds(selection, level.rows, level.columns);
    ExchangeWithPartners(ctx, selected, selection,
                         [&](int&, int& c) { c = b.firstColumn + b.lastColumn - c; });
    return true;
}

void ShiftCells(Context& ctx, CellSelection& selected, CellShift shift) {
    Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    const int rows = level.rows, columns = level.columns;
    switch (shift) {
    case CellShift::kInsertExpandingColumns:
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r) {
                if (!selection.Test(r, c)) continue;
                for (int k = rows - 1; k > r; --k) Put(level, k, c, Get(level, k - 1, c));
                Put(level, r, c, {});
            }
        break;
    case CellShift::kInsertExpandingRows:
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                if (!selection.Test(r, c)) continue;
                for (int k = columns - 1; k > c; --k) Put(level, r, k, Get(level, r, k - 1));
                Put(level, r, c, {});
            }
        break;
    case CellShift::kDeleteCompactingColumns:
        for (int c = 0; c < columns; ++c)
            for (int r = rows - 1; r >= 0; --r) {
                if (!selection.Test(r, c)) continue;
                for (int k = r; k < rows - 1; ++k) Put(level, k, c, Get(level, k + 1, c));
                Put(level, rows - 1, c, {});
            }
        break;
    case CellShift::kDeleteCompactingRows:
        for (int r = 0; r < rows; ++r)
            for (int c = columns - 1; c >= 0; --c) {
                if (!selection.Test(r, c)) continue;
                for (int k = c; k < columns - 1; ++k) Put(level, r, k, Get(level, r, k + 1));
                Put(level, r, columns - 1, {});
            }
        break;
    }
    FinishEdit(ctx, selected, !selection.IsEmpty(kMaxRows - 1));
}

void DeleteEmptyBorders(Context& ctx, CellSelection& selected) {
    Level& level = ctx.CurrentLevel();
    const int oldRows = level.rows, oldColumns = level.columns;
    int top = 0, bottom = oldRows, left = 0, right = oldColumns; // kept: [top, bottom)
    while (bottom - top >= 3 && EmptyRow(level, bottom - 1)) --bottom;
    while (bottom - top > 2 && EmptyRow(level, top)) ++top;
    // Columns are judged on the rows that stay; the dropped rows are empty anyway.
    while (right - left >= 3 && EmptyColumn(level, right - 1)) --right;
    while (right - left > 2 && EmptyColumn(level, left)) ++left;
    const bool changed = bottom - top != oldRows || right - left != oldColumns;
    if (changed) {
        const Level old = level;
        Refill(level, bottom - top, right - left,
               [&](int r, int c) { return Get(old, top + r, left + c); });
    }
    FinishEdit(ctx, selected, changed);
}

void AddEmptyBorders(Context& ctx, CellSelection& selected) {
    Level& level = ctx.CurrentLevel();
    const int oldRows = level.rows, oldColumns = level.columns;
    int rows = oldRows, columns = oldColumns, top = 0, left = 0;
    if (rows < kMaxRows) ++rows; // at the bottom
    if (rows < kMaxRows) {
        ++rows;
        top = 1;
    }
    if (columns < kMaxColumns) ++columns; // on the right
    if (columns < kMaxColumns) {
        ++columns;
        left = 1;
    }
    const bool changed = rows != oldRows || columns != oldColumns;
    if (changed) {
        const Level old = level;
        Refill(level, rows, columns, [&](int r, int c) {
            const int oldR = r - top, oldC = c - left;
            if (oldR < 0 || oldR >= oldRows || oldC < 0 || oldC >= oldColumns) return CellContent{};
            return Get(old, oldR, oldC);
        });
    }
    FinishEdit(ctx, selected, changed);
}

} // namespace vorpel
