// The main window: the board view at its cell size, the status panels, the menus, replay and
// the operations the other windows call.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QRgb>
#include <QString>

#include "app/BestSolutionDialog.h"
#include "app/BoardView.h"
#include "app/BricksMovesDialog.h"
#include "app/Commands.h"
#include "app/CompanionFiles.h"
#include "app/EditorWindow.h"
#include "app/FileChooser.h"
#include "app/GifExportWindow.h"
#include "app/GoToMoveDialog.h"
#include "app/LevelListWindow.h"
#include "app/LevelSaver.h"
#include "app/MessageBox.h"
#include "app/MoveListWindow.h"
#include "app/QtPlatform.h"
#include "app/ResumeKeeper.h"
#include "app/RunMemory.h"
#include "app/SaveDllDialog.h"
#include "app/SettingsStore.h"
#include "app/ShellState.h"
#include "app/SnapshotsDialog.h"
#include "app/SolveWindow.h"
#include "app/TitleDialog.h"
#include "files/Celebration.h"
#include "files/FileNames.h"
#include "files/GameSession.h"
#include "model/Context.h"
#include "render/BoardDrawing.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QTimer;

namespace vorpel {

class BoardView;
class QtPlatform;
enum class SaveFormat;

// The two parts of the raw command line: the program's path and the argument.
struct CommandLine {
    QString programPath;
    QString argument;
};
// A line beginning with a double quote has the path up to the next one; any other the path up to
// the first blank. The argument is the rest without blanks and double quotes at either end.
CommandLine SplitCommandLine(const QString& rawLine);

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

// The main window is the host of every window it opens: each takes the session and the small
// interface of its own that the main window implements, never the main window itself.
class MainWindow : public QMainWindow,
                   public BoardViewHost,
                   public TitleDialogHost,
                   public SnapshotsHost,
                   public BestSolutionHost,
                   public SaveDllHost,
                   public BricksMovesHost,
                   public MoveListHost,
                   public GifExportHost,
                   public EditorHost,
                   public GoToMoveHost,
                   public LevelListHost,
                   public LevelSaverHost,
                   public SolveHost,
                   private GameSession::Observer {
    Q_OBJECT

public:
    // `rawCommandLine` is the program's command line as one text: the program's path (quoted
    // when it holds blanks) and the optional argument.
    MainWindow(GameSession& session, QtPlatform& platform, QString rawCommandLine,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    QWidget& Widget() override { return *this; }

    // --- What the other windows share --------------------------------------------------------
    // The session the window shows.
    GameSession& Session() const { return session_; }
    QtPlatform& Platform() const override { return platform_; }
    // What the program is doing: replay, busy, recording, loading and their stop requests.
    ShellState& Shell() override { return shell_; }
    // The settings store's format; tests choose another before the window is shown.
    void SetSettingsFormat(QSettings::Format format) { settingsFormat_ = format; }
    // The file chooser's state for the run, and the history it offers.
    FileChooserState& ChooserState() override { return chooserState_; }
    FileHistory& History() override { return history_; }
    // What the windows remember for the run.
    RunMemory& Memory() override { return platform_.memory; }
    // The resume file: read at start-up, written at close.
    ResumeKeeper& Resume() override { return resume_; }
    const CompanionFiles& Companions() const override { return companions_; }
    // The file name the read command offers next.
    std::string& FileName() override { return fileName_; }

    // --- View ----------------------------------------------------------------------------------
    // The board view: the cell size, the offsets, the scroll bars and the canvas.
    BoardView& Board() const override { return *boardView_; }
    bool MenusOff() const { return shell_.menusOff; }
    int CelebrationTicks() const { return celebrationTicks_; }
    QMenu* TopMenu(std::size_t index) const { return topMenus_[index]; }
    // The command's action: its menu item, with its shortcuts.
    QAction* Action(Command command) const { return actions_[CommandIndex(command)]; }
    // Sets every action's enabled state and tick from the shell state and the session.
    void UpdateActions();

    // Set by windows that come later: the editor takes the window's keys while it is open,
    // and the GIF export reports the image size.
    void SetEditorKeys(std::function<void(const KeyPress&)> editorKeys) override {
        editorKeys_ = std::move(editorKeys);
    }
    const std::function<void(const KeyPress&)>& EditorKeys() const { return editorKeys_; }
    void SetGifImageSizeReport(std::function<void(int, int, bool)> report) override {
        showGifImageSize_ = std::move(report);
    }

    // --- Operations other windows call -----------------------------------------------------
    using CellSizing = vorpel::CellSizing;
    // Lays out the status bar and, in what it leaves, the board view at a cell size (see
    // BoardView::LayOut); nothing while a recording holds the size.
    void UpdateCellSize(CellSizing sizing) override;
    // One zoom step or the fit, unless automatic sizing or a recording holds the cell size or
    // the size is at its limit; true when the board was zoomed.
    bool Zoom(CellSizing sizing) override;
    void ShowMoveCounts();
    void ShowCoordinates(bool show) override;
    void ShowChosenLevel(bool recompute) override;
    // Goes to move `move` of the current level's history and shows it.
    void ShowMove(int move) override;
    void ShowStep(int position) override;
    // Runs one of the core's history moves and shows where it leaves the level; `celebrate`
    // only for a step forward.
    void Navigate(const std::function<void(Context&)>& historyMove, bool celebrate = false);
    // The one refresh after any change of position: block path, outline flags, board image and
    // move counts, and the celebration when `celebrate` (after a move, a step forward or the end
    // of a replay). While painting is suppressed, the board is only drawn into the canvas.
    void RefreshView(bool celebrate) override;
    void SizeWindow(int widthDivisor, int heightDivisor);
    void SetBusy(bool menusOffValue, bool commandsBlockedValue, bool paintSuppressedValue) override;
    void SetHourglass(bool on) override;
    void RepaintAfterEdit(bool recompute) override;
    void ChangeTitle(const std::string& title);
    // Makes the level at `index` current and shows it; `recompute` keeps the cell size in step
    // with its board.
    void ChooseLevel(int index, bool recompute = true) override;
    void ReloadAfterEdit(bool recompute) override;
    // Carries out the current level's stored best solution and goes back to its start; shows
    // what went wrong, but not the lack of a stored solution.
    void ApplyStoredBestSolution();

    // Saving the level or the collection.
    LevelSaver& Saver() { return saver_; }
    void OpenGifExport() override;
    void OpenSaveDll() override;

    // --- Commands (Commands.cpp) --------------------------------------------------------------
    bool ShowOptionsWindow(int page) override;
    // Changes to the level at `index`; `hideCelebration` for "-", "+" and "=".
    void ChangeLevel(int index, bool hideCelebration);

    // --- Events the board view and the timer pass on --------------------------------------
    void HandleResize() override;
    void OnTimerTick();
    // Starts the automatic replay at the speed of the options: the default rides the tick
    // timer, any other has a timer of its own.
    void StartReplay();
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
    friend struct CommandTable;

    // The session's report: the view follows the position, the level, its title and records.
    void Changed(GameSession::Change change) override;
    void HandleFirstShow();
    void BuildActions();
    void LayOutStatusBar(int clientWidth, int& clientHeight);
    void ReadLevelsCommand(const LevelPlace& place);
    void ReadLevelsFromChosenFile();
    void DeleteLevelCommand();
    void MoreOptionsCommand();
    void ToggleMarksOverBlocks();
    void StartupArgument();
    void SetAnnotation(Annotation annotation);
    void ShuffleCommand();
    void ArrowKeyMove(int key);
    void ShowHelpTopic(const std::string& topic);
    void CelebrateIfSolved();
    // Ends the celebration now, hiding its hint.
    void EndCelebration();
    // One step of the automatic replay, or its end.
    void ReplayStep();
    void ShowImprovedStatus(const SolvedNumbers& numbers);
    // Whether the status bar shows the move counts: by the option, and always on Sokoban levels.
    bool MoveCountsShown() const;
    // The way of every command but Close and "Save all", from its action or its key: one at a
    // time, a key or click stops a replay, the zoom works while busy, and while the editor is
    // open the key goes to it. `key` is the key pressed, if any; a key of no command may still
    // move the held block (the arrows).
    void RunCommand(std::optional<Command> command, const KeyPress* key);
    void HandleKey(const KeyPress& press);
    // True when the window may close.
    bool CanClose();
    // Closes the help window and the windows opened from this one.
    void CloseOtherWindows();
    QString ToDisplay(const std::string& text) const;

    GameSession& session_;
    Context& ctx_; // the session's data
    QtPlatform& platform_;
    ShellState shell_;
    // How the next report of the session is shown: with the celebration check (a step forward),
    // and with the cell size recomputed (a level chosen).
    bool celebrateNext_ = false;
    bool recomputeNext_ = false;
    SettingsStore settingsStore_;
    QSettings::Format settingsFormat_ = QSettings::NativeFormat;
    FileChooserState chooserState_;
    SettingsFileHistory history_{settingsStore_};
    ResumeKeeper resume_;
    LevelSaver saver_{session_, *this};

    int celebrationTicks_ = 0;
    // The names fixed at start-up from the program's path: the executable as the command line
    // names it, and its name without folder up to the first ".".
    QString programFile_;
    CompanionFiles companions_;
    std::string baseName_;
    std::string fileName_;

    // The client area: the board view, with the status bar on it.
    BoardView* boardView_ = nullptr;
    QFrame* infoBar_ = nullptr;
    bool moveCountsLaidOut_ = false; // whether the last layout made room for the move counts
    QLabel* coordinatesPanel_ = nullptr;
    QLabel* blockInfoPanel_ = nullptr;
    QLabel* moveCountsPanel_ = nullptr;
    QTimer* tickTimer_ = nullptr;
    QTimer* replayTimer_ = nullptr; // runs while a replay goes at another speed than the tick's
    QLabel* celebrationHint_ = nullptr;
    std::array<QMenu*, 5> topMenus_{};
    std::array<QAction*, kCommandCount> actions_{};
    std::function<void(const KeyPress&)> editorKeys_;
    std::function<void(int width, int height, bool writingAllowed)> showGifImageSize_;

    QString rawCommandLine_;
    bool started_ = false;
    bool startupDone_ = false; // the first show has read its files and drawn the board
};

} // namespace vorpel
