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

// Rows first..last of the board; empty when first > last.
struct RowSpan {
    int first;
    int last;
    constexpr bool IsEmpty() const { return first > last; }
    // The span moved by `delta` rows and cut to rows 0..n.
    constexpr RowSpan Shifted(int delta, int n) const {
        if (IsEmpty()) return *this;
        return {first + delta < 0 ? 0 : first + delta, last + delta > n ? n : last + delta};
    }
    constexpr RowSpan Joined(RowSpan other) const {
        if (IsEmpty()) return other;
        if (other.IsEmpty()) return *this;
        return {first < other.first ? first : other.first, last > other.last ? last : other.last};
    }
};

struct Bounds {
    int firstRow;
    int lastRow;
    int firstColumn;
    int lastColumn;
    friend constexpr bool operator==(const Bounds&, const Bounds&) = default;
};

// The first and last of rows 0..n for which word(r) is not zero. Four rows are tested at a
// time while they are empty, as they are around a small block.
template <class F> constexpr RowSpan OccupiedRowsBy(F&& word, int n) {
    int first = 0;
    while (first + 3 <= n &&
           (word(first) | word(first + 1) | word(first + 2) | word(first + 3)) == 0)
        first += 4;
    while (first <= n && word(first) == 0) ++first;
    if (first > n) return {n + 1, n};
    int last = n;
    while (last - 3 > first && (word(last) | word(last - 1) | word(last - 2) | word(last - 3)) == 0)
        last -= 4;
    while (word(last) == 0) --last;
    return {first, last};
}

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

    // Whole-set operations over rows 0..n (n is the last row processed), or over a span of rows.
    constexpr void Clear() { row = {}; }
    constexpr void ClearRows(RowSpan s) {
        for (int r = s.first; r <= s.last; ++r) row[r] = 0;
    }
    constexpr void ClearRows(int n) { ClearRows(RowSpan{0, n}); }
    constexpr void AssignRows(const RowSet& b, RowSpan s) {
        for (int r = s.first; r <= s.last; ++r) row[r] = b.row[r];
    }
    constexpr void AssignRows(const RowSet& b, int n) { AssignRows(b, RowSpan{0, n}); }
    constexpr void UnionWith(const RowSet& b, RowSpan s) {
        for (int r = s.first; r <= s.last; ++r) row[r] |= b.row[r];
    }
    constexpr void UnionWith(const RowSet& b, int n) { UnionWith(b, RowSpan{0, n}); }
    constexpr void Remove(const RowSet& b, RowSpan s) {
        for (int r = s.first; r <= s.last; ++r) row[r] &= ~b.row[r];
    }
    constexpr void Remove(const RowSet& b, int n) { Remove(b, RowSpan{0, n}); }
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
    constexpr bool ColumnOccupied(int column, RowSpan s) const {
        for (int r = s.first; r <= s.last; ++r)
            if (row[r] & ColumnMask(column)) return true;
        return false;
    }
    constexpr bool ColumnOccupied(int column, int n) const {
        return ColumnOccupied(column, RowSpan{0, n});
    }
    // The rows from the first to the last that hold a cell, among rows 0..n.
    constexpr RowSpan OccupiedRows(int n) const {
        return OccupiedRowsBy([this](int r) { return row[r]; }, n);
    }
    // The same for the union of two sets.
    constexpr RowSpan OccupiedRows(const RowSet& other, int n) const {
        return OccupiedRowsBy([&](int r) { return row[r] | other.row[r]; }, n);
    }
    // Row r of this set moved by (dr, dc), for a set that is empty outside rows 0..n.
    constexpr std::uint64_t MovedRow(int r, int dr, int dc, int n) const {
        const int from = r - dr;
        return from < 0 || from > n ? 0 : ShiftColumns(row[from], dc);
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
    // The same for a set that holds no cell outside `s`: only the rows of s and of s moved by
    // dr are read or written.
    constexpr void Translate(int dr, int dc, RowSpan s, int n) {
        if (dr > 0) {
            for (int r = s.last; r >= s.first; --r) {
                const std::uint64_t moved = ShiftColumns(row[r], dc);
                row[r] = 0;
                if (r + dr <= n) row[r + dr] = moved;
            }
        } else {
            for (int r = s.first; r <= s.last; ++r) {
                const std::uint64_t moved = ShiftColumns(row[r], dc);
                row[r] = 0;
                if (r + dr >= 0) row[r + dr] = moved;
            }
        }
    }

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

// The same for the rows of a span only.
template <class F> constexpr void ForEachCell(const RowSet& s, RowSpan rows, int columns, F&& f) {
    const std::uint64_t full = FullRow(columns);
    for (int r = rows.first; r <= rows.last; ++r) {
        std::uint64_t v = s.row[r] & full;
        while (v) {
            const int c = std::countl_zero(v);
            v &= ~ColumnMask(c);
            f(r, c);
        }
    }
}

constexpr bool Disjoint(const RowSet& a, const RowSet& b, RowSpan s) {
    for (int r = s.first; r <= s.last; ++r)
        if (a.row[r] & b.row[r]) return false;
    return true;
}
constexpr bool Disjoint(const RowSet& a, const RowSet& b, int n) {
    return Disjoint(a, b, RowSpan{0, n});
}
constexpr bool IsSubset(const RowSet& a, const RowSet& b, RowSpan s) {
    for (int r = s.first; r <= s.last; ++r)
        if ((a.row[r] & b.row[r]) != a.row[r]) return false;
    return true;
}
constexpr bool IsSubset(const RowSet& a, const RowSet& b, int n) {
    return IsSubset(a, b, RowSpan{0, n});
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
