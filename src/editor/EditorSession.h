// Opening and closing the level editor on the collection, and taking in the level being played.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/Context.h"
#include "model/ViewState.h"

namespace vorpel {

// The play board as it stood when the editor opened, as "Current level" reads it back.
struct PlaySnapshot {
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::array<Byte, kCells> marks{};
    std::array<Byte, kCells> blocks{}; // display characters
    std::array<std::int16_t, kCells> ids{};
};

enum class EditorResult { kCancel = 0, kAdd = 1, kReplace = 2 };

// The solution test with records at the board's position: its message, "" when none.
using SolvedCheck = std::function<std::string(Context&)>;

// The check CloseEditor uses: the solved test compared with the stored best solution, which a
// better play replaces.
std::string SolvedWithRecords(Context& ctx);

// Saves the play board into `snapshot`, remembers the current level as levelBeforeEdit, appends
// an empty 6 by 6 level without title and makes it current; sets `editing`, clears the
// selection and builds the board.
void OpenEditor(Context& ctx, CellSelection& selected, PlaySnapshot& snapshot);

// Replace copies the edited (last) level over the remembered one; Cancel and Replace then drop
// the edited level and return to the remembered one; Add keeps the edited level, current.
// `editing` is cleared and the board rebuilt. After Add or Replace the level's history is
// replayed step by step from its position until `check` reports a message or the history ends,
// so that a solving history meets the best solution; the board is then rebuilt at position 0.
void CloseEditor(Context& ctx, CellSelection& selected, EditorResult result,
                 const SolvedCheck& check = SolvedWithRecords);

// "Current level": the level being played, at the position it had when the editor opened, becomes
// the edited level's layout with no history; at its start it is copied with its history.
void LoadPlayedLevel(Context& ctx, CellSelection& selected, const PlaySnapshot& snapshot);

// The first level of these lines, with its moves, into the edited level: the level becomes an
// empty 4 by 4 level, then takes the first level's title, cells and history, at move 0. A text
// that holds no level, or an invalid one, leaves the empty level. Returns "" or the message.
std::string ReadFirstLevel(Context& ctx, CellSelection& selected,
                           const std::vector<std::string>& lines);

} // namespace vorpel
