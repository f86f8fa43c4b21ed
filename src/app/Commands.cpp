// The main window's commands: the table, the actions and menus built from it, the guarded
// dispatch and the keys.
#include "app/Commands.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>

#include "app/BestSolutionDialog.h"
#include "app/BoardView.h"
#include "app/BricksMovesDialog.h"
#include "app/EditorWindow.h"
#include "app/GifExportWindow.h"
#include "app/GoToMoveDialog.h"
#include "app/Help.h"
#include "app/LevelListWindow.h"
#include "app/MainWindow.h"
#include "app/MoveListWindow.h"
#include "app/OptionsWindow.h"
#include "app/QtPlatform.h"
#include "app/SaveDllDialog.h"
#include "app/SnapshotsDialog.h"
#include "app/SolveWindow.h"
#include "app/TitleDialog.h"
#include "files/BestSolutions.h"
#include "files/FileNames.h"
#include "files/LevelList.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/SaveOffer.h"
#include "files/SokFormat.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Shuffle.h"

namespace vorpel {

using CellSizing = MainWindow::CellSizing;

const std::array<CommandEntry, kCommandCount> CommandTable::entries = {{
    {Command::CloseProgram,
     "Close the program",
     "closeProgramAction",
     "Alt+F4",
     "",
     {Qt::AltModifier | Qt::Key_F4},
     [](MainWindow& w) { w.close(); },
     false},
    {Command::PreviousLevel,
     "Previous level",
     "previousLevelAction",
     "-",
     "-",
     {},
     [](MainWindow& w) { w.ChangeLevel(w.ctx_.collection.currentLevel - 1, true); }},
    {Command::NextLevel,
     "Next level",
     "nextLevelAction",
     "+",
     "+=",
     {},
     [](MainWindow& w) { w.ChangeLevel(w.ctx_.collection.currentLevel + 1, true); }},
    {Command::RestartLevel,
     "Restart level",
     "restartLevelAction",
     "R or Home",
     "R",
     {Qt::Key_Home},
     [](MainWindow& w) { w.Navigate(vorpel::RestartLevel); }},
    {Command::SaveVorpel,
     "Save as Vorpel ...",
     "saveVorpelAction",
     "S",
     "S",
     {},
     [](MainWindow& w) { w.saver_.ChooseAndSave(SaveFormat::kOwnText); }},
    {Command::DeleteLevel,
     "Delete level ...",
     "deleteLevelAction",
     "D",
     "D",
     {},
     [](MainWindow& w) { w.DeleteLevelCommand(); }},
    {Command::StepBackward,
     "Step backward",
     "stepBackwardAction",
     "<",
     "<,",
     {},
     [](MainWindow& w) { w.Navigate(vorpel::StepBackward); }},
    {Command::StepForward,
     "Step forward",
     "stepForwardAction",
     ">",
     ">.",
     {},
     [](MainWindow& w) { w.Navigate(vorpel::StepForward, true); }},
    {Command::MoveBackward,
     "Move backward",
     "moveBackwardAction",
     "[",
     "[",
     {},
     [](MainWindow& w) { w.Navigate([](Context& c) { vorpel::MoveBackward(c, 1); }); }},
    {Command::MoveForward,
     "Move forward",
     "moveForwardAction",
     "]",
     "]",
     {},
     [](MainWindow& w) { w.Navigate([](Context& c) { vorpel::MoveForward(c, 1); }); }},
    {Command::AutomaticReplay,
     "Automatic replay",
     "automaticReplayAction",
     "A",
     "A",
     {},
     [](MainWindow& w) { w.StartReplay(); }},
    {Command::Help,
     "Help",
     "helpAction",
     "F1",
     "",
     {},
     [](MainWindow& w) { w.ShowHelpTopic("Start"); }},
    {Command::LevelList,
     "Level list - Scoreboard ...",
     "levelListAction",
     "L",
     "L",
     {},
     [](MainWindow& w) {
         if (const int index = ChooseLevelFromList(w.session_, w); index >= 0)
             w.ChangeLevel(index, false);
     }},
    {Command::EditLevel,
     "New level - Edit ...",
     "editLevelAction",
     "N",
     "N",
     {},
     [](MainWindow& w) {
         w.boardView_->EndCellSelection();
         w.shell_.alreadyCelebrated = false;
         ShowEditor(w.session_, w);
     }},
    {Command::MoveList,
     "Move list ...",
     "moveListAction",
     "M",
     "M",
     {},
     [](MainWindow& w) {
         w.shell_.alreadyCelebrated = false;
         ShowMoveList(w.session_, w);
     }},
    {Command::CountMoves,
     "Count moves",
     "countMovesAction",
     "C",
     "C",
     {},
     [](MainWindow& w) { w.SetAnnotation(Annotation::kCountMoves); }},
    {Command::NoAnnotation,
     "No block annotation",
     "noAnnotationAction",
     "X",
     "X",
     {},
     [](MainWindow& w) { w.SetAnnotation(Annotation::kNone); }},
    {Command::MoreOptions,
     "More options ...",
     "moreOptionsAction",
     "O",
     "O",
     {},
     [](MainWindow& w) { w.MoreOptionsCommand(); }},
    {Command::FullWindowSize,
     "Full window size",
     "fullWindowSizeAction",
     "1",
     "1",
     {},
     [](MainWindow& w) { w.SizeWindow(1, 1); }},
    {Command::MoveForward10,
     "Move forward 10",
     "moveForward10Action",
     "Page Down",
     "",
     {Qt::Key_PageDown},
     [](MainWindow& w) { w.Navigate([](Context& c) { vorpel::MoveForward(c, 10); }); }},
    {Command::MoveBackward10,
     "Move backward 10",
     "moveBackward10Action",
     "Page Up",
     "",
     {Qt::Key_PageUp},
     [](MainWindow& w) { w.Navigate([](Context& c) { vorpel::MoveBackward(c, 10); }); }},
    {Command::ChangeTitle,
     "Title change ...",
     "changeTitleAction",
     "T",
     "T",
     {},
     [](MainWindow& w) {
         w.ChangeTitle(ChangeTitleDialog(w.session_, w, w.ctx_.CurrentLevel().title));
     }},
    {Command::BestSolution,
     "Best solution ...",
     "bestSolutionAction",
     "B",
     "B",
     {},
     [](MainWindow& w) { ShowBestSolutionDialog(w.session_, w); }},
    {Command::GoToMove,
     "Go to move ...",
     "goToMoveAction",
     "G",
     "G",
     {},
     [](MainWindow& w) { ShowGoToMoveDialog(w.session_, w); }},
    {Command::NewInstance,
     "New program instance",
     "newInstanceAction",
     "P",
     "P",
     {},
     [](MainWindow& w) {
         QProcess::startDetached(w.programFile_, {u'*' + w.ToDisplay(w.ctx_.CurrentLevel().title)});
     }},
    {Command::CopyVorpel,
     "Copy to Clipboard (Vorpel)",
     "copyVorpelAction",
     "Ctrl+C",
     "",
     {Qt::ControlModifier | Qt::Key_C},
     [](MainWindow& w) {
         if (const FileResult copied = WriteLevelText(w.ctx_, LevelPlace::Clipboard());
             !copied.Ok())
             w.platform_.ShowInfo({copied.message});
     }},
    {Command::PasteLevels,
     "Copy from Clipboard",
     "pasteLevelsAction",
     "Ctrl+V",
     "",
     {Qt::ControlModifier | Qt::Key_V},
     [](MainWindow& w) {
         w.shell_.alreadyCelebrated = false;
         w.ReadLevelsCommand(LevelPlace::Clipboard());
     }},
    {Command::IdentifyBlocks,
     "Identify blocks",
     "identifyBlocksAction",
     "I",
     "I",
     {},
     [](MainWindow& w) { w.SetAnnotation(Annotation::kIdentifyBlocks); }},
    {Command::HalfWindowWidth,
     "1/2 window width",
     "halfWindowWidthAction",
     "2",
     "2",
     {},
     [](MainWindow& w) { w.SizeWindow(2, 1); }},
    {Command::ThirdWindowWidth,
     "1/3 window width",
     "thirdWindowWidthAction",
     "3",
     "3",
     {},
     [](MainWindow& w) { w.SizeWindow(3, 1); }},
    {Command::CentreWindow,
     "Centralize window",
     "centreWindowAction",
     "!",
     "!",
     {},
     [](MainWindow& w) { w.SizeWindow(0, 0); }},
    {Command::HalfWindowHeight,
     "1/2 window height",
     "halfWindowHeightAction",
     "@",
     "@",
     {},
     [](MainWindow& w) { w.SizeWindow(1, 2); }},
    {Command::ThirdWindowHeight,
     "1/3 window height",
     "thirdWindowHeightAction",
     "#",
     "#",
     {},
     [](MainWindow& w) { w.SizeWindow(1, 3); }},
    {Command::ZeroMoveCount,
     "Zero move count",
     "zeroMoveCountAction",
     "Z",
     "Z",
     {},
     [](MainWindow& w) {
         ZeroMoveCount(w.ctx_);
         w.boardView_->Redraw();
     }},
    {Command::SaveGif,
     "Write as GIF animation ...",
     "saveGifAction",
     "W",
     "W",
     {},
     [](MainWindow& w) { ShowGifExportWindow(w.session_, w); }},
    {Command::ZoomIn,
     "Zoom in",
     "zoomInAction",
     "*",
     "*",
     {},
     [](MainWindow& w) { w.Zoom(CellSizing::kZoomIn); }},
    {Command::ZoomOut,
     "Zoom out",
     "zoomOutAction",
     "/",
     "/",
     {},
     [](MainWindow& w) { w.Zoom(CellSizing::kZoomOut); }},
    {Command::ReadLevels,
     "Read levels ...",
     "readLevelsAction",
     "K",
     "K",
     {},
     [](MainWindow& w) { w.ReadLevelsFromChosenFile(); }},
    {Command::EndOfLevel,
     "End of level",
     "endOfLevelAction",
     "E or End",
     "E",
     {Qt::Key_End},
     [](MainWindow& w) { w.Navigate(vorpel::EndOfLevel); }},
    {Command::ZoomFit,
     "Zoom fit to window",
     "zoomFitAction",
     "F",
     "F",
     {},
     [](MainWindow& w) { w.Zoom(CellSizing::kFit); }},
    {Command::About,
     "About Vorpel",
     "aboutAction",
     "F2",
     "",
     {Qt::Key_F2},
     [](MainWindow& w) { w.platform_.ShowAbout(); }},
    {Command::ViewBlockPath,
     "View block path",
     "viewBlockPathAction",
     "V",
     "V",
     {},
     [](MainWindow& w) { w.SetAnnotation(Annotation::kBlockPath); }},
    {Command::SaveNbl,
     "Save as NBL ...",
     "saveNblAction",
     "U",
     "U",
     {},
     [](MainWindow& w) { w.saver_.ChooseAndSave(SaveFormat::kNbl); }},
    {Command::SaveDll,
     "Save as DLL ...",
     "saveDllAction",
     "Y",
     "Y",
     {},
     [](MainWindow& w) { ShowSaveDllDialog(w.session_, w); }},
    {Command::WriteBricksMoves,
     "Write Bricks moves ...",
     "writeBricksMovesAction",
     "H",
     "H",
     {},
     [](MainWindow& w) { ShowBricksMovesDialog(w.session_, w, true); }},
    {Command::ReadBricksMoves,
     "Read Bricks moves ...",
     "readBricksMovesAction",
     "J",
     "J",
     {},
     [](MainWindow& w) { ShowBricksMovesDialog(w.session_, w, false); }},
    {Command::Shuffle,
     "Shuffle blocks",
     "shuffleAction",
     "F12",
     "",
     {Qt::Key_F12},
     [](MainWindow& w) {
         w.shell_.alreadyCelebrated = false;
         w.ShuffleCommand();
     }},
    {Command::MarksOverBlocks,
     "Marks over blocks",
     "marksOverBlocksAction",
     "Q",
     "Q",
     {},
     [](MainWindow& w) { w.ToggleMarksOverBlocks(); }},
    {Command::SaveSok,
     "Save as SOK ...",
     "saveSokAction",
     "4",
     "4",
     {},
     [](MainWindow& w) { w.saver_.ChooseAndSave(SaveFormat::kSok); }},
    {Command::CopySok,
     "Copy to Clipboard (SOK)",
     "copySokAction",
     "Ctrl+B",
     "",
     {Qt::ControlModifier | Qt::Key_B},
     [](MainWindow& w) {
         if (const FileResult copied = WriteSokLevel(w.ctx_, LevelPlace::Clipboard()); !copied.Ok())
             w.platform_.ShowInfo({copied.message});
     }},
    {Command::SaveAllLevels,
     "Save all levels as ...",
     "saveAllAction",
     "",
     "",
     {},
     [](MainWindow& w) { w.saver_.ChooseAndSaveAll(); },
     false},
    {Command::SavePosition,
     "Save position as ...",
     "savePositionAction",
     "Ctrl+P",
     "",
     {Qt::ControlModifier | Qt::Key_P},
     [](MainWindow& w) { SavePositionAs(w.session_, w); }},
    {Command::SavedPositions,
     "Saved positions ...",
     "savedPositionsAction",
     "Ctrl+G",
     "",
     {Qt::ControlModifier | Qt::Key_G},
     [](MainWindow& w) { ShowSnapshots(w.session_, w); }},
    {Command::Solve,
     "Solve ...",
     "solveAction",
     "F11",
     "",
     {Qt::Key_F11},
     [](MainWindow& w) { ShowSolveWindow(w.session_, w); }},
    {Command::Hint,
     "Hint",
     "hintAction",
     "Ctrl+Shift+H",
     "",
     {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_H},
     [](MainWindow& w) { ShowHint(w.session_, w); }},
    {Command::AcceptHint,
     "Accept hint",
     "acceptHintAction",
     "Enter",
     "",
     {Qt::Key_Return},
     [](MainWindow& w) { AcceptHint(w.session_, w); }},
}};

bool CommandTableInEnumOrder() {
    for (std::size_t i = 0; i < kCommandCount; ++i)
        if (CommandIndex(CommandTable::entries[i].command) != i) return false;
    return true;
}

// Display order of the five menus.
const std::array<MenuLayout, 5> kMainMenus = {{
    {"Files",
     {Command::SaveVorpel, Command::SaveSok, Command::SaveAllLevels, Command::SaveNbl,
      Command::SaveDll, Command::SaveGif, Command::WriteBricksMoves, Command::ReadLevels,
      Command::ReadBricksMoves, Command::CopyVorpel, Command::CopySok, Command::PasteLevels,
      Command::NewInstance, Command::CloseProgram},
     14},
    {"Levels",
     {Command::EditLevel, Command::ChangeTitle, Command::DeleteLevel, Command::LevelList,
      Command::PreviousLevel, Command::NextLevel, Command::Shuffle, Command::BestSolution},
     8},
    {"Moves",
     {Command::RestartLevel, Command::EndOfLevel, Command::MoveList, Command::GoToMove,
      Command::SavePosition, Command::SavedPositions, Command::MoveBackward10,
      Command::MoveForward10, Command::MoveBackward, Command::MoveForward, Command::StepBackward,
      Command::StepForward, Command::AutomaticReplay, Command::ZeroMoveCount},
     14},
    {"Setup",
     {Command::CountMoves, Command::IdentifyBlocks, Command::ViewBlockPath, Command::NoAnnotation,
      Command::MarksOverBlocks, Command::FullWindowSize, Command::HalfWindowWidth,
      Command::ThirdWindowWidth, Command::HalfWindowHeight, Command::ThirdWindowHeight,
      Command::CentreWindow, Command::ZoomIn, Command::ZoomOut, Command::ZoomFit,
      Command::MoreOptions},
     15},
    {"Help",
     {Command::Help, Command::Solve, Command::Hint, Command::AcceptHint, Command::About},
     5},
}};

std::optional<Command> CommandOfCharacter(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == 0) return std::nullopt;
    for (const CommandEntry& entry : CommandTable::entries)
        if (entry.characters.find(c) != std::string_view::npos) return entry.command;
    return std::nullopt;
}

