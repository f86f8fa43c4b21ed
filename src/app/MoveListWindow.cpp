// The move list window: the current level's moves as fixed-pitch lines to select, copy, take from
// the clipboard and apply to the board.
#include "app/MoveListWindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/BoardView.h"
#include "app/Help.h"
#include "app/MessageBox.h"
#include "app/QtPlatform.h"
#include "app/RunMemory.h"
#include "app/ShellState.h"
#include "files/BestSolutions.h"
#include "files/GameSession.h"
#include "files/MoveList.h"
#include "files/MoveText.h"
#include "model/Context.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel {

namespace {

constexpr const char* kNoClipboardText = "No text found in the Clipboard.";

// A fixed-pitch font whose characters advance exactly one column of the list.
QFont ListFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(9);
    const qreal advance = QFontMetricsF(font).horizontalAdvance(u'0');
    font.setLetterSpacing(QFont::AbsoluteSpacing, MoveGrid::kCharWidth - advance);
    return font;
}

} // namespace

// --- The list area ---------------------------------------------------------------------------

MoveGrid::MoveGrid(QWidget* parent) : QAbstractScrollArea(parent), dragScroll_(new QTimer(this)) {
    setObjectName(QStringLiteral("moveGrid"));
    setFont(ListFont());
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    verticalScrollBar()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
    dragScroll_->setInterval(50);
    connect(dragScroll_, &QTimer::timeout, this, [this] { DragTo(dragY_, dragModifiers_); });
}

void MoveGrid::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    longestLine_ = 0;
    for (const std::string& line : lines_)
        longestLine_ = std::max(longestLine_, static_cast<int>(line.size()));
    selected_.assign(lines_.size(), 0);
    anchorLine_ = cursorLine_ = -1;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    UpdateLayout();
    viewport()->update();
}

std::vector<int> MoveGrid::SelectedLines() const {
    std::vector<int> result;
    for (std::size_t i = 0; i < selected_.size(); ++i)
        if (selected_[i]) result.push_back(static_cast<int>(i));
    return result;
}

void MoveGrid::SelectAll() {
    std::fill(selected_.begin(), selected_.end(), 1);
    anchorLine_ = cursorLine_ = -1;
    viewport()->update();
}

int MoveGrid::TopLine() const {
    return verticalScrollBar()->value();
}
int MoveGrid::LeftColumn() const {
    return horizontalScrollBar()->value();
}

void MoveGrid::UpdateLayout() {
    const int count = static_cast<int>(lines_.size());
    visibleLines_ = std::min(viewport()->height() / kLineHeight, count);
    visibleColumns_ = std::min(viewport()->width() / kCharWidth, longestLine_);
    // The bars give the first line and column shown, so that the last page is full.
    verticalScrollBar()->setRange(0, std::max(0, count - visibleLines_));
    verticalScrollBar()->setPageStep(std::max(1, visibleLines_));
    horizontalScrollBar()->setRange(0, std::max(0, longestLine_ - visibleColumns_));
    horizontalScrollBar()->setPageStep(std::max(1, visibleColumns_));
}

void MoveGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateLayout();
}

void MoveGrid::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& p = palette();
    painter.fillRect(viewport()->rect(), p.color(QPalette::Base));
    const bool focused =
        hasFocus() || verticalScrollBar()->hasFocus() || horizontalScrollBar()->hasFocus();
    const QColor selection = focused ? p.color(QPalette::Highlight) : QColor(192, 192, 192);
    const int top = TopLine(), left = LeftColumn();
    const int count = static_cast<int>(lines_.size());
    const int last = std::min(count, top + viewport()->height() / kLineHeight + 1);
    const int ascent = QFontMetrics(font()).ascent();
    const int textTop = (kLineHeight - QFontMetrics(font()).height()) / 2;
    paintedLines_ = 0;
    for (int i = top; i < last; ++i) {
        const int y = (i - top) * kLineHeight;
        const bool on = selected_[static_cast<std::size_t>(i)] != 0;
        if (on) painter.fillRect(0, y, viewport()->width(), kLineHeight, selection);
        painter.setPen(p.color(on ? QPalette::HighlightedText : QPalette::Text));
        const std::string& line = lines_[static_cast<std::size_t>(i)];
        if (static_cast<int>(line.size()) > left)
            painter.drawText(2, y + textTop + ascent,
                             FromCp1252(line.substr(static_cast<std::size_t>(left))));
        ++paintedLines_;
    }
}

void MoveGrid::ClearSelection() {
    std::fill(selected_.begin(), selected_.end(), 0);
}

void MoveGrid::SelectRange(int from, int to) {
    ClearSelection();
    if (from < 0 || to < 0) return;
    if (from > to) std::swap(from, to);
    for (int i = from; i <= to; ++i) selected_[static_cast<std::size_t>(i)] = 1;
}

void MoveGrid::ScrollToLine(int line) {
    if (line < TopLine())
        verticalScrollBar()->setValue(line);
    else if (visibleLines_ > 0 && line >= TopLine() + visibleLines_)
        verticalScrollBar()->setValue(line - visibleLines_ + 1);
}

void MoveGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int line = event->position().toPoint().y() / kLineHeight + TopLine();
    const bool exists = line >= 0 && line < static_cast<int>(lines_.size());
    const Qt::KeyboardModifiers m = event->modifiers();
    if (m & Qt::ControlModifier) {
        if (exists) {
            selected_[static_cast<std::size_t>(line)] ^= 1;
            cursorLine_ = line;
            if (anchorLine_ < 0) anchorLine_ = line;
        }
    } else if (m & Qt::ShiftModifier) {
        if (exists) {
            cursorLine_ = line;
            if (anchorLine_ < 0) anchorLine_ = line;
            SelectRange(anchorLine_, cursorLine_);
        }
    } else if (!exists) {
        ClearSelection();
        anchorLine_ = cursorLine_ = -1;
    } else {
        SelectRange(line, line);
        anchorLine_ = cursorLine_ = line;
    }
    dragging_ = true;
    dragLine_ = line;
    viewport()->update();
}

// A drag above or below the lines scrolls one line at a time while the pointer stays there.
void MoveGrid::DragTo(int y, Qt::KeyboardModifiers modifiers) {
    const int count = static_cast<int>(lines_.size());
    bool outside = false;
    if (y < 0 && TopLine() > 0) {
        verticalScrollBar()->setValue(TopLine() - 1);
        outside = true;
    } else if (y >= visibleLines_ * kLineHeight && TopLine() + visibleLines_ < count) {
        verticalScrollBar()->setValue(TopLine() + 1);
        outside = true;
    }
    if (outside && !dragScroll_->isActive()) dragScroll_->start();
    if (!outside) dragScroll_->stop();
    if (count == 0) return;
    // Above or below the list the line at its edge counts.
    const int bottom = TopLine() + std::max(visibleLines_, 1) - 1;
    const int line =
        std::clamp(y < 0 ? TopLine() : std::min(y / kLineHeight + TopLine(), bottom), 0, count - 1);
    if (line == dragLine_) return;
    dragLine_ = line;
    if (modifiers & Qt::ControlModifier) {
        selected_[static_cast<std::size_t>(line)] ^= 1;
    } else if (anchorLine_ >= 0) {
        SelectRange(anchorLine_, line);
    }
    cursorLine_ = line;
    viewport()->update();
}

void MoveGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    dragY_ = event->position().toPoint().y();
    dragModifiers_ = event->modifiers();
    DragTo(dragY_, dragModifiers_);
}

void MoveGrid::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
    dragScroll_->stop();
}

void MoveGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Q_EMIT applyRequested();
}

void MoveGrid::keyPressEvent(QKeyEvent* event) {
    const int count = static_cast<int>(lines_.size());
    int target = cursorLine_;
    switch (event->key()) {
    case Qt::Key_PageUp:
        target -= visibleLines_;
        break;
    case Qt::Key_PageDown:
        target += visibleLines_;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = count - 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        --target;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        ++target;
        break;
    default:
        event->ignore(); // typed characters go to the window
        return;
    }
    event->accept();
    if (count == 0 || anchorLine_ < 0 || cursorLine_ < 0) return;
    target = std::clamp(target, 0, count - 1);
    const Qt::KeyboardModifiers m = event->modifiers();
    if (m & Qt::ControlModifier) {
        const int step = target > cursorLine_ ? 1 : -1;
        for (int i = cursorLine_; i != target;) {
            i += step;
            selected_[static_cast<std::size_t>(i)] ^= 1;
        }
        cursorLine_ = target;
    } else if (m & Qt::ShiftModifier) {
        cursorLine_ = target;
        SelectRange(anchorLine_, cursorLine_);
    } else {
        anchorLine_ = cursorLine_ = target;
        SelectRange(target, target);
    }
    ScrollToLine(cursorLine_);
    viewport()->update();
}

void MoveGrid::WheelNotches(int delta, bool horizontal) {
    wheelRest_ += delta;
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    if (notches != 0) bar->setValue(bar->value() - notches);
}

void MoveGrid::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    if (delta.x() != 0)
        WheelNotches(delta.x(), true);
    else
        WheelNotches(delta.y(), (event->modifiers() & Qt::ShiftModifier) != 0);
    event->accept();
}

bool MoveGrid::eventFilter(QObject* watched, QEvent* event) {
    // One line or column per notch on the bars too.
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta =
            wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
        WheelNotches(delta, watched == horizontalScrollBar());
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) viewport()->update();
    return QAbstractScrollArea::eventFilter(watched, event);
}

void MoveGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}
void MoveGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// --- The window ------------------------------------------------------------------------------

