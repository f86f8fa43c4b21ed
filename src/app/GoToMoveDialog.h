// The go-to-move dialog: a slider over the level's moves (a Sokoban level's player steps) that
// the board follows live.
#pragma once

#include <QDialog>

class QPushButton;

namespace vorpel {

class SliderField;
class QtPlatform;
class GameSession;
struct RunMemory;

// What the go-to-move dialog needs of the program.
class GoToMoveHost {
public:
    virtual ~GoToMoveHost() = default;
    virtual QWidget& Widget() = 0; // the dialog's parent
    virtual QtPlatform& Platform() const = 0;
    virtual RunMemory& Memory() = 0;
    // Goes to move `move` of the current level's history and shows it.
    virtual void ShowMove(int move) = 0;
    // Goes to step `position` of the current level's history and shows it.
    virtual void ShowStep(int position) = 0;
};

class GoToMoveDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the move chosen last time on the board at once.
    GoToMoveDialog(GameSession& session, GoToMoveHost& main);
    ~GoToMoveDialog() override;

    SliderField* moveSlider;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* helpButton;
    QPushButton* currentPositionButton;

    int StartMove() const { return startMove_; }

    // OK keeps the slider's value; either way the board ends on the move kept or the start.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Wheel(int delta);
    // Shows the slider's value: a move, or on a Sokoban level a player step.
    void Go(int value);

    GameSession& session_;
    GoToMoveHost& main_;
    // A Sokoban level counts player steps, as its players do; the history position the dialog
    // opened on is where Cancel returns exactly.
    bool sokoban_ = false;
    int startMove_ = 0;
    int startPosition_ = 0;
    int wheelRest_ = 0;
};

// The "Go to move ..." command; does nothing while the dialog is already open.
void ShowGoToMoveDialog(GameSession& session, GoToMoveHost& main);

} // namespace vorpel
