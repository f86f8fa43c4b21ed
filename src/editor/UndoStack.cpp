// The editor's undo stack of whole levels.
#include "editor/UndoStack.h"

#include <algorithm>
#include <unordered_set>

namespace vorpel {

namespace {

bool SameSteps(const std::vector<StepRecord>& shared, const Level& level) {
    const auto count = static_cast<std::size_t>(std::max(level.stepCount, 0));
    return shared.size() == count && level.steps.size() >= count &&
           std::equal(shared.begin(), shared.end(), level.steps.begin());
}

// Whether two levels hold the same cells, title and position; the histories are compared apart.
bool SameLevel(const Level& a, const Level& b) {
    return a.title == b.title && a.currentStep == b.currentStep && a.stepCount == b.stepCount &&
           a.referenceStep == b.referenceStep && SameLayout(a, b);
}

} // namespace

std::shared_ptr<const std::vector<StepRecord>> UndoStack::SharedSteps(const Level& level) {
    if (!latestSteps_ || !SameSteps(*latestSteps_, level)) {
        const auto count = static_cast<std::ptrdiff_t>(std::max(level.stepCount, 0));
        latestSteps_ = std::make_shared<const std::vector<StepRecord>>(
            level.steps.begin(),
            level.steps.begin() + std::min<std::ptrdiff_t>(count, std::ssize(level.steps)));
    }
    return latestSteps_;
}

void UndoStack::Store(int at, const Level& level) {
    if (static_cast<std::size_t>(at) >= entries_.size()) entries_.resize(entries_.size() + 10);
    Entry& entry = entries_[static_cast<std::size_t>(at)];
    entry.level.currentStep = level.currentStep;
    entry.level.stepCount = level.stepCount;
    entry.level.referenceStep = level.referenceStep;
    entry.level.title = level.title;
    entry.level.blockLayer = level.blockLayer;
    entry.level.markLayer = level.markLayer;
    entry.level.idLayer = level.idLayer;
    entry.level.rows = level.rows;
    entry.level.columns = level.columns;
    // The layers only: the entry's own history stays empty, the shared one stands for it.
    entry.level.blockLayer.Compact();
    entry.level.markLayer.Compact();
    entry.level.idLayer.Compact();
    entry.steps = SharedSteps(level);
}

void UndoStack::Restore(int at, Level& level) {
    const Entry& entry = entries_[static_cast<std::size_t>(at)];
    level.currentStep = entry.level.currentStep;
    level.stepCount = entry.level.stepCount;
    level.referenceStep = entry.level.referenceStep;
    level.title = entry.level.title;
    level.blockLayer = entry.level.blockLayer;
    level.markLayer = entry.level.markLayer;
    level.idLayer = entry.level.idLayer;
    level.rows = entry.level.rows;
    level.columns = entry.level.columns;
    level.steps.assign(entry.steps->begin(), entry.steps->end());
    latestSteps_ = entry.steps;
}

void UndoStack::Push(const Level& level) {
    Store(position_, level);
    ++position_;
    top_ = position_;
}

bool UndoStack::Undo(Level& level) {
    if (position_ <= 0) return false;
    if (position_ >= top_) Store(position_, level);
    --position_;
    Restore(position_, level);
    return true;
}

bool UndoStack::Redo(Level& level) {
    if (position_ >= top_) return false;
    ++position_;
    Restore(position_, level);
    return true;
}

void UndoStack::Revert(Level& level) {
    if (Undo(level)) --top_;
}

bool UndoStack::DropIfUnchanged(const Level& level) {
    if (position_ <= 0 || position_ != top_) return false;
    const Entry& entry = entries_[static_cast<std::size_t>(position_ - 1)];
    if (!SameLevel(entry.level, level) || !SameSteps(*entry.steps, level)) return false;
    --position_;
    top_ = position_;
    return true;
}

void UndoStack::Clear() {
    entries_.clear();
    entries_.shrink_to_fit();
    position_ = top_ = 0;
    latestSteps_.reset();
}

std::size_t UndoStack::Bytes() const {
    std::size_t bytes = entries_.capacity() * sizeof(Entry);
    std::unordered_set<const void*> histories;
    for (const Entry& entry : entries_) {
        const Level& l = entry.level;
        bytes += l.blockLayer.Bytes() + l.markLayer.Bytes() + l.idLayer.Bytes() +
                 l.steps.capacity() * sizeof(StepRecord) +
                 (l.title.capacity() > 15 ? l.title.capacity() : 0);
        if (entry.steps && histories.insert(entry.steps.get()).second)
            bytes += entry.steps->capacity() * sizeof(StepRecord);
    }
    return bytes;
}

} // namespace vorpel
