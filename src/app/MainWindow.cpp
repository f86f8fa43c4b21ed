// The main window: start-up, the board view and its geometry, the status panels, the mouse,
// the timer and the operations the other windows call.
#include "app/MainWindow.h"

#include <algorithm>
#include <cmath>

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
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include "app/CompanionFiles.h"
#include "app/QtPlatform.h"
#include "editor/EditorOps.h"
#include "files/BestSolutions.h"
#include "files/Celebration.h"
#include "files/FileNames.h"
#include "files/LevelLoad.h"
#include "files/Records.h"
#include "model/Execucao.h"

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

// A pixel coordinate's cell, a negative coordinate first lowered by one cell so that the cells
// left of and above the board count from -1.
int CellOf(int pixel, int cellSize) {
    if (pixel < 0) pixel -= cellSize;
    return pixel / cellSize;
}

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

std::vector<std::string> SplitMessage(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

// The client area: the board, the scroll bars, the corner square and the status bar. Its events
// go to the window's handlers.
class ClientArea : public QWidget {
public:
    explicit ClientArea(MainWindow& form) : QWidget(&form), form_(form) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (form_.paintSuppressed) return;
        QPainter painter(this);
        form_.PaintBoard(painter);
    }
    void resizeEvent(QResizeEvent*) override { form_.HandleResize(); }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        form_.BoardMousePress(event->button(), event->modifiers(), p.x(), p.y(), false);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        form_.BoardMousePress(event->button(), event->modifiers(), p.x(), p.y(), true);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        form_.BoardMouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) form_.BoardMouseRelease();
    }
    void wheelEvent(QWheelEvent* event) override {
        const QPoint p = event->position().toPoint();
        if (form_.BoardWheel(event->angleDelta().y(), p.x(), p.y()))
            event->accept();
        else
            event->ignore();
    }

private:
    MainWindow& form_;
};

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

