// Text dump and selection operations of RowSet.
#include "model/RowSet.h"

namespace vorpel {

std::string RowSet::Dump(int rows, int columns) const {
    std::string text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) text += Test(r, c) ? '#' : '.';
        text += '\n';
    }
    return text;
}

Bounds SelectionBounds(const RowSet& s, int rows, int columns) {
    RowSet inside = s;
    const std::uint64_t full = FullRow(columns);
    for (int r = 0; r < kMaxRows; ++r) inside.row[r] = r < rows ? inside.row[r] & full : 0;
    Bounds b = inside.BoundingBox(rows - 1);
    if (b.lastRow < 0) return {-1, -1, -1, -1};
    return b;
}

bool SelectionIsFull(const RowSet& s, int rows, int columns) {
    const std::uint64_t full = FullRow(columns);
    for (int r = 0; r < rows; ++r)
        if (s.row[r] != full) return false;
    return true;
}

void InvertSelection(RowSet& s, int rows, int columns) {
    const std::uint64_t full = FullRow(columns);
    for (int r = 0; r < rows; ++r) s.row[r] ^= full;
}

bool HasVerticalSymmetry(const RowSet& s, int rows, int columns) {
    const Bounds b = SelectionBounds(s, rows, columns);
    if (b.firstRow >= b.lastRow) return true;
    for (int i = 0; b.firstRow + i <= (b.firstRow + b.lastRow - 1) / 2; ++i)
        if (s.row[b.firstRow + i] != s.row[b.lastRow - i]) return false;
    return true;
}

bool HasHorizontalSymmetry(const RowSet& s, int rows, int columns) {
    const Bounds b = SelectionBounds(s, rows, columns);
    if (b.firstColumn >= b.lastColumn) return true;
    for (int r = b.firstRow; r <= b.lastRow; ++r)
        for (int i = 0; b.firstColumn + i <= (b.firstColumn + b.lastColumn - 1) / 2; ++i)
            if (s.Test(r, b.firstColumn + i) != s.Test(r, b.lastColumn - i)) return false;
    return true;
}

bool Has180Symmetry(const RowSet& s, int rows, int columns) {
    const Bounds b = SelectionBounds(s, rows, columns);
    // A single row or column is compared cell by cell too: one with a gap off centre is not
    // symmetric, and turning it would swap a selected cell with an unselected one.
    if (b.lastRow < 0) return true;
    for (int i = 0; b.firstRow + i <= (b.firstRow + b.lastRow) / 2; ++i)
        for (int j = 0; j <= b.lastColumn - b.firstColumn; ++j)
            if (s.Test(b.firstRow + i, b.firstColumn + j) !=
                s.Test(b.lastRow - i, b.lastColumn - j))
                return false;
    return true;
}

bool Has90Symmetry(const RowSet& s, int rows, int columns) {
    const Bounds b = SelectionBounds(s, rows, columns);
    if (b.lastRow < 0) return true;
    const int size = b.lastRow - b.firstRow;
    if (size != b.lastColumn - b.firstColumn) return false;
    for (int i = 0; i <= size; ++i)
        for (int j = 0; j <= size; ++j)
            if (s.Test(b.firstRow + i, b.firstColumn + j) !=
                s.Test(b.lastRow - j, b.firstColumn + i))
                return false;
    return true;
}

} // namespace vorpel
