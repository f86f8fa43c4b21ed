// One layer of a stored level: a value per cell, kept only for the rows and columns in use.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vorpel {

// Cells never written read as the layer's empty value, so a small level costs only its own
// area however large the board could be. Cells are addressed (row, column) or by a 64-column
// cell index (row * 64 + column).
template <class T> class Grid {
public:
    explicit Grid(T empty) : empty_(empty) {}

    T At(int r, int c) const {
        return r < rows_ && c < columns_ ? cells_[static_cast<std::size_t>(r * columns_ + c)]
                                         : empty_;
    }
    void Set(int r, int c, T value) {
        if (r >= rows_ || c >= columns_) {
            if (value == empty_) return;
            Grow(std::max(rows_, r + 1), std::max(columns_, c + 1));
        }
        cells_[static_cast<std::size_t>(r * columns_ + c)] = value;
    }
    // Every cell becomes empty and the storage is released.
    void Clear() {
        cells_.clear();
        cells_.shrink_to_fit();
        rows_ = columns_ = 0;
    }
    // Gives back storage left over from growing.
    void Compact() { cells_.shrink_to_fit(); }
    std::size_t Bytes() const { return cells_.capacity() * sizeof(T); }

    T operator[](int cell) const { return At(cell >> 6, cell & 63); }

    // Assignable view of one cell for grid[cell] = value.
    class Ref {
    public:
        Ref(Grid& grid, int cell) : grid_(grid), cell_(cell) {}
        operator T() const { return grid_.At(cell_ >> 6, cell_ & 63); }
        Ref& operator=(T value) {
            grid_.Set(cell_ >> 6, cell_ & 63, value);
            return *this;
        }
        Ref& operator=(const Ref& other) { return *this = static_cast<T>(other); }

    private:
        Grid& grid_;
        int cell_;
    };
    Ref operator[](int cell) { return Ref(*this, cell); }

private:
    void Grow(int rows, int columns) {
        if (columns == columns_) {
            cells_.resize(static_cast<std::size_t>(rows * columns), empty_);
        } else {
            std::vector<T> wider(static_cast<std::size_t>(rows * columns), empty_);
            for (int r = 0; r < rows_; ++r)
                std::copy_n(cells_.begin() + r * columns_, columns_, wider.begin() + r * columns);
            cells_ = std::move(wider);
        }
        rows_ = rows;
        columns_ = columns;
    }

    std::vector<T> cells_;
    int rows_ = 0;
    int columns_ = 0;
    T empty_;
};

} // namespace vorpel
