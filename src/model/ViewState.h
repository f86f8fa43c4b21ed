// What the board view keeps beside the play: the selected cells and the outline bits its
// drawing traces block edges with. The view owns them, and the step journal never restores them.
#pragma once

#include "model/BoardOutline.h"
#include "model/RowSet.h"

namespace vorpel {

// The editor's cell selection (in play, the held block's path is shown through it) and the one
// put away by the last edit.
struct CellSelection {
    RowSet cells;
    RowSet saved;
};

struct ViewState {
    CellSelection selection;
    BoardOutline outline; // recomputed from the board before each drawing
};

} // namespace vorpel
