// The main window: start-up, the board view's geometry and scroll bars, the status panels,
// painting, the celebration and replay timer, and the operations the other windows call.
#include "app/MainWindow.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>

#include "app/BoardView.h"
#include "app/CompanionFiles.h"
#include "app/EditorWindow.h"
#include "app/HelpKey.h"
#include "app/HelpWindow.h"
#include "app/QtPlatform.h"
#include "app/ReplaySpeed.h"
#include "app/SolveWindow.h"
#include "editor/EditorOps.h"
#include "files/BestSolutions.h"
#include "files/Celebration.h"
#include "files/FileNames.h"
#include "files/LevelList.h"
#include "files/LevelLoad.h"
#include "files/Records.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Sokoban.h"
#include "model/SokobanPaths.h"

namespace vorpel {

namespace {

constexpr int kStatusBarHeight = 24;
constexpr int kCoordinatesWidth = 90;
constexpr int kIdentifierWidth = 100;
constexpr int kPanelGap = 3;
constexpr int kCelebrationTicks = 10;
constexpr const char* kStopLoadingQuestion = "Stop level entry processing?";
constexpr const char* kCloseQuestion = "Really close the program?";
constexpr const char* kDropNameError = "Error when trying to get the file name.";

// The label the board draws on a block: two glyphs for a number from 0, one for an alphanumeric
// block; empty when a glyph lies outside the strip.
std::string IdentifierText(int number) {
    const auto glyph = [](int g) -> std::string {
        if (g < 0 || g >= GlyphStrip::kGlyphs) return {};
        return std::string(1, GlyphStrip::kText[static_cast<std::size_t>(g)]);
    };
    if (number < 0) return glyph(-number);
    const std::string first = glyph((number >> 6) + 1), second = glyph((number & 63) + 1);
    return first.empty() || second.empty() ? std::string() : first + second;
}

} // namespace

CommandLine SplitCommandLine(const QString& rawLine) {
    CommandLine result;
    qsizetype end = 0;
    if (rawLine.startsWith(u'"')) {
        const qsizetype close = rawLine.indexOf(u'"', 1);
        end = close < 0 ? rawLine.size() : close + 1;
        result.programPath = rawLine.mid(1, (close < 0 ? rawLine.size() : close) - 1);
    } else {
        const qsizetype blank = rawLine.indexOf(u' ');
        end = blank < 0 ? rawLine.size() : blank;
        result.programPath = rawLine.left(end);
    }
    QString rest = rawLine.mid(end);
    qsizetype first = 0, last = rest.size();
    const auto trimmed = [](QChar c) { return c == u' ' || c == u'"'; };
    while (first < last && trimmed(rest[first])) ++first;
    while (last > first && trimmed(rest[last - 1])) --last;
    result.argument = rest.mid(first, last - first);
    return result;
}

MainWindow::MainWindow(GameSession& session, QtPlatform& qtPlatform, QString rawCommandLine,
                       QWidget* parent)
    : QMainWindow(parent), session_(session), ctx_(session.Data()), platform_(qtPlatform),
      settingsStore_(ctx_.options, qtPlatform), resume_(ctx_, qtPlatform),
      rawCommandLine_(std::move(rawCommandLine)) {
    session_.AddObserver(*this);
    setObjectName(QStringLiteral("MainWindow"));
    setMinimumSize(250, 250);
    platform_.window = this;
    InstallHelpKey(*this);
    platform_.settings = &settingsStore_;

    boardView_ = new BoardView(*this, *this, ctx_);
    setCentralWidget(boardView_);

    // Over the board view's scroll bars, along its bottom.
    infoBar_ = new QFrame(boardView_);
    infoBar_->setObjectName(QStringLiteral("infoBar"));
    infoBar_->setAutoFillBackground(true);
    const auto panel = [this](const char* name) {
        auto* label = new QLabel(infoBar_);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    };
    coordinatesPanel_ = panel("coordinatesPanel");
    blockInfoPanel_ = panel("blockInfoPanel");
    moveCountsPanel_ = panel("moveCountsPanel");

    tickTimer_ = new QTimer(this);
    tickTimer_->setObjectName(QStringLiteral("tickTimer"));
    tickTimer_->setInterval(kTickInterval);
    connect(tickTimer_, &QTimer::timeout, this, &MainWindow::OnTimerTick);
    replayTimer_ = new QTimer(this);
    replayTimer_->setObjectName(QStringLiteral("replayTimer"));
    replayTimer_->setTimerType(Qt::PreciseTimer);
    connect(replayTimer_, &QTimer::timeout, this, &MainWindow::ReplayStep);

    BuildActions();
    // The level being read, shown while a long read goes on; the read lets the paint through.
    platform_.showLoadingBoard = [this] {
        // Start-up reads come before the first painted board, which shows the result anyway.
        if (!startupDone_) return;
        UpdateCellSize(CellSizing::kKeep);
        boardView_->Redraw();
    };
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    session_.RemoveObserver(*this);
    qApp->removeEventFilter(this);
    platform_.showLoadingBoard = nullptr;
    if (platform_.window == this) platform_.window = nullptr;
    if (platform_.settings == &settingsStore_) platform_.settings = nullptr;
}

QString MainWindow::ToDisplay(const std::string& text) const {
    return FromCp1252(text);
}

// --- Start-up --------------------------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!started_) {
        started_ = true;
        HandleFirstShow();
    }
}