std::optional<Command> CommandOfKey(QKeyCombination key) {
    for (const CommandEntry& entry : CommandTable::entries)
        for (const QKeyCombination k : entry.keys)
            if (k.key() == key.key() &&
                (key.keyboardModifiers() & k.keyboardModifiers()) == k.keyboardModifiers())
                return entry.command;
    return std::nullopt;
}

namespace {

constexpr const char* kDeleteLevelQuestion = "Delete current level from memory?";
constexpr const char* kStopLoadingQuestion = "Stop level entry processing?";

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsAnnotation(Command command) {
    return command == Command::CountMoves || command == Command::IdentifyBlocks ||
           command == Command::ViewBlockPath || command == Command::NoAnnotation;
}

} // namespace

std::vector<std::string> SettingsFileHistory::Read() {
    std::vector<std::string> list;
    settingsStore_.ReadHistory(list);
    while (!list.empty() && list.back().empty()) list.pop_back();
    return list;
}
void SettingsFileHistory::Add(const std::string& fileName) {
    settingsStore_.AddToHistory(fileName);
}
void SettingsFileHistory::Clear() {
    settingsStore_.ClearHistory();
}

// --- Actions and menus -----------------------------------------------------------------------

void MainWindow::BuildActions() {
    auto* annotationGroup = new QActionGroup(this);
    annotationGroup->setExclusive(true);
    for (std::size_t m = 0; m < kMainMenus.size(); ++m) {
        const MenuLayout& layout = kMainMenus[m];
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(Latin1(layout.caption).toLower() + QStringLiteral("Menu"));
        topMenus_[m] = menu;
        for (int i = 0; i < layout.count; ++i) {
            const CommandEntry& entry = EntryOf(layout.commands[static_cast<std::size_t>(i)]);
            Q_ASSERT(&entry == &CommandTable::entries[CommandIndex(entry.command)]);
            // The text after the tab is the menu's shortcut column; Qt shows it instead of the
            // shortcut's own name.
            QString text = FromCp1252(std::string(entry.caption));
            if (!entry.shortcutText.empty())
                text += u'\t' + FromCp1252(std::string(entry.shortcutText));
            auto* action = new QAction(text, menu);
            action->setObjectName(Latin1(entry.itemName));
            QList<QKeySequence> shortcuts;
            for (const QKeyCombination key : entry.keys)
                if (key.key() != Qt::Key_unknown) shortcuts.push_back(QKeySequence(key));
            action->setShortcuts(shortcuts);
            // The keys belong to this window's controls only: the tool windows it owns (the
            // editor, the move list) keep theirs.
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(action);
            if (IsAnnotation(entry.command)) {
                action->setCheckable(true);
                annotationGroup->addAction(action);
            }
            if (entry.command == Command::MarksOverBlocks) action->setCheckable(true);
            menu->addAction(action);
            actions_[CommandIndex(entry.command)] = action;
            const Command command = entry.command;
            if (entry.guarded)
                connect(action, &QAction::triggered, this, [this, command] {
                    RunCommand(command, nullptr);
                    // Qt ticks a checkable item as it triggers; the tick follows the state
                    // instead, which a refused command leaves as it was.
                    UpdateActions();
                });
            else
                connect(action, &QAction::triggered, this,
                        [this, command] { EntryOf(command).run(*this); });
        }
    }
    UpdateActions();
}

