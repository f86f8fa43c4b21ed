// Saving a position under a name and going back to it through the move reader.
#include "files/Snapshots.h"

#include <algorithm>
#include <vector>

#include "files/MoveText.h"
#include "model/History.h"

namespace vorpel {

namespace {

template <class Snapshots> auto Named(Snapshots& snapshots, const std::string& name) {
    return std::find_if(snapshots.begin(), snapshots.end(),
                        [&](const Snapshot& s) { return s.name == name; });
}

} // namespace

bool HasSnapshot(const Level& level, const std::string& name) {
    return Named(level.snapshots, name) != level.snapshots.end();
}

std::string FreeSnapshotName(const Level& level) {
    for (std::size_t n = level.snapshots.size() + 1;; ++n)
        if (std::string name = "Snapshot " + std::to_string(n); !HasSnapshot(level, name))
            return name;
}

void SaveSnapshot(Context& ctx, const std::string& name) {
    Level& level = ctx.CurrentLevel();
    const std::string kept = SnapshotName(name);
    Snapshot snapshot{kept, CompactMoves(level, level.currentStep)};
    const auto same = Named(level.snapshots, kept);
    if (same != level.snapshots.end())
        *same = std::move(snapshot);
    else
        level.snapshots.push_back(std::move(snapshot));
}

std::string RestoreSnapshot(Context& ctx, std::size_t index,
                            const std::function<bool()>& confirmDrop) {
    Level& level = ctx.CurrentLevel();
    if (index >= level.snapshots.size()) return {};
    const std::string moves = level.snapshots[index].moves;
    const StepList old = level.steps;
    const int oldCount = level.stepCount, oldPosition = level.currentStep,
              oldReference = level.referenceStep;
    const auto putBack = [&](int position) {
        level.steps = old;
        level.stepCount = oldCount;
        level.referenceStep = oldReference;
        level.currentStep = 0;
        RebuildBoard(ctx);
        GoToPosition(ctx, position);
    };

    level.steps.clear();
    level.stepCount = level.currentStep = level.referenceStep = 0;
    RebuildBoard(ctx);
    // The reader adds the snapshot lines it meets; a move text has none, but keep the list as is.
    const std::vector<Snapshot> snapshots = level.snapshots;
    std::size_t line = 0;
    std::string error = ReadMoveLines(ctx, {" " + moves}, line);
    level.snapshots = snapshots;
    ctx.board.selectedBlock = 0;
    if (!error.empty()) {
        putBack(oldPosition);
        return error;
    }
    const int reached = level.stepCount;
    const bool prefix = reached <= oldCount &&
                        std::equal(level.steps.begin(), level.steps.begin() + reached, old.begin());
    // The old history survives only as a beginning of the new one.
    const bool drops =
        !prefix && !(oldCount <= reached &&
                     std::equal(old.begin(), old.begin() + oldCount, level.steps.begin()));
    if (prefix) {
        putBack(reached);
    } else if (drops && confirmDrop && !confirmDrop()) {
        putBack(oldPosition);
    } else {
        // The history of the snapshot replaces the old one; the reference goes back to start.
        level.currentStep = reached;
    }
    return {};
}

} // namespace vorpel