void MainWindow::HandleFirstShow() {
    // 1. Flags and view state.
    shell_ = ShellState{};
    boardView_->Reset();
    boardView_->SetCellSize(kMinCellSize);

    // 2. Menu captions and panel hints.
    for (std::size_t i = 0; i < topMenus_.size(); ++i)
        topMenus_[i]->setTitle(QString::fromLatin1(
            kMainMenus[i].caption.data(), static_cast<qsizetype>(kMainMenus[i].caption.size())));
    coordinatesPanel_->setToolTip(QStringLiteral("Mouse coordinates"));
    blockInfoPanel_->setToolTip(
        QStringLiteral("Identifier and number of moves of the block pointed by the mouse"));

    // 3. Drawing.
    boardView_->InitPalette();
    celebrationTicks_ = 0;

    // 4. Names from the program's path: companion files beside it (or in the per-user data
    // folder when its folder cannot be written), the settings key and the start folder.
    const CommandLine line = SplitCommandLine(rawCommandLine_);
    programFile_ = line.programPath;
    companions_ = CompanionFiles(QFileInfo(programFile_).absoluteFilePath(),
                                 CompanionFiles::ForThisProgram().DataFolder());
    SetUpCompanionFiles(ctx_, platform_, companions_);
    baseName_ = ToFileName(companions_.SettingsName());
    settingsStore_.SetSettingsKey(companions_.SettingsName(), settingsFormat_);
    QString startFolder = QDir::currentPath();
    if (!startFolder.endsWith(u'/') && !startFolder.endsWith(u'\\')) startFolder += u'/';
    chooserState_.startFolder = startFolder;

    // 5. Options.
    settingsStore_.SetOptionNames();
    UpdateActions();

    // 6. The levels of the last session, or else the startup files. A copy started for one
    // level reads them but never writes them.
    const bool resumed =
        resume_.ResumeAtStart(companions_.DataFolder(), !line.argument.startsWith(u'*'));
    if (!resumed) ReadStartupLevels(ctx_, companions_);

    // 7. The current level with its best solution, at its start; a resumed level where it was.
    ShowCurrentLevel(ctx_);
    if (!resumed) ApplyStoredBestSolution();

    // 8 and 9. The argument.
    StartupArgument();

    // 10. Status panels; the identifier panel in the font of the board's letters.
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    blockInfoPanel_->setFont(courier);

    // 11. Half the work area, in the right half of the screen (the left half for a copy
    // started for one level).
    move(x(), 0);
    SizeWindow(2, 1);
    // The window manager's frame is only known once shown: the frame, title bar included, then
    // goes inside the work area.
    PlaceFrame(*this, FrameRect(*this, Memory().frameMargins), Memory().frameMargins);

    // 12 to 14.
    UpdateCellSize(CellSizing::kFit);
    session_.ReadRecords(RecordsFile(companions_), false);
    celebrationHint_ = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
    celebrationHint_->setObjectName(QStringLiteral("celebrationHint"));
    celebrationHint_->setTextFormat(Qt::PlainText);
    celebrationHint_->setAlignment(Qt::AlignCenter);
    celebrationHint_->setMargin(8);
    celebrationHint_->setFrameStyle(QFrame::Box | QFrame::Plain);
    celebrationHint_->setForegroundRole(QPalette::ToolTipText);
    celebrationHint_->setBackgroundRole(QPalette::ToolTipBase);
    celebrationHint_->setAutoFillBackground(true);
    QFont hintFont = celebrationHint_->font();
    hintFont.setBold(true);
    hintFont.setPointSizeF(hintFont.pointSizeF() * 1.5);
    celebrationHint_->setFont(hintFont);
    celebrationHint_->hide();
    // The hint floats above every window: a window that takes the focus (a dialog opened right
    // after the solve) ends the celebration rather than lie under it.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
        if (focus && focus != windowHandle() && celebrationTicks_ > 0) EndCelebration();
    });
    tickTimer_->start();
    boardView_->setFocus();
    RefreshView(true);
    setAcceptDrops(true);
    startupDone_ = true;
}

