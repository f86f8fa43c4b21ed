// Snapshots in the window: "Save position as ..." asks a name for the current position, and
// "Saved positions ..." lists the level's snapshots to go back to or delete.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vorpel {

class GameSession;
class QtPlatform;

// What the snapshot dialogs need of the program.
class SnapshotsHost {
public:
    virtual ~SnapshotsHost() = default;
    virtual QWidget& Widget() = 0; // the dialogs' parent
    virtual QtPlatform& Platform() const = 0;
};

class SnapshotNameDialog : public QDialog {
    Q_OBJECT
public:
    SnapshotNameDialog(GameSession& session, SnapshotsHost& main);

    QLineEdit* nameEdit;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* helpButton;

    // OK refuses characters the level text cannot hold and asks before replacing a snapshot of
    // the same name; then the position is kept under the name.
    void done(int result) override;

private:
    GameSession& session_;
    SnapshotsHost& main_;
};

class SnapshotsDialog : public QDialog {
    Q_OBJECT
public:
    SnapshotsDialog(GameSession& session, SnapshotsHost& main);

    QListWidget* snapshotList;
    QPushButton* goToButton;
    QPushButton* deleteButton;
    QPushButton* closeButton;
    QPushButton* helpButton;

private:
    void Fill(int selected);
    // Goes to the selected snapshot (asking first when that drops steps of the history) and
    // closes; a snapshot whose moves no longer fit is reported and the dialog stays.
    void GoTo();
    void Delete();

    GameSession& session_;
    SnapshotsHost& main_;
};

// The two commands.
void SavePositionAs(GameSession& session, SnapshotsHost& main);
void ShowSnapshots(GameSession& session, SnapshotsHost& main);

} // namespace vorpel
