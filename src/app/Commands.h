// The main window's command table: captions, command characters, shortcut texts and menus.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vorpel {

// The commands of the menus and keys, in the order of the tables below (the first one is
// entry 0 of each table).
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
};
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::CopySok) + 1;

// A command's entry in the tables.
inline constexpr std::size_t CommandIndex(Command command) {
    return static_cast<std::size_t>(command);
}

// Command characters that cannot be typed: function and page keys reach the dispatcher only
// from the menu.
inline constexpr unsigned char kCommandF1 = 241;
inline constexpr unsigned char kCommandF2 = 242;
inline constexpr unsigned char kCommandF12 = 252;
inline constexpr unsigned char kCommandPageDown = 253;
inline constexpr unsigned char kCommandPageUp = 254;
// Esc as the editor's command character.
inline constexpr unsigned char kEditorEsc = 255;

inline constexpr std::array<std::string_view, kCommandCount> CommandCaptions = {
    "Close the program",           // CloseProgram
    "Previous level",              // PreviousLevel
    "Next level",                  // NextLevel
    "Restart level",               // RestartLevel
    "Save as Vorpel ...",          // SaveVorpel
    "Delete level ...",            // DeleteLevel
    "Step backward",               // StepBackward
    "Step forward",                // StepForward
    "Move backward",               // MoveBackward
    "Move forward",                // MoveForward
    "Automatic replay",            // AutomaticReplay
    "Help",                        // Help
    "Level list - Scoreboard ...", // LevelList
    "New level - Edit ...",        // EditLevel
    "Move list ...",               // MoveList
    "Count moves",                 // CountMoves
    "No block annotation",         // NoAnnotation
    "More options ...",            // MoreOptions
    "Full window size",            // FullWindowSize
    "Move forward 10",             // MoveForward10
    "Move backward 10",            // MoveBackward10
    "Title change ...",            // ChangeTitle
    "Best solution ...",           // BestSolution
    "Go to move ...",              // GoToMove
    "New program instance",        // NewInstance
    "Copy to Clipboard (Vorpel)",  // CopyVorpel
    "Copy from Clipboard",         // PasteLevels
    "Identify blocks",             // IdentifyBlocks
    "1/2 window width",            // HalfWindowWidth
    "1/3 window width",            // ThirdWindowWidth
    "Centralize window",           // CentreWindow
    "1/2 window height",           // HalfWindowHeight
    "1/3 window height",           // ThirdWindowHeight
    "Zero move count",             // ZeroMoveCount
    "Write as GIF animation ...",  // SaveGif
    "Zoom in",                     // ZoomIn
    "Zoom out",                    // ZoomOut
    "Read levels ...",             // ReadLevels
    "End of level",                // EndOfLevel
    "Zoom fit to window",          // ZoomFit
    "About Vorpel",                // About
    "View block path",             // ViewBlockPath
    "Save as NBL ...",             // SaveNbl
    "Save as DLL ...",             // SaveDll
    "Write Bricks moves ...",      // WriteBricksMoves
    "Read Bricks moves ...",       // ReadBricksMoves
    "Shuffle blocks",              // Shuffle
    "Marks over blocks",           // MarksOverBlocks
    "Save as SOK ...",             // SaveSok
    "Copy to Clipboard (SOK)",     // CopySok
};

inline constexpr std::array<unsigned char, kCommandCount> CommandKeys = {
    0,                // CloseProgram Close the program: its own click handler
    '-',              // PreviousLevel
    '+',              // NextLevel
    'R',              // RestartLevel
    'S',              // SaveVorpel
    'D',              // DeleteLevel
    '<',              // StepBackward
    '>',              // StepForward
    '[',              // MoveBackward
    ']',              // MoveForward
    'A',              // AutomaticReplay
    kCommandF1,       // Help
    'L',              // LevelList
    'N',              // EditLevel
    'M',              // MoveList
    'C',              // CountMoves
    'X',              // NoAnnotation
    'O',              // MoreOptions
    '1',              // FullWindowSize
    kCommandPageDown, // MoveForward10
    kCommandPageUp,   // MoveBackward10
    'T',              // ChangeTitle
    'B',              // BestSolution
    'G',              // GoToMove
    'P',              // NewInstance
    3,                // CopyVorpel Ctrl+C
    22,               // PasteLevels Ctrl+V
    'I',              // IdentifyBlocks
    '2',              // HalfWindowWidth
    '3',              // ThirdWindowWidth
    '!',              // CentreWindow
    '@',              // HalfWindowHeight
    '#',              // ThirdWindowHeight
    'Z',              // ZeroMoveCount
    'W',              // SaveGif
    '*',              // ZoomIn
    '/',              // ZoomOut
    'K',              // ReadLevels
    'E',              // EndOfLevel
    'F',              // ZoomFit
    kCommandF2,       // About
    'V',              // ViewBlockPath
    'U',              // SaveNbl
    'Y',              // SaveDll
    'H',              // WriteBricksMoves
    'J',              // ReadBricksMoves
    kCommandF12,      // Shuffle
    'Q',              // MarksOverBlocks
    '4',              // SaveSok
    2,                // CopySok Ctrl+B
};

inline constexpr std::string_view CommandCaption(Command command) {
    return CommandCaptions[CommandIndex(command)];
}
inline constexpr unsigned char CommandKey(Command command) {
    return CommandKeys[CommandIndex(command)];
}

// The menu items' control names.
inline constexpr std::array<std::string_view, kCommandCount> CommandItemNames = {
    "closeProgramAction",
    "previousLevelAction",
    "nextLevelAction",
    "restartLevelAction",
    "saveVorpelAction",
    "deleteLevelAction",
    "stepBackwardAction",
    "stepForwardAction",
    "moveBackwardAction",
    "moveForwardAction",
    "automaticReplayAction",
    "helpAction",
    "levelListAction",
    "editLevelAction",
    "moveListAction",
    "countMovesAction",
    "noAnnotationAction",
    "moreOptionsAction",
    "fullWindowSizeAction",
    "moveForward10Action",
    "moveBackward10Action",
    "changeTitleAction",
    "bestSolutionAction",
    "goToMoveAction",
    "newInstanceAction",
    "copyVorpelAction",
    "pasteLevelsAction",
    "identifyBlocksAction",
    "halfWindowWidthAction",
    "thirdWindowWidthAction",
    "centreWindowAction",
    "halfWindowHeightAction",
    "thirdWindowHeightAction",
    "zeroMoveCountAction",
    "saveGifAction",
    "zoomInAction",
    "zoomOutAction",
    "readLevelsAction",
    "endOfLevelAction",
    "zoomFitAction",
    "aboutAction",
    "viewBlockPathAction",
    "saveNblAction",
    "saveDllAction",
    "writeBricksMovesAction",
    "readBricksMovesAction",
    "shuffleAction",
    "marksOverBlocksAction",
    "saveSokAction",
    "copySokAction",
};

// The text of an item's shortcut column: a name for keys that are no printable character,
// otherwise the character itself.
std::string_view ShortcutText(Command command);

// The command a typed or clicked character runs (letters in either case, "=" for "+", "," for
// "<", "." for ">"); none when the table names no such command.
std::optional<Command> CommandOfCharacter(unsigned char c);

// The menus in display order: each top-level caption and the commands of its items.
struct MenuLayout {
    std::string_view caption;
    std::array<Command, 15> commands;
    int count;
};
extern const std::array<MenuLayout, 5> kMainMenus;

} // namespace vorpel