void MainWindow::StartupArgument() {
    const QString argument = SplitCommandLine(rawCommandLine_).argument;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 0;
    if (!argument.isEmpty() && !argument.startsWith(u'*')) {
        std::string name = ToFileName(argument);
        if (name.size() > kMaxFileName) {
            platform_.ShowInfo({kNameTooLongIntro, name});
        } else if (ResolveShortcut(platform_, name)) {
            platform_.ShowInfo({kShortcutFailed + ToFileName(argument)});
        } else {
            const std::stop_token stop = shell_.StartLoading();
            SetBusy(true, true, false);
            RememberedAnswer remembered = kAsk;
            const int firstNew = static_cast<int>(ctx_.collection.levels.size());
            ReadLevelFile(ctx_, name, remembered, stop);
            OpenFirstUnsolved(ctx_, firstNew);
            SetBusy(false, false, false);
            shell_.loadingLevels = false;
            ShowCurrentLevel(ctx_);
        }
    }
    if (argument.size() > 1 && argument.startsWith(u'*')) {
        const int index = FindLevelByTitle(ctx_, ToCp1252(argument.mid(1)));
        if (index >= 0) {
            ctx_.collection.currentLevel = index;
            ShowChosenLevel(true);
            // A resumed level keeps the moves it was left with.
            if (ctx_.CurrentLevel().stepCount == 0) ApplyStoredBestSolution();
        }
        move(0, y());
    } else {
        move(screenWidth, y());
    }
}

// --- Geometry --------------------------------------------------------------------------------

void MainWindow::LayOutStatusBar(int clientWidth, int& clientHeight) {
    const bool coordinates = ctx_.options[kShowMouseCoordinates];
    const bool identifiers = ctx_.options[kShowIdentifiersAndMoves];
    const bool moves = MoveCountsShown();
    moveCountsLaidOut_ = moves;
    const int top = 2, height = kStatusBarHeight - 4;
    const auto hide = [&](QLabel* label) {
        label->setGeometry(-clientWidth - 100, top, 50, height);
        label->clear();
    };
    int x = 0;
    if (coordinates) {
        const int width = identifiers || moves ? kCoordinatesWidth : clientWidth;
        coordinatesPanel_->setGeometry(0, top, width, height);
        x = width + kPanelGap;
    } else {
        hide(coordinatesPanel_);
    }
    if (identifiers) {
        const int width = moves ? kIdentifierWidth : clientWidth - x;
        blockInfoPanel_->setGeometry(x, top, width, height);
        x += width + kPanelGap;
    } else {
        hide(blockInfoPanel_);
    }
    if (moves) {
        moveCountsPanel_->setGeometry(x, top, std::max(0, clientWidth - x), height);
        x = 1;
    } else {
        hide(moveCountsPanel_);
        moveCountsPanel_->setToolTip(QString());
    }
    if (x > 0) {
        infoBar_->setGeometry(0, clientHeight - kStatusBarHeight, clientWidth, kStatusBarHeight);
        clientHeight -= kStatusBarHeight;
    } else {
        infoBar_->setGeometry(0, clientHeight, clientWidth, kStatusBarHeight);
    }
}

void MainWindow::UpdateCellSize(CellSizing sizing) {
    if (shell_.recordingGif) return;
    int width = boardView_->width(), height = boardView_->height();
    LayOutStatusBar(width, height);
    boardView_->LayOut(sizing, width, height, ctx_.options[kAutomaticBoardSizing]);
    const ViewGeometry& view = boardView_->View();
    if (showGifImageSize_) showGifImageSize_(view.boardWidth, view.boardHeight, true);
}

