// RowSet: a set of board cells as 64 row words, column 0 in the most significant bit.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace vorpel {

inline constexpr int kMaxRows = 64;
inline constexpr int kMaxColumns = 64;

constexpr std::uint64_t ColumnMask(int column) {
    return 0x8000000000000000ull >> column;
}

// The top `columns` bits of a row word.
constexpr std::uint64_t FullRow(int columns) {
    return columns <= 0 ? 0 : columns >= 64 ? ~0ull : ~0ull << (64 - columns);
}

// Shifts a row word by a column delta: positive toward higher columns (right shift).
constexpr std::uint64_t ShiftColumns(std::uint64_t word, int delta) {
    if (delta >= 64 || delta <= -64) return 0;
    return delta >= 0 ? word >> delta : word << -delta;
}

struct Bounds {
    int firstRow;
    int lastRow;
    int firstColumn;
    int lastColumn;
    friend constexpr bool operator==(const Bounds&, const Bounds&) = default;
};

class RowSet {
public:
    std::array<std::uint64_t, kMaxRows> row;

    constexpr RowSet() : row{} {}
    // Scratch set for hot paths: rows are indeterminate until written, so write rows 0..n
    // (AssignRows, a *From operation, ClearRows) before reading them.
    struct NoInit {};
    explicit RowSet(NoInit) {}

    // Cell operations.
    constexpr void Set(int r, int c) { row[r] |= ColumnMask(c); }
    constexpr void Reset(int r, int c) { row[r] &= ~ColumnMask(c); }
    constexpr void Toggle(int r, int c) { row[r] ^= ColumnMask(c); }
    constexpr bool Test(int r, int c) const { return (row[r] & ColumnMask(c)) != 0; }

    // Whole-set operations over rows 0..n (n is the last row processed).
    constexpr void Clear() { row = {}; }
    constexpr void ClearRows(int n) {
        for (int r = 0; r <= n; ++r) row[r] = 0;
    }
    constexpr void AssignRows(const RowSet& b, int n) {
        for (int r = 0; r <= n; ++r) row[r] = b.row[r];
    }
    constexpr void UnionWith(const RowSet& b, int n) {
        for (int r = 0; r <= n; ++r) row[r] |= b.row[r];
    }
    constexpr void Remove(const RowSet& b, int n) {
        for (int r = 0; r <= n; ++r) row[r] &= ~b.row[r];
    }
    constexpr void IntersectWith(const RowSet& b, int n) {
        for (int r = 0; r <= n; ++r) row[r] &= b.row[r];
    }
    constexpr void ToggleWith(const RowSet& b, int n) {
        for (int r = 0; r <= n; ++r) row[r] ^= b.row[r];
    }
    constexpr bool IsEmpty(int n) const {
        for (int r = 0; r <= n; ++r)
            if (row[r]) return false;
        return true;
    }
    constexpr bool FirstRowOccupied() const { return row[0] != 0; }
    constexpr bool RowOccupied(int n) const { return row[n] != 0; }
    constexpr bool ColumnOccupied(int column, int n) const {
        for (int r = 0; r <= n; ++r)
            if (row[r] & ColumnMask(column)) return true;
        return false;
    }
    constexpr bool Column0Occupied(int n) const { return ColumnOccupied(0, n); }

    // this = b shifted one row down / up / one column left / right, rows 0..n.
    constexpr void ShiftDownFrom(const RowSet& b, int n) {
        for (int r = n; r >= 1; --r) row[r] = b.row[r - 1];
        if (n >= 0) row[0] = 0;
    }
    constexpr void ShiftUpFrom(const RowSet& b, int n) {
        for (int r = 0; r < n; ++r) row[r] = b.row[r + 1];
        if (n >= 0) row[n] = 0;
    }
    constexpr void ShiftLeftFrom(const RowSet& b, int n) {
        for (int r = 0; r <= n; ++r) row[r] = b.row[r] << 1;
    }
    constexpr void ShiftRightFrom(const RowSet& b, int n) {
        for (int r = 0; r <= n; ++r) row[r] = b.row[r] >> 1;
    }

    // this = b moved by (dr, dc) within rows 0..n; b may be *this.
    constexpr void TranslateFrom(const RowSet& b, int dr, int dc, int n) {
        for (int r = 0; r <= n; ++r) row[r] = ShiftColumns(b.row[r], dc);
        if (dr >= 1) {
            for (int r = n; r >= dr; --r) row[r] = row[r - dr];
            for (int r = 0; r < dr && r <= n; ++r) row[r] = 0;
        } else if (dr < 0) {
            for (int r = 0; r <= n + dr; ++r) row[r] = row[r - dr];
            for (int r = n + dr + 1 < 0 ? 0 : n + dr + 1; r <= n; ++r) row[r] = 0;
        }
    }
    constexpr void Translate(int dr, int dc, int n) { TranslateFrom(*this, dr, dc, n); }

