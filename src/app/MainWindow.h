// The main window: the board at its cell size, the status panels, mouse play, replay and the
// operations the other windows call.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QRgb>
#include <QString>
#include <QVector>

#include "app/Commands.h"
#include "app/CompanionFiles.h"
#include "app/FileChooser.h"
#include "app/NavigationState.h"
#include "app/SettingsStore.h"
#include "model/Context.h"
#include "model/RowSet.h"
#include "qtglyphs/QtGlyphRasterizer.h"
#include "render/Desenhar.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QScrollBar;
class QTimer;

namespace vorpel {

class QtPlatform;
class ClientArea;
class EditorWindow;

// The two parts of the raw command line: the program's path and the argument.
struct CommandLine {
    QString programPath;
    QString argument;
};
// A line beginning with a double quote has the path up to the next one; any other the path up to
// the first blank. The argument is the rest without blanks and double quotes at either end.
CommandLine SplitCommandLine(const QString& rawLine);

// The lines of a message text: split at LF, CRs dropped.
std::vector<std::string> SplitMessage(const std::string& text);

// The file history the chooser offers, kept in the settings store.
class SettingsFileHistory : public FileHistory {
public:
    explicit SettingsFileHistory(SettingsStore& settingsStore) : settingsStore_(settingsStore) {}
    std::vector<std::string> Read() override;
    void Add(const std::string& fileName) override;
    void Clear() override;

private:
    SettingsStore& settingsStore_;
};

// Holds the flag that one command at a time runs: a command arriving while another runs (from
// a nested event loop, such as a message box's) finds it held and does nothing.
class CommandGuard {
public:
    explicit CommandGuard(bool& flag) : flag_(flag), held_(!flag) { flag_ = true; }
    ~CommandGuard() {
        if (held_) flag_ = false;
    }
    CommandGuard(const CommandGuard&) = delete;
    CommandGuard& operator=(const CommandGuard&) = delete;