MoveListWindow::MoveListWindow(GameSession& session, MoveListHost& main)
    : QWidget(&main.Widget(), Qt::Window), moveGrid(new MoveGrid(this)),
      helpButton(new QPushButton(QStringLiteral("&Help"), this)),
      fromClipboardButton(new QPushButton(QStringLiteral("&<<< Clipboard"), this)),
      toClipboardButton(new QPushButton(QStringLiteral("&>>> Clipboard"), this)),
      bestSolutionButton(new QPushButton(QStringLiteral("&Best solution"), this)),
      currentLevelButton(new QPushButton(QStringLiteral("Current &moves"), this)),
      selectAllButton(new QPushButton(QStringLiteral("&Select all"), this)),
      restartButton(new QPushButton(QStringLiteral("&Restart"), this)),
      applyButton(new QPushButton(QStringLiteral("&Apply selected moves"), this)),
      closeButton(new QPushButton(QStringLiteral("&Close"), this)), main_(main), session_(session) {
    setObjectName(QStringLiteral("MoveListWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Move list"));
    setMinimumSize(321, 270);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(moveGrid, 1);
    auto* buttons = new QGridLayout;
    QPushButton* const order[] = {fromClipboardButton, toClipboardButton, bestSolutionButton,
                                  currentLevelButton,  selectAllButton,   restartButton,
                                  applyButton,         helpButton,        closeButton};
    for (int i = 0; i < 9; ++i) buttons->addWidget(order[i], i / 3, i % 3);
    layout->addLayout(buttons);

    connect(helpButton, &QPushButton::clicked, this,
            [this] { ShowHelp(main_.Platform(), "MoveList"); });
    connect(fromClipboardButton, &QPushButton::clicked, this, &MoveListWindow::FromClipboard);
    connect(toClipboardButton, &QPushButton::clicked, this, &MoveListWindow::ToClipboard);
    connect(bestSolutionButton, &QPushButton::clicked, this, &MoveListWindow::ShowBestSolution);
    connect(currentLevelButton, &QPushButton::clicked, this, &MoveListWindow::ListCurrentMoves);
    connect(selectAllButton, &QPushButton::clicked, moveGrid, &MoveGrid::SelectAll);
    connect(restartButton, &QPushButton::clicked, this, &MoveListWindow::Restart);
    connect(applyButton, &QPushButton::clicked, this, &MoveListWindow::ApplySelectedMoves);
    connect(moveGrid, &MoveGrid::applyRequested, this, &MoveListWindow::ApplySelectedMoves);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

template <typename Action> void MoveListWindow::OnBoard(Action action) {
    ShellState& f = main_.Shell();
    const CommandGuard guard(f.commandRunning);
    if (!guard.Held() || f.commandsBlocked || session_.Data().editing) return;
    action();
}

void MoveListWindow::ListCurrentMoves() {
    moveGrid->SetLines(MoveListLines(session_.Data().CurrentLevel(), main_.Board().OriginRow(),
                                     main_.Board().OriginColumn()));
}

void MoveListWindow::FromClipboard() {
    const std::optional<std::string> text = main_.Platform().ClipboardText();
    if (!text) {
        main_.Platform().ShowInfo({kNoClipboardText});
        return;
    }
    moveGrid->SetLines(SplitMoveListText(*text));
}

void MoveListWindow::ToClipboard() {
    main_.Platform().SetClipboardText(JoinMoveListLines(moveGrid->Lines()));
}

void MoveListWindow::ShowBestSolution() {
    OnBoard([this] {
        std::vector<std::string> texts;
        if (const FileResult read = ReadBestSolutionMoves(session_.Data(), texts); !read.Ok()) {
            main_.Platform().ShowInfo(read.Lines());
            return;
        }
        if (!texts.empty()) texts.erase(texts.begin()); // the title line
        moveGrid->SetLines(SplitMoveListText(JoinMoveListLines(NumberBestSolutionLines(texts))));
    });
}

void MoveListWindow::Restart() {
    OnBoard([this] { session_.Navigate(RestartLevel); });
}

void MoveListWindow::ApplySelectedMoves() {
    OnBoard([this] {
        std::string error;
        for (const int line : moveGrid->SelectedLines()) {
            error =
                ApplyMoveText(session_.Data(), moveGrid->Lines()[static_cast<std::size_t>(line)],
                              true, main_.Board().OriginRow(), main_.Board().OriginColumn());
            if (!error.empty()) break;
        }
        main_.RefreshView(true);
        if (!error.empty()) main_.Platform().ShowInfo(SplitMessage(error));
    });
}

void MoveListWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    const QString text = event->text();
    if (text == QLatin1String(",") || text == QLatin1String("<")) {
        fromClipboardButton->click();
    } else if (text == QLatin1String(".") || text == QLatin1String(">")) {
        toClipboardButton->click();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void MoveListWindow::closeEvent(QCloseEvent* event) {
    MoveListState& state = main_.Memory().navigation.moveList;
    state.maximised = isMaximized();
    state.normalRect = FrameRect(*this, main_.Memory().frameMargins);
    QWidget::closeEvent(event);
}

MoveListWindow& ShowMoveList(GameSession& session, MoveListHost& main) {
    MoveListState& state = main.Memory().navigation.moveList;
    if (state.window) {
        state.window->raise();
        state.window->activateWindow();
        return *state.window;
    }
    auto* window = new MoveListWindow(session, main);
    state.window = window;
    PlaceFrame(*window, state.normalRect, main.Memory().frameMargins);
    if (state.maximised)
        window->showMaximized();
    else
        window->show();
    window->ListCurrentMoves();
    window->moveGrid->setFocus();
    return *window;
}

} // namespace vorpel
