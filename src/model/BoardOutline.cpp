// The outline bits of every cell, which the drawing reads to trace block edges.
#include "model/BoardOutline.h"

namespace vorpel {

namespace {

struct CellLook {
    Byte ch;
    std::int16_t id;
};

CellLook Look(const PlayBoard& board, int r, int c) {
    if (!board.Inside(r, c)) return {kEmptyKind, 0};
    const int index = board.BlockIndexAt(r, c);
    if (index == 0) return {board.MarkAt(r, c), 0};
    const Block& b = board.blocks[index];
    Byte ch = b.kind;
    if (MayHaveTireCells(ch) && b.extraCells.Test(r, c))
        ch = ch == kNormalKind ? kNormalTireKind : kMasterTireKind;
    return {ch, b.id};
}

bool Alike(const CellLook& a, const CellLook& b) {
    const bool aFixed = a.ch == kWallKind || a.ch == kTeleporterKind;
    const bool bFixed = b.ch == kWallKind || b.ch == kTeleporterKind;
    if (aFixed && bFixed) return true;
    return a.ch == b.ch && a.id == b.id;
}

} // namespace

void ComputeOutlineFlags(const PlayBoard& board, BoardOutline& outline) {
    outline.flags.fill(0);
    // Each cell's look once, with a ring of outside cells round the board, instead of once for
    // every neighbour that compares with it. On the stack: a heap block of this size would make
    // the allocator sort its free lists after a large load.
    const int width = board.columns + 2;
    std::array<CellLook, (kMaxRows + 2) * (kMaxColumns + 2)> looks;
    for (int r = -1; r <= board.rows; ++r)
        for (int c = -1; c <= board.columns; ++c)
            looks[static_cast<std::size_t>((r + 1) * width + c + 1)] = Look(board, r, c);
    const auto at = [&](int r, int c) -> const CellLook& {
        return looks[static_cast<std::size_t>((r + 1) * width + c + 1)];
    };
    for (int r = 0; r < board.rows; ++r) {
        for (int c = 0; c < board.columns; ++c) {
            const CellLook& self = at(r, c);
            const bool right = !Alike(self, at(r, c + 1));
            const bool up = !Alike(self, at(r - 1, c));
            const bool left = !Alike(self, at(r, c - 1));
            const bool down = !Alike(self, at(r + 1, c));
            const bool upRight = right || up || !Alike(self, at(r - 1, c + 1));
            const bool upLeft = up || left || !Alike(self, at(r - 1, c - 1));
            const bool downLeft = left || down || !Alike(self, at(r + 1, c - 1));
            const bool downRight = down || right || !Alike(self, at(r + 1, c + 1));
            outline.flags[CellIndex(r, c)] =
                static_cast<Byte>(right << 0 | upRight << 1 | up << 2 | upLeft << 3 | left << 4 |
                                  downLeft << 5 | down << 6 | downRight << 7);
        }
    }
}

} // namespace vorpel
