// Moves as text: the move lines after a level's board, and single move texts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Context.h"

namespace vorpel {

// The direction letter of a step's displacement ("x" for an elimination, "?" for none).
char DirectionLetter(int rowDelta, int columnDelta);

// Appends one line per move of the level's whole recorded history, each ending with CR LF.
void WriteMoveLines(const Level& level, std::string& out);
// The moves of the first `count` records as one text: "row,column:letters" per move, separated
// by blanks (no move numbers), which ReadMoveLines reads as one line.
std::string CompactMoves(const Level& level, int count);

// Comment lines among the move lines: a blank, then (after any further blanks) ";". The move
// reader passes them over; a snapshot line is one that begins with kSnapshotPrefix, then the
// name in double quotes, then (after a blank) the snapshot's moves as CompactMoves writes them.
inline constexpr const char* kSnapshotPrefix = " ;snapshot ";
bool IsCommentLine(std::string_view line);
// A name as a snapshot line keeps it: double quotes and line breaks become blanks.
std::string SnapshotName(std::string name);
// The line of a snapshot, ending with CR LF; double quotes and line breaks of the name become
// blanks.
std::string SnapshotLine(const Snapshot& snapshot);
// The snapshot of a snapshot line; none for another line.
std::optional<Snapshot> ReadSnapshotLine(std::string_view line);

// Carries out the moves of the move lines from `index` on the play board of the current level,
// which the caller has built, recording every step; snapshot lines among them are added to the
// level's snapshots and other comment lines passed over. Leaves `index` on the first line that is
// not a move line, also after an error. Returns "" or the message of the first error; the steps
// made before it stay made.
std::string ReadMoveLines(Context& ctx, const std::vector<std::string>& lines, std::size_t& index);

// Carries out the one move of `text` on the play board. With `relative` set, the cell it names is
// counted from (originRow, originColumn). A text that ends before its move has a step is
// malformed. Returns "" or "Error at move <text>.\r\n" and the message; the steps made before the
// failure stay made.
std::string ApplyMoveText(Context& ctx, const std::string& text, bool relative, int originRow,
                          int originColumn);

} // namespace vorpel