void MainWindow::UpdateActions() {
    // Busy (editing, loading, recording): the menus are off, and so are the shortcuts, whose
    // keys then go to the key filter (the editor takes them while it is open).
    const bool on = !shell_.menusOff;
    for (QMenu* menu : topMenus_) menu->menuAction()->setEnabled(on);
    const bool zoom = !ctx_.options[kAutomaticBoardSizing];
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        const Command command = static_cast<Command>(i);
        const bool zoomItem = command == Command::ZoomIn || command == Command::ZoomOut ||
                              command == Command::ZoomFit;
        actions_[i]->setEnabled(on && (zoom || !zoomItem));
    }
    const Annotation annotation = boardView_->AnnotationMode();
    Action(Command::CountMoves)->setChecked(annotation == Annotation::kCountMoves);
    Action(Command::IdentifyBlocks)->setChecked(annotation == Annotation::kIdentifyBlocks);
    Action(Command::ViewBlockPath)->setChecked(annotation == Annotation::kBlockPath);
    Action(Command::NoAnnotation)->setChecked(annotation == Annotation::kNone);
    Action(Command::MarksOverBlocks)->setChecked(ctx_.options[kDrawMarksOverBlocks]);
}

// --- Dispatch --------------------------------------------------------------------------------

bool MainWindow::Zoom(CellSizing sizing) {
    if (shell_.recordingGif || ctx_.options[kAutomaticBoardSizing]) return false;
    const ViewGeometry& view = boardView_->View();
    if (sizing == CellSizing::kZoomIn && view.cellSize >= view.maxCellSize) return false;
    if (sizing == CellSizing::kZoomOut && view.cellSize <= kMinCellSize) return false;
    UpdateCellSize(sizing);
    boardView_->Redraw();
    return true;
}

