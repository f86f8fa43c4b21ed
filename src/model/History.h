// The level history: recording steps, undo and redo, going to a position or a move, and the
// navigation commands built on them.
#pragma once

#include "model/Context.h"

namespace vorpel {

void RecordStep(Context& ctx, int rowDelta, int columnDelta, int block, int column, int row,
                bool sideEffect);
void UndoStep(Context& ctx);
void RedoStep(Context& ctx);
void GoToPosition(Context& ctx, int position);
void GoToMove(Context& ctx, int move);
void ZeroMoveCount(Context& ctx);
// Moves of the block in a cell since the reference position (a box's push count); false for
// "none".
bool BlockMoveCount(const Context& ctx, int row, int column, bool anyCell, int& count);
// Sets `path` to the cells the held block (with its magnet chain) stands on and has crossed
// in the history; empty when no block with a path is held.
void MarkBlockPath(const Context& ctx, RowSet& path);
// Rebuilds the board at position 0 of the current level's history.
void RebuildBoard(Context& ctx);
// Builds the board for the current level and replays its history to where it was.
void ShowCurrentLevel(Context& ctx);

// Main-window navigation commands.
void StepBackward(Context& ctx);
void StepForward(Context& ctx);
void MoveBackward(Context& ctx, int count);
void MoveForward(Context& ctx, int count);
void RestartLevel(Context& ctx);
void EndOfLevel(Context& ctx);
// One tick of automatic replay; false when the replay has reached the end of the history.
bool ReplayTick(Context& ctx);

} // namespace vorpel
