// The main window's commands: the tables, the menus, the guarded dispatcher and the keys.
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
#include "app/EditorWindow.h"
#include "app/GoToMoveDialog.h"
#include "app/Help.h"
#include "app/LevelListWindow.h"
#include "app/MainWindow.h"
#include "app/MoveListWindow.h"
#include "app/OptionsWindow.h"
#include "app/QtPlatform.h"
#include "app/TitleDialog.h"
#include "files/BestSolutions.h"
#include "files/FileNames.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/SaveOffer.h"
#include "files/SokFormat.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Shuffle.h"

namespace vorpel {

// Display order of the five menus.
const std::array<MenuLayout, 5> kMainMenus = {{
    {"Files",
     {Command::SaveVorpel, Command::SaveSok, Command::SaveNbl, Command::SaveDll, Command::SaveGif,
      Command::WriteBricksMoves, Command::ReadLevels, Command::ReadBricksMoves, Command::CopyVorpel,
      Command::CopySok, Command::PasteLevels, Command::NewInstance, Command::CloseProgram},
     13},
    {"Levels",
     {Command::EditLevel, Command::ChangeTitle, Command::DeleteLevel, Command::LevelList,
      Command::PreviousLevel, Command::NextLevel, Command::Shuffle, Command::BestSolution},
     8},
    {"Moves",
     {Command::RestartLevel, Command::EndOfLevel, Command::MoveList, Command::GoToMove,
      Command::MoveBackward10, Command::MoveForward10, Command::MoveBackward, Command::MoveForward,
      Command::StepBackward, Command::StepForward, Command::AutomaticReplay,
      Command::ZeroMoveCount},
     12},
    {"Setup",
     {Command::CountMoves, Command::IdentifyBlocks, Command::ViewBlockPath, Command::NoAnnotation,
      Command::MarksOverBlocks, Command::FullWindowSize, Command::HalfWindowWidth,
      Command::ThirdWindowWidth, Command::HalfWindowHeight, Command::ThirdWindowHeight,
      Command::CentreWindow, Command::ZoomIn, Command::ZoomOut, Command::ZoomFit,
      Command::MoreOptions},
     15},
    {"Help", {Command::Help, Command::About}, 2},
}};

std::string_view ShortcutText(Command command) {
    switch (command) {
    case Command::CloseProgram:
        return "Alt+F4";
    case Command::RestartLevel:
        return "R or Home";
    case Command::Help:
        return "F1";
    case Command::MoveForward10:
        return "Page Down";
    case Command::MoveBackward10:
        return "Page Up";
    case Command::CopyVorpel:
        return "Ctrl+C";
    case Command::PasteLevels:
        return "Ctrl+V";
    case Command::EndOfLevel:
        return "E or End";
    case Command::About:
        return "F2";
    case Command::Shuffle:
        return "F12";
    case Command::CopySok:
        return "Ctrl+B";
    default: {
        const std::size_t index = CommandIndex(command);
        return std::string_view(reinterpret_cast<const char*>(&CommandKeys[index]), 1);
    }
    }
}

std::optional<Command> CommandOfCharacter(unsigned char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    if (c == '=') c = '+';
    if (c == ',') c = '<';
    if (c == '.') c = '>';
    if (c == 0) return std::nullopt;
    for (std::size_t i = 0; i < kCommandCount; ++i)
        if (CommandKeys[i] == c) return static_cast<Command>(i);
    return std::nullopt;
}

namespace {

constexpr const char* kDeleteLevelQuestion = "Delete current level from memory?";
constexpr const char* kStopLoadingQuestion = "Stop level entry processing?";

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

// --- Menus -----------------------------------------------------------------------------------

void MainWindow::BuildMenus() {
    annotationGroup_ = new QActionGroup(this);
    annotationGroup_->setExclusive(true);
    for (std::size_t m = 0; m < kMainMenus.size(); ++m) {
        const MenuLayout& layout = kMainMenus[m];
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(layout.caption.data(),
                                                static_cast<qsizetype>(layout.caption.size()))
                                .toLower() +
                            QStringLiteral("Menu"));
        topMenus_[m] = menu;
        for (int i = 0; i < layout.count; ++i) {
            const Command command = layout.commands[static_cast<std::size_t>(i)];
            const std::string_view caption = CommandCaption(command);
            const std::string_view shortcut = ShortcutText(command);
            // The text after the tab is the menu's shortcut column.
            QAction* item = menu->addAction(FromCp1252(std::string(caption)) + u'\t' +
                                            FromCp1252(std::string(shortcut)));
            const std::string_view name = CommandItemNames[CommandIndex(command)];
            item->setObjectName(
                QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
            item->setData(static_cast<int>(command));
            if (command == Command::CountMoves || command == Command::IdentifyBlocks ||
                command == Command::ViewBlockPath || command == Command::NoAnnotation) {
                item->setCheckable(true);
                annotationGroup_->addAction(item);
            }
            if (command == Command::MarksOverBlocks) item->setCheckable(true);
            menuItems_[CommandIndex(command)] = item;
            if (command == Command::CloseProgram)
                connect(item, &QAction::triggered, this, &MainWindow::CloseProgram);
            else
                connect(item, &QAction::triggered, this,
                        [this, command] { OnMenuCommand(command); });
        }
    }
    MenuItem(Command::NoAnnotation)->setChecked(true);
}

void MainWindow::SyncTicks() {
    const Annotation annotation = boardView_->AnnotationMode();
    MenuItem(Command::CountMoves)->setChecked(annotation == Annotation::kCountMoves);
    MenuItem(Command::IdentifyBlocks)->setChecked(annotation == Annotation::kIdentifyBlocks);
    MenuItem(Command::ViewBlockPath)->setChecked(annotation == Annotation::kBlockPath);
    MenuItem(Command::NoAnnotation)->setChecked(annotation == Annotation::kNone);
    MenuItem(Command::MarksOverBlocks)->setChecked(ctx_.options[kDrawMarksOverBlocks]);
}

void MainWindow::ApplyOptionsToMenus() {
    const bool zoom = !ctx_.options[kAutomaticBoardSizing];
    for (Command command : {Command::ZoomIn, Command::ZoomOut, Command::ZoomFit})
        MenuItem(command)->setEnabled(zoom);
    MenuItem(Command::MarksOverBlocks)->setChecked(ctx_.options[kDrawMarksOverBlocks]);
}

void MainWindow::OnMenuCommand(Command command) {
    ExecuteGuarded(CommandKey(command));
    // Qt ticks a checkable item on the click itself; the tick follows the state instead, which
    // a refused command leaves as it was.
    SyncTicks();
}

void MainWindow::CloseProgram() {
    close();
}

// --- Dispatcher ------------------------------------------------------------------------------

void MainWindow::ExecuteGuarded(unsigned char c) {
    ShellState& f = shell_;
    const CommandGuard guard(f.commandRunning);
    if (!guard.Held()) return;
    ExecuteCommand(c);
}

void MainWindow::ExecuteCommand(unsigned char c) {
    ShellState& f = shell_;
    if (f.replayRunning) {
        f.replayStopRequest = true;
        return;
    }
    if (c == kCommandF1) {
        ShowHelpTopic("Start");
        return;
    }
    const bool automatic = ctx_.options[kAutomaticBoardSizing];
    if (c == '*') {
        if (!f.recordingGif && view_.cellSize < view_.maxCellSize && !automatic) {
            UpdateCellSize(CellSizing::kZoomIn);
            RedrawBoard();
            return;
        }
    } else if (c == '/') {
        if (!f.recordingGif && view_.cellSize > kMinCellSize && !automatic) {
            UpdateCellSize(CellSizing::kZoomOut);
            RedrawBoard();
            return;
        }
    } else if (c == 'F' || c == 'f' || (c == '?' && ctx_.editing)) {
        if (!f.recordingGif && !automatic) {
            UpdateCellSize(CellSizing::kFit);
            RedrawBoard();
            return;
        }
    }
    if (f.commandsBlocked) return;
    if (ctx_.editing) {
        if (editorDispatcher_) editorDispatcher_(c);
        return;
    }
    if (const std::optional<Command> command = CommandOfCharacter(c)) RunCommand(*command);
}

void MainWindow::RunCommand(Command command) {
    ShellState& f = shell_;
    Level& level = ctx_.CurrentLevel();
    switch (command) {
    case Command::ReadLevels:
        f.alreadyCelebrated = false;
        if (std::string name = fileName_; ChooseFile(
                FileChooserSetup{ctx_, chooserState_, history_,
                                 [this](const std::string& topic) { ShowHelpTopic(topic); }, this},
                name, "Read levels", kChooseReading)) {
            fileName_ = name;
            if (HasExtension(".dll", name)) memory_.lastDllPath = name;
            ReadLevelsCommand(name);
        }
        break;
    case Command::CopyVorpel:
        if (const std::string error = WriteLevelText(ctx_, ""); !error.empty())
            platform_.ShowInfo({error});
        break;
    case Command::CopySok:
        if (const std::string error = WriteSokLevel(ctx_, ""); !error.empty())
            platform_.ShowInfo({error});
        break;
    case Command::PasteLevels:
        f.alreadyCelebrated = false;
        ReadLevelsCommand("");
        break;
    case Command::NewInstance:
        QProcess::startDetached(programFile_, {u'*' + ToDisplay(level.title)});
        break;
    case Command::DeleteLevel:
        if (platform_.AskYesNo({kDeleteLevelQuestion})) {
            LevelCollection& collection = ctx_.collection;
            if (collection.lastLevel() <= 0) {
                collection.levels.assign(1, Level{});
                collection.levels[0].Initialise("Void level", 6, 6);
                collection.currentLevel = 0;
            } else {
                collection.levels.erase(collection.levels.begin() + collection.currentLevel);
            }
            f.alreadyCelebrated = false;
            ShowChosenLevel(true);
        }
        break;
    case Command::ChangeTitle:
        ChangeTitle(ChangeTitleDialog(*this, level.title));
        break;
    case Command::LevelList:
        if (const int index = ChooseLevelFromList(*this); index >= 0) ChangeLevel(index, false);
        break;
    case Command::BestSolution:
        ShowBestSolutionDialog(*this);
        break;
    case Command::MoveList:
        f.alreadyCelebrated = false;
        ShowMoveList(*this);
        break;
    case Command::GoToMove:
        ShowGoToMoveDialog(*this);
        break;
    case Command::PreviousLevel:
        ChangeLevel(ctx_.collection.currentLevel - 1, true);
        break;
    case Command::NextLevel:
        ChangeLevel(ctx_.collection.currentLevel + 1, true);
        break;
    case Command::Shuffle:
        f.alreadyCelebrated = false;
        ShuffleCommand();
        break;
    case Command::RestartLevel:
        Navigate(vorpel::RestartLevel);
        break;
    case Command::EndOfLevel:
        Navigate(vorpel::EndOfLevel);
        break;
    case Command::MoveBackward10:
        Navigate([](Context& context) { vorpel::MoveBackward(context, 10); });
        break;
    case Command::MoveForward10:
        Navigate([](Context& context) { vorpel::MoveForward(context, 10); });
        break;
    case Command::MoveBackward:
        Navigate([](Context& context) { vorpel::MoveBackward(context, 1); });
        break;
    case Command::MoveForward:
        Navigate([](Context& context) { vorpel::MoveForward(context, 1); });
        break;
    case Command::StepBackward:
        Navigate(vorpel::StepBackward);
        break;
    case Command::StepForward:
        Navigate(vorpel::StepForward, true);
        break;
    case Command::AutomaticReplay:
        f.replayRunning = true;
        break;
    case Command::ZeroMoveCount:
        ZeroMoveCount(ctx_);
        RedrawBoard();
        break;
    case Command::CountMoves:
        SetAnnotation(Annotation::kCountMoves);
        break;
    case Command::IdentifyBlocks:
        SetAnnotation(Annotation::kIdentifyBlocks);
        break;
    case Command::ViewBlockPath:
        SetAnnotation(Annotation::kBlockPath);
        break;
    case Command::NoAnnotation:
        SetAnnotation(Annotation::kNone);
        break;
    case Command::MarksOverBlocks:
        ctx_.options.value[kDrawMarksOverBlocks] = !ctx_.options[kDrawMarksOverBlocks];
        MenuItem(Command::MarksOverBlocks)->setChecked(ctx_.options[kDrawMarksOverBlocks]);
        RedrawBoard();
        settingsStore_.WriteOptions(true, 0, 0);
        break;
    case Command::FullWindowSize:
        SizeWindow(1, 1);
        break;
    case Command::HalfWindowWidth:
        SizeWindow(2, 1);
        break;
    case Command::ThirdWindowWidth:
        SizeWindow(3, 1);
        break;
    case Command::HalfWindowHeight:
        SizeWindow(1, 2);
        break;
    case Command::ThirdWindowHeight:
        SizeWindow(1, 3);
        break;
    case Command::CentreWindow:
        SizeWindow(0, 0);
        break;
    case Command::MoreOptions:
        if (ShowOptionsWindow(0)) {
            ApplyOptionsToMenus();
            UpdateCellSize(CellSizing::kKeep);
            ShowCoordinates(true);
            RefreshView(false);
        }
        break;
    case Command::About:
        platform_.ShowAbout();
        break;
    case Command::EditLevel:
        boardView_->EndCellSelection();
        f.alreadyCelebrated = false;
        ShowEditor(*this);
        break;
    case Command::SaveVorpel:
        SaveLevelAs(SaveFormat::kOwnText);
        break;
    case Command::SaveSok:
        SaveLevelAs(SaveFormat::kSok);
        break;
    case Command::SaveNbl:
        SaveLevelAs(SaveFormat::kNbl);
        break;
    case Command::SaveDll:
        OpenSaveDllDialog();
        break;
    case Command::SaveGif:
        OpenGifExportWindow();
        break;
    case Command::WriteBricksMoves:
        OpenBricksMovesDialog(true);
        break;
    case Command::ReadBricksMoves:
        OpenBricksMovesDialog(false);
        break;
    default:
        break; // the zoom items, refused above
    }
}

void MainWindow::SetAnnotation(Annotation annotation) {
    boardView_->SetAnnotationMode(annotation);
    if (annotation == Annotation::kBlockPath) MarkBlockPath(ctx_);
    RedrawBoard();
    SyncTicks();
}

void MainWindow::ReadLevelsCommand(const std::string& name) {
    const std::stop_token stop = shell_.StartLoading();
    SetBusy(true, true, false);
    SetHourglass(true);
    RememberedAnswer remembered = kAsk;
    ReadLevelFile(ctx_, name, remembered, stop);
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
    if (hideCelebration && celebrationTicks_ > 0 && celebrationHint_) {
        celebrationTicks_ = 0;
        celebrationHint_->hide();
    }
}

// --- Keys ------------------------------------------------------------------------------------

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // Every key of this window, whichever control has the focus; the menu bar keeps its own.
    if (!widget || widget->window() != this || menuBar()->isAncestorOf(widget) ||
        widget == menuBar())
        return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (HandleKeyDown(key->key(), key->modifiers())) return true;
    if (key->modifiers() & Qt::AltModifier) return true;
    if ((key->modifiers() & Qt::ControlModifier) && key->key() >= Qt::Key_A &&
        key->key() <= Qt::Key_Z) {
        ExecuteGuarded(static_cast<unsigned char>(key->key() - Qt::Key_A + 1));
        return true;
    }
    const std::string text = ToCp1252(key->text());
    if (text.size() == 1) ExecuteGuarded(static_cast<unsigned char>(text[0]));
    return true;
}

bool MainWindow::HandleKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    ShellState& f = shell_;
    const bool altF4 = key == Qt::Key_F4 && (modifiers & Qt::AltModifier);
    if (key == Qt::Key_F1) {
        ShowHelpTopic("Start");
        return true;
    }
    if (key == Qt::Key_Escape && f.loadingLevels) {
        if (platform_.AskYesNo({kStopLoadingQuestion})) f.loadingStop.request_stop();
        return true;
    }
    if (key == Qt::Key_Escape && f.longOperationRunning) {
        f.longOperationStop.request_stop();
        return true;
    }
    const bool functionKey = key >= Qt::Key_F2 && key <= Qt::Key_F12;
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    const bool navigation = key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
                            key == Qt::Key_Home || key == Qt::Key_End;
    if (!functionKey && !arrow && !navigation && key != Qt::Key_Escape && !altF4) return false;
    const CommandGuard guard(f.commandRunning);
    if (!guard.Held()) return true;

