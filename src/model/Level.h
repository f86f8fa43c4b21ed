// The stored level, its step records, and the collection of levels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Grid.h"
#include "model/Kinds.h"
#include "model/StepList.h"

namespace vorpel {

inline constexpr int kCells = 64 * 64;
constexpr int CellIndex(int row, int column) {
    return row * 64 + column;
}

// A named position of a level: the moves that lead to it from the start, as move text (groups
// "row,column:letters" separated by blanks; empty for the start).
struct Snapshot {
    std::string name;
    std::string moves;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

struct Level {
    std::int32_t currentStep = 0;
    std::int32_t stepCount = 0;
    std::int32_t referenceStep = 0;
    std::string title;
    Grid<Byte> blockLayer{'.'};
    Grid<Byte> markLayer{'.'};
    Grid<std::int16_t> idLayer{0};
    StepList steps; // grows by 20; only the first stepCount are valid
    std::vector<Snapshot> snapshots;
    std::int8_t rows = 6;
    std::int8_t columns = 6;

    Level() { Initialise("", 6, 6); }
    // Empty layers, empty history, counters zero.
    void Initialise(std::string newTitle, int newRows, int newColumns);
    // Drops the history and the snapshots, as every editor change of the level does.
    void ClearHistory();

    Byte BlockAt(int r, int c) const { return blockLayer.At(r, c); }
    Byte MarkAt(int r, int c) const { return markLayer.At(r, c); }
    std::int16_t IdAt(int r, int c) const { return idLayer.At(r, c); }
    // Gives back storage left over from reading (layers and history).
    void Compact();
};

class LevelCollection {
public:
    std::vector<Level> levels;
    std::int32_t currentLevel = 0;
    std::int32_t levelBeforeEdit = 0;

    LevelCollection(); // holds the single "Void level"

    std::int32_t lastLevel() const { return static_cast<std::int32_t>(levels.size()) - 1; }
    Level& Current() { return levels[currentLevel]; }
    const Level& Current() const { return levels[currentLevel]; }

    // Appends a new last level, or re-initialises the current one.
    void NewLevel(const std::string& title, int rows, int columns, bool append);
    void RemoveLastLevel();
    void CopyLevel(int destination, int source);

    const std::string& Title(int index) const { return levels[index].title; }
    // The current title, or "no title" for an empty one when asked.
    std::string CurrentTitle(bool noTitleText = false) const;
    // First level with this title, -1 when none.
    int FindTitle(const std::string& title) const;
    // Whether a level other than `except` has this title.
    bool TitleUsedElsewhere(const std::string& title, int except) const;
};

// Whether two levels lay out the same blocks and marks on boards of one size.
bool SameLayout(const Level& a, const Level& b);

// Empty when the title is acceptable, otherwise the message to show.
std::string CheckTitle(const std::string& title);

// Derived move and step numbers of a level's history.
int CurrentMove(const Level& level);
int CurrentStepNumber(const Level& level);
int TotalMoves(const Level& level);
int TotalSteps(const Level& level);
bool InMiddleOfMove(const Level& level);

} // namespace vorpel