    // this = cells orthogonally adjacent to b within rows 0..n, minus b; b may be *this.
    constexpr void NeighbourRingOf(const RowSet& b, int n) {
        std::uint64_t above = 0; // source row r - 1, kept before row r - 1 is overwritten
        for (int r = 0; r <= n; ++r) {
            const std::uint64_t self = b.row[r];
            const std::uint64_t below = r < n ? b.row[r + 1] : 0;
            row[r] = (above | below | (self << 1) | (self >> 1)) & ~self;
            above = self;
        }
    }

    // First and last non-empty row, leftmost and rightmost column; n + 1 and -1 when empty.
    constexpr Bounds BoundingBox(int n) const {
        Bounds b{n + 1, -1, n + 1, -1};
        std::uint64_t all = 0;
        for (int r = 0; r <= n; ++r) {
            if (!row[r]) continue;
            if (b.firstRow > n) b.firstRow = r;
            b.lastRow = r;
            all |= row[r];
        }
        if (all) {
            b.firstColumn = std::countl_zero(all);
            b.lastColumn = 63 - std::countr_zero(all);
        }
        return b;
    }

    // Finds, clears and returns the first cell in row-major order inside the board.
    constexpr bool TakeNextCell(int rows, int columns, int& r, int& c) {
        const std::uint64_t full = FullRow(columns);
        for (int i = 0; i < rows; ++i) {
            const std::uint64_t v = row[i] & full;
            if (v) {
                c = std::countl_zero(v);
                r = i;
                row[i] &= ~ColumnMask(c);
                return true;
            }
        }
        return false;
    }

    constexpr int Count(int n) const {
        int total = 0;
        for (int r = 0; r <= n; ++r) total += std::popcount(row[r]);
        return total;
    }

    friend constexpr bool operator==(const RowSet&, const RowSet&) = default;

    // Text picture of rows x columns ('#' in the set, '.' outside) for test messages.
    std::string Dump(int rows = kMaxRows, int columns = kMaxColumns) const;
};

// Calls f(row, column) for every cell of s inside rows x columns, in row-major order.
template <class F> constexpr void ForEachCell(const RowSet& s, int rows, int columns, F&& f) {
    const std::uint64_t full = FullRow(columns);
    for (int r = 0; r < rows; ++r) {
        std::uint64_t v = s.row[r] & full;
        while (v) {
            const int c = std::countl_zero(v);
            v &= ~ColumnMask(c);
            f(r, c);
        }
    }
}

// b = a and not b, rows 0..n.
constexpr void DifferenceIntoSecond(const RowSet& a, RowSet& b, int n) {
    for (int r = 0; r <= n; ++r) b.row[r] = a.row[r] & ~b.row[r];
}
// c = a and b, rows 0..n.
constexpr void IntersectionTo(const RowSet& a, const RowSet& b, RowSet& c, int n) {
    for (int r = 0; r <= n; ++r) c.row[r] = a.row[r] & b.row[r];
}
constexpr bool Disjoint(const RowSet& a, const RowSet& b, int n) {
    for (int r = 0; r <= n; ++r)
        if (a.row[r] & b.row[r]) return false;
    return true;
}
constexpr bool IsSubset(const RowSet& a, const RowSet& b, int n) {
    for (int r = 0; r <= n; ++r)
        if ((a.row[r] & b.row[r]) != a.row[r]) return false;
    return true;
}
constexpr bool Equal(const RowSet& a, const RowSet& b, int n) {
    for (int r = 0; r <= n; ++r)
        if (a.row[r] != b.row[r]) return false;
    return true;
}

// Operations on the editor's selection, within a board of rows x columns.
Bounds SelectionBounds(const RowSet& s, int rows, int columns);
bool SelectionIsFull(const RowSet& s, int rows, int columns);
void InvertSelection(RowSet& s, int rows, int columns);
bool HasVerticalSymmetry(const RowSet& s, int rows, int columns);
bool HasHorizontalSymmetry(const RowSet& s, int rows, int columns);
bool Has180Symmetry(const RowSet& s, int rows, int columns);
bool Has90Symmetry(const RowSet& s, int rows, int columns);

} // namespace vorpel