void MainWindow::HandleResize() {
    if (!started_) return;
    const int before = boardView_->View().cellSize;
    UpdateCellSize(CellSizing::kKeep);
    if (boardView_->View().cellSize == before)
        boardView_->update();
    else
        boardView_->Redraw();
}

// --- Window sizing ---------------------------------------------------------------------------

void MainWindow::SizeWindow(int widthDivisor, int heightDivisor) {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (work.isEmpty() && screen) work = screen->geometry();
    const QRect frame = frameGeometry(), inner = geometry();
    const int border = std::max(0, inner.left() - frame.left());
    work.adjust(border, border, -border, -border);
    const int aw = work.width(), ah = work.height();
    // Outer size to inner size.
    const int extraWidth = frame.width() - inner.width();
    const int extraHeight = frame.height() - inner.height();
    int width = frame.width(), height = frame.height();
    if (widthDivisor < 0 || heightDivisor < 0) {
        width = std::min(width, aw);
        height = std::min(height, ah);
        resize(width - extraWidth, height - extraHeight);
    } else if (widthDivisor == 0 || heightDivisor == 0) {
        if (isMaximized() || isFullScreen()) showNormal();
        width = std::min(frameGeometry().width(), aw);
        height = std::min(frameGeometry().height(), ah);
        resize(width - extraWidth, height - extraHeight);
        move(work.left() + (aw - width) / 2, work.top() + (ah - height) / 2);
    } else {
        if (isMaximized() || isFullScreen()) showNormal();
        width = aw / widthDivisor;
        height = ah / heightDivisor;
        resize(std::max(minimumWidth(), width - extraWidth),
               std::max(minimumHeight(), height - extraHeight));
    }
    // Inside the work area.
    width = std::max(width, minimumWidth());
    height = std::max(height, minimumHeight());
    int left = pos().x(), top = pos().y();
    if (left + width > work.left() + aw) left = work.left() + aw - width;
    if (top + height > work.top() + ah) top = work.top() + ah - height;
    if (left < work.left()) left = work.left();
    if (top < work.top()) top = work.top();
    move(left, top);
}

// --- Status panels ---------------------------------------------------------------------------

bool MainWindow::MoveCountsShown() const {
    // Sokoban players expect the counts, so a Sokoban level shows them whatever the option says
    // (the option itself stays as set for the other levels).
    return ctx_.options[kShowTotalMovesAndRecords] || IsSokobanLevel(ctx_.CurrentLevel());
}

void MainWindow::ShowMoveCounts() {
    const Level& level = ctx_.CurrentLevel();
    setWindowTitle(FromFileName(baseName_) + QStringLiteral(" - ") + ToDisplay(level.title));
    const bool shown = MoveCountsShown();
    // Going between a Sokoban level and another may show or hide the panel.
    if (shown != moveCountsLaidOut_) UpdateCellSize(CellSizing::kKeep);
    if (!shown) return;
    const std::string text = MoveCountsText(ctx_);
    moveCountsPanel_->setText(ToDisplay(text));
    moveCountsPanel_->setToolTip(ToDisplay(text));
}

void MainWindow::ShowImprovedStatus(const SolvedNumbers& numbers) {
    if (!MoveCountsShown()) return;
    const std::string text = ImprovedStatusText(ctx_, numbers);
    moveCountsPanel_->setText(ToDisplay(text));
    moveCountsPanel_->setToolTip(ToDisplay(text));
}

void MainWindow::ShowCoordinates(bool show) {
    if (ctx_.options[kShowMouseCoordinates]) {
        coordinatesPanel_->setText(show ? QStringLiteral(" y: %1, x: %2")
                                              .arg(boardView_->MouseRow())
                                              .arg(boardView_->MouseColumn())
                                        : QString());
    }
    if (!ctx_.options[kShowIdentifiersAndMoves]) return;
    std::string text;
    const int row = boardView_->OriginRow() + boardView_->MouseRow();
    const int column = boardView_->OriginColumn() + boardView_->MouseColumn();
    const PlayBoard& board = ctx_.board;
    if (show && board.Inside(row, column)) {
        const Byte kind = DisplayChar(board, row, column);
        int number = 0;
        if (IsAnnotatedKind(kind) && DisplayedBlockNumber(board, row, column, number)) {
            const std::string label = IdentifierText(number);
            if (!label.empty()) {
                int count = 0;
                if (kind == kBlockadeKind || !BlockMoveCount(ctx_, row, column, true, count))
                    count = 0;
                text = "\"" + label + "\", " + std::to_string(count);
            }
        }
    }
    blockInfoPanel_->setText(ToDisplay(text));
}