MainWindow::MainWindow(Context& context, QtPlatform& qtPlatform, QString rawCommandLine,
                       QWidget* parent)
    : QMainWindow(parent), ctx(context), platform(qtPlatform),
      settingsStore(context.options, qtPlatform), rawCommandLine_(std::move(rawCommandLine)),
      canvas_(std::make_unique<BoardCanvas>(&rasterizer_)) {
    setObjectName(QStringLiteral("MainWindow"));
    setMinimumSize(250, 250);
    platform.window = this;
    platform.settings = &settingsStore;

    client = new ClientArea(*this);
    setCentralWidget(client);

    horizontalScrollBar = new QScrollBar(Qt::Horizontal, client);
    horizontalScrollBar->setObjectName(QStringLiteral("horizontalScrollBar"));
    verticalScrollBar = new QScrollBar(Qt::Vertical, client);
    verticalScrollBar->setObjectName(QStringLiteral("verticalScrollBar"));
    for (QScrollBar* bar : {horizontalScrollBar, verticalScrollBar}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
    }
    connect(horizontalScrollBar, &QScrollBar::valueChanged, this, &MainWindow::OnHorizontalScroll);
    connect(verticalScrollBar, &QScrollBar::valueChanged, this, &MainWindow::OnVerticalScroll);

    boardPanel = new QFrame(client);
    boardPanel->setObjectName(QStringLiteral("boardPanel"));
    boardPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    boardPanel->setAutoFillBackground(true);
    boardPanel->hide();

    infoBar = new QFrame(client);
    infoBar->setObjectName(QStringLiteral("infoBar"));
    infoBar->setAutoFillBackground(true);
    const auto panel = [this](const char* name) {
        auto* label = new QLabel(infoBar);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    };
    coordinatesPanel = panel("coordinatesPanel");
    blockInfoPanel = panel("blockInfoPanel");
    moveCountsPanel = panel("moveCountsPanel");

    tickTimer = new QTimer(this);
    tickTimer->setObjectName(QStringLiteral("tickTimer"));
    tickTimer->setInterval(250);
    connect(tickTimer, &QTimer::timeout, this, &MainWindow::OnTimerTick);

    colourTable_.resize(256);
    BuildMenus();
    ctx.repaint = [this] {
        // A slide shown between its steps: the engine has recomputed the outline flags.
        if (paintSuppressed) return;
        canvas_->cellSize = CellSize;
        DrawBoard(ctx, *canvas_);
        client->repaint();
    };
    // The level being read, shown while a long read goes on; the read lets the paint through.
    platform.showLoadingBoard = [this] {
        UpdateCellSize(CellSizing::kKeep);
        RedrawBoard();
    };
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    ctx.repaint = nullptr;
    platform.showLoadingBoard = nullptr;
    if (platform.window == this) platform.window = nullptr;
    if (platform.settings == &settingsStore) platform.settings = nullptr;
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
    ctx.flags = ShellFlags{};
    menusOff = paintSuppressed = dragging = false;
    selectionAnchorColumn = -1;
    CellSize = PreviousCellSize = kMinCellSize;

    // 2. Menu captions and panel hints.
    for (std::size_t i = 0; i < topMenus.size(); ++i)
        topMenus[i]->setTitle(QString::fromLatin1(
            kMainMenus[i].caption.data(), static_cast<qsizetype>(kMainMenus[i].caption.size())));
    coordinatesPanel->setToolTip(QStringLiteral("Mouse coordinates"));
    blockInfoPanel->setToolTip(
        QStringLiteral("Identifier and number of moves of the block pointed by the mouse"));

    // 3. Drawing.
    InitBoardPalette(canvas_->palette);
    for (int i = 0; i < 256; ++i) {
        const PaletteColour& c = canvas_->palette.colours[static_cast<std::size_t>(i)];
        colourTable_[i] = qRgb(c.red, c.green, c.blue);
    }
    originColumn = originRow = mouseColumn = mouseRow = 0;
    celebrationTicks = 0;

    // 4. Names from the program's path: companion files beside it (or in the per-user data
    // folder when its folder cannot be written), the settings key and the start folder.
    const CommandLine line = SplitCommandLine(rawCommandLine_);
    programFile = line.programPath;
    companions = CompanionFiles(QFileInfo(programFile).absoluteFilePath(),
                                CompanionFiles::ForThisProgram().DataFolder());
    SetUpCompanionFiles(ctx, platform, companions);
    baseName = ToFileName(companions.SettingsName());
    settingsStore.SetSettingsKey(companions.SettingsName(), settingsFormat);
    startFolder = QDir::currentPath();
    if (!startFolder.endsWith(u'/') && !startFolder.endsWith(u'\\')) startFolder += u'/';
    chooserState.startFolder = startFolder;

    // 5. Options.
    settingsStore.SetOptionNames();
    ApplyOptionsToMenus();

    // 6. Startup files.
    ReadStartupLevels(ctx, companions);

    // 7. The current level with its best solution, at its start.
    ShowCurrentLevel(ctx);
    ApplyStoredBestSolution();

    // 8 and 9. The argument.
    StartupArgument();

    // 10. Status panels; the identifier panel in the font of the board's letters.
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    blockInfoPanel->setFont(courier);

    // 11. Half the work area, in the right half of the screen (the left half for a copy
    // started for one level).
    move(x(), 0);
    SizeWindow(2, 1);

    // 12 to 14.
    UpdateCellSize(CellSizing::kFit);
    ReadRecords(ctx, companions, false);
    celebrationHint = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
    celebrationHint->setObjectName(QStringLiteral("celebrationHint"));
    celebrationHint->setTextFormat(Qt::PlainText);
    celebrationHint->setAlignment(Qt::AlignCenter);
    celebrationHint->setMargin(8);
    celebrationHint->setFrameStyle(QFrame::Box | QFrame::Plain);
    celebrationHint->setForegroundRole(QPalette::ToolTipText);
    celebrationHint->setBackgroundRole(QPalette::ToolTipBase);
    celebrationHint->setAutoFillBackground(true);
    QFont hintFont = celebrationHint->font();
    hintFont.setBold(true);
    hintFont.setPointSizeF(hintFont.pointSizeF() * 1.5);
    celebrationHint->setFont(hintFont);
    celebrationHint->hide();
    tickTimer->start();
    client->setFocus();
    RefreshView(true);
    setAcceptDrops(true);
}

