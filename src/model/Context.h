// The play's data that the core's operations share: the collection, the play board, options and
// records. The game session (files/GameSession.h) owns it; what the windows show (the board
// view's model/ViewState.h) and what the program is doing live with them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Level.h"
#include "model/Platform.h"
#include "model/PlayBoard.h"

namespace vorpel {

class StepObserver;

enum OptionIndex : int {
    kDrawMarksOverBlocks = 0,
    kMarkSelectedBlock,
    kBricksCompatibility,
    kAutomaticBoardSizing,
    kShowMouseCoordinates,
    kShowIdentifiersAndMoves,
    kShowTotalMovesAndRecords,
    kPromptOnFileRewrite,
    kShowHiddenFiles,
    kShowSystemFiles,
    kShowFileAttributes,
    kShowFileAttributesAsFontStyle,
    kConfirmNonStandardExtension,
    kAlphanumericAutoincrement,
    kOptionCount
};

inline constexpr std::array<const char*, kOptionCount> kOptionNames = {
    "Draw marks over blocks",
    "Mark the selected block",
    "Bricks compatibility",
    "Automatic board sizing",
    "Show mouse coordinates",
    "Show identifiers and individual moves",
    "Show total moves and records",
    "Prompt on file rewrite",
    "Show hidden files",
    "Show system files",
    "Show file attributes",
    "Show file attributes as font style",
    "Confirm non-standard extension files",
    "Alphanumeric autoincrement",
};

struct EditorGrid {
    std::int32_t startRow = 0;
    std::int32_t startColumn = 0;
    std::int32_t rowSpacing = 1;
    std::int32_t columnSpacing = 1;
    bool show = false;
};

struct Options {
    std::array<bool, kOptionCount> value{}; // all off until read from the settings store
    std::string startupList;
    // Kept for the run only.
    EditorGrid grid;
    bool joinBarriers = true;
    bool joinMagnets = true;
    std::uint32_t seed = 3141592653u;
    // "Resume where you left off": the collection and its positions kept from one run to the
    // next; stored beside the options.
    bool resume = true;
    // A Sokoban solution is better with fewer pushes first, then fewer moves (otherwise fewer
    // moves first); stored beside the options.
    bool fewestPushes = false;
    // Automatic replay: steps a second (1 to 60), or 0 for one step a frame of the screen;
    // stored beside the options.
    std::int32_t replaySpeed = 4;

    bool operator[](OptionIndex i) const { return value[i]; }
};

// Records (best known moves and steps) by title: each entry is the counts padded or cut to 12
// characters, then the title. `recordList` is kept sorted by title.
struct RecordsState {
    std::vector<std::string> recordList;
    std::vector<std::string> newRecords; // set during the run; survive re-reading the file
};

struct Context {
    Context() = default;
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    LevelCollection collection;
    PlayBoard board;
    Options options;
    // The level is being edited: slides run over solved positions, nothing is celebrated, and
    // the board is drawn for the editor. Set by the editor session while it is open.
    bool editing = false;
    RecordsState records;
    // Full path of the program's executable; the best-solutions and records files are named after
    // it. Readers of other companion files are handed their own path.
    std::string programPath;
    // Folder of the last level file read.
    std::string lastReadFolder;
    // Makes generated titles unique; only ever increases.
    std::uint32_t titleCounter = 0;
    // Told of every step the rules make while set (a Bricks moves conversion follows pieces
    // through it). The step journal stays off meanwhile: the observer may change blocks where
    // the journal does not look.
    StepObserver* stepObserver = nullptr;
    // The user and the platform; never null (a silent one until the program sets its own).
    Platform* platform = &silentPlatform;
    SilentPlatform silentPlatform;

    Level& CurrentLevel() { return collection.Current(); }
    const Level& CurrentLevel() const { return collection.Current(); }
};

} // namespace vorpel
