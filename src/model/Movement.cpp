// The movement rules: holding, stepping, pushing, sliding and every effect of marks and kinds.
#include "model/Movement.h"

#include <cassert>
#include <vector>

#include "model/History.h"
#include "model/Solved.h"
#include "model/StepJournalOps.h"

namespace vorpel {

MovementRules RulesOf(const Options& options, bool editing) {
    MovementRules rules;
    rules.bricksCompatibility = options[kBricksCompatibility];
    rules.stopSlidesOnSolvedBoard = !editing;
    return rules;
}

namespace {

// Most tests below read only the rows that the blocks concerned occupy, moved by the step:
// every other row of those blocks is empty, so it cannot change an answer. A block of one row
// on a board of twenty is then tested in one or two row words instead of twenty.

// A set of cells kept over a span of rows: the rows outside the span are empty and never
// stored, so the set costs nothing to clear.
struct SpanSet {
    RowSet cells{RowSet::NoInit{}}; // rows outside `rows` hold garbage
    RowSpan rows{0, -1};

    std::uint64_t Row(int r) const { return r >= rows.first && r <= rows.last ? cells.row[r] : 0; }
    // Row r of the set moved by (rowDelta, columnDelta).
    std::uint64_t MovedRow(int r, int rowDelta, int columnDelta) const {
        return ShiftColumns(Row(r - rowDelta), columnDelta);
    }
    void Clear() { rows = {0, -1}; }
    // The set becomes `s`, which holds no cell outside `sRows`.
    void Assign(const RowSet& s, RowSpan sRows) {
        cells.AssignRows(s, sRows);
        rows = sRows;
    }
    // Adds `s`, which holds no cell outside `sRows`.
    void Add(const RowSet& s, RowSpan sRows) {
        const RowSpan joined = rows.Joined(sRows);
        for (int r = joined.first; r <= joined.last; ++r)
            if (r < rows.first || r > rows.last) cells.row[r] = 0;
        cells.UnionWith(s, sRows);
        rows = joined;
    }
    // Rows `frontRows` of `front`: the cells of the set moved by the step that the set does not
    // hold already.
    void Front(int rowDelta, int columnDelta, RowSpan frontRows, RowSet& front) const {
        for (int r = frontRows.first; r <= frontRows.last; ++r)
            front.row[r] = MovedRow(r, rowDelta, columnDelta) & ~Row(r);
    }
};

// State of one DoStep call, visible to the effect routines it runs.
struct StepState {
    const MovementRules* rules = nullptr;
    StepObserver* observer = nullptr;
    int current = 0;
    int rowDelta = 0;
    int columnDelta = 0;
    // The moving group's cells and the pushed ones among them.
    SpanSet group;
    SpanSet pushed;
    bool sideEffect = false;
    bool switchPending = false;
    bool boxesMoved = false;
    bool firstIteration = true;
};

// Whether cells, all within `rows`, would leave the board.
bool EdgeBlocked(const PlayBoard& b, const RowSet& cells, RowSpan rows, int rowDelta,
                 int columnDelta) {
    if (columnDelta > 0 && cells.ColumnOccupied(b.columns - 1, rows)) return true;
    if (columnDelta < 0 && cells.ColumnOccupied(0, rows)) return true;
    if (rowDelta < 0 && cells.row[0] != 0) return true;
    if (rowDelta > 0 && cells.row[b.LastRow()] != 0) return true;
    return false;
}

// The rows that hold cells of a block; every row on the reference path.
RowSpan RowsOf(const RowSet& cells, int n, bool allRows) {
    return allRows ? RowSpan{0, n} : cells.OccupiedRows(n);
}

// The neighbour ring of the union of every block of a family that is still on the board.
RowSet FamilyRing(const PlayBoard& b, bool (*family)(Byte)) {
    const int n = b.LastRow();
    RowSet all{RowSet::NoInit{}};
    all.ClearRows(n);
    for (int i = kFirstBlock; i <= b.blockCount; ++i) {
        const Block& o = b.blocks[i];
        if (!o.removed && family(o.kind)) all.UnionWith(o.cells, n);
    }
    RowSet ring{RowSet::NoInit{}};
    ring.NeighbourRingOf(all, n);
    return ring;
}

void ClearVisited(PlayBoard& b) {
    for (int i = 0; i <= b.blockCount; ++i) b.blocks[i].visited = 0;
}

bool IsBlockedImpl(PlayBoard& b, int block, int rowDelta, int columnDelta, bool pushed,
                   bool& boxNoted, bool allRows) {
    const int n = b.LastRow();
    const Block& blk = b.blocks[block];
    const Byte kind = blk.kind;
    const RowSpan rows = RowsOf(blk.cells, n, allRows);
    if (!IsHover(kind) && !Disjoint(blk.cells, b.glueCells, rows)) return true;
    if (EdgeBlocked(b, blk.cells, rows, rowDelta, columnDelta)) return true;
    // Written and read over targetRows only.
    const RowSpan targetRows = rows.Shifted(rowDelta, n);
    RowSet target{RowSet::NoInit{}};
    for (int r = targetRows.first; r <= targetRows.last; ++r)
        target.row[r] = blk.cells.MovedRow(r, rowDelta, columnDelta, n);
    if (!IsMovableKind(kind)) return true;
    if (MovesOnlyVertically(kind) && columnDelta != 0) return true;
    if (MovesOnlyHorizontally(kind) && rowDelta != 0) return true;
    if (IsMagnet(kind) && !Disjoint(target, FamilyRing(b, IsAntimagnet), targetRows)) return true;
    if (IsAntimagnet(kind) && !Disjoint(target, FamilyRing(b, IsMagnet), targetRows)) return true;
    if (IsBox(kind)) {
        if (!pushed) return true;
        boxNoted = true;
    }
    if (!IsHover(kind) && !Disjoint(target, b.waterCells, targetRows)) return true;

    ClearVisited(b);
    b.blocks[block].visited = 1;
    SpanSet group;
    group.Assign(blk.cells, rows);
    for (bool added = true; added;) {
        added = false;
        const RowSpan frontRows = group.rows.Shifted(rowDelta, n);
        RowSet front{RowSet::NoInit{}};
        group.Front(rowDelta, columnDelta, frontRows, front);
        bool blocked = false;
        ForEachCell(front, frontRows, b.columns, [&](int r, int c) {
            if (blocked) return;
            const int index = b.BlockIndexAt(r, c);
            if (index == 0 || b.blocks[index].visited) return;
            Block& other = b.blocks[index];
            if (IsBox(other.kind)) {
                if (boxNoted || (boxNoted = true, IsBlockedImpl(b, index, rowDelta, columnDelta,
                                                                true, boxNoted, allRows))) {
                    blocked = true;
                    return;
                }
            } else if (!IsHover(other.kind)) {
                blocked = true;
                return;
            }
            other.visited = 1;
            group.Add(other.cells, RowsOf(other.cells, n, allRows));
            added = true;
        });
        if (blocked) return true;
    }
    // Only the group's rows are stored: the edge rows are tested through Row.
    if (rowDelta < 0 && group.Row(0) != 0) return true;
    if (rowDelta > 0 && group.Row(n) != 0) return true;
    return EdgeBlocked(b, group.cells, group.rows, 0, columnDelta);
}

void ReleaseIfHeld(PlayBoard& b, int block) {
    if (b.selectedBlock == block) b.selectedBlock = 0;
}

void TrapToWall(PlayBoard& b, StepState& st, int r, int c) {
    const int cell = CellIndex(r, c);
    b.Touch(kFrameBlock).cells.Set(r, c);
    b.SetMap(cell, kFrameBlock);
    b.SetMark(cell, kPlainMark);
    st.sideEffect = true;
}

void Eliminate(PlayBoard& b, StepState& st, int block) {
    Block& blk = b.Touch(block);
    blk.removed = 1;
    blk.kind = kEmptyKind;
    if (st.observer) st.observer->Eliminated(b, block);
    ForEachCell(blk.cells, b.rows, b.columns, [&](int r, int c) {
        const int cell = CellIndex(r, c);
        b.SetMap(cell, 0);
        if (b.marks[cell] == kTrapMark)
            TrapToWall(b, st, r, c);
        else if (b.marks[cell] == kSwitchMark)
            st.switchPending = true;
    });
    st.sideEffect = true;
}

void WeakenBarriers(PlayBoard& b, StepState& st, int block) {
    const int n = b.LastRow();
    RowSet ring{RowSet::NoInit{}};
    bool ringMade = false; // most boards have no barrier to weaken
    for (int i = kFirstBlock; i <= b.blockCount; ++i) {
        const Block& o = b.blocks[i];
        if (o.kind != kBarrierKind) continue;
        if (!ringMade) {
            ring.NeighbourRingOf(b.blocks[block].cells, n);
            ringMade = true;
        }
        if (Disjoint(o.extraCells, ring, n)) continue;
        b.Touch(i).extraCells.Remove(ring, n);
        st.sideEffect = true;
    }
}

void MoveEntry(PlayBoard& b, StepState& st, const MovingEntry& e) {
    if (e.rowDelta == 0 && e.columnDelta == 0) return;
    const int n = b.LastRow();
    Block& blk = b.Touch(e.block);
    blk.anchorRow = static_cast<std::int8_t>(blk.anchorRow + e.rowDelta);
    blk.anchorColumn = static_cast<std::int8_t>(blk.anchorColumn + e.columnDelta);
    const RowSpan rows = blk.cells.OccupiedRows(n);
    blk.cells.Translate(e.rowDelta, e.columnDelta, rows, n);
    if (MayHaveTireCells(blk.kind))
        blk.extraCells.Translate(e.rowDelta, e.columnDelta, blk.extraCells.OccupiedRows(n), n);
    ForEachCell(blk.cells, rows.Shifted(e.rowDelta, n), b.columns,
                [&](int r, int c) { b.SetMap(CellIndex(r, c), e.block); });
    if (IsMasterKind(blk.kind)) WeakenBarriers(b, st, e.block);
}

void UnmapCells(PlayBoard& b, const RowSet& cells, RowSpan rows) {
    ForEachCell(cells, rows, b.columns, [&](int r, int c) { b.SetMap(CellIndex(r, c), 0); });
}

void Gather(PlayBoard& b, StepState& st) {
    const int n = b.LastRow();
    b.moving.clear();
    b.moving.push_back({st.current, st.columnDelta, st.rowDelta});
    ClearVisited(b);
    b.blocks[0].visited = b.blocks[1].visited = b.blocks[st.current].visited = 1;
    const RowSet& held = b.blocks[st.current].cells;
    const RowSpan heldRows = held.OccupiedRows(n);
    st.group.Assign(held, heldRows);
    st.pushed.Assign(held, heldRows);
    if (IsBox(b.blocks[st.current].kind)) st.boxesMoved = true;
    for (bool added = true; added;) {
        added = false;
        const RowSpan frontRows = st.group.rows.Shifted(st.rowDelta, n);
        RowSet front{RowSet::NoInit{}};
        st.group.Front(st.rowDelta, st.columnDelta, frontRows, front);
        ForEachCell(front, frontRows, b.columns, [&](int r, int c) {
            const int index = b.BlockIndexAt(r, c);
            Block& other = b.blocks[index];
            if (other.visited) return;
            other.visited = 1;
            if (!IsHover(other.kind) && !IsBox(other.kind)) return;
            const RowSpan otherRows = other.cells.OccupiedRows(n);
            if (IsBox(other.kind)) {
                st.boxesMoved = true;
                if (st.firstIteration) ++b.Touch(index).link;
                st.pushed.Add(other.cells, otherRows);
            }
            st.sideEffect = true;
            st.group.Add(other.cells, otherRows);
            b.moving.push_back({index, st.columnDelta, st.rowDelta});
            added = true;
        });
    }
}

void Join(PlayBoard& b, StepState& st, int held, bool (*family)(Byte)) {
    const int n = b.LastRow();
    RowSet ring{RowSet::NoInit{}};
    ring.NeighbourRingOf(b.blocks[held].cells, n);
    const bool wasMaster = IsMasterKind(b.blocks[held].kind);
    int smallestPiece = -1;
    std::vector<int> masterMembers;
    for (int i = kFirstBlock; i <= b.blockCount; ++i) {
        if (i == held) continue;
        const Block& o = b.blocks[i];
        if (o.removed || !family(o.kind) || Disjoint(o.cells, ring, n)) continue;
        b.Touch(i).removed = 1;
        st.sideEffect = true;
        int last = held;
        for (int guard = 0; b.blocks[last].link != 0 && guard <= b.blockCount; ++guard)
            last = b.blocks[last].link;
        b.Touch(last).link = i;
        Block& h = b.Touch(held);
        h.cells.UnionWith(o.cells, n);
        ForEachCell(o.cells, b.rows, b.columns,
                    [&](int r, int c) { b.SetMap(CellIndex(r, c), held); });
        if (IsMasterKind(o.kind)) h.kind = o.kind; // a master magnet makes the whole master
        if (o.anchorRow < h.anchorRow ||
            (o.anchorRow == h.anchorRow && o.anchorColumn < h.anchorColumn)) {
            h.anchorRow = o.anchorRow;
            h.anchorColumn = o.anchorColumn;
        }
        if (IsMasterKind(o.kind)) {
            masterMembers.push_back(i);
            if (smallestPiece < 0 || o.bricksPiece < smallestPiece) smallestPiece = o.bricksPiece;
        }
    }
    if (!wasMaster && smallestPiece >= 0) {
        b.Touch(held).bricksPiece = static_cast<Byte>(smallestPiece);
        for (int m : masterMembers) b.Touch(m).bricksPiece = 0;
    }
}

void EliminatorContact(PlayBoard& b, StepState& st) {
    RowSet ring{RowSet::NoInit{}};
    ring.NeighbourRingOf(b.blocks[st.current].cells, b.LastRow());
    bool any = false;
    ForEachCell(ring, b.rows, b.columns, [&](int r, int c) {
        const int cell = CellIndex(r, c);
        const int index = b.blockAt[cell];
        if (index >= kFirstBlock && IsEliminator(b.blocks[index].kind)) {
            Eliminate(b, st, index);
            any = true;
        }
        if (b.marks[cell] == kWaterMark) {
            b.SetMark(cell, kPlainMark);
            b.TouchSet(StepJournal::kWater).Reset(r, c);
            st.sideEffect = true;
            any = true;
        }
    });
    if (any) {
        Eliminate(b, st, st.current);
        ReleaseIfHeld(b, st.current);
        st.current = 0;
    }
}

void KeystoneContact(PlayBoard& b, StepState& st) {
    const int n = b.LastRow();
    if (Disjoint(b.blocks[st.current].cells, b.keyholeRing, n)) return;
    Eliminate(b, st, st.current);
    ReleaseIfHeld(b, st.current);
    st.current = 0;
    for (int i = kFirstBlock; i <= b.blockCount; ++i) {
        const Block& o = b.blocks[i];
        if (o.kind == kBlockadeKind && IsSubset(o.cells, b.holeCells, n))
            RemoveBlockQuietly(b, i);
        else if (IsKeystone(o.kind))
            Eliminate(b, st, i);
    }
    for (int i = kFirstBlock; i <= b.blockCount; ++i)
        if (b.blocks[i].kind == kBlockadeKind && !b.blocks[i].removed)
            b.Touch(i).kind = kNormalKind;
    if (st.rules->bricksCompatibility) st.switchPending = false;
    b.TouchSet(StepJournal::kKeyholeRing).Clear();
    b.Touch(kFrameBlock).extraCells.Clear();
}

void ToggleBlockades(PlayBoard& b, StepState& st) {
    const int n = b.LastRow();
    std::vector<bool> used(32768, false);
    for (int i = kFirstBlock; i <= b.blockCount; ++i)
        if (b.blocks[i].id >= 2) used[static_cast<std::size_t>(b.blocks[i].id)] = true;
    const int noted = b.blockCount;
    int nextId = 2;
    RowSet converted;
    constexpr StepJournal::SetId kDerived[] = {StepJournal::kSlide,        StepJournal::kHoles,
                                               StepJournal::kDestinations, StepJournal::kWater,
                                               StepJournal::kDontCover,    StepJournal::kGlue};
    for (int i = kFirstBlock; i <= noted; ++i) {
        if (b.blocks[i].kind != kBlockadeKind) continue;
        st.sideEffect = true;
        const RowSet cells = b.blocks[i].cells;
        for (StepJournal::SetId id : kDerived) {
            RowSet& set = b.TouchSet(id);
            set.Remove(cells, n);
        }
        converted.UnionWith(cells, n);
        bool first = true;
        ForEachCell(cells, b.rows, b.columns, [&](int r, int c) {
            const int cell = CellIndex(r, c);
            b.SetMap(cell, 0);
            b.SetMark(cell, kSwitchMark);
            if (first) {
                Block& sw = b.Touch(i);
                sw.kind = kSwitchKind;
                sw.cells.Clear();
                sw.cells.Set(r, c);
                sw.anchorRow = static_cast<std::int8_t>(r);
                sw.anchorColumn = static_cast<std::int8_t>(c);
                first = false;
                return;
            }
            while (nextId < 32767 && used[static_cast<std::size_t>(nextId)]) ++nextId;
            const int index = b.AppendBlock(kSwitchKind, static_cast<std::int16_t>(nextId), r, c);
            b.blocks[index].cells.Set(r, c);
            ++nextId;
        });
    }
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c) {
            const int cell = CellIndex(r, c);
            if (b.marks[cell] != kSwitchMark || b.blockAt[cell] != 0 || converted.Test(r, c))
                continue;
            b.SetMark(cell, kPlainMark);
            st.sideEffect = true;
            for (int i = kFirstBlock; i <= noted; ++i) {
                const Block& o = b.blocks[i];
                if (o.removed || !o.cells.Test(r, c)) continue;
                b.Touch(i).kind = kBlockadeKind;
                b.SetMap(cell, i);
            }
        }
    }
}

