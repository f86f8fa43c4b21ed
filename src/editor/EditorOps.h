// The level editor's operations on the current level through the selection.
#pragma once

#include "model/Context.h"
#include "model/ViewState.h"

namespace vorpel {

// Every operation that changes the level empties its history, saves a non-empty selection as
// the saved selection, clears the selection and rebuilds the play board. One whose selection is
// empty changes nothing, and a refused transform shows its message and changes nothing either.

// --- Blocks and marks on the selection --------------------------------------------------

// Every selected cell gets `kind`. A kind that takes an identifier keeps the one identifier of
// the selected cells when no unselected cell carries it, and otherwise gets the smallest unused
// identifier from 2. With ctx.options.joinBarriers or joinMagnets, barriers, magnets or
// antimagnets next to the selection join the new block (a master magnet makes it master).
void SetBlockKind(Context& ctx, CellSelection& selected, Byte kind);
// Every selected cell gets `mark` (a blank stands for ".").
void SetMark(Context& ctx, CellSelection& selected, Byte mark);
void EraseBlocksAndMarks(Context& ctx, CellSelection& selected);
// The whole blocks with a selected cell take their master or nonmaster kinds.
void ConvertToMaster(Context& ctx, CellSelection& selected);
void ConvertToNonmaster(Context& ctx, CellSelection& selected);
// Selected normal and master cells become tire cells.
void ConvertToTire(Context& ctx, CellSelection& selected);
// The selection becomes one alphanumeric block of `character` (a fresh positive identifier for a
// character outside the table). A selection mixing kinds is forced to one kind.
void ConvertToAlphanumeric(Context& ctx, CellSelection& selected, Byte character);

// --- Transforms ----------------------------------------------------------------------------

// Each returns false, after showing its message, when the selection does not allow it.
// An empty or full selection turns the whole level, swapping its size; vertical and horizontal
// blocks change orientation.
bool Rotate90(Context& ctx, CellSelection& selected, bool clockwise);
bool Rotate180(Context& ctx, CellSelection& selected);
bool ReverseVertically(Context& ctx, CellSelection& selected);
bool ReverseHorizontally(Context& ctx, CellSelection& selected);

enum class CellShift {
    kInsertExpandingColumns, // each column's cells from a selected one move down
    kInsertExpandingRows,    // each row's cells from a selected one move right
    kDeleteCompactingColumns,
    kDeleteCompactingRows,
};
// The level keeps its size: cells pushed past the edge are lost, vacated cells are empty.
void ShiftCells(Context& ctx, CellSelection& selected, CellShift shift);

// Drops empty outer rows and columns, never below 2 of each.
void DeleteEmptyBorders(Context& ctx, CellSelection& selected);
// Adds an empty row or column on each side, never beyond 64 of each.
void AddEmptyBorders(Context& ctx, CellSelection& selected);

// --- The selection ------------------------------------------------------------------------

void RestoreSelection(CellSelection& selected);
// Both save a non-empty selection first.
void SelectNothing(Context& ctx, CellSelection& selected);
void InvertTheSelection(Context& ctx, CellSelection& selected);
// Saves a non-empty selection as the saved selection and clears it.
void SaveAndClearSelection(Context& ctx, CellSelection& selected);

} // namespace vorpel
