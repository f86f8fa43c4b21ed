// The main window's board view: the layout at a cell size, the scroll bars, painting from the
// canvas, mouse play and the editor's selection.
#include "app/BoardView.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include <QCoreApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>

#include "app/BoardView.h"
#include "app/QtPlatform.h"
#include "app/ShellState.h"
#include "model/Context.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/SokobanPaths.h"
#include "model/Solved.h"
#include "render/BoardDrawing.h"

namespace vorpel {

namespace {

// A pixel coordinate's cell, a negative coordinate first lowered by one cell so that the cells
// left of and above the board count from -1.
int CellOf(int pixel, int cellSize) {
    if (pixel < 0) pixel -= cellSize;
    return pixel / cellSize;
}

} // namespace

QList<QRgb> ColourTable(const BoardPalette& palette) {
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i) {
        const PaletteColour& c = palette.colours[static_cast<std::size_t>(i)];
        table[i] = qRgb(c.red, c.green, c.blue);
    }
    return table;
}

BoardView::BoardView(QWidget& parent, BoardViewHost& window, Context& ctx)
    : QWidget(&parent), window_(window), ctx_(ctx) {
    setObjectName(QStringLiteral("boardView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    canvas_ = std::make_unique<BoardCanvas>(&rasterizer_);

    horizontalScrollBar_ = new QScrollBar(Qt::Horizontal, this);
    horizontalScrollBar_->setObjectName(QStringLiteral("horizontalScrollBar"));
    verticalScrollBar_ = new QScrollBar(Qt::Vertical, this);
    verticalScrollBar_->setObjectName(QStringLiteral("verticalScrollBar"));
    for (QScrollBar* bar : {horizontalScrollBar_, verticalScrollBar_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
    }
    connect(horizontalScrollBar_, &QScrollBar::valueChanged, this, [this](int position) {
        view_.offsetX = -position;
        update();
    });
    connect(verticalScrollBar_, &QScrollBar::valueChanged, this, [this](int position) {
        view_.offsetY = -position;
        update();
    });

    boardPanel_ = new QFrame(this);
    boardPanel_->setObjectName(QStringLiteral("boardPanel"));
    boardPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    boardPanel_->setAutoFillBackground(true);
    boardPanel_->hide();
}

BoardView::~BoardView() = default;

void BoardView::InitPalette() {
    InitBoardPalette(canvas_->palette);
    colourTable_ = ColourTable(canvas_->palette);
}

void BoardView::Reset() {
    dragging_ = false;
    selectionAnchorColumn_ = -1;
    originColumn_ = originRow_ = mouseColumn_ = mouseRow_ = 0;
    annotation_ = Annotation::kNone;
    clickPending_ = false;
    pickedBoxRow_ = pickedBoxColumn_ = -1;
    hint_.reset();
}

void BoardView::SetHint(BoardHint hint) {
    hint_ = std::move(hint);
    update();
}

void BoardView::DropHint() {
    if (!hint_) return;
    hint_.reset();
    update();
}

// --- Layout ----------------------------------------------------------------------------------

void BoardView::LayOut(CellSizing sizing, int width, int height, bool fit) {
    view_.viewWidth = width;
    view_.viewHeight = height;
    const int previousCellSize = view_.cellSize;
    const int rows = ctx_.board.rows, columns = ctx_.board.columns;
    view_.maxCellSize = vorpel::MaxCellSize(rows, columns);
    if (sizing == CellSizing::kFit || fit)
        view_.cellSize = FitCellSize(view_.viewWidth, view_.viewHeight, rows, columns);
    else if (sizing == CellSizing::kZoomIn)
        view_.cellSize = ZoomInCellSize(view_.cellSize, rows, columns);
    else if (sizing == CellSizing::kZoomOut)
        view_.cellSize = ZoomOutCellSize(view_.cellSize, rows, columns);
    else
        view_.cellSize = ClampCellSize(view_.cellSize, rows, columns);
    const double scale =
        previousCellSize >= kMinCellSize ? double(view_.cellSize) / double(previousCellSize) : 1.0;
    view_.boardWidth = columns * view_.cellSize;
    view_.boardHeight = rows * view_.cellSize;

    const int barWidth =
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar_);
    const int barHeight =
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontalScrollBar_);
    bool vertical = view_.boardHeight > view_.viewHeight;
    if (vertical) view_.viewWidth -= barWidth + 1;
    const bool horizontal = view_.boardWidth > view_.viewWidth;
    if (horizontal) {
        view_.viewHeight -= barHeight + 1;
        if (!vertical && view_.boardHeight > view_.viewHeight) {
            vertical = true;
            view_.viewWidth -= barWidth + 1;
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
    place(view_.offsetY, view_.viewHeight, view_.boardHeight, verticalScrollBar_, vertical);
    place(view_.offsetX, view_.viewWidth, view_.boardWidth, horizontalScrollBar_, horizontal);
    PlaceScrollBars(horizontal, vertical, barWidth, barHeight);
}

void BoardView::PlaceScrollBars(bool horizontal, bool vertical, int barWidth, int barHeight) {
    horizontalScrollBar_->setGeometry(0, view_.viewHeight + 1, view_.viewWidth + 1, barHeight);
    horizontalScrollBar_->setVisible(horizontal);
    verticalScrollBar_->setGeometry(view_.viewWidth + 1, 0, barWidth, view_.viewHeight + 1);
    verticalScrollBar_->setVisible(vertical);
    boardPanel_->setGeometry(view_.viewWidth, view_.viewHeight, barWidth + 1, barHeight + 1);
    boardPanel_->setVisible(horizontal && vertical);
    boardPanel_->raise();
}

void BoardView::SetOffsets(int offsetX, int offsetY) {
    view_.offsetX = offsetX;
    view_.offsetY = offsetY;
    update();
}

bool BoardView::ScrollByWheel(int delta, int x, int y) {
    const int amount = view_.cellSize * delta / 120;
    if (verticalScrollBar_->isVisible() && x < width() && y < verticalScrollBar_->height()) {
        view_.offsetY = std::clamp(view_.offsetY + amount, view_.viewHeight - view_.boardHeight, 0);
        const QSignalBlocker blocker(verticalScrollBar_);
        verticalScrollBar_->setValue(-view_.offsetY);
        update();
        return true;
    }
    if (horizontalScrollBar_->isVisible() && x < width() &&
        y < horizontalScrollBar_->geometry().bottom() + 1) {
        view_.offsetX = std::clamp(view_.offsetX + amount, view_.viewWidth - view_.boardWidth, 0);
        const QSignalBlocker blocker(horizontalScrollBar_);
        horizontalScrollBar_->setValue(-view_.offsetX);
        update();
        return true;
    }
    return false;
}

// --- Painting --------------------------------------------------------------------------------

void BoardView::Draw(const CanvasView& drawing) {
    ComputeOutlineFlags(ctx_.board, state_.outline);
    DrawBoard(ctx_, state_, drawing, *canvas_);
}

void BoardView::Redraw() {
    if (window_.Shell().paintSuppressed) return;
    Draw(Drawing());
    update();
}

void BoardView::PaintNow() {
    if (window_.Shell().paintSuppressed) return;
    Draw(Drawing());
    repaint();
}

void BoardView::DrawForRecording() {
    Draw({view_.cellSize, true, annotation_});
}

void BoardView::MarkPath() {
    if (ShowsBlockPath()) MarkBlockPath(ctx_, state_.selection.cells);
}

void BoardView::paintEvent(QPaintEvent*) {
    if (window_.Shell().paintSuppressed) return;
    QPainter painter(this);
    const ViewGeometry& v = view_;
    const QRect view(0, 0, v.viewWidth, v.viewHeight);
    const QRect board = QRect(v.offsetX, v.offsetY, v.boardWidth, v.boardHeight).intersected(view);
    // Everything around the board, the gaps beside the scroll bars included.
    const QColor face = palette().color(QPalette::Button);
    for (const QRect& part : QRegion(rect()).subtracted(QRegion(board)))
        painter.fillRect(part, face);
    if (board.isEmpty()) return;
    // The visible part of the canvas, one to one.
    const int sx = board.x() - v.offsetX, sy = board.y() - v.offsetY;
    const std::uint8_t* first =
        canvas_->pixels.data() + static_cast<std::size_t>(sy) * kCanvasSize + sx;
    QImage image(first, board.width(), board.height(), kCanvasSize, QImage::Format_Indexed8);
    image.setColorTable(colourTable_);
    painter.drawImage(board.topLeft(), image);
    // A box picked by a click for pushing is outlined over the canvas, which stays as drawn.
    if (BoxPicked() && ctx_.board.Inside(pickedBoxRow_, pickedBoxColumn_)) {
        const int block = ctx_.board.BlockIndexAt(pickedBoxRow_, pickedBoxColumn_);
        if (block >= kFirstBlock &&
            ctx_.board.blocks[static_cast<std::size_t>(block)].kind == kMasterBoxKind) {
            painter.setClipRect(board);
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(v.offsetX + pickedBoxColumn_ * v.cellSize + 1,
                             v.offsetY + pickedBoxRow_ * v.cellSize + 1, v.cellSize - 2,
                             v.cellSize - 2);
        }
    }
    if (hint_) {
        painter.setClipRect(board);
        PaintHint(painter);
    }
}

// The hint over the canvas: the moving block's outline along its outer edges, and an arrow from
// the centre of the first cell of the path through the others to the last.
void BoardView::PaintHint(QPainter& painter) const {
    const ViewGeometry& v = view_;
    const PlayBoard& b = ctx_.board;
    if (!b.Inside(hint_->row, hint_->column)) return;
    const int block = b.BlockIndexAt(hint_->row, hint_->column);
    const int size = v.cellSize;
    const int width = std::max(2, size / 8);
    const QColor colour(kHintColour);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    const auto inBlock = [&](int r, int c) {
        return (r == hint_->row && c == hint_->column) ||
               (block >= kFirstBlock && b.Inside(r, c) && b.BlockIndexAt(r, c) == block);
    };
    const int inset = width / 2;
    for (int r = 0; r < b.rows; ++r)
        for (int c = 0; c < b.columns; ++c) {
            if (!inBlock(r, c)) continue;
            const int left = v.offsetX + c * size + inset, top = v.offsetY + r * size + inset;
            const int right = v.offsetX + (c + 1) * size - inset,
                      bottom = v.offsetY + (r + 1) * size - inset;
            if (!inBlock(r - 1, c)) painter.drawLine(left, top, right, top);
            if (!inBlock(r + 1, c)) painter.drawLine(left, bottom, right, bottom);
            if (!inBlock(r, c - 1)) painter.drawLine(left, top, left, bottom);
            if (!inBlock(r, c + 1)) painter.drawLine(right, top, right, bottom);
        }
    if (hint_->path.size() < 2) return;
    QPolygonF line;
    for (const auto& [r, c] : hint_->path)
        line << QPointF(v.offsetX + (c + 0.5) * size, v.offsetY + (r + 0.5) * size);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
    // The head: two strokes back from the end, at the angle of the last cell's direction.
    const QPointF end = line.back(), before = line[line.size() - 2];
    const QPointF direction =
        (end - before) / std::hypot(end.x() - before.x(), end.y() - before.y());
    const QPointF across(-direction.y(), direction.x());
    const double head = std::max(4.0, size * 0.35);
    painter.drawLine(end, end - head * direction + head * 0.6 * across);
    painter.drawLine(end, end - head * direction - head * 0.6 * across);
}

void BoardView::resizeEvent(QResizeEvent*) {
    window_.HandleResize();
}

// --- Mouse -----------------------------------------------------------------------------------

void BoardView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Press(event->button(), event->modifiers(), p.x(), p.y(), false);
}

void BoardView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Press(event->button(), event->modifiers(), p.x(), p.y(), true);
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Move(event->buttons(), event->modifiers(), p.x(), p.y());
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    selectionAnchorColumn_ = -1;
    dragging_ = false;
    if (!clickPending_) return;
    clickPending_ = false;
    const ViewGeometry& v = view_;
    const QPoint p = event->position().toPoint();
    const int bx = p.x() - v.offsetX, by = p.y() - v.offsetY;
    if (bx < 0 || by < 0) return;
    const int column = bx / v.cellSize, row = by / v.cellSize;
    if (row != pressRow_ || column != pressColumn_) return;
    const ShellState& f = window_.Shell();
    if (ctx_.editing || f.replayRunning || f.commandsBlocked) return;
    SokobanClick(row, column);
}

bool BoardView::SokobanClick(int row, int column) {
    SokobanPuzzle position;
    if (!SokobanPositionOf(ctx_, position)) return false;
    if (row >= position.rows || column >= position.columns) return true;
    const CommandGuard guard(window_.Shell().commandRunning);
    if (!guard.Held()) return true;
    const auto cell = position.cells[static_cast<std::size_t>(row * position.columns + column)];
    const bool box = (cell & SokobanPuzzle::kBox) != 0;
    std::optional<StepPath> path;
    if (BoxPicked()) {
        const int boxRow = pickedBoxRow_, boxColumn = pickedBoxColumn_;
        pickedBoxRow_ = pickedBoxColumn_ = -1;
        // A click on another box picks that one instead; on the picked one, drops it.
        if (box && (row != boxRow || column != boxColumn)) {
            pickedBoxRow_ = row;
            pickedBoxColumn_ = column;
        } else if (!box) {
            path = PushPath(position, boxRow, boxColumn, row, column);
        }
    } else if (box) {
        pickedBoxRow_ = row;
        pickedBoxColumn_ = column;
    } else {
        path = WalkPath(position, row, column);
    }
    if (path && !path->empty() && CarryOutPath(ctx_, *path) > 0)
        window_.RefreshView(true);
    else
        window_.RefreshView(false);
    return true;
}

void BoardView::wheelEvent(QWheelEvent* event) {
    const QPoint p = event->position().toPoint();
    if (ScrollByWheel(event->angleDelta().y(), p.x(), p.y()))
        event->accept();
    else
        event->ignore();
}

void BoardView::Press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y,
                      bool doubleClick) {
    ShellState& f = window_.Shell();
    if (f.replayRunning) {
        ctx_.board.selectedBlock = 0;
        f.replayStopRequest = true;
        return;
    }
    if (f.commandsBlocked) return;
    const ViewGeometry& v = view_;
    const int bx = x - v.offsetX, by = y - v.offsetY;
    if (doubleClick && button == Qt::LeftButton) {
        originColumn_ = CellOf(bx, v.cellSize) - 1;
        originRow_ = CellOf(by, v.cellSize) - 1;
        mouseColumn_ = mouseRow_ = 1;
        window_.ShowCoordinates(true);
        if (!ctx_.editing) return;
    }
    if (button != Qt::LeftButton || bx < 0 || by < 0) return;
    if (ctx_.editing) {
        EditorPress(modifiers, bx, by);
        return;
    }
    dragging_ = true;
    lastDragX_ = bx;
    lastDragY_ = by;
    clickPending_ = !doubleClick;
    pressColumn_ = bx / v.cellSize;
    pressRow_ = by / v.cellSize;
    ctx_.board.selectedBlock = 0;
    SelectBlock(ctx_, bx / v.cellSize, by / v.cellSize);
    window_.RefreshView(false);
}

