// Helpers of the editor tests: selections from pictures and pictures of the stored level.
#pragma once

#include <string>
#include <vector>

#include "model/Context.h"
#include "model/ViewState.h"

namespace vorpel::test {

// The play's data with the board view's selection beside it, as the editor works on them.
struct EditorContext : Context {
    CellSelection selected;
};

// Selects the cells marked '#' in the picture, one string per row, and nothing else.
inline void Select(EditorContext& ctx, const std::vector<std::string>& picture) {
    ctx.selected.cells.Clear();
    for (std::size_t r = 0; r < picture.size(); ++r)
        for (std::size_t c = 0; c < picture[r].size(); ++c)
            if (picture[r][c] == '#')
                ctx.selected.cells.Set(static_cast<int>(r), static_cast<int>(c));
}

// One line per row of the stored level: each cell's block character, or its mark where the
// block is empty.
inline std::string Stored(const Level& level) {
    std::string text;
    for (int r = 0; r < level.rows; ++r) {
        for (int c = 0; c < level.columns; ++c)
            text += static_cast<char>(level.BlockAt(r, c) != '.' ? level.BlockAt(r, c)
                                                                 : level.MarkAt(r, c));
        text += '\n';
    }
    return text;
}

// The identifiers of one row of the stored level.
inline std::vector<int> IdsOfRow(const Level& level, int r) {
    std::vector<int> ids;
    for (int c = 0; c < level.columns; ++c) ids.push_back(level.IdAt(r, c));
    return ids;
}

} // namespace vorpel::test
