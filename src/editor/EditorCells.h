// Cell access and the common ending of the editor operations, shared by their source files.
#pragma once

#include <cstdint>

#include "model/Context.h"
#include "model/ViewState.h"

namespace vorpel::editor {

// What moves together when the editor moves a cell.
struct CellContent {
    Byte block = '.';
    Byte mark = '.';
    std::int16_t id = 0;
    bool operator==(const CellContent&) const = default;
};

inline CellContent Get(const Level& level, int r, int c) {
    return {level.BlockAt(r, c), level.MarkAt(r, c), level.IdAt(r, c)};
}

inline void Put(Level& level, int r, int c, const CellContent& cell) {
    level.blockLayer.Set(r, c, cell.block);
    level.markLayer.Set(r, c, cell.mark);
    level.idLayer.Set(r, c, cell.id);
}

// The kind a block is built under: tire and weak barrier cells belong with their base kind.
constexpr Byte BaseKind(Byte k) {
    return k == 'x' ? '[' : k == 'X' ? '@' : k == '!' ? '*' : k;
}

// A block is its base kind and identifier: cells of another kind with the same identifier are
// another block.
constexpr std::uint32_t BlockKey(Byte kind, std::int16_t id) {
    return std::uint32_t{BaseKind(kind)} << 16 | static_cast<std::uint16_t>(id);
}

// The selection cut to the current level's size.
RowSet SelectionInLevel(const Context& ctx, const CellSelection& selected);

// A changed level loses its history, its selection is saved and cleared, and the board is
// rebuilt from it; an unchanged one keeps all three.
void FinishEdit(Context& ctx, CellSelection& selected, bool changed);

// The smallest identifier from `first` up that no cell of the level carries.
std::int16_t UnusedIdentifier(const Level& level, int first);

} // namespace vorpel::editor
