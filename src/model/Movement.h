// The movement rules: taking hold of blocks and stepping them with every effect of marks and
// kinds.
#pragma once

#include <functional>
#include <vector>

#include "model/Context.h"

namespace vorpel {

// The rule options a step follows.
struct MovementRules {
    // A keystone entering the keyhole ring leaves no switch toggle pending.
    bool bricksCompatibility = false;
    // A slide ends on a solved board. Off while the level is being edited, where a solved
    // position ends nothing.
    bool stopSlidesOnSolvedBoard = true;
};
// The rules of the options, for a level in play or (`editing`) being edited.
MovementRules RulesOf(const Options& options, bool editing);

// Told what a step does, for callers that follow or show the blocks as they move. Every hook
// runs in the middle of the step, so it may change block fields only through PlayBoard::Touch.
class StepObserver {
public:
    virtual ~StepObserver() = default;
    // The moving group (the stepping block first) is about to move one cell, and has moved.
    virtual void GroupMoving(PlayBoard&, const std::vector<MovingEntry>&) {}
    virtual void GroupMoved(PlayBoard&, const std::vector<MovingEntry>&) {}
    // A block leaves the board with the effects of its marks.
    virtual void Eliminated(PlayBoard&, int /*block*/) {}
    // A slide carries the step on: the board shows the step so far.
    virtual void Slid(PlayBoard&) {}
};

// Takes hold of the block at a cell, or removes a wholly weak barrier (returns true then).
bool SelectBlock(Context& ctx, int column, int row);
// Moves the held block one cell toward (column, row) along each axis that differs and records
// the steps; true when every needed step was made. With `redraw` each slide calls `showSlide`,
// when given, to show the board between the slides.
bool DragSelectedBlock(Context& ctx, int column, int row, bool redraw,
                       const std::function<void()>& showSlide = {});
// Whether `block` cannot step by (rowDelta, columnDelta); `pushed` allows a box to move.
bool IsBlocked(PlayBoard& board, int block, int rowDelta, int columnDelta, bool pushed);
// The same test reading every row of the board (the reference for the row-limited one).
bool IsBlockedOverAllRows(PlayBoard& board, int block, int rowDelta, int columnDelta, bool pushed);
// Steps the held block, already tested with IsBlocked; returns the side-effect flag. The
// observer, when given, is told of every group move, elimination and (with `reportSlides`)
// slide; `noEffects` moves the group without any effect.
bool DoStep(PlayBoard& board, const MovementRules& rules, int rowDelta, int columnDelta,
            StepObserver* observer = nullptr, bool reportSlides = false, bool noEffects = false);
// Takes a block off the board without looking at marks.
void RemoveBlockQuietly(PlayBoard& board, int block);

} // namespace vorpel
