// The main window's commands: the tables, the menus, the guarded dispatcher and the keys.
#include "app/Comandos.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>

#include "app/Ajuda.h"
#include "app/Opcoes.h"
#include "app/Principal.h"
#include "app/QtPlatform.h"
#include "files/ArquivoSolucoes.h"
#include "files/EntSai.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/SaveOffer.h"
#include "files/SokFormat.h"
#include "model/Execucao.h"
#include "model/Shuffle.h"

namespace vorpel {

// Display order of the five menus.
const std::array<MenuLayout, 5> kMainMenus = {{
    {"Files", {3, 47, 41, 42, 33, 43, 36, 44, 24, 48, 25, 23, -1}, 13},
    {"Levels", {12, 20, 4, 11, 0, 1, 45, 21}, 8},
    {"Moves", {2, 37, 13, 22, 19, 18, 7, 8, 5, 6, 9, 32}, 12},
    {"Setup", {14, 26, 40, 15, 46, 17, 27, 28, 30, 31, 29, 34, 35, 38, 16}, 15},
    {"Help", {10, 39}, 2},
}};

std::string_view ShortcutText(int tag) {
    switch (tag) {
    case -1:
        return "Alt+F4";
    case 2:
        return "R or Home";
    case 10:
        return "F1";
    case 18:
        return "Page Down";
    case 19:
        return "Page Up";
    case 24:
        return "Ctrl+C";
    case 25:
        return "Ctrl+V";
    case 37:
        return "E or End";
    case 39:
        return "F2";
    case 45:
        return "F12";
    case 48:
        return "Ctrl+B";
    default: {
        const std::size_t index = static_cast<std::size_t>(tag + 1);
        return std::string_view(reinterpret_cast<const char*>(&CommandKeys[index]), 1);
    }
    }
}

int TagOfCharacter(unsigned char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    if (c == '=') c = '+';
    if (c == ',') c = '<';
    if (c == '.') c = '>';
    if (c == 0) return kFirstTag - 1;
    for (int tag = kFirstTag; tag <= kLastTag; ++tag)
        if (CommandKey(tag) == c) return tag;
    return kFirstTag - 1;
}

bool CommandAvailable(int tag) {
    switch (tag) {
    case 12: // Editor
    case 20: // Title change
    case 11: // Level list
    case 21: // Best solution
    case 13: // Move list
    case 22: // Go to move
        return false;
    default:
        return true;
    }
}

namespace {

constexpr const char* kDeleteLevelQuestion = "Delete current level from memory?";
constexpr const char* kStopLoadingQuestion = "Stop level entry processing?";

// Block kinds the arrow keys take hold of when no block is held.
bool ArrowKeyKind(Byte k) {
    return k == 34 || k == 36 || k == 38 || k == 45 || k == 59 || (k >= 61 && k <= 64) ||
           (k >= 88 && k <= 91) || k == 93 || (k >= 119 && k <= 125) || (k >= 161 && k <= 191) ||
           k == 247;
}

} // namespace

std::vector<std::string> IniFileHistory::Read() {
    std::vector<std::string> list;
    ini_.ReadHistory(list);
    while (!list.empty() && list.back().empty()) list.pop_back();
    return list;
}
void IniFileHistory::Add(const std::string& fileName) {
    ini_.AddToHistory(fileName);
}
void IniFileHistory::Clear() {
    ini_.ClearHistory();
}

// --- Menus -----------------------------------------------------------------------------------

void TFormPrincipal::BuildMenus() {
    annotationGroup_ = new QActionGroup(this);
    annotationGroup_->setExclusive(true);
    for (std::size_t m = 0; m < kMainMenus.size(); ++m) {
        const MenuLayout& layout = kMainMenus[m];
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QStringLiteral("Menu") +
                            QString::fromLatin1(layout.caption.data(),
                                                static_cast<qsizetype>(layout.caption.size())));
        topMenus[m] = menu;
        for (int i = 0; i < layout.count; ++i) {
            const int tag = layout.tags[static_cast<std::size_t>(i)];
            const std::string_view caption = CommandCaption(tag);
            const std::string_view shortcut = ShortcutText(tag);
            // The text after the tab is the menu's shortcut column.
            QAction* item = menu->addAction(FromCp1252(std::string(caption)) + u'\t' +
                                            FromCp1252(std::string(shortcut)));
            const std::string_view name = CommandItemNames[static_cast<std::size_t>(tag + 1)];
            item->setObjectName(
                QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
            item->setData(tag);
            item->setEnabled(CommandAvailable(tag));
            if (tag == 14 || tag == 26 || tag == 40 || tag == 15) {
                item->setCheckable(true);
                annotationGroup_->addAction(item);
            }
            if (tag == 46) item->setCheckable(true);
            menuItems[static_cast<std::size_t>(tag + 1)] = item;
            if (tag == kFirstTag)
                connect(item, &QAction::triggered, this,
                        &TFormPrincipal::OnClickMenuFecharPrograma);
            else
                connect(item, &QAction::triggered, this, [this, tag] { OnClickMenu(tag); });
        }
    }
    MenuItem(15)->setChecked(true);
}

void TFormPrincipal::SyncTicks() {
    const ShellFlags& f = ctx.flags;
    MenuItem(14)->setChecked(f.countMoves);
    MenuItem(26)->setChecked(f.identifyBlocks);
    MenuItem(40)->setChecked(f.viewBlockPath);
    MenuItem(15)->setChecked(!f.countMoves && !f.identifyBlocks && !f.viewBlockPath);
    MenuItem(46)->setChecked(ctx.options[kDrawMarksOverBlocks]);
}

void TFormPrincipal::ApplyOptionsToMenus() {
    const bool zoom = !ctx.options[kAutomaticBoardSizing];
    for (int tag : {34, 35, 38}) MenuItem(tag)->setEnabled(zoom);
    MenuItem(46)->setChecked(ctx.options[kDrawMarksOverBlocks]);
}

void TFormPrincipal::OnClickMenu(int tag) {
    ExecuteGuarded(CommandKey(tag));
    // Qt ticks a checkable item on the click itself; the tick follows the state instead, which
    // a refused command leaves as it was.
    SyncTicks();
}

void TFormPrincipal::OnClickMenuFecharPrograma() {
    close();
}

// --- Dispatcher ------------------------------------------------------------------------------

void TFormPrincipal::ExecuteGuarded(unsigned char c) {
    ShellFlags& f = ctx.flags;
    const CommandGuard guard(f.commandRunning);
    if (!guard.Held()) return;
    ExecuteCommand(c);
}

void TFormPrincipal::ExecuteCommand(unsigned char c) {
    ShellFlags& f = ctx.flags;
    if (f.replayRunning) {
        f.replayStopRequest = true;
        return;
    }
    if (c == kCommandF1) {
        ShowHelpTopic("Start");
        return;
    }
    const bool automatic = ctx.options[kAutomaticBoardSizing];
    if (c == '*') {
        if (!f.recordingGif && CellSize < MaxCellSize && !automatic) {
            CalcularModulo(false, 11);
            Repintar();
            return;
        }
    } else if (c == '/') {
        if (!f.recordingGif && CellSize > kMinCellSize && !automatic) {
            CalcularModulo(false, 9);
            Repintar();
            return;
        }
    } else if (c == 'F' || c == 'f' || (c == '?' && f.editorActive)) {
        if (!f.recordingGif && !automatic) {
            CalcularModulo(true, 10);
            Repintar();
            return;
        }
    }
    if (f.commandsBlocked) return;
    if (f.editorActive) {
        if (editorDispatcher) editorDispatcher(c);
        return;
    }
    const int tag = TagOfCharacter(c);
    if (tag < kFirstTag || !CommandAvailable(tag)) return;
    Level& level = ctx.CurrentLevel();
    switch (tag) {
    case 36: // Read levels
        f.alreadyCelebrated = false;
        if (std::string name = fileName; ChooseFile(
                FileChooserSetup{ctx, chooserState, history,
                                 [this](const std::string& topic) { ShowHelpTopic(topic); }, this},
                name, "Read levels", kChooseReading)) {
            fileName = name;
            if (HasExtension(".dll", name)) lastDllPath = name;
            ReadLevelsCommand(name);
        }
        break;
    case 24: // Copy to Clipboard (Vorpel)
        if (const std::string error = WriteLevelText(ctx, ""); !error.empty())
            platform.ShowInfo({error});
        break;
    case 48: // Copy to Clipboard (SOK)
        if (const std::string error = WriteSokLevel(ctx, ""); !error.empty())
            platform.ShowInfo({error});
        break;
    case 25: // Copy from Clipboard
        f.alreadyCelebrated = false;
        ReadLevelsCommand("");
        break;
    case 23: // New program instance
        QProcess::startDetached(programFile, {u'*' + ToDisplay(level.title)});
        break;
    case 4: // Delete level
        if (platform.AskYesNo({kDeleteLevelQuestion})) {
            LevelCollection& collection = ctx.collection;
            if (collection.lastLevel() <= 0) {
                collection.levels.assign(1, Level{});
                collection.levels[0].Initialise("Void level", 6, 6);
                collection.currentLevel = 0;
            } else {
                collection.levels.erase(collection.levels.begin() + collection.currentLevel);
            }
            f.alreadyCelebrated = false;
            FinalizarPegarProblema(true);
        }
        break;
    case 0: // Previous level
        ChangeLevel(ctx.collection.currentLevel - 1, true);
        break;
    case 1: // Next level
        ChangeLevel(ctx.collection.currentLevel + 1, true);
        break;
    case 45: // Shuffle blocks
        f.alreadyCelebrated = false;
        ShuffleCommand();
        break;
    case 2:
        ShowMove(0);
        break;
    case 37:
        ShowMove(1000000000);
        break;
    case 19:
        RecuarJogada(10);
        break;
    case 18:
        AvancarJogada(10);
        break;
    case 7:
        RecuarJogada(1);
        break;
    case 8:
        AvancarJogada(1);
        break;
    case 5:
        RecuarMovimento();
        break;
    case 6:
        AvancarMovimento();
        IniciarFesta();
        break;
    case 9:
        f.replayRunning = true;
        break;
    case 32:
        ZeroMoveCount(ctx);
        Repintar();
        break;
    case 14:
        SetAnnotation(true, false, false);
        break;
    case 26:
        SetAnnotation(false, true, false);
        break;
    case 40:
        SetAnnotation(false, false, true);
        break;
    case 15:
        SetAnnotation(false, false, false);
        break;
    case 46: // Marks over blocks
        ctx.options.value[kDrawMarksOverBlocks] = !ctx.options[kDrawMarksOverBlocks];
        MenuItem(46)->setChecked(ctx.options[kDrawMarksOverBlocks]);
        Repintar();
        ini.WriteOptions(true, 0, 0);
        break;
    case 17:
        SizeWindow(1, 1);
        break;
    case 27:
        SizeWindow(2, 1);
        break;
    case 28:
        SizeWindow(3, 1);
        break;
    case 30:
        SizeWindow(1, 2);
        break;
    case 31:
        SizeWindow(1, 3);
        break;
    case 29:
        SizeWindow(0, 0);
        break;
    case 16: // More options
        if (ShowOptionsWindow(0)) {
            ApplyOptionsToMenus();
            CalcularModulo(false, 10);
            MostrarJogadas();
            MostrarCoordenadas(true);
            Repintar();
        }
        break;
    case 39:
        platform.ShowAbout();
        break;
    case 3:
        SaveLevelAs(SaveFormat::kOwnText);
        break;
    case 47:
        SaveLevelAs(SaveFormat::kSok);
        break;
    case 41:
        SaveLevelAs(SaveFormat::kNbl);
        break;
    case 42:
        OpenSaveDllDialog();
        break;
    case 33:
        OpenGifExportWindow();
        break;
    case 43:
        OpenBricksMovesDialog(true);
        break;
    case 44:
        OpenBricksMovesDialog(false);
        break;
    default:
        break; // the zoom items, refused above
    }
}

void TFormPrincipal::SetAnnotation(bool count, bool identify, bool path) {
    ShellFlags& f = ctx.flags;
    f.countMoves = count;
    f.identifyBlocks = identify;
    f.viewBlockPath = path;
    if (path) MarkBlockPath(ctx);
    Repintar();
    SyncTicks();
}

void TFormPrincipal::ReadLevelsCommand(const std::string& name) {
    ShellFlags& f = ctx.flags;
    f.stopLoading = false;
    f.loadingLevels = true;
    SetBusy(true, true, false);
    SetHourglass(true);
    RememberedAnswer remembered = kAsk;
    ReadLevelFile(ctx, name, remembered);
    SetBusy(false, false, false);
    f.loadingLevels = false;
    SetHourglass(false);
    FinalizarPegarProblema(true);
}

void TFormPrincipal::ShuffleCommand() {
    SetBusy(true, true, false);
    const bool shuffled = ShuffleBlocks(ctx);
    SetBusy(false, false, false);
    if (shuffled) FinalizarPegarProblema(false);
}

void TFormPrincipal::ChangeLevel(int index, bool hideCelebration) {
    MostrarCoordenadas(false);
    ctx.flags.alreadyCelebrated = false;
    ctx.collection.currentLevel = index;
    FinalizarPegarProblema(true);
    if (ctx.CurrentLevel().stepCount == 0) {
        ApplyStoredBestSolution();
        RefreshView(true);
    }
    if (hideCelebration && celebrationTicks > 0 && celebrationHint) {
        celebrationTicks = 0;
        celebrationHint->hide();
    }
}

void TFormPrincipal::RecuarJogada(int n) {
    ShowMove(CurrentMove(ctx.CurrentLevel()) - n);
}

void TFormPrincipal::AvancarJogada(int n) {
    const Level& level = ctx.CurrentLevel();
    // An unfinished move counts as the first of the n.
    ShowMove(CurrentMove(level) + (InMiddleOfMove(level) ? n - 1 : n));
}

void TFormPrincipal::RecuarMovimento() {
    ShowPosition(ctx.CurrentLevel().currentStep - 1, true, false);
}

void TFormPrincipal::AvancarMovimento() {
    ShowPosition(ctx.CurrentLevel().currentStep + 1, false, false);
}

// --- Keys ------------------------------------------------------------------------------------

bool TFormPrincipal::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // Every key of this window, whichever control has the focus; the menu bar keeps its own.
    if (!widget || widget->window() != this || menuBar()->isAncestorOf(widget) ||
        widget == menuBar())
        return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (OnKeyDownFormPrincipal(key->key(), key->modifiers())) return true;
    if (key->modifiers() & Qt::AltModifier) return true;
    if ((key->modifiers() & Qt::ControlModifier) && key->key() >= Qt::Key_A &&
        key->key() <= Qt::Key_Z) {
        OnKeyPressFormPrincipal(static_cast<unsigned char>(key->key() - Qt::Key_A + 1));
        return true;
    }
    const std::string text = ToCp1252(key->text());
    if (text.size() == 1) OnKeyPressFormPrincipal(static_cast<unsigned char>(text[0]));
    return true;
}