void MainWindow::RunCommand(std::optional<Command> command, const KeyPress* key) {
    ShellState& f = shell_;
    const CommandGuard guard(f.commandRunning);
    if (!guard.Held()) return;
    if (f.replayRunning) {
        f.replayStopRequest = true;
        return;
    }
    // The zoom works also while the window is busy, unless a recording holds the board's size.
    const std::optional<CellSizing> sizing =
        command == Command::ZoomIn    ? std::optional(CellSizing::kZoomIn)
        : command == Command::ZoomOut ? std::optional(CellSizing::kZoomOut)
        : command == Command::ZoomFit ? std::optional(CellSizing::kFit)
                                      : std::nullopt;
    if (sizing && Zoom(*sizing)) return;
    if (f.commandsBlocked) return;
    if (command == Command::CloseProgram) {
        close();
        return;
    }
    if (ctx_.editing) {
        if (key && editorKeys_) editorKeys_(*key);
        return;
    }
    if (sizing) return; // refused above
    if (command)
        EntryOf(*command).run(*this);
    else if (key && (key->key == Qt::Key_Left || key->key == Qt::Key_Up ||
                     key->key == Qt::Key_Right || key->key == Qt::Key_Down))
        ArrowKeyMove(key->key);
}

void MainWindow::SetAnnotation(Annotation annotation) {
    boardView_->SetAnnotationMode(annotation);
    boardView_->MarkPath();
    boardView_->Redraw();
    UpdateActions();
}