void MainWindow::StartupArgument() {
    const QString argument = SplitCommandLine(rawCommandLine_).argument;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 0;
    if (!argument.isEmpty() && !argument.startsWith(u'*')) {
        std::string name = ToFileName(argument);
        if (name.size() > kMaxFileName) {
            platform.ShowInfo({kNameTooLongIntro, name});
        } else if (ResolveShortcut(platform, name)) {
            platform.ShowInfo({kShortcutFailed + ToFileName(argument)});
        } else {
            ctx.flags.loadingLevels = true;
            SetBusy(true, true, false);
            RememberedAnswer remembered = kAsk;
            ReadLevelFile(ctx, name, remembered);
            SetBusy(false, false, false);
            ctx.flags.loadingLevels = false;
            ShowCurrentLevel(ctx);
        }
    }
    if (argument.size() > 1 && argument.startsWith(u'*')) {
        const int index = FindLevelByTitle(ctx, ToCp1252(argument.mid(1)));
        if (index >= 0) {
            ctx.collection.currentLevel = index;
            ShowChosenLevel(true);
            ApplyStoredBestSolution();
        }
        move(0, y());
    } else {
        move(screenWidth, y());
    }
}

// --- Geometry --------------------------------------------------------------------------------

void MainWindow::LayOutStatusBar(int clientWidth, int& clientHeight) {
    const bool coordinates = ctx.options[kShowMouseCoordinates];
    const bool identifiers = ctx.options[kShowIdentifiersAndMoves];
    const bool moves = ctx.options[kShowTotalMovesAndRecords];
    const int top = 2, height = kStatusBarHeight - 4;
    const auto hide = [&](QLabel* label) {
        label->setGeometry(-clientWidth - 100, top, 50, height);
        label->clear();
    };
    int x = 0;
    if (coordinates) {
        const int width = identifiers || moves ? kCoordinatesWidth : clientWidth;
        coordinatesPanel->setGeometry(0, top, width, height);
        x = width + kPanelGap;
    } else {
        hide(coordinatesPanel);
    }
    if (identifiers) {
        const int width = moves ? kIdentifierWidth : clientWidth - x;
        blockInfoPanel->setGeometry(x, top, width, height);
        x += width + kPanelGap;
    } else {
        hide(blockInfoPanel);
    }
    if (moves) {
        moveCountsPanel->setGeometry(x, top, std::max(0, clientWidth - x), height);
        x = 1;
    } else {
        hide(moveCountsPanel);
        moveCountsPanel->setToolTip(QString());
    }
    if (x > 0) {
        infoBar->setGeometry(0, clientHeight - kStatusBarHeight, clientWidth, kStatusBarHeight);
        clientHeight -= kStatusBarHeight;
    } else {
        infoBar->setGeometry(0, clientHeight, clientWidth, kStatusBarHeight);
    }
}

void MainWindow::UpdateCellSize(CellSizing sizing) {
    if (ctx.flags.recordingGif) return;
    int width = client->width(), height = client->height();
    LayOutStatusBar(width, height);
    ViewWidth = width;
    ViewHeight = height;
    PreviousCellSize = CellSize;
    const int rows = ctx.board.rows, columns = ctx.board.columns;
    MaxCellSize = vorpel::MaxCellSize(rows, columns);
    if (sizing == CellSizing::kFit || ctx.options[kAutomaticBoardSizing])
        CellSize = FitCellSize(ViewWidth, ViewHeight, rows, columns);
    else if (sizing == CellSizing::kZoomIn)
        CellSize = ZoomInCellSize(CellSize, rows, columns);
    else if (sizing == CellSizing::kZoomOut)
        CellSize = ZoomOutCellSize(CellSize, rows, columns);
    else
        CellSize = ClampCellSize(CellSize, rows, columns);
    const double scale =
        PreviousCellSize >= kMinCellSize ? double(CellSize) / double(PreviousCellSize) : 1.0;
    BoardWidth = columns * CellSize;
    BoardHeight = rows * CellSize;

    const int barWidth =
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar);
    const int barHeight =
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalScrollBar);
    bool vertical = BoardHeight > ViewHeight;
    if (vertical) ViewWidth -= barWidth + 1;
    const bool horizontal = BoardWidth > ViewWidth;
    if (horizontal) {
        ViewHeight -= barHeight + 1;
        if (!vertical && BoardHeight > ViewHeight) {
            vertical = true;
            ViewWidth -= barWidth + 1;
        }
    }

    // The point under the middle of the view stays there while zooming.
    const auto place = [scale](int& offset, int view, int board, QScrollBar* bar, bool needed) {
        const QSignalBlocker blocker(bar);
        if (needed) {
            const int h = view >> 1;
            offset = static_cast<int>(std::nearbyint(h - (h - offset) * scale));
            offset = std::clamp(offset, view - board, 0);
            bar->setRange(0, board - view);
            bar->setPageStep(view);
            bar->setSingleStep(std::max(1, view / 20));
            bar->setValue(-offset);
        } else {
            offset = (view - board) / 2;
        }
    };
    place(OffsetY, ViewHeight, BoardHeight, verticalScrollBar, vertical);
    place(OffsetX, ViewWidth, BoardWidth, horizontalScrollBar, horizontal);
    if (showGifImageSize) showGifImageSize(BoardWidth, BoardHeight, true);
    PlaceScrollBars(horizontal, vertical);
}

