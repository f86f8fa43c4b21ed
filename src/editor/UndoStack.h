// The editor's undo stack of whole levels, whose copies share one history while it is unchanged.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "model/Level.h"

namespace vorpel {

// Positions follow the editor's rules: Push stores at `position` and makes it the top; Undo
// first stores the current level when it stands at the top, so that Redo can come back to it.
// Each entry keeps its level without the history and a shared, immutable copy of the history
// that the next entries reuse while it stays the same: a title typed letter by letter costs a
// level's cells per letter, never its history again.
class UndoStack {
public:
    // PushUndo: stores `level` at the position, which moves on and becomes the top.
    void Push(const Level& level);
    // Brings back the level before; false, leaving `level` alone, at the bottom.
    bool Undo(Level& level);
    // Brings back the level after; false at the top.
    bool Redo(Level& level);
    // Takes back a change that did not happen: Undo, then the top comes down by one so that the
    // failed state cannot be redone.
    void Revert(Level& level);
    // Drops the entry just pushed when `level` still equals it (a command that changed
    // nothing), so that Undo never steps through a state twice. True when it was dropped.
    bool DropIfUnchanged(const Level& level);
    void Clear();

    int Position() const { return position_; }
    int Top() const { return top_; }
    // Memory held by the entries and the histories they share.
    std::size_t Bytes() const;

private:
    struct Entry {
        Level level; // its history is left empty
        std::shared_ptr<const std::vector<StepRecord>> steps;
    };
    void Store(int at, const Level& level);
    void Restore(int at, Level& level);
    std::shared_ptr<const std::vector<StepRecord>> SharedSteps(const Level& level);

    std::vector<Entry> entries_;
    int position_ = 0;
    int top_ = 0;
    // The history of the latest entry stored or restored, reused while the level's is equal.
    std::shared_ptr<const std::vector<StepRecord>> latestSteps_;
};

} // namespace vorpel