void RunEffects(PlayBoard& b, StepState& st) {
    const int n = b.LastRow();
    const MovingEntry e0 = b.moving[0];
    if (e0.rowDelta != 0 || e0.columnDelta != 0) {
        if (!IsHover(b.blocks[e0.block].kind)) {
            // Pushed cells the group left; they lie within the group's rows.
            RowSet vacated{RowSet::NoInit{}};
            const RowSpan rows = st.group.rows;
            for (int r = rows.first; r <= rows.last; ++r)
                vacated.row[r] =
                    st.pushed.Row(r) & ~st.group.MovedRow(r, e0.rowDelta, e0.columnDelta);
            ForEachCell(vacated, rows, b.columns, [&](int r, int c) {
                const Byte mark = b.MarkAt(r, c);
                if (mark == kTrapMark)
                    TrapToWall(b, st, r, c);
                else if (mark == kSwitchMark)
                    st.switchPending = true;
            });
        }
        const Byte kind = b.blocks[e0.block].kind;
        if (IsAntimagnet(kind))
            Join(b, st, e0.block, IsAntimagnet);
        else if (IsMagnet(kind))
            Join(b, st, e0.block, IsMagnet);
        else if (IsEliminator(kind))
            EliminatorContact(b, st);
        else if (IsKeystone(kind))
            KeystoneContact(b, st);
        if (IsMasterKind(b.blocks[e0.block].kind)) WeakenBarriers(b, st, e0.block);
        const Block& first = b.blocks[e0.block];
        if (!IsHover(first.kind) && st.current != 0 && IsSubset(first.cells, b.holeCells, n)) {
            if (IsCover(first.kind)) {
                const RowSet under = first.cells;
                b.TouchSet(StepJournal::kHoles).Remove(under, n);
                b.TouchSet(StepJournal::kSlide).Remove(under, n);
                ForEachCell(under, b.rows, b.columns,
                            [&](int r, int c) { b.SetMark(CellIndex(r, c), kPlainMark); });
            }
            Eliminate(b, st, st.current);
            ReleaseIfHeld(b, st.current);
            st.current = 0;
        }
        if (st.switchPending) ToggleBlockades(b, st);
    }
    if (st.boxesMoved) {
        for (std::size_t k = 1; k < b.moving.size(); ++k) {
            const int index = b.moving[k].block;
            const Block& o = b.blocks[index];
            if (IsBox(o.kind) && IsSubset(o.cells, b.holeCells, n)) {
                Eliminate(b, st, index);
                st.boxesMoved = false;
                break;
            }
        }
    }
}

