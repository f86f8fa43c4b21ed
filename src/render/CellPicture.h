// One cell's picture: its kind's colours, pattern and bevel, and the mark drawn over it.
#pragma once

#include <cstdint>

#include "render/DrawingPrimitives.h"

namespace vorpel {

// The cell's block kind (or floor) with its edges from the outline bits `flags`, in two steps:
// the kind's layer (its colour and pattern, moved aside for annotations where `annotated`; a
// round block whole), then its bevel. The layer covers the whole cell and draws nothing outside.
void DrawKindLayer(const Pen& pen, std::uint8_t kind, std::uint8_t flags, bool annotated);
void DrawKindEdges(const Pen& pen, std::uint8_t kind, std::uint8_t flags);

// Whether a kind's layer is worth keeping as a picture (a pattern or a round block, not a plain
// fill), and in `edgeMask` the outline bits that the layer depends on.
bool KeepsKindLayer(std::uint8_t kind, std::uint8_t& edgeMask);

// Whether a mark draws the same pixels over every kind, all inside the cell, in colours below
// 128 (squares, the triangle, round marks; not letters, whose colour follows the kind).
bool IsStampMark(std::uint8_t mark);

// Whether a mark character draws anything.
bool DrawsMark(std::uint8_t mark);

// A mark over the cell, its letters from the strip, dark or light after the kind below.
void DrawMark(const Pen& pen, const GlyphStrip& strip, const BoardPalette& palette,
              std::uint8_t mark, std::uint8_t kind);

// A Sokoban goal under a box or the player, or on the floor of a cell too small for the mark:
// a square in the middle of the cell that shows at every cell size, yellow under a box (which is
// red), red (the goal's colour) otherwise.
void DrawSokobanGoal(const Pen& pen, std::uint8_t kind);
// The cell sizes below which the destination mark draws too little on the floor.
inline constexpr int kSmallGoalCell = 10;

} // namespace vorpel
