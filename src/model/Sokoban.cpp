// Recognising Sokoban levels and counting their moves and pushes.
#include "model/Sokoban.h"

#include <algorithm>
#include <array>
#include <set>
#include <tuple>

#include "model/Kinds.h"

namespace vorpel {

bool SokobanPuzzleOf(const Level& level, SokobanPuzzle& puzzle) {
    const int rows = level.rows, columns = level.columns;
    if (rows < 1 || columns < 1) return false;
    SokobanPuzzle p;
    p.rows = rows;
    p.columns = columns;
    p.cells.assign(static_cast<std::size_t>(rows * columns), SokobanPuzzle::kFloor);
    std::set<std::int16_t> boxIds;
    int players = 0, plainGoals = 0, plainBoxes = 0;
    // Lettered boxes and marks by letter: how many of each.
    std::array<int, 256> letterBoxes{}, letterGoals{};
    p.boxLetter.assign(p.cells.size(), 0);
    p.goalLetter.assign(p.cells.size(), 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            std::uint8_t& cell = p.cells[static_cast<std::size_t>(r * columns + c)];
            const Byte mark = level.MarkAt(r, c), block = level.BlockAt(r, c);
            const std::int16_t id = level.IdAt(r, c);
            const auto at = static_cast<std::size_t>(r * columns + c);
            if (mark == kDestinationMark) {
                cell |= SokobanPuzzle::kGoal;
                ++plainGoals;
            } else if (AlphanumericIndex(mark) != 0) {
                cell |= SokobanPuzzle::kGoal;
                p.goalLetter[at] = mark;
                ++letterGoals[mark];
            } else if (mark != kPlainMark) {
                return false;
            }
            if (block == kWallKind) {
                // A wall on a destination is no plain Sokoban cell.
                if (mark != kPlainMark) return false;
                cell = SokobanPuzzle::kWall;
            } else if (block == kMasterBoxKind) {
                // Lettered boxes have negative identifiers; a box of several cells shares one.
                if (id <= 0 || !boxIds.insert(id).second) return false;
                cell |= SokobanPuzzle::kBox;
                ++plainBoxes;
            } else if (block == kBoxKind && id < 0 && AlphanumericChar(-id) != 0) {
                // A lettered box; its cells share the identifier, so one of several is refused.
                if (!boxIds.insert(id).second) return false;
                cell |= SokobanPuzzle::kBox;
                p.boxLetter[at] = AlphanumericChar(-id);
                ++letterBoxes[p.boxLetter[at]];
            } else if (block == kNormalKind) {
                if (id <= 0 || ++players > 1) return false;
                p.player = r * columns + c;
            } else if (block != kEmptyKind) {
                return false;
            }
        }
    if (players != 1) return false;
    bool anyLetter = false;
    for (std::size_t k = 0; k < letterBoxes.size(); ++k)
        anyLetter = anyLetter || letterBoxes[k] > 0 || letterGoals[k] > 0;
    if (!anyLetter) {
        p.boxLetter.clear();
        p.goalLetter.clear();
    } else {
        // Lettered only, each letter once on a box and once on a mark, so that solved is
        // exactly every box on its own mark.
        if (plainGoals + plainBoxes > 0) return false;
        for (std::size_t k = 0; k < letterBoxes.size(); ++k)
            if (letterBoxes[k] != letterGoals[k] || letterBoxes[k] > 1) return false;
    }
    puzzle = std::move(p);
    return true;
}

bool SokobanLevelOf(const Level& level, SokobanPuzzle& puzzle) {
    SokobanPuzzle p;
    if (!SokobanPuzzleOf(level, p)) return false;
    // Lettered boxes end on their own marks, which the counts and the goal look do not follow.
    if (!p.boxLetter.empty()) return false;
    // Without a box it is a walk, not a Sokoban level, whatever else it holds.
    if (std::none_of(p.cells.begin(), p.cells.end(),
                     [](std::uint8_t c) { return (c & SokobanPuzzle::kBox) != 0; }))
        return false;
    puzzle = std::move(p);
    return true;
}

bool IsSokobanLevel(const Level& level) {
    SokobanPuzzle puzzle;
    return SokobanLevelOf(level, puzzle);
}

SokobanTracker::SokobanTracker(const SokobanPuzzle& puzzle)
    : columns_(puzzle.columns), cells_(puzzle.cells), player_(puzzle.player) {}

bool SokobanTracker::Step(int rowDelta, int columnDelta) {
    if (rowDelta == 0 && columnDelta == 0) return false;
    const int delta = rowDelta * columns_ + columnDelta;
    const int next = player_ + delta;
    const auto at = [this](int cell) -> std::uint8_t* {
        if (cell < 0 || static_cast<std::size_t>(cell) >= cells_.size()) return nullptr;
        return &cells_[static_cast<std::size_t>(cell)];
    };
    ++counts_.moves;
    bool pushed = false;
    if (std::uint8_t* here = at(next); here && (*here & SokobanPuzzle::kBox)) {
        if (std::uint8_t* beyond = at(next + delta)) {
            *here &= static_cast<std::uint8_t>(~SokobanPuzzle::kBox);
            *beyond |= SokobanPuzzle::kBox;
            ++counts_.pushes;
            pushed = true;
        }
    }
    player_ = next;
    return pushed;
}

SokobanCounts CountSokobanSteps(const SokobanPuzzle& puzzle, const StepList& steps, int count) {
    SokobanTracker tracker(puzzle);
    const auto n = static_cast<std::size_t>(std::max(count, 0));
    for (std::size_t i = 0; i < std::min(n, steps.size()); ++i)
        tracker.Step(steps[i].rowDelta, steps[i].columnDelta);
    return tracker.Counts();
}

SokobanCounts SokobanCountsAt(const Level& level, int position) {
    SokobanPuzzle puzzle;
    if (!SokobanLevelOf(level, puzzle)) return {};
    return CountSokobanSteps(puzzle, level.steps, std::min(position, level.stepCount));
}

bool SokobanBetter(const SokobanCounts& a, const SokobanCounts& b, bool pushesFirst) {
    if (pushesFirst) return std::tie(a.pushes, a.moves) < std::tie(b.pushes, b.moves);
    return std::tie(a.moves, a.pushes) < std::tie(b.moves, b.pushes);
}

int PlayerStepAt(const Level& level, int position) {
    const int count = std::min(level.stepCount, static_cast<int>(level.steps.size()));
    position = std::clamp(position, 0, std::max(count, 0));
    return position > 0 ? level.steps.StepNumber(static_cast<std::size_t>(position - 1)) : 0;
}

int PositionOfPlayerStep(const Level& level, int step) {
    const int count = std::max(std::min(level.stepCount, static_cast<int>(level.steps.size())), 0);
    // Step numbers never fall along the history, so the first position that reaches `step` is
    // found by halving.
    int low = 0, high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (PlayerStepAt(level, middle) >= step)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

} // namespace vorpel
