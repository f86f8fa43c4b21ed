// What the level list, the move list and the go-to-move and title dialogs keep between openings
// for the program run (never stored).
#pragma once

#include <array>
#include <string>

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>

namespace vorpel {

class MoveListWindow;

struct LevelListState {
    int sortColumn = 1; // Number
    int direction = 1;  // ascending
    QString searchText;
    std::string lastTitle; // of the level last gone to
    bool keepSelected = true;
    bool score = true;
    int levelsToScore = 48;
    std::array<int, 7> columnWidths{150, 75, 75, 75, 75, 75, 90}; // the last: Solved
    QRect normalRect; // empty until the window has been closed once
    bool maximised = false;
};

struct MoveListState {
    QRect normalRect{120, 80, 520, 480};
    bool maximised = false;
    QPointer<MoveListWindow> window; // at most one
};

struct GoToMoveState {
    int lastChosenMove = 0;
    QPoint position{60, 120};
    bool open = false;
};

struct TitleDialogState {
    QPoint position{10, 120};
    bool open = false;
};

struct NavigationState {
    LevelListState levelList;
    MoveListState moveList;
    GoToMoveState goToMove;
    TitleDialogState title;
};

} // namespace vorpel
