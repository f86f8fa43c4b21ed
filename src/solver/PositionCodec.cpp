// The compact form of a position: sorted anchor ranks of alike blocks, bit-packed, then (on
// levels whose marks, joins, switches or barriers change) a canonical list of those changes.
#include "solver/PositionCodec.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <string>

namespace vorpel {

namespace {

// The rows of a block's cells as (row offset from the anchor, row word).
std::vector<std::pair<int, std::uint64_t>> ShapeRows(const RowSet& cells, int anchorRow, int n) {
    std::vector<std::pair<int, std::uint64_t>> rows;
    for (int r = 0; r <= n; ++r)
        if (cells.row[r]) rows.emplace_back(r - anchorRow, cells.row[r]);
    return rows;
}

// The shape moved to the left edge, for telling whether two blocks have the same one.
std::vector<std::pair<int, std::uint64_t>>
NormalisedShape(const std::vector<std::pair<int, std::uint64_t>>& rows, int& leftColumn) {
    std::uint64_t all = 0;
    for (const auto& [dr, word] : rows) all |= word;
    leftColumn = all ? std::countl_zero(all) : 0;
    std::vector<std::pair<int, std::uint64_t>> out;
    for (const auto& [dr, word] : rows) out.emplace_back(dr, word << leftColumn);
    return out;
}

bool ChangesShapeOrKind(Byte k) {
    return IsMagnet(k) || IsAntimagnet(k) || k == kBarrierKind || k == kBlockadeKind ||
           k == kSwitchKind;
}

void PutCell(std::string& out, int r, int c) {
    out.push_back(static_cast<char>(r));
    out.push_back(static_cast<char>(c));
}

void PutCells(std::string& out, const RowSet& cells, int rows, int columns) {
    const std::size_t countAt = out.size();
    out.push_back(0);
    out.push_back(0);
    int count = 0;
    ForEachCell(cells, rows, columns, [&](int r, int c) {
        PutCell(out, r, c);
        ++count;
    });
    out[countAt] = static_cast<char>(count & 0xFF);
    out[countAt + 1] = static_cast<char>(count >> 8);
}

} // namespace

PositionCodec::PositionCodec(const PlayBoard& start) {
    rows_ = start.rows;
    columns_ = start.columns;
    startBlockCount_ = start.blockCount;
    const int n = start.LastRow();
    bool eliminators = false, covers = false, keystones = false;
    for (int i = kFirstBlock; i <= start.blockCount; ++i) {
        const Byte k = start.blocks[i].kind;
        eliminators = eliminators || IsEliminator(k);
        covers = covers || IsCover(k);
        keystones = keystones || IsKeystone(k);
    }
    const bool holes = !start.holeCells.IsEmpty(n);
    const bool keyholes = !start.blocks[kFrameBlock].extraCells.IsEmpty(n);
    const bool teleporter = start.teleporterRow >= 0;
    const bool removable = holes || eliminators || (keystones && keyholes);

    // Cells no moving block can ever stand on: the frame and teleporters (barriers go, and
    // blockades turn into switches).
    RowSet fixed = start.blocks[kFrameBlock].cells;
    for (int i = kFirstBlock; i <= start.blockCount; ++i) {
        const Block& b = start.blocks[i];
        if (b.removed) continue;
        if (ChangesShapeOrKind(b.kind))
            changingBlocks_.push_back(i);
        else if (b.kind == kTeleporterKind)
            fixed.UnionWith(b.cells, n);
    }

    for (int i = kFirstBlock; i <= start.blockCount; ++i) {
        const Block& b = start.blocks[i];
        if (b.removed || ChangesShapeOrKind(b.kind) || !IsMovableKind(b.kind)) continue;
        const auto shape = ShapeRows(b.cells, b.anchorRow, n);
        const auto extra = ShapeRows(b.extraCells, b.anchorRow, n);
        int left = 0, extraLeft = 0;
        const auto key = NormalisedShape(shape, left);
        const auto extraKey = NormalisedShape(extra, extraLeft);
        const std::int16_t id = b.id < 0 ? b.id : 0;
        auto same = [&](const Class& c) {
            if (c.kind != b.kind || c.id != id) return false;
            // Without a teleporter these keep their column (or row) for good.
            if (!teleporter && MovesOnlyVertically(b.kind) && c.anchorColumn != b.anchorColumn)
                return false;
            if (!teleporter && MovesOnlyHorizontally(b.kind) && c.anchorRow != b.anchorRow)
                return false;
            int l = 0, el = 0;
            return NormalisedShape(c.shape, l) == key &&
                   c.anchorColumn - l == b.anchorColumn - left &&
                   NormalisedShape(c.extra, el) == extraKey &&
                   (extra.empty() || c.anchorColumn - el == b.anchorColumn - extraLeft);
        };
        auto found = std::find_if(classes_.begin(), classes_.end(), same);
        if (found != classes_.end()) {
            found->blocks.push_back(i);
            continue;
        }
        Class c;
        c.kind = b.kind;
        c.id = id;
        c.removable = removable;
        c.anchorRow = b.anchorRow;
        c.anchorColumn = b.anchorColumn;
        c.shape = shape;
        c.extra = extra;
        c.blocks.push_back(i);
        classes_.push_back(std::move(c));
    }

    std::size_t totalBits = 0;
    for (Class& c : classes_) {
        c.rankOf.assign(kCells, kNoRank);
        for (int r = 0; r < rows_; ++r) {
            for (int col = 0; col < columns_; ++col) {
                if (!teleporter && MovesOnlyVertically(c.kind) && col != c.anchorColumn) continue;
                if (!teleporter && MovesOnlyHorizontally(c.kind) && r != c.anchorRow) continue;
                bool fits = true;
                for (const auto& [dr, word] : c.shape) {
                    const int row = r + dr;
                    const std::uint64_t moved = ShiftColumns(word, col - c.anchorColumn);
                    if (row < 0 || row > n || std::popcount(moved) != std::popcount(word) ||
                        (moved & ~FullRow(columns_)) || (moved & fixed.row[row])) {
                        fits = false;
                        break;
                    }
                }
                if (!fits) continue;
                c.rankOf[CellIndex(r, col)] = static_cast<std::uint16_t>(c.cellOf.size());
                c.cellOf.push_back(static_cast<std::uint16_t>(CellIndex(r, col)));
            }
        }
        assert(!c.cellOf.empty());
        const unsigned top = static_cast<unsigned>(c.cellOf.size()) - (c.removable ? 0u : 1u);
        c.bits = std::bit_width(top);
        totalBits += static_cast<std::size_t>(c.bits) * c.blocks.size();
    }
    fixedBytes_ = (totalBits + 7) / 8;

    // Marks that steps change: traps close, water dries, covers fill holes, switches toggle.
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            const Byte m = start.MarkAt(r, c);
            const int index = start.BlockIndexAt(r, c);
            const bool changing =
                m == kTrapMark || m == kSwitchMark || (m == kWaterMark && eliminators) ||
                (m == kHoleMark && covers) ||
                (index >= kFirstBlock && start.blocks[index].kind == kBlockadeKind);
            if (changing) changingCells_.push_back(CellIndex(r, c));
        }
    }
    if (keystones && keyholes) changingCells_.push_back(-1); // the keyholes themselves
    decodable_ = changingBlocks_.empty() && changingCells_.empty();
}

