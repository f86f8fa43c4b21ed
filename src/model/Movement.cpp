// The movement rules: holding, stepping, pushing, sliding and every effect of marks and kinds.
#include <cassert>
#include <vector>

#include "model/Execucao.h"
#include "model/StepJournalOps.h"

namespace vorpel {

namespace {

// State of one DoStep call, visible to the effect routines it runs.
struct StepState {
    int current = 0;
    int rowDelta = 0;
    int columnDelta = 0;
    RowSet groupCells{RowSet::NoInit{}}; // rows 0..n written by the first gathering
    RowSet pushedCells{RowSet::NoInit{}};
    bool sideEffect = false;
    bool switchPending = false;
    bool boxesMoved = false;
    bool firstIteration = true;
};

bool EdgeBlocked(const PlayBoard& b, const RowSet& cells, int rowDelta, int columnDelta) {
    const int n = b.LastRow();
    if (columnDelta > 0 && cells.ColumnOccupied(b.columns - 1, n)) return true;
    if (columnDelta < 0 && cells.Column0Occupied(n)) return true;
    if (rowDelta < 0 && cells.FirstRowOccupied()) return true;
    if (rowDelta > 0 && cells.RowOccupied(n)) return true;
    return false;
}

// The neighbour ring of the union of every block of a family that is still on the board.
RowSet FamilyRing(const PlayBoard& b, bool (*family)(Byte)) {
    const int n = b.LastRow();
    RowSet all{RowSet::NoInit{}};
    all.ClearRows(n);
    for (int i = 2; i <= b.blockCount; ++i) {
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
                   bool& boxNoted) {
    const int n = b.LastRow();
    const Block& blk = b.blocks[block];
    const Byte kind = blk.kind;
    if (!IsHover(kind) && !Disjoint(blk.cells, b.glueCells, n)) return true;
    if (EdgeBlocked(b, blk.cells, rowDelta, columnDelta)) return true;
    RowSet target{RowSet::NoInit{}};
    target.TranslateFrom(blk.cells, rowDelta, columnDelta, n);
    switch (kind) {
    case '|':
    case '"':
        if (columnDelta != 0) return true;
        break;
    case '-':
    case '=':
        if (rowDelta != 0) return true;
        break;
    case '{':
    case '?':
        if (!Disjoint(target, FamilyRing(b, IsAntimagnet), n)) return true;
        break;
    case '}':
    case 'z':
        if (!Disjoint(target, FamilyRing(b, IsMagnet), n)) return true;
        break;
    case 'v':
    case 'V':
        if (!pushed) return true;
        boxNoted = true;
        break;
    case '~':
    case '*':
    case '!':
    case '#':
    case '%':
    case '(':
    case '<':
    case '.':
        return true;
    default:
        break;
    }
    if (!IsHover(kind) && !Disjoint(target, b.waterCells, n)) return true;

    ClearVisited(b);
    b.blocks[block].visited = 1;
    RowSet group{RowSet::NoInit{}};
    group.AssignRows(blk.cells, n);
    for (bool added = true; added;) {
        added = false;
        RowSet front{RowSet::NoInit{}};
        front.TranslateFrom(group, rowDelta, columnDelta, n);
        front.Remove(group, n);
        bool blocked = false;
        ForEachCell(front, b.rows, b.columns, [&](int r, int c) {
            if (blocked) return;
            const int index = b.BlockIndexAt(r, c);
            if (index == 0 || b.blocks[index].visited) return;
            Block& other = b.blocks[index];
            if (IsBox(other.kind)) {
                if (boxNoted || (boxNoted = true,
                                 IsBlockedImpl(b, index, rowDelta, columnDelta, true, boxNoted))) {
                    blocked = true;
                    return;
                }
            } else if (!IsHover(other.kind)) {
                blocked = true;
                return;
            }
            other.visited = 1;
            group.UnionWith(other.cells, n);
            added = true;
        });
        if (blocked) return true;
    }
    return EdgeBlocked(b, group, rowDelta, columnDelta);
}

void ReleaseIfHeld(PlayBoard& b, int block) {
    if (b.selectedBlock == block) b.selectedBlock = 0;
}

void TrapToWall(PlayBoard& b, StepState& st, int r, int c) {
    const int cell = CellIndex(r, c);
    b.Touch(kFrameBlock).cells.Set(r, c);
    b.SetMap(cell, kFrameBlock);
    b.SetMark(cell, '.');
    st.sideEffect = true;
}

void Eliminate(Context& ctx, StepState& st, int block) {
    PlayBoard& b = ctx.board;
    Block& blk = b.Touch(block);
    blk.removed = 1;
    blk.kind = '.';
    if (ctx.bricks.mode == 2) blk.bricksPiece = 0;
    ForEachCell(blk.cells, b.rows, b.columns, [&](int r, int c) {
        const int cell = CellIndex(r, c);
        b.SetMap(cell, 0);
        if (b.marks[cell] == '/')
            TrapToWall(b, st, r, c);
        else if (b.marks[cell] == '<')
            st.switchPending = true;
    });
    st.sideEffect = true;
}

void WeakenBarriers(PlayBoard& b, StepState& st, int block) {
    const int n = b.LastRow();
    RowSet ring{RowSet::NoInit{}};
    ring.NeighbourRingOf(b.blocks[block].cells, n);
    for (int i = 2; i <= b.blockCount; ++i) {
        const Block& o = b.blocks[i];
        if (o.kind != '*' || Disjoint(o.extraCells, ring, n)) continue;
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
    blk.cells.Translate(e.rowDelta, e.columnDelta, n);
    if (blk.kind == '@' || blk.kind == '[') blk.extraCells.Translate(e.rowDelta, e.columnDelta, n);
    ForEachCell(blk.cells, b.rows, b.columns,
                [&](int r, int c) { b.SetMap(CellIndex(r, c), e.block); });
    if (IsMasterKind(blk.kind)) WeakenBarriers(b, st, e.block);
}

void UnmapCells(PlayBoard& b, const RowSet& cells) {
    ForEachCell(cells, b.rows, b.columns, [&](int r, int c) { b.SetMap(CellIndex(r, c), 0); });
}

void Gather(Context& ctx, StepState& st) {
    PlayBoard& b = ctx.board;
    const int n = b.LastRow();
    b.moving.clear();
    b.moving.push_back({st.current, st.columnDelta, st.rowDelta});
    ClearVisited(b);
    b.blocks[0].visited = b.blocks[1].visited = b.blocks[st.current].visited = 1;
    const bool piecesFollowPushes = ctx.bricks.mode == 1;
    if (piecesFollowPushes) ctx.bricks.pieceGrid.fill(0);
    st.groupCells.AssignRows(b.blocks[st.current].cells, n);
    st.pushedCells.AssignRows(st.groupCells, n);
    if (IsBox(b.blocks[st.current].kind)) st.boxesMoved = true;
    for (bool added = true; added;) {
        added = false;
        RowSet front{RowSet::NoInit{}};
        front.TranslateFrom(st.groupCells, st.rowDelta, st.columnDelta, n);
        front.Remove(st.groupCells, n);
        ForEachCell(front, b.rows, b.columns, [&](int r, int c) {
            const int index = b.BlockIndexAt(r, c);
            Block& other = b.blocks[index];
            if (other.visited) return;
            other.visited = 1;
            if (!IsHover(other.kind) && !IsBox(other.kind)) return;
            if (IsBox(other.kind)) {
                st.boxesMoved = true;
                if (st.firstIteration) ++b.Touch(index).link;
                st.pushedCells.UnionWith(other.cells, n);
            }
            if (piecesFollowPushes)
                ForEachCell(other.cells, b.rows, b.columns, [&](int r2, int c2) {
                    ctx.bricks.pieceGrid[CellIndex(r2, c2)] = other.bricksPiece;
                });
            st.sideEffect = true;
            st.groupCells.UnionWith(other.cells, n);
            b.moving.push_back({index, st.columnDelta, st.rowDelta});
            added = true;
        });
    }
}

// Bricks moves of data versions before 4 (conversion mode 1): a pushed block takes the piece
// number that a pushed block had at its new anchor cell before the step, as Bricks numbers it.
// A cell where no pushed block stood (a zero entry) leaves the block its own number: that is the
// only number the moves that follow can name it by.
void TakePushedPieces(Context& ctx) {
    PlayBoard& b = ctx.board;
    for (std::size_t k = 1; k < b.moving.size(); ++k) {
        const Block& blk = b.blocks[b.moving[k].block];
        const Byte piece = ctx.bricks.pieceGrid[CellIndex(blk.anchorRow, blk.anchorColumn)];
        if (piece != 0) b.Touch(b.moving[k].block).bricksPiece = piece;
    }
}

void Join(Context& ctx, StepState& st, int held, bool (*family)(Byte)) {
    PlayBoard& b = ctx.board;
    const int n = b.LastRow();
    RowSet ring{RowSet::NoInit{}};
    ring.NeighbourRingOf(b.blocks[held].cells, n);
    const bool wasMaster = IsMasterKind(b.blocks[held].kind);
    int smallestPiece = -1;
    std::vector<int> masterMembers;
    for (int i = 2; i <= b.blockCount; ++i) {
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
        if (o.kind == '?' || o.kind == 'z') h.kind = o.kind;
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

void EliminatorContact(Context& ctx, StepState& st) {
    PlayBoard& b = ctx.board;
    RowSet ring{RowSet::NoInit{}};
    ring.NeighbourRingOf(b.blocks[st.current].cells, b.LastRow());
    bool any = false;
    ForEachCell(ring, b.rows, b.columns, [&](int r, int c) {
        const int cell = CellIndex(r, c);
        const int index = b.blockAt[cell];
        if (index >= 2 && IsEliminator(b.blocks[index].kind)) {
            Eliminate(ctx, st, index);
            any = true;
        }
        if (b.marks[cell] == ')') {
            b.SetMark(cell, '.');
            b.TouchSet(StepJournal::kWater).Reset(r, c);
            st.sideEffect = true;
            any = true;
        }
    });
    if (any) {
        Eliminate(ctx, st, st.current);
        ReleaseIfHeld(b, st.current);
        st.current = 0;
    }
}

void KeystoneContact(Context& ctx, StepState& st) {
    PlayBoard& b = ctx.board;
    const int n = b.LastRow();
    if (Disjoint(b.blocks[st.current].cells, b.keyholeRing, n)) return;
    Eliminate(ctx, st, st.current);
    ReleaseIfHeld(b, st.current);
    st.current = 0;
    for (int i = 2; i <= b.blockCount; ++i) {
        const Block& o = b.blocks[i];
        if (o.kind == '(' && IsSubset(o.cells, b.holeCells, n))
            RemoveBlockQuietly(b, i);
        else if (IsKeystone(o.kind))
            Eliminate(ctx, st, i);
    }
    for (int i = 2; i <= b.blockCount; ++i)
        if (b.blocks[i].kind == '(' && !b.blocks[i].removed) b.Touch(i).kind = '[';
    if (ctx.options[kBricksCompatibility]) st.switchPending = false;
    b.TouchSet(StepJournal::kKeyholeRing).Clear();
    b.Touch(kFrameBlock).extraCells.Clear();
}

void ToggleBlockades(Context& ctx, StepState& st) {
    PlayBoard& b = ctx.board;
    const int n = b.LastRow();
    std::vector<bool> used(32768, false);
    for (int i = 2; i <= b.blockCount; ++i)
        if (b.blocks[i].id >= 2) used[static_cast<std::size_t>(b.blocks[i].id)] = true;
    const int noted = b.blockCount;
    int nextId = 2;
    RowSet converted;
    constexpr StepJournal::SetId kDerived[] = {StepJournal::kSlide,        StepJournal::kHoles,
                                               StepJournal::kDestinations, StepJournal::kWater,
                                               StepJournal::kDontCover,    StepJournal::kGlue};
    for (int i = 2; i <= noted; ++i) {
        if (b.blocks[i].kind != '(') continue;
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
            b.SetMark(cell, '<');
            if (first) {
                Block& sw = b.Touch(i);
                sw.kind = '<';
                sw.cells.Clear();
                sw.cells.Set(r, c);
                sw.anchorRow = static_cast<std::int8_t>(r);
                sw.anchorColumn = static_cast<std::int8_t>(c);
                first = false;
                return;
            }
            while (nextId < 32767 && used[static_cast<std::size_t>(nextId)]) ++nextId;
            const int index = b.AppendBlock('<', static_cast<std::int16_t>(nextId), r, c);
            b.blocks[index].cells.Set(r, c);
            ++nextId;
        });
    }
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c) {
            const int cell = CellIndex(r, c);
            if (b.marks[cell] != '<' || b.blockAt[cell] != 0 || converted.Test(r, c)) continue;
            b.SetMark(cell, '.');
            st.sideEffect = true;
            for (int i = 2; i <= noted; ++i) {
                const Block& o = b.blocks[i];
                if (o.removed || !o.cells.Test(r, c)) continue;
                b.Touch(i).kind = '(';
                b.SetMap(cell, i);
            }
        }
    }
}

void RunEffects(Context& ctx, StepState& st) {
    PlayBoard& b = ctx.board;
    const int n = b.LastRow();
    const MovingEntry e0 = b.moving[0];
    if (e0.rowDelta != 0 || e0.columnDelta != 0) {
        if (!IsHover(b.blocks[e0.block].kind)) {
            RowSet shifted{RowSet::NoInit{}};
            shifted.TranslateFrom(st.groupCells, e0.rowDelta, e0.columnDelta, n);
            RowSet vacated{RowSet::NoInit{}};
            vacated.AssignRows(st.groupCells, n);
            vacated.Remove(shifted, n);
            vacated.IntersectWith(st.pushedCells, n);
            ForEachCell(vacated, b.rows, b.columns, [&](int r, int c) {
                const Byte mark = b.MarkAt(r, c);
                if (mark == '/')
                    TrapToWall(b, st, r, c);
                else if (mark == '<')
                    st.switchPending = true;
            });
        }
        const Byte kind = b.blocks[e0.block].kind;
        if (IsAntimagnet(kind))
            Join(ctx, st, e0.block, IsAntimagnet);
        else if (IsMagnet(kind))
            Join(ctx, st, e0.block, IsMagnet);
        else if (IsEliminator(kind))
            EliminatorContact(ctx, st);
        else if (IsKeystone(kind))
            KeystoneContact(ctx, st);
        if (IsMasterKind(b.blocks[e0.block].kind)) WeakenBarriers(b, st, e0.block);
        const Block& first = b.blocks[e0.block];
        if (!IsHover(first.kind) && st.current != 0 && IsSubset(first.cells, b.holeCells, n)) {
            if (IsCover(first.kind)) {
                const RowSet under = first.cells;
                b.TouchSet(StepJournal::kHoles).Remove(under, n);
                b.TouchSet(StepJournal::kSlide).Remove(under, n);
                ForEachCell(under, b.rows, b.columns,
                            [&](int r, int c) { b.SetMark(CellIndex(r, c), '.'); });
            }
            Eliminate(ctx, st, st.current);
            ReleaseIfHeld(b, st.current);
            st.current = 0;
        }
        if (st.switchPending) ToggleBlockades(ctx, st);
    }
    if (st.boxesMoved) {
        for (std::size_t k = 1; k < b.moving.size(); ++k) {
            const int index = b.moving[k].block;
            const Block& o = b.blocks[index];
            if (IsBox(o.kind) && IsSubset(o.cells, b.holeCells, n)) {
                Eliminate(ctx, st, index);
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

void TeleportPhase(Context& ctx, StepState& st) {
    PlayBoard& b = ctx.board;
    const int n = b.LastRow();
    st.switchPending = false;
    int dr = 0, dc = 0;
    MovingEntry& e0 = b.moving[0];
    if (st.current != 0 && TeleportTest(b, st.current, dr, dc)) {
        st.groupCells.AssignRows(b.blocks[st.current].cells, n);
        st.pushedCells.AssignRows(st.groupCells, n);
        e0.rowDelta = dr;
        e0.columnDelta = dc;
        st.sideEffect = true;
    } else {
        st.groupCells.ClearRows(n);
        st.pushedCells.ClearRows(n);
        e0.rowDelta = e0.columnDelta = 0;
    }
    for (std::size_t k = 1; k < b.moving.size(); ++k) {
        MovingEntry& e = b.moving[k];
        if (!b.blocks[e.block].removed && TeleportTest(b, e.block, dr, dc)) {
            st.groupCells.UnionWith(b.blocks[e.block].cells, n);
            e.rowDelta = dr;
            e.columnDelta = dc;
            st.sideEffect = true;
        } else {
            e.rowDelta = e.columnDelta = 0;
        }
    }
    UnmapCells(b, st.groupCells);
    for (std::size_t k = st.current == 0 ? 1 : 0; k < b.moving.size(); ++k)
        MoveEntry(b, st, b.moving[k]);
    if (st.current != 0) RunEffects(ctx, st);
}

} // namespace

bool IsBlocked(Context& ctx, int block, int rowDelta, int columnDelta, bool pushed) {
    bool boxNoted = false;
    return IsBlockedImpl(ctx.board, block, rowDelta, columnDelta, pushed, boxNoted);
}

void RemoveBlockQuietly(PlayBoard& b, int block) {
    Block& blk = b.Touch(block);
    blk.removed = 1;
    blk.kind = '.';
    UnmapCells(b, blk.cells);
}

void EliminateBlock(Context& ctx, int block) {
    StepState st;
    Eliminate(ctx, st, block);
}

bool DoStep(Context& ctx, int rowDelta, int columnDelta, bool redraw, bool noEffects) {
    PlayBoard& b = ctx.board;
    StepState st;
    st.current = b.selectedBlock;
    st.rowDelta = rowDelta;
    st.columnDelta = columnDelta;
    assert(st.current >= 2 && st.current <= b.blockCount);
    for (int counter = 64;;) {
        if (b.selectedBlock == st.current) {
            b.selectedRow += rowDelta;
            b.selectedColumn += columnDelta;
        }
        st.switchPending = false;
        Gather(ctx, st);
        st.firstIteration = false;
        UnmapCells(b, st.groupCells);
        for (const MovingEntry& e : b.moving) MoveEntry(b, st, e);
        if (ctx.bricks.mode == 1) TakePushedPieces(ctx);
        if (noEffects) break;
        RunEffects(ctx, st);
        if (IsSolved(ctx)) break;
        if (b.teleporterRow >= 0) {
            TeleportPhase(ctx, st);
            if (st.current == 0 || IsSolved(ctx)) break;
        }
        if (st.current == 0) {
            if (!st.boxesMoved || IsBox(b.blocks[b.moving[0].block].kind)) break;
        } else {
            if (IsBlocked(ctx, st.current, rowDelta, columnDelta, true)) break;
            if (!st.boxesMoved && IsHover(b.blocks[st.current].kind)) break;
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
        if (IsBox(b.blocks[slider].kind) && IsBlocked(ctx, slider, rowDelta, columnDelta, true))
            break;
        st.current = slider;
        st.sideEffect = true;
        if (redraw) {
            ComputeOutlineFlags(b);
            if (ctx.repaint) ctx.repaint();
        }
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
    switch (blk.kind) {
    case '<':
    case '#':
    case '%':
    case '(':
    case 'v':
    case 'V':
    case '~':
        return false;
    case '*': {
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

bool DragSelectedBlock(Context& ctx, int column, int row, bool redraw) {
    PlayBoard& b = ctx.board;
    if (b.selectedBlock == 0 || (column == b.selectedColumn && row == b.selectedRow)) return false;
    const int held = b.selectedBlock;
    const int anchorRow = b.blocks[held].anchorRow, anchorColumn = b.blocks[held].anchorColumn;
    const int columnDelta = column < b.selectedColumn ? -1 : column > b.selectedColumn ? 1 : 0;
    if (columnDelta != 0) {
        if (IsBlocked(ctx, held, 0, columnDelta, false)) return false;
        const bool sideEffect = DoStep(ctx, 0, columnDelta, redraw, false);
        RecordStep(ctx, 0, columnDelta, held, anchorColumn, anchorRow, sideEffect);
    }
    const int rowDelta = row < b.selectedRow ? -1 : row > b.selectedRow ? 1 : 0;
    if (rowDelta != 0) {
        if (b.selectedBlock != held) return false;
        if (IsBlocked(ctx, held, rowDelta, 0, false)) return false;
        const bool sideEffect = DoStep(ctx, rowDelta, 0, redraw, false);
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
