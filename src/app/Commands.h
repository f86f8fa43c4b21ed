// The main window's commands: one table gives each its caption, its keys and its handler, and
// the menus list them in display order.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include <QKeyCombination>
#include <QString>

namespace vorpel {

class MainWindow;

// The commands of the menus and keys, in the order of the table (the first one is its entry 0).
enum class Command : int {
    CloseProgram,
    PreviousLevel,
    NextLevel,
    RestartLevel,
    SaveVorpel,
    DeleteLevel,
    StepBackward,
    StepForward,
    MoveBackward,
    MoveForward,
    AutomaticReplay,
    Help,
    LevelList,
    EditLevel,
    MoveList,
    CountMoves,
    NoAnnotation,
    MoreOptions,
    FullWindowSize,
    MoveForward10,
    MoveBackward10,
    ChangeTitle,
    BestSolution,
    GoToMove,
    NewInstance,
    CopyVorpel,
    PasteLevels,
    IdentifyBlocks,
    HalfWindowWidth,
    ThirdWindowWidth,
    CentreWindow,
    HalfWindowHeight,
    ThirdWindowHeight,
    ZeroMoveCount,
    SaveGif,
    ZoomIn,
    ZoomOut,
    ReadLevels,
    EndOfLevel,
    ZoomFit,
    About,
    ViewBlockPath,
    SaveNbl,
    SaveDll,
    WriteBricksMoves,
    ReadBricksMoves,
    Shuffle,
    MarksOverBlocks,
    SaveSok,
    CopySok,
    SaveAllLevels,
    SavePosition,
    SavedPositions,
    Solve,
    Hint,
    AcceptHint,
};
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::AcceptHint) + 1;

// A command's entry in the table.
inline constexpr std::size_t CommandIndex(Command command) {
    return static_cast<std::size_t>(command);
}

struct CommandEntry {
    Command command;
    std::string_view caption;
    std::string_view itemName; // the action's object name
    // The menu's shortcut column; empty for an item that shows none.
    std::string_view shortcutText;
    // The characters that run the command when typed on the board (letters in either case).
    std::string_view characters;
    // The keys that are no character: the action's shortcuts. A key given without modifiers
    // answers whatever modifiers are held, as the window always did.
    std::array<QKeyCombination, 1> keys;
    void (*run)(MainWindow& window);
    // Close and "Save all" run at once; every other command waits its turn (see
    // MainWindow::RunCommand).
    bool guarded = true;
};

// The table, in the order of `Command`; its handlers reach into the main window.
struct CommandTable {
    static const std::array<CommandEntry, kCommandCount> entries;
};

inline const CommandEntry& EntryOf(Command command) {
    return CommandTable::entries[CommandIndex(command)];
}

// The command a typed or clicked character runs (letters in either case, "=" for "+", "," for
// "<", "." for ">"); none when the table names no such command.
std::optional<Command> CommandOfCharacter(char c);
// EntryOf looks commands up by position: the table must list them in the enum's order.
bool CommandTableInEnumOrder();

// The command of a key that is no character (Home, F12, Ctrl+C, Alt+F4); none when the table
// names no such key.
std::optional<Command> CommandOfKey(QKeyCombination key);

// A key pressed on the main window, as the editor takes it while it is open.
struct KeyPress {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// The menus in display order: each top-level caption and the commands of its items.
struct MenuLayout {
    std::string_view caption;
    std::array<Command, 15> commands;
    int count;
};
extern const std::array<MenuLayout, 5> kMainMenus;

} // namespace vorpel
