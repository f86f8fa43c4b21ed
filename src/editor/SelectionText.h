// The editor's selection in the level text format, to and from the clipboard.
#pragma once

#include <string>
#include <vector>

#include "model/Context.h"
#include "model/ViewState.h"

namespace vorpel {

// The selected cells of the current level as a level text: the title line, then one board line
// per row of the selection's bounding rectangle, "...." standing for an unselected cell; labels
// are numbered among the selected blocks only. Empty when nothing is selected.
std::string SelectionText(const Context& ctx, const CellSelection& selected);

// Copy to the clipboard: the whole level with its moves when the selection is empty, otherwise
// the selected cells. The selection is left as it is. Returns "" or the error message.
std::string CopyToClipboard(Context& ctx, CellSelection& selected);

// Pastes the first level of a level text into the selection: its cells are laid from the
// selection's top left cell, row by row, and only selected cells change. Blocks kept from before
// are renumbered compactly and the pasted ones take identifiers above them; magnets are not
// joined. A text with an invalid mark or block changes nothing. Returns "" or the error message.
std::string PasteIntoSelection(Context& ctx, CellSelection& selected,
                               const std::vector<std::string>& lines);

// PasteIntoSelection with the clipboard's text.
std::string PasteClipboardIntoSelection(Context& ctx, CellSelection& selected);

} // namespace vorpel