bool TeleportTest(const PlayBoard& b, int block, int& rowDelta, int& columnDelta) {
    const int n = b.LastRow();
    const Block& blk = b.blocks[block];
    if (!Disjoint(blk.cells, b.glueCells, n)) return false;
    const int R = b.teleporterRow, C = b.teleporterColumn;
    const int h = b.teleporterRowSpan, w = b.teleporterColumnSpan;
    const Bounds box = blk.cells.BoundingBox(n);
    if (blk.anchorColumn >= C) {
        columnDelta = -C;
        if (!(blk.anchorColumn < C + w && box.firstColumn - C >= 0)) return false;
    } else {
        columnDelta = C;
        if (!(blk.anchorColumn < w && box.lastColumn + C < b.columns)) return false;
    }
    if (blk.anchorRow >= R) {
        rowDelta = -R;
        if (!(blk.anchorRow < R + h && box.firstRow - R >= 0)) return false;
    } else {
        rowDelta = R;
        if (!(blk.anchorRow < h && box.lastRow + R < b.rows)) return false;
    }
    RowSet target{RowSet::NoInit{}};
    target.TranslateFrom(blk.cells, rowDelta, columnDelta, n);
    if (IsMagnet(blk.kind) && !Disjoint(target, FamilyRing(b, IsAntimagnet), n)) return false;
    if (IsAntimagnet(blk.kind) && !Disjoint(target, FamilyRing(b, IsMagnet), n)) return false;
    if (!IsHover(blk.kind) && !Disjoint(target, b.waterCells, n)) return false;
    bool free = true;
    ForEachCell(target, b.rows, b.columns,
                [&](int r, int c) { free = free && b.BlockIndexAt(r, c) == 0; });
    return free;
}

