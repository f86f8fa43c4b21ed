// The solved test: master blocks on destinations, round and alphanumeric blocks on their marks.
#include "model/Solved.h"

namespace vorpel {

bool IsSolved(const PlayBoard& b) {
    // Quick refusal: a destination without a master block cell fails the full test anyway.
    const std::uint64_t full = FullRow(b.columns);
    for (int r = 0; r < b.rows; ++r) {
        for (std::uint64_t v = b.destinationCells.row[r] & full; v;) {
            const int c = std::countl_zero(v);
            v &= ~ColumnMask(c);
            const int index = b.BlockIndexAt(r, c);
            if (index == 0 || !IsMasterKind(DisplayCharOfBlock(b, index, r, c))) return false;
        }
    }
    if (!b.hasColourOrLetterGoals) {
        // Without round marks and lettered blocks the test reduces to the sets: every master
        // block on destinations, and only hover blocks on "don't cover" cells.
        const int n = b.LastRow();
        if (b.destinationCells.IsEmpty(n)) return false;
        for (int i = kFirstBlock; i <= b.blockCount; ++i) {
            const Block& blk = b.blocks[i];
            if (!blk.removed && IsMasterKind(blk.kind) &&
                !IsSubset(blk.cells, b.destinationCells, n))
                return false;
        }
        bool covered = false;
        ForEachCell(b.dontCoverCells, b.rows, b.columns, [&](int r, int c) {
            const int index = b.BlockIndexAt(r, c);
            if (index != 0 && !IsHover(b.blocks[index].kind)) covered = true;
        });
        return !covered;
    }
    return IsSolvedByCells(b);
}

bool IsSolved(const Context& ctx) {
    return IsSolved(ctx.board);
}

bool IsSolvedByCells(const PlayBoard& b) {
    bool goalMet = false;
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c) {
            const Byte m = b.MarkAt(r, c);
            const int index = b.BlockIndexAt(r, c);
            const Byte d = DisplayCharOfBlock(b, index, r, c);
            if (IsMasterKind(d)) {
                if (m != kDestinationMark) return false;
                goalMet = true;
            } else {
                if (m == kDestinationMark) return false;
                if (m == kDontCoverMark && d != kEmptyKind && !IsHover(d)) return false;
                if (IsRoundColour(m)) {
                    if (d != m) return false;
                    goalMet = true;
                }
            }
            if (index != 0 && b.blocks[index].id < 0) {
                if (AlphanumericChar(-b.blocks[index].id) != m) return false;
                goalMet = true;
            }
        }
    }
    return goalMet;
}

bool IsSolvedByCells(const Context& ctx) {
    return IsSolvedByCells(ctx.board);
}

bool CheckSolved(const Context& ctx, bool quiet, std::string& message) {
    message.clear();
    if (!IsSolved(ctx)) return false;
    if (!quiet) message = kSolvedMessage;
    return true;
}

} // namespace vorpel