void MainWindow::ToggleMarksOverBlocks() {
    ctx_.options.value[kDrawMarksOverBlocks] = !ctx_.options[kDrawMarksOverBlocks];
    UpdateActions();
    boardView_->Redraw();
    settingsStore_.WriteOptions(true, 0, 0);
}

void MainWindow::MoreOptionsCommand() {
    if (!ShowOptionsWindow(0)) return;
    UpdateActions();
    UpdateCellSize(CellSizing::kKeep);
    ShowCoordinates(true);
    RefreshView(false);
}

void MainWindow::DeleteLevelCommand() {
    if (!platform_.AskYesNo({kDeleteLevelQuestion})) return;
    LevelCollection& collection = ctx_.collection;
    if (collection.lastLevel() <= 0) {
        collection.levels.assign(1, Level{});
        collection.levels[0].Initialise("Void level", 6, 6);
        collection.currentLevel = 0;
    } else {
        collection.levels.erase(collection.levels.begin() + collection.currentLevel);
    }
    shell_.alreadyCelebrated = false;
    ShowChosenLevel(true);
}

void MainWindow::ReadLevelsFromChosenFile() {
    shell_.alreadyCelebrated = false;
    std::string name = fileName_;
    if (!ChooseFile(session_, *this, this, name, "Read levels", kChooseReading)) return;
    fileName_ = name;
    if (HasExtension(".dll", name)) Memory().lastDllPath = name;
    ReadLevelsCommand(name);
}

