// The move list window: the current level's moves as fixed-pitch lines to select, copy, take from
// the clipboard and apply to the board.
#pragma once

#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QWidget>

class QPushButton;
class QTimer;

namespace vorpel {

class BoardView;
class GameSession;
class QtPlatform;
struct RunMemory;
struct ShellState;

// What the move list needs of the program besides the session.
class MoveListHost {
public:
    virtual ~MoveListHost() = default;
    virtual QWidget& Widget() = 0; // the window's owner
    virtual QtPlatform& Platform() const = 0;
    virtual ShellState& Shell() = 0;
    virtual RunMemory& Memory() = 0;
    // The board view, whose coordinate origin the move texts count from.
    virtual BoardView& Board() const = 0;
    // The one refresh after a change of position.
    virtual void RefreshView(bool celebrate) = 0;
};

// The list area: paints only the lines in view, with selection by mouse and keys.
class MoveGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kLineHeight = 17;
    static constexpr int kCharWidth = 9;

    explicit MoveGrid(QWidget* parent = nullptr);

    // Replaces the lines; clears the selection and scrolls to the start.
    void SetLines(std::vector<std::string> lines);
    const std::vector<std::string>& Lines() const { return lines_; }
    std::vector<int> SelectedLines() const;
    void SelectAll();

    int AnchorLine() const { return anchorLine_; }
    int TopLine() const;
    int LeftColumn() const;
    // How many lines the last paint drew.
    int PaintedLines() const { return paintedLines_; }

Q_SIGNALS:
    void applyRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateLayout();
    void ClearSelection();
    void SelectRange(int from, int to);
    void ScrollToLine(int line);
    void DragTo(int y, Qt::KeyboardModifiers modifiers);
    void WheelNotches(int delta, bool horizontal);

    std::vector<std::string> lines_;
    std::vector<char> selected_;
    int anchorLine_ = -1;
    int cursorLine_ = -1;
    int longestLine_ = 0;
    int visibleLines_ = 0;
    int visibleColumns_ = 0;
    int paintedLines_ = 0;
    bool dragging_ = false;
    int dragLine_ = -1;
    int dragY_ = 0;
    Qt::KeyboardModifiers dragModifiers_;
    int wheelRest_ = 0;
    QTimer* dragScroll_;
};

class MoveListWindow : public QWidget {
    Q_OBJECT
public:
    MoveListWindow(GameSession& session, MoveListHost& main);

    MoveGrid* moveGrid;
    QPushButton* helpButton;
    QPushButton* fromClipboardButton;
    QPushButton* toClipboardButton;
    QPushButton* bestSolutionButton;
    QPushButton* currentLevelButton;
    QPushButton* selectAllButton;
    QPushButton* restartButton;
    QPushButton* applyButton;
    QPushButton* closeButton;

    void ListCurrentMoves();
    void FromClipboard();
    void ToClipboard();
    void ShowBestSolution();
    void Restart();
    void ApplySelectedMoves();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs `action` on the board through the command guard: not while a command runs, while
    // commands are blocked or while the editor is open.
    template <typename Action> void OnBoard(Action action);

    MoveListHost& main_;
    GameSession& session_;
};

// The "Move list ..." command: brings the window to the front, or opens it on the current moves.
MoveListWindow& ShowMoveList(GameSession& session, MoveListHost& main);

} // namespace vorpel