    bool Held() const { return held_; }

private:
    bool& flag_;
    bool held_;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
    friend class ClientArea;
    friend class EditorWindow;

public:
    // `rawCommandLine` is the program's command line as one text: the program's path (quoted
    // when it holds blanks) and the optional argument.
    MainWindow(Context& ctx, QtPlatform& platform, QString rawCommandLine,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    Context& ctx;
    QtPlatform& platform;
    // The settings store; tests choose another format before the window is shown.
    SettingsStore settingsStore;
    QSettings::Format settingsFormat = QSettings::NativeFormat;
    // The file chooser's state for the run, and the history it offers.
    FileChooserState chooserState;
    SettingsFileHistory history{settingsStore};
    // What the level list, the move list and the small dialogs keep for the run.
    NavigationState navigationState;

    // --- View geometry ---------------------------------------------------------------------
    int CellSize = kMinCellSize;
    int MaxCellSize = kMinCellSize;
    int BoardWidth = 0;
    int BoardHeight = 0;
    int ViewWidth = 0;
    int ViewHeight = 0;
    int OffsetX = 0;
    int OffsetY = 0;
    int PreviousCellSize = kMinCellSize;

    // --- Mouse and selection state -----------------------------------------------------------
    bool dragging = false;
    int lastDragX = 0;
    int lastDragY = 0;
    int originColumn = 0;
    int originRow = 0;
    int mouseColumn = 0;
    int mouseRow = 0;
    int selectionAnchorColumn = -1;
    int selectionAnchorRow = 0;
    int selectionLastColumn = 0;
    int selectionLastRow = 0;
    RowSet selectionBase;

    // --- Window state ----------------------------------------------------------------------
    int celebrationTicks = 0;
    bool menusOff = false;
    bool paintSuppressed = false;
    // The names fixed at start-up from the program's path: the executable as the command line
    // names it, and its name without folder up to the first ".".
    QString programFile;
    CompanionFiles companions;
    std::string baseName;
    QString startFolder;
    // The file name the read command offers next.
    std::string fileName;

    // --- Controls --------------------------------------------------------------------------
    QWidget* client = nullptr; // the client area: board, scroll bars and status bar
    QScrollBar* horizontalScrollBar = nullptr;
    QScrollBar* verticalScrollBar = nullptr;
    QFrame* boardPanel = nullptr;
    QFrame* infoBar = nullptr;
    QLabel* coordinatesPanel = nullptr;
    QLabel* blockInfoPanel = nullptr;
    QLabel* moveCountsPanel = nullptr;
    QTimer* tickTimer = nullptr;
    QLabel* celebrationHint = nullptr;
    std::array<QMenu*, 5> topMenus{};
    std::array<QAction*, kCommandCount> menuItems{};
    QAction* MenuItem(Command command) const { return menuItems[CommandIndex(command)]; }

    BoardCanvas& Canvas() { return *canvas_; }

    // Set by windows that come later: the editor's command dispatcher (while `editorActive`)
    // and the GIF export's report of the image size.
    std::function<void(unsigned char)> editorDispatcher;
    std::function<void(int width, int height, bool writingAllowed)> showGifImageSize;

    // --- Operations other windows call -----------------------------------------------------
    // Lays out the status bar and scroll bars and sets the cell size through the render
    // library's rules: kept (clamped), one zoom step in or out, or fitted to the view.
    enum class CellSizing { kKeep, kZoomIn, kZoomOut, kFit };
    void UpdateCellSize(CellSizing sizing);
    void RedrawBoard();
    void ShowMoveCounts();
    void ShowCoordinates(bool show);
    void CelebrateIfSolved();
    void ShowChosenLevel(bool recompute);
    // Goes to move `move` of the current level's history and shows it.
    void ShowMove(int move);
    // Runs one of the core's history moves and shows where it leaves the level; `celebrate`
    // only for a step forward.
    void Navigate(const std::function<void(Context&)>& historyMove, bool celebrate = false);
    // The one refresh after any change of position: block path, outline flags, board image and
    // move counts, and the celebration when `celebrate` (after a move, a step forward or the end
    // of a replay). While painting is suppressed, the board is only drawn into the canvas.
    void RefreshView(bool celebrate);
    void SizeWindow(int widthDivisor, int heightDivisor);
    void SetBusy(bool menusOffValue, bool commandsBlockedValue, bool paintSuppressedValue);
    void SetHourglass(bool on);
    void RepaintAfterEdit(bool recompute);
    void ShowImprovedStatus(int moves, int steps, int moveDifference, int stepDifference);
    void ChangeTitle(const std::string& title);
    void ChooseLevel(int index);
    void ReloadAfterEdit(bool recompute);
    // Carries out the current level's stored best solution and goes back to its start; shows
    // what went wrong, but not the lack of a stored solution.
    void ApplyStoredBestSolution();

    // --- Commands (Commands.cpp) -------------------------------------------------------------
    // The guard every command goes through: dropped while another command runs.
    void ExecuteGuarded(unsigned char c);
    void ExecuteCommand(unsigned char c);
    void OnMenuCommand(Command command);
    void CloseProgram();
    // Key handlers; true when the key was consumed.
    bool HandleKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void HandleCommandKey(unsigned char c);
    // Changes to the level at `index`; `hideCelebration` for "-", "+" and "=".
    void ChangeLevel(int index, bool hideCelebration);
    // Sets the zoom items' state and the "Marks over blocks" tick from the options.
    void ApplyOptionsToMenus();

    // --- Window events ---------------------------------------------------------------------
    void HandleFirstShow();
    void PaintBoard(QPainter& painter);
    void HandleResize();
    void BoardMousePress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y,
                         bool doubleClick);
    void BoardMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void BoardMouseRelease();
    bool BoardWheel(int delta, int x, int y);
    void OnHorizontalScroll(int position);
    void OnVerticalScroll(int position);
    void OnTimerTick();
    // True when the window may close.
    bool CanClose();
    // Reads dropped files (their names in the file system's encoding).
    void OnDropFiles(const std::vector<std::string>& names, bool nameFailed);

    // Whether the start-up has run.
    bool started() const { return started_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void LayOutStatusBar(int clientWidth, int& clientHeight);
    void PlaceScrollBars(bool horizontal, bool vertical);
    void EditorMouseDown(Qt::KeyboardModifiers modifiers, int bx, int by);
    void EditorMouseMove(int bx, int by);
    void PlayMouseMove(Qt::KeyboardModifiers modifiers, int bx, int by);
    void ReadLevelsCommand(const std::string& name);
    void StartupArgument();
    void SetAnnotation(bool count, bool identify, bool path);
    void SyncTicks();
    void ShuffleCommand();
    void ArrowKeyMove(int key);
    void ShowHelpTopic(const std::string& topic);
    bool ShowOptionsWindow(int page);
    QString ToDisplay(const std::string& text) const;

    QString rawCommandLine_;
    bool started_ = false;
    QtGlyphRasterizer rasterizer_;
    std::unique_ptr<BoardCanvas> canvas_;
    QVector<QRgb> colourTable_;
    QActionGroup* annotationGroup_ = nullptr;
};

} // namespace vorpel