void MainWindow::ReadLevelsCommand(const LevelPlace& place) {
    const std::stop_token stop = shell_.StartLoading();
    SetBusy(true, true, false);
    SetHourglass(true);
    RememberedAnswer remembered = kAsk;
    const int firstNew = static_cast<int>(ctx_.collection.levels.size());
    ReadLevelFile(ctx_, place, remembered, stop);
    // A file is a collection to play through; pasted levels show the last one, as typed.
    if (!place.IsClipboard()) OpenFirstUnsolved(ctx_, firstNew);
    SetBusy(false, false, false);
    shell_.loadingLevels = false;
    SetHourglass(false);
    ShowChosenLevel(true);
}

void MainWindow::ShuffleCommand() {
    SetBusy(true, true, false);
    const bool shuffled = ShuffleBlocks(ctx_, shell_.StartLongOperation());
    shell_.longOperationRunning = false;
    SetBusy(false, false, false);
    if (shuffled) ShowChosenLevel(false);
}

void MainWindow::ChangeLevel(int index, bool hideCelebration) {
    ShowCoordinates(false);
    shell_.alreadyCelebrated = false;
    ChooseLevel(index);
    if (ctx_.CurrentLevel().stepCount == 0) {
        ApplyStoredBestSolution();
        RefreshView(true);
    }
    if (hideCelebration && celebrationTicks_ > 0) EndCelebration();
}

