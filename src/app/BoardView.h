// The main window's board widget: paints the canvas at the view's offsets and turns the mouse
// into play, the editor's cell selection and coordinates.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QRgb>
#include <QVector>
#include <QWidget>

#include "model/RowSet.h"
#include "render/BoardDrawing.h"
#include "solver/Solver.h"

class QPainter;

namespace vorpel {

class ProgramWindow;
struct BoardPalette;
struct Context;

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
    BoardView(ProgramWindow& window, Context& ctx);

    // The colours the canvas's indices stand for.
    void SetPalette(const BoardPalette& palette);
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

    ProgramWindow& window_;
    Context& ctx_;
    QVector<QRgb> colourTable_;

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