void TeleportPhase(PlayBoard& b, StepState& st) {
    const int n = b.LastRow();
    st.switchPending = false;
    int dr = 0, dc = 0;
    MovingEntry& e0 = b.moving[0];
    const RowSpan all{0, n};
    if (st.current != 0 && TeleportTest(b, st.current, dr, dc)) {
        st.group.Assign(b.blocks[st.current].cells, all);
        st.pushed.Assign(b.blocks[st.current].cells, all);
        e0.rowDelta = dr;
        e0.columnDelta = dc;
        st.sideEffect = true;
    } else {
        st.group.Clear();
        st.pushed.Clear();
        e0.rowDelta = e0.columnDelta = 0;
    }
    for (std::size_t k = 1; k < b.moving.size(); ++k) {
        MovingEntry& e = b.moving[k];
        if (!b.blocks[e.block].removed && TeleportTest(b, e.block, dr, dc)) {
            st.group.Add(b.blocks[e.block].cells, all);
            e.rowDelta = dr;
            e.columnDelta = dc;
            st.sideEffect = true;
        } else {
            e.rowDelta = e.columnDelta = 0;
        }
    }
    UnmapCells(b, st.group.cells, st.group.rows);
    for (std::size_t k = st.current == 0 ? 1 : 0; k < b.moving.size(); ++k)
        MoveEntry(b, st, b.moving[k]);
    if (st.current != 0) RunEffects(b, st);
}

} // namespace