// --- Positions and levels --------------------------------------------------------------------

void MainWindow::RefreshView(bool celebrate) {
    boardView_->DropHint(); // it showed the move from the position before
    boardView_->MarkPath();
    if (shell_.paintSuppressed) {
        // A recording reads the canvas: the board is drawn there, without the held block's
        // mark, and the window shows it when painting resumes.
        boardView_->DrawForRecording();
        return;
    }
    ShowMoveCounts();
    boardView_->Redraw();
    if (celebrate) CelebrateIfSolved();
}

void MainWindow::Changed(GameSession::Change change) {
    switch (change) {
    case GameSession::Change::kPosition:
        boardView_->LetGoOfBox(); // the box may stand elsewhere now
        RefreshView(celebrateNext_);
        break;
    case GameSession::Change::kLevel:
        boardView_->LetGoOfBox();
        if (recomputeNext_) UpdateCellSize(CellSizing::kKeep);
        RefreshView(false);
        break;
    case GameSession::Change::kTitle:
    case GameSession::Change::kRecords:
        ShowMoveCounts();
        break;
    case GameSession::Change::kCollection:
        break;
    }
}

void MainWindow::Navigate(const std::function<void(Context&)>& historyMove, bool celebrate) {
    celebrateNext_ = celebrate;
    session_.Navigate(historyMove);
    celebrateNext_ = false;
}

void MainWindow::ShowMove(int move) {
    session_.GoToMove(move);
}

void MainWindow::ShowStep(int position) {
    session_.GoToStep(position);
}

void MainWindow::ShowChosenLevel(bool recompute) {
    // Builds the board (wrapping the index round the collection) and replays the history to
    // where the level was left, nothing held.
    ChooseLevel(ctx_.collection.currentLevel, recompute);
}

void MainWindow::ChooseLevel(int index, bool recompute) {
    recomputeNext_ = recompute;
    session_.ChooseLevel(index);
    recomputeNext_ = false;
}

void MainWindow::ApplyStoredBestSolution() {
    // A level without a stored best is no failure; a damaged file or a solution that no longer
    // fits is.
    const FileResult applied = ApplyBestSolutionAtStart(ctx_);
    if (applied.code == FileError::kFailed) platform_.ShowInfo(applied.Lines());
}

void MainWindow::ChangeTitle(const std::string& title) {
    session_.SetTitle(title);
}

void MainWindow::ReloadAfterEdit(bool recompute) {
    SaveAndClearSelection(ctx_, boardView_->Selection());
    ShowChosenLevel(recompute);
}

void MainWindow::OpenGifExport() {
    ShowGifExportWindow(session_, *this);
}

void MainWindow::OpenSaveDll() {
    ShowSaveDllDialog(session_, *this);
}

void MainWindow::RepaintAfterEdit(bool recompute) {
    if (recompute) UpdateCellSize(CellSizing::kKeep);
    boardView_->Redraw();
}

// --- Busy state ------------------------------------------------------------------------------