void PositionCodec::EncodeClasses(const PlayBoard& b, std::uint8_t* out) const {
    std::uint64_t acc = 0;
    int accBits = 0;
    std::vector<std::uint16_t> big;
    for (const Class& c : classes_) {
        std::uint16_t small[32];
        std::uint16_t* codes = small;
        const std::size_t count = c.blocks.size();
        if (count > 32) {
            big.resize(count);
            codes = big.data();
        }
        for (std::size_t k = 0; k < count; ++k) {
            const Block& blk = b.blocks[c.blocks[k]];
            const std::uint16_t code =
                blk.removed ? c.Sentinel() : c.rankOf[CellIndex(blk.anchorRow, blk.anchorColumn)];
            assert(code != kNoRank);
            std::size_t j = k;
            for (; j > 0 && codes[j - 1] > code; --j) codes[j] = codes[j - 1];
            codes[j] = code;
        }
        for (std::size_t k = 0; k < count; ++k) {
            acc |= std::uint64_t{codes[k]} << accBits;
            accBits += c.bits;
            while (accBits >= 8) {
                *out++ = static_cast<std::uint8_t>(acc);
                acc >>= 8;
                accBits -= 8;
            }
        }
    }
    if (accBits > 0) *out = static_cast<std::uint8_t>(acc);
}