void BoardView::EditorPress(Qt::KeyboardModifiers modifiers, int bx, int by) {
    PlayBoard& board = ctx_.board;
    selectionBase_ = state_.selection.cells;
    const int cellSize = view_.cellSize;
    const int column = bx / cellSize, row = by / cellSize;
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
        state_.selection.cells.UnionWith(cells, kMaxRows - 1);
    else if (modifiers & Qt::AltModifier)
        state_.selection.cells.ToggleWith(cells, kMaxRows - 1);
    else if (modifiers & Qt::ControlModifier)
        state_.selection.cells.Remove(cells, kMaxRows - 1);
    else
        state_.selection.cells.Toggle(row, column);
    selectionAnchorColumn_ = selectionLastColumn_ = column;
    selectionAnchorRow_ = selectionLastRow_ = row;
    Redraw();
}

void BoardView::Move(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y) {
    ShellState& f = window_.Shell();
    const CommandGuard guard(f.commandRunning);
    if (!guard.Held()) return;

    const ViewGeometry& v = view_;
    const int bx = x - v.offsetX, by = y - v.offsetY;
    const int column = CellOf(bx, v.cellSize) - originColumn_;
    const int row = CellOf(by, v.cellSize) - originRow_;
    // Leaving the pressed cell makes the press a drag, not a click.
    if (bx < 0 || by < 0 || bx / v.cellSize != pressColumn_ || by / v.cellSize != pressRow_)
        clickPending_ = false;
    if (column != mouseColumn_ || row != mouseRow_) {
        mouseColumn_ = column;
        mouseRow_ = row;
        window_.ShowCoordinates(true);
    }
    if (f.replayRunning || f.commandsBlocked || !(buttons & Qt::LeftButton)) return;
    if (ctx_.editing)
        EditorMove(bx, by);
    else
        PlayMove(modifiers, bx, by);
}

