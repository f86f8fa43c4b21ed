// The editor's undo stack: positions, the top, reverting a failed change and shared histories.
#include <gtest/gtest.h>

#include <string>

#include "editor/UndoStack.h"

namespace vorpel {
namespace {

Level Titled(const std::string& title, int steps = 0) {
    Level level;
    level.Initialise(title, 4, 5);
    level.blockLayer.Set(1, 2, '[');
    for (int i = 0; i < steps; ++i) {
        StepRecord step;
        step.counts = StepRecord::kNewStep | (i % 3 == 0 ? StepRecord::kNewMove : 0);
        step.block = 2;
        level.steps.push_back(step);
    }
    level.stepCount = level.currentStep = steps;
    return level;
}

// Each action is a letter: a change to a new title (lower case, pushed first), U undo, R redo,
// F a failed change taken back. After it, the title, position and top.
struct Script {
    const char* name;
    const char* actions;
    const char* title;
    int position;
    int top;
};

const Script kScripts[] = {
    {"ThreeChangesUndoneAndRedone", "abcUUURRR", "c", 3, 3},
    {"UndoToTheBottomStops", "abUUU", "start", 0, 2},
    {"RedoAtTheTopStops", "abURRR", "b", 2, 2},
    {"AChangeAfterUndoCutsTheRedo", "abcUUdR", "d", 2, 2},
    {"UndoAfterANewChangeReturnsToTheUndoneState", "abcUUdU", "a", 1, 2},
    {"AFailedChangeCannotBeRedone", "abFR", "b", 2, 2},
    {"AFailedChangeAfterUndoStillCutsTheRedo", "abUFR", "a", 1, 1},
};

class UndoScript : public ::testing::TestWithParam<Script> {};

TEST_P(UndoScript, FollowsTheEditorsRules) {
    const Script& t = GetParam();
    UndoStack stack;
    Level level = Titled("start");
    for (const char* a = t.actions; *a; ++a) {
        switch (*a) {
        case 'U':
            stack.Undo(level);
            break;
        case 'R':
            stack.Redo(level);
            break;
        case 'F':
            stack.Push(level);
            level.title = "failed";
            level.blockLayer.Set(0, 0, '#');
            stack.Revert(level);
            break;
        default:
            stack.Push(level);
            level.title = std::string(1, *a);
            level.blockLayer.Set(0, *a - 'a', '#');
        }
    }
    EXPECT_EQ(level.title, t.title);
    EXPECT_EQ(stack.Position(), t.position);
    EXPECT_EQ(stack.Top(), t.top);
    EXPECT_EQ(level.BlockAt(0, 0), level.title == "start" ? '.' : '#');
}

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const Script& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Editor, UndoScript, ::testing::ValuesIn(kScripts),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(UndoStack, BringsBackCellsSizeAndHistory) {
    UndoStack stack;
    Level level = Titled("x", 7);
    level.currentStep = 4;
    level.referenceStep = 2;
    const Level before = level;
    stack.Push(level);
    level.Initialise("y", 9, 3);
    ASSERT_TRUE(stack.Undo(level));
    EXPECT_EQ(level.rows, 4);
    EXPECT_EQ(level.columns, 5);
    EXPECT_EQ(level.BlockAt(1, 2), '[');
    EXPECT_EQ(level.currentStep, 4);
    EXPECT_EQ(level.referenceStep, 2);
    EXPECT_EQ(level.stepCount, 7);
    EXPECT_EQ(level.steps, before.steps);
    ASSERT_TRUE(stack.Redo(level));
    EXPECT_EQ(level.rows, 9);
    EXPECT_EQ(level.stepCount, 0);
    EXPECT_TRUE(level.steps.empty());
}

TEST(UndoStack, DropsAnEntryThatChangedNothing) {
    UndoStack stack;
    Level level = Titled("a", 3);
    stack.Push(level);
    stack.DropIfUnchanged(level);
    EXPECT_EQ(stack.Position(), 0);
    EXPECT_EQ(stack.Top(), 0);
    stack.Push(level);
    level.markLayer.Set(3, 4, '+');
    stack.DropIfUnchanged(level);
    EXPECT_EQ(stack.Position(), 1);
    stack.Push(level);
    level.steps.pop_back();
    level.stepCount = level.currentStep = 2;
    stack.DropIfUnchanged(level);
    EXPECT_EQ(stack.Position(), 2);
}

TEST(UndoStack, EntriesShareAnUnchangedHistory) {
    const int kSteps = 10000;
    UndoStack stack;
    Level level = Titled("t", kSteps);
    const std::size_t history = kSteps * sizeof(StepRecord);
    for (int i = 0; i < 100; ++i) {
        level.title += 'x'; // a title typed letter by letter keeps the history
        stack.Push(level);
    }
    EXPECT_LT(stack.Bytes(), 2 * history);
    // A changed history is a new one; the change undone brings the old one back intact.
    StepRecord changed = level.steps[5];
    changed.block = 9;
    level.steps.Set(5, changed);
    ASSERT_TRUE(stack.Undo(level));
    EXPECT_GT(stack.Bytes(), 2 * history);
    EXPECT_EQ(level.steps[5].block, 2);
    ASSERT_TRUE(stack.Redo(level));
    EXPECT_EQ(level.steps[5].block, 9);
}

} // namespace
} // namespace vorpel