void MainWindow::SetBusy(bool menusOffValue, bool commandsBlockedValue, bool paintSuppressedValue) {
    shell_.menusOff = menusOffValue;
    shell_.commandsBlocked = commandsBlockedValue;
    shell_.paintSuppressed = paintSuppressedValue;
    UpdateActions();
    setAcceptDrops(!menusOffValue && !commandsBlockedValue && !paintSuppressedValue);
    // A GIF recording holds the board size: the window keeps its size meanwhile.
    if (shell_.recordingGif) {
        setFixedSize(size());
    } else {
        setMinimumSize(250, 250);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void MainWindow::SetHourglass(bool on) {
    if (on)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

// --- Celebration and timer -------------------------------------------------------------------

void MainWindow::CelebrateIfSolved() {
    std::string message;
    SolvedNumbers numbers;
    CheckSolvedWithRecords(ctx_, shell_.alreadyCelebrated, message, numbers);
    if (numbers.compared) ShowImprovedStatus(numbers);
    if (message.empty()) return;
    ctx_.board.selectedBlock = 0;
    boardView_->MarkPath();
    if (ctx_.options[kMarkSelectedBlock] || boardView_->ShowsBlockPath()) boardView_->Redraw();
    if (celebrationHint_) {
        QString text = ToDisplay(message);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        while (text.startsWith(u'\n')) text.remove(0, 1);
        while (text.endsWith(u'\n')) text.chop(1);
        celebrationHint_->setText(text);
        celebrationHint_->adjustSize();
        const QPoint centre((boardView_->width() - celebrationHint_->width()) / 2,
                            (boardView_->height() - celebrationHint_->height()) / 2);
        celebrationHint_->move(boardView_->mapToGlobal(centre));
        celebrationHint_->show();
        celebrationHint_->raise();
    }
    celebrationTicks_ = kCelebrationTicks;
    shell_.alreadyCelebrated = true;
}

void MainWindow::EndCelebration() {
    celebrationTicks_ = 0;
    if (celebrationHint_) celebrationHint_->hide();
}

void MainWindow::StartReplay() {
    shell_.replayRunning = true;
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const int interval =
        ReplayInterval(ctx_.options.replaySpeed, shown ? shown->refreshRate() : 0.0);
    if (interval != tickTimer_->interval()) replayTimer_->start(interval);
}

void MainWindow::ReplayStep() {
    ShellState& f = shell_;
    if (f.replayStopRequest) f.replayRunning = false;
    f.replayStopRequest = false;
    if (f.replayRunning) {
        const bool stepped = ReplayTick(ctx_);
        // The end of a replay celebrates; its steps do not.
        if (!stepped) f.replayRunning = false;
        RefreshView(!stepped);
    }
    if (!f.replayRunning) replayTimer_->stop();
}

void MainWindow::OnTimerTick() {
    // A stop asked for ends even a slow replay within a tick.
    if (!replayTimer_->isActive() || shell_.replayStopRequest) ReplayStep();
    if (celebrationTicks_ > 0) {
        --celebrationTicks_;
        if (celebrationTicks_ < 1) EndCelebration();
    }
}

// --- Closing and dropped files ---------------------------------------------------------------

bool MainWindow::CanClose() {
    ShellState& f = shell_;
    if (f.longOperationRunning) {
        f.longOperationStop.request_stop();
        return false;
    }
    if (f.loadingLevels) {
        if (platform_.AskYesNo({kStopLoadingQuestion})) f.loadingStop.request_stop();
        return false;
    }
    if (!platform_.AskYesNo({kCloseQuestion})) return false;
    // The resume file keeps the editor's level; without it the editor asks about its changes,
    // and No keeps the program open.
    if (auto* editor = findChild<EditorWindow*>(QString(), Qt::FindDirectChildrenOnly);
        editor != nullptr && !resume_.SavesAtClose() && !editor->close())
        return false;
    f.gifStop.request_stop();
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (CanClose()) {
        StopSolving(*this);
        if (celebrationHint_) celebrationHint_->hide();
        resume_.Save();
        event->accept();
        CloseOtherWindows();
    } else {
        event->ignore();
    }
}

void MainWindow::CloseOtherWindows() {
    // The program ends with its main window: the help window, which has no parent, and the
    // windows opened from this one go too, so that none keeps the program running alone. They
    // are only hidden: the resume file already holds what they were working on.
    if (platform_.helpWindow) platform_.helpWindow->close();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == this || !window->isVisible()) continue;
        for (const QWidget* up = window->parentWidget(); up != nullptr; up = up->parentWidget())
            if (up == this) {
                window->hide();
                break;
            }
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptDrops() && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> names;
    bool nameFailed = false;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            names.push_back(ToFileName(url.toLocalFile()));
        else
            nameFailed = true;
    }
    event->acceptProposedAction();
    // The reading runs after the drop has ended, so the source is not kept waiting.
    QTimer::singleShot(0, this, [this, names, nameFailed] { OnDropFiles(names, nameFailed); });
}

void MainWindow::OnDropFiles(const std::vector<std::string>& names, bool nameFailed) {
    if (shell_.menusOff || shell_.commandsBlocked || shell_.paintSuppressed) return;
    shell_.alreadyCelebrated = false;
    SetBusy(true, true, false);
    SetHourglass(true);
    if (nameFailed) platform_.ShowInfo({kDropNameError});
    const int firstNew = static_cast<int>(ctx_.collection.levels.size());
    ReadDroppedFiles(ctx_, names, shell_.StartLoading());
    OpenFirstUnsolved(ctx_, firstNew);
    shell_.loadingLevels = false;
    SetBusy(false, false, false);
    SetHourglass(false);
    ShowChosenLevel(true);
}

} // namespace vorpel