bool IsBlocked(PlayBoard& board, int block, int rowDelta, int columnDelta, bool pushed) {
    bool boxNoted = false;
    return IsBlockedImpl(board, block, rowDelta, columnDelta, pushed, boxNoted, false);
}

bool IsBlockedOverAllRows(PlayBoard& board, int block, int rowDelta, int columnDelta, bool pushed) {
    bool boxNoted = false;
    return IsBlockedImpl(board, block, rowDelta, columnDelta, pushed, boxNoted, true);
}

void RemoveBlockQuietly(PlayBoard& b, int block) {
    Block& blk = b.Touch(block);
    blk.removed = 1;
    blk.kind = kEmptyKind;
    UnmapCells(b, blk.cells, RowSpan{0, b.LastRow()});
}

bool DoStep(PlayBoard& b, const MovementRules& rules, int rowDelta, int columnDelta,
            StepObserver* observer, bool reportSlides, bool noEffects) {
    StepState st;
    st.rules = &rules;
    st.observer = observer;
    st.current = b.selectedBlock;
    st.rowDelta = rowDelta;
    st.columnDelta = columnDelta;
    assert(st.current >= kFirstBlock && st.current <= b.blockCount);
    for (int counter = 64;;) {
        if (b.selectedBlock == st.current) {
            b.selectedRow += rowDelta;
            b.selectedColumn += columnDelta;
        }
        st.switchPending = false;
        Gather(b, st);
        if (observer) observer->GroupMoving(b, b.moving);
        st.firstIteration = false;
        UnmapCells(b, st.group.cells, st.group.rows);
        for (const MovingEntry& e : b.moving) MoveEntry(b, st, e);
        if (observer) observer->GroupMoved(b, b.moving);
        if (noEffects) break;
        RunEffects(b, st);
        if (rules.stopSlidesOnSolvedBoard && IsSolved(b)) break;
        if (b.teleporterRow >= 0) {
            TeleportPhase(b, st);
            if (st.current == 0 || (rules.stopSlidesOnSolvedBoard && IsSolved(b))) break;
        }
        if (st.current == 0) {
            if (!st.boxesMoved || IsBox(b.blocks[b.moving[0].block].kind)) break;
        } else if (!st.boxesMoved && IsHover(b.blocks[st.current].kind)) {
            break;
        }
        int slider = 0;
        for (const MovingEntry& e : b.moving) {
            const Block& o = b.blocks[e.block];
            if (!o.removed && !IsHover(o.kind) && IsSubset(o.cells, b.slideCells, b.LastRow())) {
                slider = e.block;
                break;
            }
        }
        if (slider == 0) break;
        // Every test here only ends the slide and IsBlocked changes nothing but scratch marks,
        // so the cheap tests go first.
        if (st.current != 0 && IsBlocked(b, st.current, rowDelta, columnDelta, true)) break;
        if (IsBox(b.blocks[slider].kind) && IsBlocked(b, slider, rowDelta, columnDelta, true))
            break;
        st.current = slider;
        st.sideEffect = true;
        if (reportSlides && observer) observer->Slid(b);
        if (--counter == 0) break;
    }
    return st.sideEffect;
}