void BoardView::EditorMove(int bx, int by) {
    if (selectionAnchorColumn_ < 0 || bx < 0 || by < 0) return;
    PlayBoard& board = ctx_.board;
    const int cellSize = view_.cellSize;
    const int column = bx / cellSize, row = by / cellSize;
    if (!board.Inside(row, column)) return;
    if (column == selectionLastColumn_ && row == selectionLastRow_) return;
    selectionLastColumn_ = column;
    selectionLastRow_ = row;
    state_.selection.cells = selectionBase_;
    for (int r = std::min(row, selectionAnchorRow_); r <= std::max(row, selectionAnchorRow_); ++r)
        for (int c = std::min(column, selectionAnchorColumn_);
             c <= std::max(column, selectionAnchorColumn_); ++c)
            state_.selection.cells.Toggle(r, c);
    Redraw();
}

void BoardView::PlayMove(Qt::KeyboardModifiers modifiers, int bx, int by) {
    PlayBoard& board = ctx_.board;
    if (board.selectedBlock < 1) return;
    const int cellSize = view_.cellSize;
    int tc = bx / cellSize, tr = by / cellSize;
    if (modifiers & Qt::AltModifier) tc = board.selectedColumn;
    if (modifiers & Qt::ControlModifier) tr = board.selectedRow;
    const int dx = tc - board.selectedColumn, dy = tr - board.selectedRow;
    // A move only along the way the pointer went since the last event.
    if (!((dx >= 1 && bx > lastDragX_) || (dx < 0 && bx < lastDragX_))) tc = board.selectedColumn;
    if (!((dy >= 1 && by > lastDragY_) || (dy < 0 && by < lastDragY_))) tr = board.selectedRow;
    lastDragX_ = bx;
    lastDragY_ = by;
    if (tc == board.selectedColumn && tr == board.selectedRow) return;

    const std::function<void()> showSlide = [this] { PaintNow(); };
    bool movedAtAll = false, moved = false;
    do {
        QCoreApplication::processEvents();
        moved = false;
        if (DragSelectedBlock(ctx_, tc, board.selectedRow, true, showSlide)) moved = true;
        if (DragSelectedBlock(ctx_, board.selectedColumn, tr, true, showSlide)) moved = true;
        if ((dx > 0 && tc < board.selectedColumn) || (dx < 0 && tc > board.selectedColumn))
            tc = board.selectedColumn;
        if ((dy > 0 && tr < board.selectedRow) || (dy < 0 && tr > board.selectedRow))
            tr = board.selectedRow;
        movedAtAll = movedAtAll || moved;
    } while (moved && dragging_);
    if (movedAtAll) {
        clickPending_ = false;
        window_.RefreshView(true);
    }
}

} // namespace vorpel
