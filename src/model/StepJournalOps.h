// Sealing, dropping and reverting the step journal; used by the engine and the history.
#pragma once

#include "model/Context.h"

namespace vorpel {

// Closes the open journal entry as the step that took the history to `currentStep`.
void SealJournal(Context& ctx, bool blocked);
// Forgets the last `count` entries, whose steps left the board as it was before them.
void DropJournalEntries(Context& ctx, int count);
// Whether the journal can bring the board back to history position `position`.
bool JournalReaches(const Context& ctx, int position);
// Restores the board of history position `position`, which JournalReaches allowed.
void RevertJournal(Context& ctx, int position);

} // namespace vorpel