bool SelectBlock(Context& ctx, int column, int row) {
    PlayBoard& b = ctx.board;
    b.selectedColumn = column;
    b.selectedRow = row;
    if (!b.Inside(row, column)) return false;
    const int index = b.BlockIndexAt(row, column);
    if (index == 0) return false;
    const Block& blk = b.blocks[index];
    if (RefusesHold(blk.kind)) return false;
    switch (blk.kind) {
    case kBarrierKind: {
        if (!blk.extraCells.IsEmpty(b.LastRow())) return false;
        const int anchorRow = blk.anchorRow, anchorColumn = blk.anchorColumn;
        RemoveBlockQuietly(b, index);
        RecordStep(ctx, 0, 0, index, anchorColumn, anchorRow, true);
        return true;
    }
    default:
        b.selectedBlock = index;
        return false;
    }
}

namespace {

// Shows each slide of a drag through the caller's `showSlide` and passes every report on to the
// context's observer.
class SlideRepaint final : public StepObserver {
public:
    SlideRepaint(Context& ctx, const std::function<void()>& showSlide)
        : ctx_(ctx), showSlide_(showSlide) {}
    void GroupMoving(PlayBoard& b, const std::vector<MovingEntry>& moving) override {
        if (ctx_.stepObserver) ctx_.stepObserver->GroupMoving(b, moving);
    }
    void GroupMoved(PlayBoard& b, const std::vector<MovingEntry>& moving) override {
        if (ctx_.stepObserver) ctx_.stepObserver->GroupMoved(b, moving);
    }
    void Eliminated(PlayBoard& b, int block) override {
        if (ctx_.stepObserver) ctx_.stepObserver->Eliminated(b, block);
    }
    void Slid(PlayBoard& b) override {
        if (showSlide_) showSlide_();
        if (ctx_.stepObserver) ctx_.stepObserver->Slid(b);
    }

private:
    Context& ctx_;
    const std::function<void()>& showSlide_;
};

} // namespace