    if (f.replayRunning) {
        f.replayStopRequest = true;
        return true;
    }
    if (f.commandsBlocked) return true;
    if (altF4) {
        close();
        return true;
    }
    if (ctx_.editing) {
        if (editorDispatcher_) {
            if (functionKey)
                editorDispatcher_(static_cast<unsigned char>(kCommandF2 + (key - Qt::Key_F2)));
            else if (key == Qt::Key_Escape)
                editorDispatcher_(kEditorEsc);
        }
        return true;
    }
    // The keys of the commands whose menu items show them run those commands.
    switch (key) {
    case Qt::Key_PageUp:
        RunCommand(Command::MoveBackward10);
        return true;
    case Qt::Key_PageDown:
        RunCommand(Command::MoveForward10);
        return true;
    case Qt::Key_Home:
        RunCommand(Command::RestartLevel);
        return true;
    case Qt::Key_End:
        RunCommand(Command::EndOfLevel);
        return true;
    case Qt::Key_F12:
        RunCommand(Command::Shuffle);
        return true;
    case Qt::Key_F2:
        RunCommand(Command::About);
        return true;
    default:
        break;
    }
    if (arrow) ArrowKeyMove(key);
    return true;
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
    if (!DragSelectedBlock(ctx_, column, row, true, [this] { PaintBoardNow(); })) return;
    RefreshView(true);
}

// --- Windows of other modules ----------------------------------------------------------------

void MainWindow::ShowHelpTopic(const std::string& topic) {
    ShowHelp(platform_, topic);
}

bool MainWindow::ShowOptionsWindow(int page) {
    OptionsHooks hooks;
    hooks.repaintEditor = [this] {
        if (ctx_.editing) RedrawBoard();
    };
    hooks.applyOptions = [this] { ApplyOptionsToMenus(); };
    return ShowOptions(page, ctx_, settingsStore_, platform_, hooks);
}

} // namespace vorpel
