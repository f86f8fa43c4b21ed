// Levels, the collection, the title check and the derived move numbers.
#include "model/Level.h"

#include <algorithm>

namespace vorpel {

void Level::Initialise(std::string newTitle, int newRows, int newColumns) {
    title = std::move(newTitle);
    blockLayer.Clear();
    markLayer.Clear();
    idLayer.Clear();
    ClearHistory();
    currentStep = 0;
    rows = static_cast<std::int8_t>(newRows);
    columns = static_cast<std::int8_t>(newColumns);
}

void Level::Compact() {
    blockLayer.Compact();
    markLayer.Compact();
    idLayer.Compact();
    steps.resize(static_cast<std::size_t>(std::max(stepCount, 0)));
    steps.shrink_to_fit();
}

void Level::ClearHistory() {
    snapshots.clear();
    steps.clear();
    steps.shrink_to_fit();
    stepCount = 0;
    referenceStep = 0;
    if (currentStep > 0) currentStep = 0;
}

bool SameLayout(const Level& a, const Level& b) {
    if (a.rows != b.rows || a.columns != b.columns) return false;
    for (int r = 0; r < a.rows; ++r)
        for (int c = 0; c < a.columns; ++c)
            if (a.BlockAt(r, c) != b.BlockAt(r, c) || a.MarkAt(r, c) != b.MarkAt(r, c) ||
                a.IdAt(r, c) != b.IdAt(r, c))
                return false;
    return true;
}

LevelCollection::LevelCollection() {
    levels.emplace_back().Initialise("Void level", 6, 6);
}

void LevelCollection::NewLevel(const std::string& title, int rows, int columns, bool append) {
    if (append) {
        levels.emplace_back().Initialise(title, rows, columns);
    } else {
        Current().Initialise(title, rows, columns);
    }
}

void LevelCollection::RemoveLastLevel() {
    if (levels.size() <= 1) {
        levels.assign(1, Level{});
        levels[0].Initialise("Void level", 6, 6);
        currentLevel = 0;
        return;
    }
    levels.pop_back();
}

void LevelCollection::CopyLevel(int destination, int source) {
    Level copy = levels[source];
    levels[destination] = std::move(copy);
}

std::string LevelCollection::CurrentTitle(bool noTitleText) const {
    const std::string& t = Current().title;
    return t.empty() && noTitleText ? std::string("no title") : t;
}

int LevelCollection::FindTitle(const std::string& title) const {
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (levels[i].title == title) return static_cast<int>(i);
    return -1;
}

bool LevelCollection::TitleUsedElsewhere(const std::string& title, int except) const {
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (static_cast<int>(i) != except && levels[i].title == title) return true;
    return false;
}

std::string CheckTitle(const std::string& title) {
    if (title.empty()) return "Level without title.";
    if (title[0] == ' ')
        return "Title \"" + title + "\" not accepted: starts with the space character.";
    return {};
}

int CurrentMove(const Level& level) {
    return level.currentStep >= 1 ? level.steps.MoveNumber(level.currentStep - 1) : 0;
}
int CurrentStepNumber(const Level& level) {
    return level.currentStep >= 1 ? level.steps.StepNumber(level.currentStep - 1) : 0;
}
int TotalMoves(const Level& level) {
    return level.stepCount >= 1 ? level.steps.MoveNumber(level.stepCount - 1) : 0;
}
int TotalSteps(const Level& level) {
    return level.stepCount >= 1 ? level.steps.StepNumber(level.stepCount - 1) : 0;
}
bool InMiddleOfMove(const Level& level) {
    return level.currentStep >= 1 && level.currentStep < level.stepCount &&
           !level.steps[level.currentStep].NewMove();
}

} // namespace vorpel