bool DragSelectedBlock(Context& ctx, int column, int row, bool redraw,
                       const std::function<void()>& showSlide) {
    PlayBoard& b = ctx.board;
    SlideRepaint repaint(ctx, showSlide);
    StepObserver* observer = redraw ? &repaint : ctx.stepObserver;
    const MovementRules rules = RulesOf(ctx.options, ctx.editing);
    if (b.selectedBlock == 0 || (column == b.selectedColumn && row == b.selectedRow)) return false;
    const int held = b.selectedBlock;
    const int anchorRow = b.blocks[held].anchorRow, anchorColumn = b.blocks[held].anchorColumn;
    const int columnDelta = column < b.selectedColumn ? -1 : column > b.selectedColumn ? 1 : 0;
    if (columnDelta != 0) {
        if (IsBlocked(b, held, 0, columnDelta, false)) return false;
        const bool sideEffect = DoStep(b, rules, 0, columnDelta, observer, redraw);
        RecordStep(ctx, 0, columnDelta, held, anchorColumn, anchorRow, sideEffect);
    }
    const int rowDelta = row < b.selectedRow ? -1 : row > b.selectedRow ? 1 : 0;
    if (rowDelta != 0) {
        if (b.selectedBlock != held) return false;
        if (IsBlocked(b, held, rowDelta, 0, false)) return false;
        const bool sideEffect = DoStep(b, rules, rowDelta, 0, observer, redraw);
        RecordStep(ctx, rowDelta, 0, held, anchorColumn, anchorRow, sideEffect);
    }
    Level& level = ctx.CurrentLevel();
    if (level.currentStep >= 2) {
        const StepRecord& a = level.steps[level.currentStep - 2];
        const StepRecord& z = level.steps[level.currentStep - 1];
        if (!a.sideEffect && !z.sideEffect && a.block == z.block && a.rowDelta + z.rowDelta == 0 &&
            a.columnDelta + z.columnDelta == 0) {
            level.currentStep -= 2;
            level.stepCount -= 2;
            DropJournalEntries(ctx, 2);
        }
    }
    return true;
}

} // namespace vorpel
