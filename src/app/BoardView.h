// The main window's board view: a scroll area that owns the cell size, the board's offsets, the
// scroll bars and the canvas, paints the canvas at the offsets and turns the mouse into play,
// the editor's cell selection and coordinates.
#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QRgb>
#include <QVector>
#include <QWidget>

#include "model/RowSet.h"
#include "model/ViewState.h"
#include "qtglyphs/QtGlyphRasterizer.h"
#include "render/BoardDrawing.h"
#include "solver/Solver.h"

class QPainter;

class QFrame;
class QScrollBar;

namespace vorpel {

struct Context;
struct ShellState;

// Where the board lies in the board view: the cell size and its largest value, the board's and
// the visible area's sizes, and the board's offset in the view (negative when scrolled).
struct ViewGeometry {
    int cellSize = kMinCellSize;
    int maxCellSize = kMinCellSize;
    int boardWidth = 0;
    int boardHeight = 0;
    int viewWidth = 0;
    int viewHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
};

// How a layout sets the cell size through the render library's rules: kept (clamped), one zoom
// step in or out, or fitted to the view.
enum class CellSizing { kKeep, kZoomIn, kZoomOut, kFit };

// What the board view needs of the window it sits in.
class BoardViewHost {
public:
    virtual ~BoardViewHost() = default;
    // What the program is doing: replay, busy, the command guard.
    virtual ShellState& Shell() = 0;
    // The one refresh after a change of position.
    virtual void RefreshView(bool celebrate) = 0;
    virtual void ShowCoordinates(bool show) = 0;
    // The view's size changed: the window lays out its status bar and the board again.
    virtual void HandleResize() = 0;
};

// The board palette as Qt's colour table, for 8-bit pictures drawn by the renderer.
QList<QRgb> ColourTable(const BoardPalette& palette);

// The colour of the hint's outline and arrow.
inline constexpr QRgb kHintColour = qRgb(255, 0, 255);

// A solution's next move shown over the board: the block at (row, column) outlined and an arrow
// through the cells of `path`; `steps` make the move when the hint is taken.
struct BoardHint {
    int row = 0;
    int column = 0;
    std::vector<std::pair<int, int>> path;
    std::vector<SolveStep> steps;
};

class BoardView : public QWidget {
public:
    // A child of `parent`, playing on `ctx`'s board.
    BoardView(QWidget& parent, BoardViewHost& window, Context& ctx);
    ~BoardView() override;

    // --- The view --------------------------------------------------------------------------
    const ViewGeometry& View() const { return view_; }
    // Sets the cell size that the next layout keeps or zooms from.
    void SetCellSize(int size) { view_.cellSize = size; }
    void SetOffsets(int offsetX, int offsetY);
    // Sets the cell size for the board of the current level in the view's top `width` by
    // `height` pixels (what the status bar leaves), `fit` fitting it whatever `sizing` says, and
    // places the scroll bars. The point under the middle of the view stays there while zooming.
    void LayOut(CellSizing sizing, int width, int height, bool fit);
    // Scrolls the board by the wheel; true when a scroll bar took it.
    bool ScrollByWheel(int delta, int x, int y);

    // --- The canvas ------------------------------------------------------------------------
    BoardCanvas& Canvas() { return *canvas_; }
    // How the canvas is drawn: at the cell size, with the annotation mode.
    CanvasView Drawing() const { return {view_.cellSize, false, annotation_}; }
    // Sets the board's colours, in the canvas and in the picture painted from it.
    void InitPalette();
    // Draws the board into the canvas and paints it with the next event loop; nothing while
    // painting is suppressed.
    void Redraw();
    // Draws the board and paints it at once, without waiting for the event loop: a slide between
    // the steps of a drag, moves read from a file.
    void PaintNow();
    // Draws the board into the canvas only, as a recording reads it: without the held block's
    // mark, painted when painting resumes.
    void DrawForRecording();