void MainWindow::PlaceScrollBars(bool horizontal, bool vertical) {
    const int barWidth =
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar);
    const int barHeight =
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalScrollBar);
    horizontalScrollBar->setGeometry(0, ViewHeight + 1, ViewWidth + 1, barHeight);
    horizontalScrollBar->setVisible(horizontal);
    verticalScrollBar->setGeometry(ViewWidth + 1, 0, barWidth, ViewHeight + 1);
    verticalScrollBar->setVisible(vertical);
    boardPanel->setGeometry(ViewWidth, ViewHeight, barWidth + 1, barHeight + 1);
    boardPanel->setVisible(horizontal && vertical);
    boardPanel->raise();
}

// --- Painting --------------------------------------------------------------------------------

void MainWindow::RedrawBoard() {
    if (paintSuppressed) return;
    canvas_->cellSize = CellSize;
    canvas_->repaintSuspended = false;
    DrawBoard(ctx, *canvas_);
    client->update();
}

void MainWindow::PaintBoard(QPainter& painter) {
    const QRect view(0, 0, ViewWidth, ViewHeight);
    const QRect board = QRect(OffsetX, OffsetY, BoardWidth, BoardHeight).intersected(view);
    // Everything around the board, the gaps beside the scroll bars included.
    const QColor face = palette().color(QPalette::Button);
    for (const QRect& part : QRegion(client->rect()).subtracted(QRegion(board)))
        painter.fillRect(part, face);
    if (board.isEmpty()) return;
    // The visible part of the canvas, one to one.
    const int sx = board.x() - OffsetX, sy = board.y() - OffsetY;
    const std::uint8_t* first =
        canvas_->pixels.data() + static_cast<std::size_t>(sy) * kCanvasSize + sx;
    QImage image(first, board.width(), board.height(), kCanvasSize, QImage::Format_Indexed8);
    image.setColorTable(colourTable_);
    painter.drawImage(board.topLeft(), image);
}

void MainWindow::HandleResize() {
    if (!started_) return;
    const int before = CellSize;
    UpdateCellSize(CellSizing::kKeep);
    if (CellSize == before)
        client->update();
    else
        RedrawBoard();
}

void MainWindow::OnHorizontalScroll(int position) {
    OffsetX = -position;
    client->update();
}

void MainWindow::OnVerticalScroll(int position) {
    OffsetY = -position;
    client->update();
}

