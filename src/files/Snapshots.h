// Snapshots: named positions of a level, kept with it in the level text and the resume file.
#pragma once

#include <functional>
#include <string>

#include "model/Context.h"

namespace vorpel {

// Keeps the current position of the current level under `name`, replacing a snapshot of the
// same name (the name's double quotes and line breaks become blanks, as the level text keeps
// them).
void SaveSnapshot(Context& ctx, const std::string& name);

// Whether `level` keeps a snapshot named `name`.
bool HasSnapshot(const Level& level, const std::string& name);

// The name a new snapshot of `level` is offered: "Snapshot N", the first N from the count of its
// snapshots + 1 that no snapshot has.
std::string FreeSnapshotName(const Level& level);

// Goes to the current level's snapshot `index`. When its moves begin the level's history, the
// history stays whole and only the position changes; otherwise the history becomes the
// snapshot's moves; when that drops steps of the old history, `confirmDrop` (if given) is asked
// first, and false leaves the level as it was. Returns "" or the move error (the level then
// stays as it was).
std::string RestoreSnapshot(Context& ctx, std::size_t index,
                            const std::function<bool()>& confirmDrop = {});

} // namespace vorpel