void TFormPrincipal::OnKeyPressFormPrincipal(unsigned char c) {
    ExecuteGuarded(c);
}

bool TFormPrincipal::OnKeyDownFormPrincipal(int key, Qt::KeyboardModifiers modifiers) {
    ShellFlags& f = ctx.flags;
    const bool altF4 = key == Qt::Key_F4 && (modifiers & Qt::AltModifier);
    if (key == Qt::Key_F1) {
        ShowHelpTopic("Start");
        return true;
    }
    if (key == Qt::Key_Escape && f.loadingLevels) {
        if (platform.AskYesNo({kStopLoadingQuestion})) f.stopLoading = true;
        return true;
    }
    if (key == Qt::Key_Escape && f.longOperationRunning) {
        f.stopLongOperation = true;
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
    if (f.editorActive) {
        if (editorDispatcher) {
            if (functionKey)
                editorDispatcher(static_cast<unsigned char>(kCommandF2 + (key - Qt::Key_F2)));
            else if (key == Qt::Key_Escape)
                editorDispatcher(kEditorEsc);
        }
        return true;
    }
    switch (key) {
    case Qt::Key_PageUp:
        RecuarJogada(10);
        return true;
    case Qt::Key_PageDown:
        AvancarJogada(10);
        return true;
    case Qt::Key_Home:
        ShowMove(0);
        return true;
    case Qt::Key_End:
        ShowMove(1000000000);
        return true;
    case Qt::Key_F12:
        f.alreadyCelebrated = false;
        ShuffleCommand();
        return true;
    case Qt::Key_F2:
        platform.ShowAbout();
        return true;
    default:
        break;
    }
    if (arrow) ArrowKeyMove(key);
    return true;
}

void TFormPrincipal::ArrowKeyMove(int key) {
    PlayBoard& board = ctx.board;
    if (board.selectedBlock == 0) {
        int found = 0, count = 0;
        for (int i = 2; i <= board.blockCount; ++i) {
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
    if (!DragSelectedBlock(ctx, column, row, true)) return;
    if (ctx.flags.viewBlockPath) MarkBlockPath(ctx);
    RefreshView(true);
}

// --- Windows of other modules ----------------------------------------------------------------

void TFormPrincipal::ShowHelpTopic(const std::string& topic) {
    ShowHelp(platform, topic);
}

bool TFormPrincipal::ShowOptionsWindow(int page) {
    OptionsHooks hooks;
    hooks.repaintEditor = [this] {
        if (ctx.flags.editorActive) Repintar();
    };
    hooks.applyOptions = [this] { ApplyOptionsToMenus(); };
    return ShowOptions(page, ctx, ini, platform, hooks);
}

} // namespace vorpel
