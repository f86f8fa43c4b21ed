// The editor's selection commands and the helpers its operations share.
#include "editor/EditorCells.h"

#include <vector>

#include "editor/EditorOps.h"
#include "model/History.h"

namespace vorpel {

namespace editor {

RowSet SelectionInLevel(const Context& ctx, const CellSelection& selected) {
    const Level& level = ctx.CurrentLevel();
    RowSet s = selected.cells;
    for (int r = 0; r < kMaxRows; ++r) s.row[r] &= r < level.rows ? FullRow(level.columns) : 0;
    return s;
}

void FinishEdit(Context& ctx, CellSelection& selected, bool changed) {
    // A command that changed nothing keeps the history, and the selection for another try.
    if (!changed) return;
    ctx.CurrentLevel().ClearHistory();
    SaveAndClearSelection(ctx, selected);
    ShowCurrentLevel(ctx);
}

std::int16_t UnusedIdentifier(const Level& level, int first) {
    std::vector<bool> used(32768, false);
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c)
            if (const std::int16_t id = level.IdAt(r, c); id > 0)
                used[static_cast<std::size_t>(id)] = true;
    int id = first;
    while (id < 32767 && used[static_cast<std::size_t>(id)]) ++id;
    return static_cast<std::int16_t>(id);
}

} // namespace editor

void SaveAndClearSelection(Context& ctx, CellSelection& selected) {
    const RowSet s = editor::SelectionInLevel(ctx, selected);
    if (!s.IsEmpty(kMaxRows - 1)) selected.saved = s;
    selected.cells.Clear();
}

void RestoreSelection(CellSelection& selected) {
    selected.cells = selected.saved;
}

void SelectNothing(Context& ctx, CellSelection& selected) {
    SaveAndClearSelection(ctx, selected);
}

void InvertTheSelection(Context& ctx, CellSelection& selected) {
    const Level& level = ctx.CurrentLevel();
    RowSet s = editor::SelectionInLevel(ctx, selected);
    if (!s.IsEmpty(kMaxRows - 1)) selected.saved = s;
    InvertSelection(s, level.rows, level.columns);
    selected.cells = s;
}

} // namespace vorpel