bool MainWindow::BoardWheel(int delta, int x, int y) {
    const int amount = CellSize * delta / 120;
    if (verticalScrollBar->isVisible() && x < client->width() && y < verticalScrollBar->height()) {
        OffsetY = std::clamp(OffsetY + amount, ViewHeight - BoardHeight, 0);
        const QSignalBlocker blocker(verticalScrollBar);
        verticalScrollBar->setValue(-OffsetY);
        client->update();
        return true;
    }
    if (horizontalScrollBar->isVisible() && x < client->width() &&
        y < horizontalScrollBar->geometry().bottom() + 1) {
        OffsetX = std::clamp(OffsetX + amount, ViewWidth - BoardWidth, 0);
        const QSignalBlocker blocker(horizontalScrollBar);
        horizontalScrollBar->setValue(-OffsetX);
        client->update();
        return true;
    }
    return false;
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

void MainWindow::ShowMoveCounts() {
    const Level& level = ctx.CurrentLevel();
    setWindowTitle(FromFileName(baseName) + QStringLiteral(" - ") + ToDisplay(level.title));
    if (!ctx.options[kShowTotalMovesAndRecords]) return;
    int recordMoves = 0, recordSteps = 0;
    LookUpRecord(ctx, level.title, recordMoves, recordSteps);
    const std::string text =
        " move " + std::to_string(CurrentMove(level)) + "/" + std::to_string(TotalMoves(level)) +
        ", step " + std::to_string(CurrentStepNumber(level)) + "/" +
        std::to_string(TotalSteps(level)) + ", records: " + RecordText(recordMoves) + ", " +
        RecordText(recordSteps);
    moveCountsPanel->setText(ToDisplay(text));
    moveCountsPanel->setToolTip(ToDisplay(text));
}

void MainWindow::ShowImprovedStatus(int moves, int steps, int moveDifference, int stepDifference) {
    if (!ctx.options[kShowTotalMovesAndRecords]) return;
    const std::string text =
        ImprovedStatusText(ctx, SolvedNumbers{true, moves, steps, moveDifference, stepDifference});
    moveCountsPanel->setText(ToDisplay(text));
    moveCountsPanel->setToolTip(ToDisplay(text));
}

void MainWindow::ShowCoordinates(bool show) {
    if (ctx.options[kShowMouseCoordinates]) {
        coordinatesPanel->setText(
            show ? QStringLiteral(" y: %1, x: %2").arg(mouseRow).arg(mouseColumn) : QString());
    }
    if (!ctx.options[kShowIdentifiersAndMoves]) return;
    std::string text;
    const int row = originRow + mouseRow, column = originColumn + mouseColumn;
    const PlayBoard& board = ctx.board;
    if (show && board.Inside(row, column)) {
        const Byte kind = DisplayChar(board, row, column);
        int number = 0;
        if (IsAnnotatedKind(kind) && DisplayedBlockNumber(board, row, column, number)) {
            const std::string label = IdentifierText(number);
            if (!label.empty()) {
                int count = 0;
                if (kind == kBlockadeKind || !BlockMoveCount(ctx, row, column, true, count))
                    count = 0;
                text = "\"" + label + "\", " + std::to_string(count);
            }
        }
    }
    blockInfoPanel->setText(ToDisplay(text));
}

// --- Positions and levels --------------------------------------------------------------------

void MainWindow::RefreshView(bool celebrate) {
    if (ctx.flags.viewBlockPath) MarkBlockPath(ctx);
    ComputeOutlineFlags(ctx.board);
    if (paintSuppressed) {
        // A recording reads the canvas: the board is drawn there, without the held block's
        // mark, and the window shows it when painting resumes.
        canvas_->cellSize = CellSize;
        canvas_->repaintSuspended = true;
        DrawBoard(ctx, *canvas_);
        return;
    }
    ShowMoveCounts();
    RedrawBoard();
    if (celebrate) CelebrateIfSolved();
}

void MainWindow::Navigate(const std::function<void(Context&)>& historyMove, bool celebrate) {
    historyMove(ctx);
    RefreshView(celebrate);
}

void MainWindow::ShowMove(int move) {
    Navigate([move](Context& c) { GoToMove(c, move); });
}

void MainWindow::ShowChosenLevel(bool recompute) {
    // Builds the board (wrapping the index round the collection) and replays the history to
    // where the level was left, nothing held.
    ShowCurrentLevel(ctx);
    if (recompute) UpdateCellSize(CellSizing::kKeep);
    ctx.board.selectedBlock = 0;
    RefreshView(false);
}

void MainWindow::ApplyStoredBestSolution() {
    // A level without a stored best is no failure; a damaged file or a solution that no longer
    // fits is.
    const std::string error = ApplyBestSolutionAtStart(ctx);
    if (!error.empty() && error != kBestSolutionNotFound) platform.ShowInfo(SplitMessage(error));
}

void MainWindow::ChangeTitle(const std::string& title) {
    ctx.CurrentLevel().title = title;
    ShowMoveCounts();
}

void MainWindow::ChooseLevel(int index) {
    ctx.collection.currentLevel = index;
    ShowChosenLevel(true);
}

void MainWindow::ReloadAfterEdit(bool recompute) {
    SaveAndClearSelection(ctx);
    ShowChosenLevel(recompute);
}

void MainWindow::RepaintAfterEdit(bool recompute) {
    if (recompute) UpdateCellSize(CellSizing::kKeep);
    RedrawBoard();
}

// --- Busy state ------------------------------------------------------------------------------

void MainWindow::SetBusy(bool menusOffValue, bool commandsBlockedValue, bool paintSuppressedValue) {
    menusOff = menusOffValue;
    ctx.flags.commandsBlocked = commandsBlockedValue;
    paintSuppressed = paintSuppressedValue;
    canvas_->repaintSuspended = paintSuppressedValue;
    for (QMenu* menu : topMenus) menu->menuAction()->setEnabled(!menusOff);
    setAcceptDrops(!menusOff && !commandsBlockedValue && !paintSuppressedValue);
    // A GIF recording holds the board size: the window keeps its size meanwhile.
    if (ctx.flags.recordingGif) {
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
    CheckSolvedWithRecords(ctx, ctx.flags.alreadyCelebrated, message, numbers);
    if (numbers.compared)
        ShowImprovedStatus(numbers.moves, numbers.steps, numbers.moveDifference,
                           numbers.stepDifference);
    if (message.empty()) return;
    ctx.board.selectedBlock = 0;
    if (ctx.flags.viewBlockPath) MarkBlockPath(ctx);
    if (ctx.options[kMarkSelectedBlock] || ctx.flags.viewBlockPath) RedrawBoard();
    if (celebrationHint) {
        QString text = ToDisplay(message);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        while (text.startsWith(u'\n')) text.remove(0, 1);
        while (text.endsWith(u'\n')) text.chop(1);
        celebrationHint->setText(text);
        celebrationHint->adjustSize();
        const QPoint centre((client->width() - celebrationHint->width()) / 2,
                            (client->height() - celebrationHint->height()) / 2);
        celebrationHint->move(client->mapToGlobal(centre));
        celebrationHint->show();
        celebrationHint->raise();
    }
    celebrationTicks = kCelebrationTicks;
    ctx.flags.alreadyCelebrated = true;
}

void MainWindow::OnTimerTick() {
    ShellFlags& f = ctx.flags;
    if (f.replayStopRequest) f.replayRunning = false;
    f.replayStopRequest = false;
    if (f.replayRunning) {
        const bool stepped = ReplayTick(ctx);
        // The end of a replay celebrates; its steps do not.
        if (!stepped) f.replayRunning = false;
        RefreshView(!stepped);
    }
    if (celebrationTicks > 0) {
        --celebrationTicks;
        if (celebrationTicks < 1 && celebrationHint) celebrationHint->hide();
    }
}

// --- Mouse -----------------------------------------------------------------------------------

void MainWindow::BoardMousePress(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x,
                                 int y, bool doubleClick) {
    ShellFlags& f = ctx.flags;
    if (f.replayRunning) {
        ctx.board.selectedBlock = 0;
        f.replayStopRequest = true;
        return;
    }
    if (f.commandsBlocked) return;
    const int bx = x - OffsetX, by = y - OffsetY;
    if (doubleClick && button == Qt::LeftButton) {
        originColumn = CellOf(bx, CellSize) - 1;
        originRow = CellOf(by, CellSize) - 1;
        mouseColumn = mouseRow = 1;
        ShowCoordinates(true);
        if (!f.editorActive) return;
    }
    if (button != Qt::LeftButton || bx < 0 || by < 0) return;
    if (f.editorActive) {
        EditorMouseDown(modifiers, bx, by);
        return;
    }
    dragging = true;
    lastDragX = bx;
    lastDragY = by;
    ctx.board.selectedBlock = 0;
    SelectBlock(ctx, bx / CellSize, by / CellSize);
    RefreshView(false);
}

void MainWindow::EditorMouseDown(Qt::KeyboardModifiers modifiers, int bx, int by) {
    PlayBoard& board = ctx.board;
    selectionBase = board.selection;
    const int column = bx / CellSize, row = by / CellSize;
    if (!board.Inside(row, column)) return;
    RowSet cells;
    const int block = board.BlockIndexAt(row, column);
    if (block >= kFrameBlock) {
        const Block& b = board.blocks[static_cast<std::size_t>(block)];
        cells = b.cells;
        cells.UnionWith(b.extraCells, kMaxRows - 1);
    } else {
        cells.Set(row, column);
    }
    if (modifiers & Qt::ShiftModifier)
        board.selection.UnionWith(cells, kMaxRows - 1);
    else if (modifiers & Qt::AltModifier)
        board.selection.ToggleWith(cells, kMaxRows - 1);
    else if (modifiers & Qt::ControlModifier)
        board.selection.Remove(cells, kMaxRows - 1);
    else
        board.selection.Toggle(row, column);
    selectionAnchorColumn = selectionLastColumn = column;
    selectionAnchorRow = selectionLastRow = row;
    RedrawBoard();
}

void MainWindow::BoardMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                                int y) {
    ShellFlags& f = ctx.flags;
    const CommandGuard guard(f.commandRunning);
    if (!guard.Held()) return;

    const int bx = x - OffsetX, by = y - OffsetY;
    const int column = CellOf(bx, CellSize) - originColumn;
    const int row = CellOf(by, CellSize) - originRow;
    if (column != mouseColumn || row != mouseRow) {
        mouseColumn = column;
        mouseRow = row;
        ShowCoordinates(true);
    }
    if (f.replayRunning || f.commandsBlocked || !(buttons & Qt::LeftButton)) return;
    if (f.editorActive)
        EditorMouseMove(bx, by);
    else
        PlayMouseMove(modifiers, bx, by);
}

void MainWindow::EditorMouseMove(int bx, int by) {
    if (selectionAnchorColumn < 0 || bx < 0 || by < 0) return;
    PlayBoard& board = ctx.board;
    const int column = bx / CellSize, row = by / CellSize;
    if (!board.Inside(row, column)) return;
    if (column == selectionLastColumn && row == selectionLastRow) return;
    selectionLastColumn = column;
    selectionLastRow = row;
    board.selection = selectionBase;
    for (int r = std::min(row, selectionAnchorRow); r <= std::max(row, selectionAnchorRow); ++r)
        for (int c = std::min(column, selectionAnchorColumn);
             c <= std::max(column, selectionAnchorColumn); ++c)
            board.selection.Toggle(r, c);
    RedrawBoard();
}

void MainWindow::PlayMouseMove(Qt::KeyboardModifiers modifiers, int bx, int by) {
    PlayBoard& board = ctx.board;
    if (board.selectedBlock < 1) return;
    int tc = bx / CellSize, tr = by / CellSize;
    if (modifiers & Qt::AltModifier) tc = board.selectedColumn;
    if (modifiers & Qt::ControlModifier) tr = board.selectedRow;
    const int dx = tc - board.selectedColumn, dy = tr - board.selectedRow;
    // A move only along the way the pointer went since the last event.
    if (!((dx >= 1 && bx > lastDragX) || (dx < 0 && bx < lastDragX))) tc = board.selectedColumn;
    if (!((dy >= 1 && by > lastDragY) || (dy < 0 && by < lastDragY))) tr = board.selectedRow;
    lastDragX = bx;
    lastDragY = by;
    if (tc == board.selectedColumn && tr == board.selectedRow) return;

    bool movedAtAll = false, moved = false;
    do {
        QCoreApplication::processEvents();
        moved = false;
        if (DragSelectedBlock(ctx, tc, board.selectedRow, true)) moved = true;
        if (DragSelectedBlock(ctx, board.selectedColumn, tr, true)) moved = true;
        if ((dx > 0 && tc < board.selectedColumn) || (dx < 0 && tc > board.selectedColumn))
            tc = board.selectedColumn;
        if ((dy > 0 && tr < board.selectedRow) || (dy < 0 && tr > board.selectedRow))
            tr = board.selectedRow;
        movedAtAll = movedAtAll || moved;
    } while (moved && dragging);
    if (movedAtAll) RefreshView(true);
}

void MainWindow::BoardMouseRelease() {
    selectionAnchorColumn = -1;
    dragging = false;
}

// --- Closing and dropped files ---------------------------------------------------------------

bool MainWindow::CanClose() {
    ShellFlags& f = ctx.flags;
    if (f.longOperationRunning) {
        f.stopLongOperation = true;
        return false;
    }
    if (f.loadingLevels) {
        if (platform.AskYesNo({kStopLoadingQuestion})) f.stopLoading = true;
        return false;
    }
    if (!platform.AskYesNo({kCloseQuestion})) return false;
    f.stopRecordingGif = true;
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (CanClose()) {
        if (celebrationHint) celebrationHint->hide();
        event->accept();
    } else {
        event->ignore();
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
    if (menusOff || ctx.flags.commandsBlocked || paintSuppressed) return;
    ctx.flags.alreadyCelebrated = false;
    SetBusy(true, true, false);
    SetHourglass(true);
    if (nameFailed) platform.ShowInfo({kDropNameError});
    ReadDroppedFiles(ctx, names);
    SetBusy(false, false, false);
    SetHourglass(false);
    ShowChosenLevel(true);
}

} // namespace vorpel
