// Speed of the editor's operations on a crowded 64 × 64 level, each with the repaint at cell
// size 32 that follows it, and of the undo stack, with the memory 1,000 undo entries hold.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchKit.h"
#include "editor/EditorOps.h"
#include "editor/EditorSession.h"
#include "editor/SelectionText.h"
#include "editor/UndoStack.h"
#include "files/LevelText.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"
#include "render/BoardDrawing.h"

namespace vorpel {
namespace {

struct Bench {
    Context ctx;
    ViewState view;
    Level original;
    PlaySnapshot snapshot;
    std::unique_ptr<BoardCanvas> canvas = std::make_unique<BoardCanvas>();
    std::string clipboard;

    bool Load() {
        const std::vector<std::string> lines = SplitLines(bench::CrowdedText());
        std::size_t index = 0;
        if (!ReadLevelText(ctx, lines, index, true).empty()) return false;
        RebuildBoard(ctx);
        original = ctx.CurrentLevel();
        // "Current level" reads the played level: the crowded one, remembered before an edit.
        OpenEditor(ctx, view.selection, snapshot);
        ctx.collection.CopyLevel(ctx.collection.currentLevel, 0);
        ctx.editing = true;
        Repaint();
        return true;
    }
    // A square in the middle, symmetric every way.
    void SelectMiddle() {
        view.selection.cells.Clear();
        for (int r = 8; r < 56; ++r)
            for (int c = 8; c < 56; ++c) view.selection.cells.Set(r, c);
    }
    void Reset(bool select) {
        ctx.CurrentLevel() = original;
        RebuildBoard(ctx);
        if (select) SelectMiddle();
        view.selection.saved = view.selection.cells;
        if (!select) view.selection.cells.Clear();
    }
    void Repaint() {
        ComputeOutlineFlags(ctx.board, view.outline);
        DrawBoard(ctx, view, {32, false}, *canvas);
        benchmark::DoNotOptimize(canvas->pixels.data());
        benchmark::ClobberMemory();
    }
};

struct Operation {
    const char* name;
    bool select;
    std::function<void(Bench&)> run;
};

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {"Repaint", true, [](Bench&) {}},
        {"SetKindNormal", true, [](Bench& b) { SetBlockKind(b.ctx, b.view.selection, '['); }},
        {"SetKindBarrierJoined", true,
         [](Bench& b) { SetBlockKind(b.ctx, b.view.selection, '*'); }},
        {"SetKindMagnetJoined", true, [](Bench& b) { SetBlockKind(b.ctx, b.view.selection, '{'); }},
        {"SetMark", true, [](Bench& b) { SetMark(b.ctx, b.view.selection, '+'); }},
        {"EraseBlocksAndMarks", true,
         [](Bench& b) { EraseBlocksAndMarks(b.ctx, b.view.selection); }},
        {"ConvertToMaster", true, [](Bench& b) { ConvertToMaster(b.ctx, b.view.selection); }},
        {"ConvertToNonmaster", true, [](Bench& b) { ConvertToNonmaster(b.ctx, b.view.selection); }},
        {"ConvertToTire", true, [](Bench& b) { ConvertToTire(b.ctx, b.view.selection); }},
        {"ConvertToAlphanumeric", true,
         [](Bench& b) { ConvertToAlphanumeric(b.ctx, b.view.selection, 'Q'); }},
        {"RotateLevelClockwise", false, [](Bench& b) { Rotate90(b.ctx, b.view.selection, true); }},
        {"RotateSelectionCounterclockwise", true,
         [](Bench& b) { Rotate90(b.ctx, b.view.selection, false); }},
        {"Rotate180", true, [](Bench& b) { Rotate180(b.ctx, b.view.selection); }},
        {"ReverseVertically", true, [](Bench& b) { ReverseVertically(b.ctx, b.view.selection); }},
        {"ReverseHorizontally", true,
         [](Bench& b) { ReverseHorizontally(b.ctx, b.view.selection); }},
        {"InsertExpandingColumns", true,
         [](Bench& b) { ShiftCells(b.ctx, b.view.selection, CellShift::kInsertExpandingColumns); }},
        {"InsertExpandingRows", true,
         [](Bench& b) { ShiftCells(b.ctx, b.view.selection, CellShift::kInsertExpandingRows); }},
        {"DeleteCompactingColumns", true,
         [](Bench& b) {
             ShiftCells(b.ctx, b.view.selection, CellShift::kDeleteCompactingColumns);
         }},
        {"DeleteCompactingRows", true,
         [](Bench& b) { ShiftCells(b.ctx, b.view.selection, CellShift::kDeleteCompactingRows); }},
        {"DeleteEmptyBorders", false,
         [](Bench& b) { DeleteEmptyBorders(b.ctx, b.view.selection); }},
        {"AddEmptyBordersFullSize", false,
         [](Bench& b) { AddEmptyBorders(b.ctx, b.view.selection); }},
        {"RestoreSelection", false, [](Bench& b) { RestoreSelection(b.view.selection); }},
        {"SelectNothing", true, [](Bench& b) { SelectNothing(b.ctx, b.view.selection); }},
        {"InvertSelection", true, [](Bench& b) { InvertTheSelection(b.ctx, b.view.selection); }},
        {"CurrentLevel", false,
         [](Bench& b) { LoadPlayedLevel(b.ctx, b.view.selection, b.snapshot); }},
        {"CopySelection", true,
         [](Bench& b) { benchmark::DoNotOptimize(CopyToClipboard(b.ctx, b.view.selection)); }},
        {"CopyLevel", false,
         [](Bench& b) { benchmark::DoNotOptimize(CopyToClipboard(b.ctx, b.view.selection)); }},
        {"PasteIntoSelection", true,
         [](Bench& b) { PasteIntoSelection(b.ctx, b.view.selection, SplitLines(b.clipboard)); }},
        {"PasteLevel", false,
         [](Bench& b) { ReadFirstLevel(b.ctx, b.view.selection, SplitLines(b.clipboard)); }},
    };
    return operations;
}