void PositionCodec::EncodeChanges(const PlayBoard& b, std::vector<std::uint8_t>& out) const {
    const int n = b.LastRow();
    for (int cell : changingCells_) {
        if (cell < 0) {
            out.push_back(
                static_cast<std::uint8_t>((b.keyholeRing.IsEmpty(n) ? 1 : 0) |
                                          (b.blocks[kFrameBlock].extraCells.IsEmpty(n) ? 2 : 0)));
            continue;
        }
        const int r = cell / 64, c = cell % 64;
        out.push_back(b.marks[cell]);
        out.push_back(static_cast<std::uint8_t>(
            (b.holeCells.Test(r, c) ? 1 : 0) | (b.slideCells.Test(r, c) ? 2 : 0) |
            (b.destinationCells.Test(r, c) ? 4 : 0) | (b.waterCells.Test(r, c) ? 8 : 0) |
            (b.dontCoverCells.Test(r, c) ? 16 : 0) | (b.glueCells.Test(r, c) ? 32 : 0) |
            (b.blocks[kFrameBlock].cells.Test(r, c) ? 64 : 0) | (b.blockAt[cell] != 0 ? 128 : 0)));
    }
    if (changingBlocks_.empty() && b.blockCount == startBlockCount_) return;
    // The changing blocks by what they are, not by their place in the block table.
    std::vector<std::string> records;
    auto add = [&](int i) {
        const Block& blk = b.blocks[i];
        if (blk.removed) return;
        std::string rec;
        rec.push_back(static_cast<char>(blk.kind));
        rec.push_back(static_cast<char>(blk.id < 0 ? -blk.id : 0));
        PutCell(rec, blk.anchorRow, blk.anchorColumn);
        PutCells(rec, blk.cells, b.rows, b.columns);
        PutCells(rec, blk.extraCells, b.rows, b.columns);
        records.push_back(std::move(rec));
    };
    for (int i : changingBlocks_) add(i);
    for (int i = startBlockCount_ + 1; i <= b.blockCount; ++i) add(i);
    std::sort(records.begin(), records.end());
    out.push_back(static_cast<std::uint8_t>(records.size() & 0xFF));
    out.push_back(static_cast<std::uint8_t>(records.size() >> 8));
    for (const auto& rec : records) out.insert(out.end(), rec.begin(), rec.end());
}

void PositionCodec::Encode(const PlayBoard& b, std::vector<std::uint8_t>& out) const {
    const std::size_t at = out.size();
    out.resize(at + fixedBytes_);
    if (fixedBytes_) EncodeClasses(b, out.data() + at);
    if (!decodable_) EncodeChanges(b, out);
}

void PositionCodec::Decode(const std::uint8_t* code, PlayBoard& b) const {
    assert(decodable_);
    const int n = b.LastRow();
    // Every alike block leaves the map first, so that blocks of a class may trade places.
    for (const Class& c : classes_) {
        for (int index : c.blocks) {
            Block& blk = b.blocks[index];
            if (blk.removed) {
                blk.cells.ClearRows(n);
                blk.extraCells.ClearRows(n);
                continue;
            }
            const int shift = blk.anchorColumn - c.anchorColumn;
            for (const auto& [dr, word] : c.shape) {
                const int row = blk.anchorRow + dr;
                for (std::uint64_t w = ShiftColumns(word, shift); w; w &= w - 1)
                    b.blockAt[CellIndex(row, 63 - std::countr_zero(w))] = 0;
                blk.cells.row[row] = 0;
            }
            for (const auto& [dr, word] : c.extra) blk.extraCells.row[blk.anchorRow + dr] = 0;
        }
    }
    std::uint64_t acc = 0;
    int accBits = 0;
    for (const Class& c : classes_) {
        const std::uint64_t mask = (std::uint64_t{1} << c.bits) - 1;
        for (int index : c.blocks) {
            while (accBits < c.bits) {
                acc |= std::uint64_t{*code++} << accBits;
                accBits += 8;
            }
            const auto rank = static_cast<std::uint16_t>(acc & mask);
            acc >>= c.bits;
            accBits -= c.bits;
            Block& blk = b.blocks[index];
            if (rank == c.Sentinel()) {
                blk.removed = 1;
                blk.kind = kEmptyKind;
                continue;
            }
            blk.removed = 0;
            blk.kind = c.kind;
            const int cell = c.cellOf[rank];
            blk.anchorRow = static_cast<std::int8_t>(cell / 64);
            blk.anchorColumn = static_cast<std::int8_t>(cell % 64);
            const int shift = blk.anchorColumn - c.anchorColumn;
            for (const auto& [dr, word] : c.shape) {
                const int row = blk.anchorRow + dr;
                const std::uint64_t moved = ShiftColumns(word, shift);
                blk.cells.row[row] = moved;
                for (std::uint64_t w = moved; w; w &= w - 1)
                    b.blockAt[CellIndex(row, 63 - std::countr_zero(w))] = index;
            }
            for (const auto& [dr, word] : c.extra)
                blk.extraCells.row[blk.anchorRow + dr] = ShiftColumns(word, shift);
        }
    }
}

} // namespace vorpel
