// Placing block kinds and marks on the selection, erasing, and the kind conversions.
#include <unordered_set>
#include <vector>

#include "editor/EditorCells.h"
#include "editor/EditorOps.h"

namespace vorpel {

namespace {

using editor::BlockKey;
using editor::FinishEdit;
using editor::SelectionInLevel;

// Converts every block that has a selected convertible cell, all of its cells.
void ConvertBlocks(Context& ctx, CellSelection& selected, Byte (*convert)(Byte)) {
    Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    std::unordered_set<std::uint32_t> blocks;
    ForEachCell(selection, level.rows, level.columns, [&](int r, int c) {
        const Byte k = level.BlockAt(r, c);
        if (convert(k)) blocks.insert(BlockKey(k, level.IdAt(r, c)));
    });
    bool changed = false;
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c) {
            const Byte k = level.BlockAt(r, c);
            if (convert(k) && blocks.contains(BlockKey(k, level.IdAt(r, c)))) {
                level.blockLayer.Set(r, c, convert(k));
                changed = true;
            }
        }
    FinishEdit(ctx, selected, changed);
}

// The identifier a kind placed on the selection gets.
std::int16_t NewIdentifier(const Level& level, const RowSet& selection) {
    std::vector<Byte> seen(65536, 0); // 1 on a selected cell, 2 on an unselected one
    std::int16_t single = 0;
    int distinct = 0;
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c) {
            const std::int16_t id = level.IdAt(r, c);
            if (id == 0) continue;
            Byte& s = seen[static_cast<std::uint16_t>(id)];
            if (selection.Test(r, c)) {
                if (!(s & 1)) {
                    ++distinct;
                    single = id;
                }
                s |= 1;
            } else {
                s |= 2;
            }
        }
    if (distinct == 1 && !(seen[static_cast<std::uint16_t>(single)] & 2)) return single;
    return editor::UnusedIdentifier(level, 2);
}

} // namespace

void SetBlockKind(Context& ctx, CellSelection& selected, Byte kind) {
    Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    if (selection.IsEmpty(kMaxRows - 1)) return FinishEdit(ctx, selected, false);
    const std::int16_t id = TakesIdentifier(kind) ? NewIdentifier(level, selection) : 0;

    bool (*family)(Byte) = nullptr;
    if (ctx.options.joinBarriers && IsBarrier(kind)) family = IsBarrier;
    if (ctx.options.joinMagnets && IsMagnet(kind)) family = IsMagnet;
    if (ctx.options.joinMagnets && IsAntimagnet(kind)) family = IsAntimagnet;
    std::unordered_set<std::uint32_t> joined; // the blocks next to the selection
    Byte newKind = kind;
    if (family) {
        RowSet ring;
        ring.NeighbourRingOf(selection, level.rows - 1);
        for (int r = 0; r < level.rows; ++r) ring.row[r] &= FullRow(level.columns);
        ForEachCell(ring, level.rows, level.columns, [&](int r, int c) {
            const Byte k = level.BlockAt(r, c);
            if (!family(k)) return;
            joined.insert(BlockKey(k, level.IdAt(r, c)));
            if (IsMasterKind(k)) newKind = k;
        });
        if (IsMasterKind(kind)) newKind = kind;
    }
    ForEachCell(selection, level.rows, level.columns, [&](int r, int c) {
        level.blockLayer.Set(r, c, newKind);
        level.idLayer.Set(r, c, id);
    });
    if (!joined.empty()) {
        for (int r = 0; r < level.rows; ++r)
            for (int c = 0; c < level.columns; ++c) {
                const Byte k = level.BlockAt(r, c);
                if (selection.Test(r, c) || !family(k) ||
                    !joined.contains(BlockKey(k, level.IdAt(r, c))))
                    continue;
                level.idLayer.Set(r, c, id);
                if (!IsBarrier(k)) level.blockLayer.Set(r, c, newKind);
            }
    }
    FinishEdit(ctx, selected, true);
}

void SetMark(Context& ctx, CellSelection& selected, Byte mark) {
    Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    if (mark == ' ') mark = '.';
    ForEachCell(selection, level.rows, level.columns,
                [&](int r, int c) { level.markLayer.Set(r, c, mark); });
    FinishEdit(ctx, selected, !selection.IsEmpty(kMaxRows - 1));
}

void EraseBlocksAndMarks(Context& ctx, CellSelection& selected) {
    Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    ForEachCell(selection, level.rows, level.columns,
                [&](int r, int c) { editor::Put(level, r, c, {}); });
    FinishEdit(ctx, selected, !selection.IsEmpty(kMaxRows - 1));
}

void ConvertToMaster(Context& ctx, CellSelection& selected) {
    ConvertBlocks(ctx, selected, MasterFormOf);
}

void ConvertToNonmaster(Context& ctx, CellSelection& selected) {
    ConvertBlocks(ctx, selected, NonmasterFormOf);
}

void ConvertToTire(Context& ctx, CellSelection& selected) {
    Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    bool changed = false;
    ForEachCell(selection, level.rows, level.columns, [&](int r, int c) {
        const Byte k = level.BlockAt(r, c);
        if (k != kMasterKind && k != kNormalKind) return;
        level.blockLayer.Set(r, c, k == kMasterKind ? kMasterTireKind : kNormalTireKind);
        changed = true;
    });
    FinishEdit(ctx, selected, changed);
}

void ConvertToAlphanumeric(Context& ctx, CellSelection& selected, Byte character) {
    Level& level = ctx.CurrentLevel();
    const RowSet selection = SelectionInLevel(ctx, selected);
    if (selection.IsEmpty(kMaxRows - 1)) return FinishEdit(ctx, selected, false);
    const int index = AlphanumericIndex(character);
    const std::int16_t id =
        index != 0 ? static_cast<std::int16_t>(-index) : editor::UnusedIdentifier(level, 1);
    // Every cell must be of one movable family; the first that is not forces the whole
    // selection to the kind of the last cell that was.
    Byte family = 0, lastPassed = '[';
    bool forced = false;
    RowSet pending = selection;
    int r = 0, c = 0;
    while (!forced && pending.TakeNextCell(level.rows, level.columns, r, c)) {
        const Byte k = level.BlockAt(r, c);
        const Byte base = editor::BaseKind(k);
        if (!TakesIdentifier(k) || IsBarrier(k) || (family != 0 && base != family)) {
            forced = true;
            break;
        }
        family = base;
        lastPassed = k;
    }
    ForEachCell(selection, level.rows, level.columns, [&](int row, int column) {
        level.idLayer.Set(row, column, id);
        if (forced) level.blockLayer.Set(row, column, lastPassed);
    });
    FinishEdit(ctx, selected, true);
}

} // namespace vorpel
