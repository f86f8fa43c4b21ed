// The editor's selection commands and the helpers its operations share.
#include "editor/EditorCells.h"

#include <vector>

#include "editor/EditorOps.h"
#include "model/History.h"

namespace vorpel {

namespace editor {

RowSet SelectionInLevel(const Context& ctx) {
    const Level& level = ctx.CurrentLevel();
    RowSet s = ctx.selection;
    for (int r = 0; r < kMaxRows; ++r) s.row[r] &= r < level.rows ? FullRow(level.columns) : 0;
    return s;
}

void FinishEdit(Context& ctx, bool changed) {
    // A command that changed nothing keeps the history, and the selection for another try.
    if (!changed) return;
    ctx.CurrentLevel().ClearHistory();
    SaveAndClearSelection(ctx);
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

void SaveAndClearSelection(Context& ctx) {
    const RowSet s = editor::SelectionInLevel(ctx);
    if (!s.IsEmpty(kMaxRows - 1)) ctx.savedSelection = s;
    ctx.selection.Clear();
}

void RestoreSelection(Context& ctx) {
    ctx.selection = ctx.savedSelection;
}

void SelectNothing(Context& ctx) {
    SaveAndClearSelection(ctx);
}

void InvertTheSelection(Context& ctx) {
    const Level& level = ctx.CurrentLevel();
    RowSet s = editor::SelectionInLevel(ctx);
    if (!s.IsEmpty(kMaxRows - 1)) ctx.savedSelection = s;
    InvertSelection(s, level.rows, level.columns);
    ctx.selection = s;
}

} // namespace vorpel