// --- Keys ------------------------------------------------------------------------------------

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Every event of the program passes here: only keys are looked at.
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (type == QEvent::ShortcutOverride && widget && widget->window() != this) {
        // A key on another window (the move list's Home, the editor's F2) is that window's:
        // Qt would otherwise let this window's shortcuts take it while one of its tool windows
        // is active.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (CommandOfKey(key->keyCombination())) {
            event->accept();
            return true;
        }
    }
    if (type != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    // Every key of this window, whichever control has the focus; the menu bar keeps its own.
    if (!widget || widget->window() != this || menuBar()->isAncestorOf(widget) ||
        widget == menuBar())
        return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    HandleKey({key->key(), key->modifiers(), key->text()});
    return true;
}

// The keys that reach the window: those of the actions that are off (or that Qt did not match
// because the window is not the active one) run the same commands; typed characters run the
// command the table gives them.
void MainWindow::HandleKey(const KeyPress& press) {
    ShellState& f = shell_;
    const int key = press.key;
    if (key == Qt::Key_F1) {
        ShowHelpTopic("Start");
        return;
    }
    if (key == Qt::Key_Escape && f.loadingLevels) {
        if (platform_.AskYesNo({kStopLoadingQuestion})) f.loadingStop.request_stop();
        return;
    }
    if (key == Qt::Key_Escape && f.longOperationRunning) {
        f.longOperationStop.request_stop();
        return;
    }
    const bool altF4 = key == Qt::Key_F4 && (press.modifiers & Qt::AltModifier);
    const bool functionKey = key >= Qt::Key_F2 && key <= Qt::Key_F12;
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    const bool navigation = key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
                            key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Return;
    const QKeyCombination combination(press.modifiers, static_cast<Qt::Key>(key));
    if (functionKey || arrow || navigation || key == Qt::Key_Escape || altF4) {
        RunCommand(CommandOfKey(combination), &press);
        return;
    }
    if (press.modifiers & Qt::AltModifier) return;
    if ((press.modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        RunCommand(CommandOfKey(combination), &press);
        return;
    }
    const std::string text = ToCp1252(press.text);
    if (text.size() != 1) return;
    std::optional<Command> command = CommandOfCharacter(text[0]);
    // The editor's key for fitting the board to the window works on the board as well.
    if (!command && text[0] == '?' && ctx_.editing) command = Command::ZoomFit;
    RunCommand(command, &press);
}

void MainWindow::ArrowKeyMove(int key) {
    PlayBoard& board = ctx_.board;
    if (board.selectedBlock == 0) {
        int found = 0, count = 0;
        for (int i = kFirstBlock; i <= board.blockCount; ++i) {
            const Block& b = board.blocks[static_cast<std::size_t>(i)];
            if (!b.removed && ArrowKeyKind(b.kind)) {
                found = i;
                ++count;
            }
        }
        if (count != 1) return;
        const Block& b = board.blocks[static_cast<std::size_t>(found)];
        board.selectedBlock = found;
        board.selectedColumn = b.anchorColumn;
        board.selectedRow = b.anchorRow;
    }
    int column = board.selectedColumn, row = board.selectedRow;
    switch (key) {
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    default:
        ++row;
        break;
    }
    if (!DragSelectedBlock(ctx_, column, row, true, [this] { boardView_->PaintNow(); })) return;
    RefreshView(true);
}

// --- Windows of other modules ----------------------------------------------------------------

void MainWindow::ShowHelpTopic(const std::string& topic) {
    ShowHelp(platform_, topic);
}

bool MainWindow::ShowOptionsWindow(int page) {
    OptionsHooks hooks;
    hooks.repaintEditor = [this] {
        if (ctx_.editing) boardView_->Redraw();
    };
    hooks.applyOptions = [this] { UpdateActions(); };
    return ShowOptions(page, ctx_, settingsStore_, platform_, hooks);
}

} // namespace vorpel
