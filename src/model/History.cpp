// The level history: recording steps, undo and redo, going to a position or a move, and the
// navigation commands built on them.
#include "model/History.h"

#include <algorithm>

#include "model/Movement.h"
#include "model/StepJournalOps.h"

namespace vorpel {

namespace {

// Past this size the journal starts again from the current position.
constexpr std::size_t kJournalLimit = 64u << 20;

bool ValidBlock(const PlayBoard& b, int block) {
    return block >= kFirstBlock && block <= b.blockCount;
}

// The rules' reading of the options; a journal made under other options is not reused.
void StartJournal(Context& ctx) {
    PlayBoard& b = ctx.board;
    b.journal.Reset(ctx.CurrentLevel().currentStep, b.blockCount,
                    ctx.options[kBricksCompatibility]);
    b.journal.recording = ctx.stepObserver == nullptr;
}

void LiteralUndo(Context& ctx, const StepRecord& r) {
    PlayBoard& b = ctx.board;
    b.journal.recording = false; // the journal no longer describes this board
    const int n = b.LastRow();
    Block& blk = b.blocks[r.block];
    blk.anchorRow = static_cast<std::int8_t>(blk.anchorRow - r.rowDelta);
    blk.anchorColumn = static_cast<std::int8_t>(blk.anchorColumn - r.columnDelta);
    ForEachCell(blk.cells, b.rows, b.columns,
                [&](int row, int c) { b.SetMap(CellIndex(row, c), 0); });
    blk.cells.Translate(-r.rowDelta, -r.columnDelta, n);
    if (MayHaveTireCells(blk.kind)) blk.extraCells.Translate(-r.rowDelta, -r.columnDelta, n);
    ForEachCell(blk.cells, b.rows, b.columns,
                [&](int row, int c) { b.SetMap(CellIndex(row, c), r.block); });
}

// The first position whose record belongs to a move after m (the end of move m from the start).
int EndOfMove(const Level& level, int m) {
    int p = 0;
    for (int move = 0; p < level.stepCount; ++p) {
        move += level.steps[p].NewMove() ? 1 : 0;
        if (move > m) break;
    }
    return p;
}

} // namespace

void SealJournal(Context& ctx, bool blocked) {
    PlayBoard& b = ctx.board;
    StepJournal& j = b.journal;
    if (!j.recording) return;
    StepJournal::Entry e{};
    e.blockEnd = static_cast<std::uint32_t>(j.blocks.size());
    e.wordEnd = static_cast<std::uint32_t>(j.words.size());
    e.mapEnd = static_cast<std::uint32_t>(j.mapCells.size());
    e.markEnd = static_cast<std::uint32_t>(j.markCells.size());
    e.setEnd = static_cast<std::uint32_t>(j.sets.size());
    e.blockCountBefore = j.openBlockCount;
    e.selectedAfter = b.selectedBlock;
    e.blocked = blocked;
    j.entries.push_back(e);
    j.openBlockCount = b.blockCount;
    ++j.stamp;
    j.setsSaved = 0;
    if (j.base + static_cast<int>(j.entries.size()) != ctx.CurrentLevel().currentStep)
        j.recording = false; // the history moved without the journal
    else if (j.Bytes() > kJournalLimit)
        StartJournal(ctx);
}

void DropJournalEntries(Context& ctx, int count) {
    StepJournal& j = ctx.board.journal;
    if (!j.recording || j.HasPending() || static_cast<int>(j.entries.size()) < count) {
        j.recording = false;
        return;
    }
    j.entries.resize(j.entries.size() - static_cast<std::size_t>(count));
    const StepJournal::Entry* last = j.entries.empty() ? nullptr : &j.entries.back();
    j.blocks.resize(last ? last->blockEnd : 0);
    j.words.resize(last ? last->wordEnd : 0);
    j.mapCells.resize(last ? last->mapEnd : 0);
    j.markCells.resize(last ? last->markEnd : 0);
    j.sets.resize(last ? last->setEnd : 0);
    j.openBlockCount = ctx.board.blockCount;
}

bool JournalReaches(const Context& ctx, int position) {
    const StepJournal& j = ctx.board.journal;
    return j.recording && !j.HasPending() &&
           j.bricksCompatibility == ctx.options[kBricksCompatibility] && position >= j.base &&
           j.base + static_cast<int>(j.entries.size()) == ctx.CurrentLevel().currentStep;
}

void RevertJournal(Context& ctx, int position) {
    PlayBoard& b = ctx.board;
    StepJournal& j = b.journal;
    while (j.base + static_cast<int>(j.entries.size()) > position) {
        const StepJournal::Entry e = j.entries.back();
        j.entries.pop_back();
        const StepJournal::Entry* prev = j.entries.empty() ? nullptr : &j.entries.back();
        JournalMark start{};
        if (prev)
            start = {prev->blockEnd, prev->wordEnd, prev->mapEnd, prev->markEnd, prev->setEnd, 0};
        start.blockCount = e.blockCountBefore;
        RevertToMark(b, start);
    }
    j.openBlockCount = b.blockCount;
    ++j.stamp;
    j.setsSaved = 0;
    // Replaying would leave the block of the last replayed step held (0 if it left the board).
    if (!j.entries.empty()) b.selectedBlock = j.entries.back().selectedAfter;
    ctx.CurrentLevel().currentStep = position;
}

void RecordStep(Context& ctx, int rowDelta, int columnDelta, int block, int column, int row,
                bool sideEffect) {
    Level& level = ctx.CurrentLevel();
    const int cur = level.currentStep;
    StepRecord rec;
    // The first record is move 1, step 1; later ones count on from the record before.
    rec.counts = StepRecord::kNewMove | StepRecord::kNewStep;
    if (cur >= 1) {
        const StepList& steps = level.steps;
        const StepRecord& last = steps[cur - 1];
        rec.counts = 0;
        bool realBefore = true;
        if (last.rowDelta == 0 && last.columnDelta == 0 && steps.StepNumber(cur - 1) == 1) {
            realBefore =
                std::any_of(steps.begin(), steps.begin() + (cur - 1),
                            [](const StepRecord& s) { return s.rowDelta || s.columnDelta; });
        }
        if (realBefore && (rowDelta != 0 || columnDelta != 0)) {
            rec.counts |= StepRecord::kNewStep;
            if (last.block != block) rec.counts |= StepRecord::kNewMove;
        }
    }
    rec.block = static_cast<std::int16_t>(block);
    rec.row = static_cast<std::uint8_t>(row);
    rec.column = static_cast<std::uint8_t>(column);
    rec.rowDelta = static_cast<std::int8_t>(rowDelta);
    rec.columnDelta = static_cast<std::int8_t>(columnDelta);
    rec.sideEffect = sideEffect ? 1 : 0;
    if (level.steps.size() <= static_cast<std::size_t>(cur))
        level.steps.resize(level.steps.size() + 20);
    level.steps.Set(static_cast<std::size_t>(cur), rec);
    level.currentStep = cur + 1;
    level.stepCount = level.currentStep;
    SealJournal(ctx, false);
}

void UndoStep(Context& ctx) {
    Level& level = ctx.CurrentLevel();
    if (level.currentStep < 1) return;
    const StepRecord r = level.steps[level.currentStep - 1];
    PlayBoard& b = ctx.board;
    const bool valid = ValidBlock(b, r.block);
    const StepJournal& j = b.journal;
    if (JournalReaches(ctx, level.currentStep - 1) && !j.entries.back().blocked) {
        RevertJournal(ctx, level.currentStep - 1);
    } else {
        if (valid)
            LiteralUndo(ctx, r);
        else
            b.journal.recording = false;
        --level.currentStep;
    }
    b.selectedBlock = valid ? r.block : 0;
}

void RedoStep(Context& ctx) {
    Level& level = ctx.CurrentLevel();
    if (level.currentStep >= level.stepCount) return;
    const StepRecord r = level.steps[level.currentStep];
    PlayBoard& b = ctx.board;
    // A record that names no live block (a damaged file) is refused like a blocked step.
    const bool valid = ValidBlock(b, r.block) && !b.blocks[r.block].removed;
    b.selectedBlock = valid ? r.block : 0;
    bool blocked = !valid;
    if (valid && (r.rowDelta != 0 || r.columnDelta != 0)) {
        if (IsBlocked(b, r.block, r.rowDelta, r.columnDelta, false))
            blocked = true;
        else
            DoStep(b, RulesOf(ctx.options, ctx.editing), r.rowDelta, r.columnDelta,
                   ctx.stepObserver);
    } else if (valid) {
        RemoveBlockQuietly(b, r.block);
    }
    ++level.currentStep;
    SealJournal(ctx, blocked);
}

void RebuildBoard(Context& ctx) {
    BuildPlayBoard(ctx.collection, ctx.board);
    StartJournal(ctx);
}

void ShowCurrentLevel(Context& ctx) {
    const int target = BuildPlayBoard(ctx.collection, ctx.board);
    StartJournal(ctx);
    GoToPosition(ctx, target);
}

void GoToPosition(Context& ctx, int position) {
    Level& level = ctx.CurrentLevel();
    if (position <= 0) {
        RebuildBoard(ctx);
        return;
    }
    if (position < level.currentStep) {
        const bool sideEffects =
            std::any_of(level.steps.begin() + position, level.steps.begin() + level.currentStep,
                        [](const StepRecord& s) { return s.sideEffect != 0; });
        if (!sideEffects) {
            while (level.currentStep > position) UndoStep(ctx);
            return;
        }
        if (JournalReaches(ctx, position) && position > ctx.board.journal.base) {
            RevertJournal(ctx, position);
            return;
        }
        RebuildBoard(ctx);
    }
    while (level.currentStep < position && level.currentStep < level.stepCount) RedoStep(ctx);
}

void GoToMove(Context& ctx, int move) {
    Level& level = ctx.CurrentLevel();
    if (move <= 0) {
        RebuildBoard(ctx);
        return;
    }
    // Numbers never fall along the history, so the records after move `move` are those from
    // its end on.
    const StepList& steps = level.steps;
    const int target = EndOfMove(level, move);
    if (level.currentStep >= 1 && move < CurrentMove(level)) {
        const bool sideEffects =
            std::any_of(steps.begin() + target, steps.begin() + level.currentStep,
                        [](const StepRecord& s) { return s.sideEffect != 0; });
        if (!sideEffects) {
            while (level.currentStep > target) UndoStep(ctx);
            return;
        }
        if (target <= level.currentStep && target > ctx.board.journal.base &&
            JournalReaches(ctx, target)) {
            RevertJournal(ctx, target);
            return;
        }
        RebuildBoard(ctx);
    }
    while (level.currentStep < target) RedoStep(ctx);
}

void ZeroMoveCount(Context& ctx) {
    Level& level = ctx.CurrentLevel();
    level.referenceStep = level.currentStep;
}

bool BlockMoveCount(const Context& ctx, int row, int column, bool anyCell, int& count) {
    const PlayBoard& b = ctx.board;
    const Level& level = ctx.CurrentLevel();
    count = 0;
    if (!b.Inside(row, column)) return false;
    const int index = b.BlockIndexAt(row, column);
    if (index == 0) return false;
    const Block& blk = b.blocks[index];
    if (!anyCell && (blk.anchorRow != row || blk.anchorColumn != column)) return false;
    if (IsBox(blk.kind)) {
        count = blk.link;
        return true;
    }
    if (level.referenceStep <= level.currentStep) {
        for (int i = std::max(level.referenceStep, 0); i < level.currentStep; ++i)
            if (level.steps[i].block == index &&
                (i == level.referenceStep || level.steps[i - 1].block != index))
                ++count;
    } else {
        const int top = std::min(level.referenceStep, level.stepCount) - 1;
        for (int i = top; i >= level.currentStep; --i)
            if (level.steps[i].block == index && (i == top || level.steps[i + 1].block != index))
                ++count;
        count = -count;
    }
    return true;
}

void MarkBlockPath(const Context& ctx, RowSet& path) {
    const PlayBoard& b = ctx.board;
    const Level& level = ctx.CurrentLevel();
    path.Clear();
    const int held = b.selectedBlock;
    if (held < kFirstBlock || held > b.blockCount) return;
    const Byte kind = b.blocks[held].kind;
    if (HasNoBlockPath(kind)) return;
    std::vector<bool> inChain(static_cast<std::size_t>(b.blockCount) + 1, false);
    const bool chained = IsMagnet(kind) || IsAntimagnet(kind);
    for (int i = held, guard = 0;
         i >= kFirstBlock && i <= b.blockCount && !inChain[i] && guard <= b.blockCount; ++guard) {
        inChain[i] = true;
        path.Set(b.blocks[i].anchorRow, b.blocks[i].anchorColumn);
        if (!chained) break;
        i = b.blocks[i].link;
    }
    for (int i = 0; i < level.stepCount; ++i) {
        const StepRecord& s = level.steps[i];
        if (s.block < kFirstBlock || s.block > b.blockCount || !inChain[s.block]) continue;
        if (b.Inside(s.row, s.column)) path.Set(s.row, s.column);
        const int r2 = s.row + s.rowDelta, c2 = s.column + s.columnDelta;
        if (b.Inside(r2, c2)) path.Set(r2, c2);
    }
}

void StepBackward(Context& ctx) {
    Level& level = ctx.CurrentLevel();
    GoToPosition(ctx, level.currentStep - 1);
    if (level.currentStep < level.stepCount) {
        const StepRecord& next = level.steps[level.currentStep];
        if ((next.rowDelta != 0 || next.columnDelta != 0) && ValidBlock(ctx.board, next.block))
            ctx.board.selectedBlock = next.block;
    }
}

void StepForward(Context& ctx) {
    GoToPosition(ctx, ctx.CurrentLevel().currentStep + 1);
}

void MoveBackward(Context& ctx, int count) {
    GoToMove(ctx, CurrentMove(ctx.CurrentLevel()) - count);
}

void MoveForward(Context& ctx, int count) {
    Level& level = ctx.CurrentLevel();
    const int move = CurrentMove(level);
    if (InMiddleOfMove(level)) {
        // Completing the current move counts as one. The board need not be rebuilt first when
        // the journal shows it matches the history.
        if (!JournalReaches(ctx, level.currentStep)) RebuildBoard(ctx);
        --count;
    }
    GoToMove(ctx, move + count);
}

void RestartLevel(Context& ctx) {
    GoToMove(ctx, 0);
}
void EndOfLevel(Context& ctx) {
    GoToMove(ctx, 1000000000);
}

bool ReplayTick(Context& ctx) {
    const Level& level = ctx.CurrentLevel();
    if (level.currentStep >= level.stepCount) return false;
    StepForward(ctx);
    return true;
}

} // namespace vorpel
