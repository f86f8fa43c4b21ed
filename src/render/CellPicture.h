// One cell's picture: its kind's colours, pattern and bevel, and the mark drawn over it.
#pragma once

#include <cstdint>

#include "render/DrawingPrimitives.h"

namespace vorpel {

// The cell's block kind (or floor) with its edges from the outline bits `flags`; `annotated`
// moves bars and keys aside for the annotation.
void DrawUpperLayer(const Pen& pen, std::uint8_t kind, std::uint8_t flags, bool annotated);

// Whether a mark character draws anything.
bool DrawsMark(std::uint8_t mark);

// A mark over the cell, its letters from the strip, dark or light after the kind below.
void DrawMark(const Pen& pen, const GlyphStrip& strip, const BoardPalette& palette,
              std::uint8_t mark, std::uint8_t kind);

} // namespace vorpel