    // --- The view state -------------------------------------------------------------------
    // The editor's cell selection, or in play the held block's path.
    CellSelection& Selection() { return state_.selection; }
    // Everything the canvas is drawn with besides the play, as the GIF export redraws it.
    ViewState& State() { return state_; }
    // Marks the held block's path in the selection when the view shows it.
    void MarkPath();

    // Forgets the pointer's cell, the coordinate origin, a drag, the selection anchor, the
    // annotation mode and a picked box.
    void Reset();

    // The cell the coordinates count from (changed by a double click) and the pointer's cell.
    int OriginRow() const { return originRow_; }
    int OriginColumn() const { return originColumn_; }
    int MouseRow() const { return mouseRow_; }
    int MouseColumn() const { return mouseColumn_; }
    bool Dragging() const { return dragging_; }
    // Whether a press in the editor has started a rectangle of cells the pointer extends.
    bool SelectingCells() const { return selectionAnchorColumn_ >= 0; }
    void EndCellSelection() { selectionAnchorColumn_ = -1; }

    // What the board shows on its blocks in play; the menu's radio items set it.
    Annotation AnnotationMode() const { return annotation_; }
    void SetAnnotationMode(Annotation annotation) { annotation_ = annotation; }
    bool ShowsBlockPath() const { return annotation_ == Annotation::kBlockPath; }
    // Whether a click on a Sokoban level has picked a box to push, and which.
    bool BoxPicked() const { return pickedBoxRow_ >= 0; }
    void LetGoOfBox() { pickedBoxRow_ = pickedBoxColumn_ = -1; }
    // The hint drawn over the board until the position changes.
    const std::optional<BoardHint>& Hint() const { return hint_; }
    void SetHint(BoardHint hint);
    void DropHint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void PlaceScrollBars(bool horizontal, bool vertical, int barWidth, int barHeight);
    void Press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y,
               bool doubleClick);
    void Move(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void EditorPress(Qt::KeyboardModifiers modifiers, int bx, int by);
    void EditorMove(int bx, int by);
    void PlayMove(Qt::KeyboardModifiers modifiers, int bx, int by);
    // A click on a Sokoban level: walks the player to an empty cell, picks a box, or pushes the
    // picked box to the cell. False when the level is not a Sokoban level.
    bool SokobanClick(int row, int column);
    void PaintHint(QPainter& painter) const;
    // Draws the board into the canvas with its outline recomputed.
    void Draw(const CanvasView& drawing);

    BoardViewHost& window_;
    Context& ctx_;
    QVector<QRgb> colourTable_;
    ViewGeometry view_;
    QScrollBar* horizontalScrollBar_ = nullptr;
    QScrollBar* verticalScrollBar_ = nullptr;
    QFrame* boardPanel_ = nullptr; // the corner between the two scroll bars
    QtGlyphRasterizer rasterizer_;
    std::unique_ptr<BoardCanvas> canvas_;
    ViewState state_;

    bool dragging_ = false;
    int lastDragX_ = 0;
    int lastDragY_ = 0;
    int originColumn_ = 0;
    int originRow_ = 0;
    int mouseColumn_ = 0;
    int mouseRow_ = 0;
    int selectionAnchorColumn_ = -1;
    int selectionAnchorRow_ = 0;
    int selectionLastColumn_ = 0;
    int selectionLastRow_ = 0;
    RowSet selectionBase_;
    Annotation annotation_ = Annotation::kNone;
    // A press in play that may end as a click: its cell, until the pointer leaves it or a drag
    // moves a block.
    bool clickPending_ = false;
    int pressRow_ = 0;
    int pressColumn_ = 0;
    // The box a click picked on a Sokoban level for the next click to push (-1 for none).
    int pickedBoxRow_ = -1;
    int pickedBoxColumn_ = -1;
    std::optional<BoardHint> hint_;
};

} // namespace vorpel
