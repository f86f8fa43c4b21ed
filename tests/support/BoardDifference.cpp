// Compares two play boards field by field for the history tests.
#include <sstream>

#include "Fixtures.h"
#include "model/Movement.h"

namespace vorpel::test {

std::string Picture(const Context& ctx) {
    const PlayBoard& b = ctx.board;
    std::string text;
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c)
            text += static_cast<char>(b.BlockIndexAt(r, c) ? DisplayChar(b, r, c) : b.MarkAt(r, c));
        text += '\n';
    }
    return text;
}

bool Drag(Context& ctx, int row, int column, int rowDelta, int columnDelta) {
    SelectBlock(ctx, column, row);
    return DragSelectedBlock(ctx, column + columnDelta, row + rowDelta, false);
}

std::string BoardDifference(const PlayBoard& a, const PlayBoard& b) {
    std::ostringstream out;
    if (a.rows != b.rows || a.columns != b.columns) return "size";
    if (a.blockCount != b.blockCount)
        return "blockCount " + std::to_string(a.blockCount) + " vs " + std::to_string(b.blockCount);
    const int n = a.LastRow();
    for (int r = 0; r < a.rows; ++r)
        for (int c = 0; c < a.columns; ++c) {
            if (a.BlockIndexAt(r, c) != b.BlockIndexAt(r, c)) {
                out << "map at " << r << "," << c;
                return out.str();
            }
            if (a.MarkAt(r, c) != b.MarkAt(r, c)) {
                out << "mark at " << r << "," << c;
                return out.str();
            }
        }
    const std::pair<const RowSet*, const RowSet*> sets[] = {
        {&a.holeCells, &b.holeCells},
        {&a.slideCells, &b.slideCells},
        {&a.destinationCells, &b.destinationCells},
        {&a.waterCells, &b.waterCells},
        {&a.dontCoverCells, &b.dontCoverCells},
        {&a.glueCells, &b.glueCells},
        {&a.keyholeRing, &b.keyholeRing}};
    int k = 0;
    for (const auto& [x, y] : sets) {
        if (!Equal(*x, *y, n)) return "derived set " + std::to_string(k);
        ++k;
    }
    for (int i = 0; i <= a.blockCount; ++i) {
        const Block& x = a.blocks[i];
        const Block& y = b.blocks[i];
        if (x.kind != y.kind || x.removed != y.removed || x.anchorRow != y.anchorRow ||
            x.anchorColumn != y.anchorColumn || x.link != y.link || x.id != y.id ||
            x.bricksPiece != y.bricksPiece || !Equal(x.cells, y.cells, n) ||
            !Equal(x.extraCells, y.extraCells, n)) {
            out << "block " << i << " (" << x.kind << " vs " << y.kind << ")\n"
                << x.cells.Dump(a.rows, a.columns) << "vs\n"
                << y.cells.Dump(a.rows, a.columns);
            return out.str();
        }
    }
    return {};
}

} // namespace vorpel::test
