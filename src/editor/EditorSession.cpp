// The editor's level on the collection: opening, closing, and the level being played.
#include "editor/EditorSession.h"

#include <algorithm>

#include "editor/EditorOps.h"
#include "files/Celebration.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/MoveText.h"
#include "model/History.h"

namespace vorpel {

std::string SolvedWithRecords(Context& ctx) {
    std::string message;
    SolvedNumbers numbers;
    CheckSolvedWithRecords(ctx, false, message, numbers);
    return message;
}

void OpenEditor(Context& ctx, CellSelection& selected, PlaySnapshot& snapshot) {
    const PlayBoard& b = ctx.board;
    snapshot.rows = b.rows;
    snapshot.columns = b.columns;
    for (int r = 0; r < b.rows; ++r)
        for (int c = 0; c < b.columns; ++c) {
            const int cell = CellIndex(r, c);
            const int index = b.BlockIndexAt(r, c);
            snapshot.marks[cell] = b.MarkAt(r, c);
            snapshot.blocks[cell] = DisplayCharOfBlock(b, index, r, c);
            snapshot.ids[cell] = index == 0 ? std::int16_t{0} : b.blocks[index].id;
        }
    LevelCollection& collection = ctx.collection;
    collection.levelBeforeEdit = collection.currentLevel;
    collection.NewLevel("", 6, 6, true);
    collection.currentLevel = collection.lastLevel();
    ctx.editing = true;
    selected.cells.Clear();
    RebuildBoard(ctx);
}

void CloseEditor(Context& ctx, CellSelection& selected, EditorResult result,
                 const SolvedCheck& check) {
    LevelCollection& collection = ctx.collection;
    const int edited = collection.lastLevel();
    const int before = std::clamp(collection.levelBeforeEdit, 0, edited);
    // The remembered level is never the edited one, so it is never dropped with it.
    if (result != EditorResult::kAdd && before < edited) {
        if (result == EditorResult::kReplace) collection.CopyLevel(before, edited);
        collection.RemoveLastLevel();
        collection.currentLevel = before;
    } else {
        collection.currentLevel = edited;
    }
    ctx.editing = false;
    selected.cells.Clear();
    ShowCurrentLevel(ctx);
    if (result == EditorResult::kCancel) return;
    const Level& level = ctx.CurrentLevel();
    while (level.currentStep < level.stepCount) {
        StepForward(ctx);
        if (check && !check(ctx).empty()) break;
    }
    RebuildBoard(ctx);
}

void LoadPlayedLevel(Context& ctx, CellSelection& selected, const PlaySnapshot& snapshot) {
    LevelCollection& collection = ctx.collection;
    const int played = collection.levelBeforeEdit;
    if (played < 0 || played > collection.lastLevel() || played == collection.currentLevel) return;
    const Level& source = collection.levels[played];
    if (source.currentStep > 0) {
        Level& level = ctx.CurrentLevel();
        level.Initialise(source.title, snapshot.rows, snapshot.columns);
        for (int r = 0; r < snapshot.rows; ++r)
            for (int c = 0; c < snapshot.columns; ++c) {
                const int cell = CellIndex(r, c);
                level.markLayer.Set(r, c, snapshot.marks[cell]);
                level.blockLayer.Set(r, c, snapshot.blocks[cell]);
                level.idLayer.Set(r, c, snapshot.ids[cell]);
            }
    } else {
        collection.CopyLevel(collection.currentLevel, played);
    }
    SaveAndClearSelection(ctx, selected);
    ShowCurrentLevel(ctx);
}

std::string ReadFirstLevel(Context& ctx, CellSelection& selected,
                           const std::vector<std::string>& lines) {
    Level& level = ctx.CurrentLevel();
    level.Initialise("", 4, 4);
    std::string error;
    if (lines.empty()) {
        error = kNoLevelFound;
    } else {
        std::size_t index = 0;
        error = ReadLevelText(ctx, lines, index, IsQuotedText(lines));
        if (error.empty()) {
            RebuildBoard(ctx);
            error = ReadMoveLines(ctx, lines, index);
            GoToMove(ctx, 0);
        } else {
            level.Initialise("", 4, 4);
        }
    }
    level.Compact();
    selected.cells.Clear();
    ShowCurrentLevel(ctx);
    return error;
}

} // namespace vorpel
