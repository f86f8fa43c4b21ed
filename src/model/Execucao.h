// The rules: taking hold of blocks, stepping them with every effect, the solved test, and the
// level history with its navigation commands.
#pragma once

#include <string>

#include "model/Context.h"

namespace vorpel {

// --- Movement ---------------------------------------------------------------------------

// Takes hold of the block at a cell, or removes a wholly weak barrier (returns true then).
bool SelectBlock(Context& ctx, int column, int row);
// Moves the held block one cell toward (column, row) along each axis that differs and records
// the steps; true when every needed step was made.
bool DragSelectedBlock(Context& ctx, int column, int row, bool redraw);
// Whether `block` cannot step by (rowDelta, columnDelta); `pushed` allows a box to move.
bool IsBlocked(Context& ctx, int block, int rowDelta, int columnDelta, bool pushed);
// Steps the held block, already tested with IsBlocked; returns the side-effect flag.
bool DoStep(Context& ctx, int rowDelta, int columnDelta, bool redraw, bool noEffects);
// Takes a block off the board with the effects of its marks (traps close, switches toggle).
void EliminateBlock(Context& ctx, int block);
// Takes a block off the board without looking at marks.
void RemoveBlockQuietly(PlayBoard& board, int block);

// --- Solved test ------------------------------------------------------------------------

inline constexpr const char* kSolvedMessage =
    "\r\n Congratulations! \r\n You solved the level! \r\n";
// True when solved; `message` gets the solved text unless quiet.
bool CheckSolved(const Context& ctx, bool quiet, std::string& message);
bool IsSolved(const Context& ctx);
// The same test made cell by cell, without the quick paths (the reference for them).
bool IsSolvedByCells(const Context& ctx);

// --- History ----------------------------------------------------------------------------

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
void MarkBlockPath(Context& ctx);
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