void BM_EditorOperation(benchmark::State& state) {
    const Operation& operation = Operations()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(operation.name);
    Bench b;
    if (!b.Load()) {
        state.SkipWithError("level not read");
        return;
    }
    b.clipboard = LevelTextOf(b.original);
    for (auto _ : state) {
        state.PauseTiming();
        b.Reset(operation.select);
        state.ResumeTiming();
        operation.run(b);
        b.Repaint();
    }
}
BENCHMARK(BM_EditorOperation)
    ->DenseRange(0, 28)
    ->ArgName("operation")
    ->Unit(benchmark::kMillisecond);

Level LevelWithHistory(int steps) {
    Level level;
    const std::vector<std::string> lines = SplitLines(bench::CrowdedText());
    Context ctx;
    std::size_t index = 0;
    ReadLevelText(ctx, lines, index, true);
    level = ctx.CurrentLevel();
    level.steps.clear();
    for (int i = 0; i < steps; ++i) {
        StepRecord s;
        s.counts = StepRecord::kNewStep | (i % 4 == 0 ? StepRecord::kNewMove : 0);
        s.block = static_cast<std::int16_t>(2 + i % 100);
        s.columnDelta = 1;
        level.steps.push_back(s);
    }
    level.stepCount = level.currentStep = steps;
    return level;
}

// Undo and Redo of a whole 64 × 64 level with a history of 100,000 steps, without the repaint.
void BM_UndoRedo(benchmark::State& state) {
    Level level = LevelWithHistory(100000);
    UndoStack stack;
    for (int i = 0; i < 20; ++i) {
        stack.Push(level);
        level.title += 'x';
        level.blockLayer.Set(i, 0, '#');
    }
    const bool redo = state.range(0) != 0;
    if (redo) stack.Undo(level);
    for (auto _ : state) {
        if (redo) {
            stack.Redo(level);
            state.PauseTiming();
            stack.Undo(level);
            state.ResumeTiming();
        } else {
            stack.Undo(level);
            state.PauseTiming();
            stack.Redo(level);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(level.steps.begin());
    }
}
BENCHMARK(BM_UndoRedo)->Arg(0)->Arg(1)->ArgName("redo")->Unit(benchmark::kMicrosecond);

// PushUndo of that level, as each keystroke in the title field makes.
void BM_PushUndo(benchmark::State& state) {
    Level level = LevelWithHistory(100000);
    UndoStack stack;
    for (auto _ : state) {
        stack.Push(level);
        level.title += 'x';
        if (stack.Position() >= 1000) {
            state.PauseTiming();
            stack.Clear();
            level.title.clear();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_PushUndo)->Unit(benchmark::kMicrosecond);

// 1,000 entries of that level, one per typed title character: the memory they hold.
void BM_UndoMemory(benchmark::State& state) {
    Level level = LevelWithHistory(100000);
    for (auto _ : state) {
        const std::size_t heapBefore = mallinfo2().uordblks;
        UndoStack stack;
        for (int i = 0; i < 1000; ++i) {
            stack.Push(level);
            level.title += 'x';
        }
        state.counters["MB"] = static_cast<double>(stack.Bytes()) / (1 << 20);
        state.counters["heapMB"] =
            static_cast<double>(mallinfo2().uordblks - heapBefore) / (1 << 20);
        level.title.clear();
    }
}
BENCHMARK(BM_UndoMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vorpel
