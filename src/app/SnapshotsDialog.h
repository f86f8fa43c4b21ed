// Snapshots in the window: "Save position as ..." asks a name for the current position, and
// "Saved positions ..." lists the level's snapshots to go back to or delete.
#pragma once

#include <string>

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vorpel {

class ProgramWindow;
struct Level;

// The name offered for a new snapshot: "Snapshot N", the first N from the count of snapshots
// up that no snapshot of the level has.
std::string FreeSnapshotName(const Level& level);

class SnapshotNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit SnapshotNameDialog(ProgramWindow& main);

    QLineEdit* nameEdit;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* helpButton;

    // OK refuses characters the level text cannot hold and asks before replacing a snapshot of
    // the same name; then the position is kept under the name.
    void done(int result) override;

private:
    ProgramWindow& main_;
};

class SnapshotsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SnapshotsDialog(ProgramWindow& main);

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

    ProgramWindow& main_;
};

// The two commands.
void SavePositionAs(ProgramWindow& main);
void ShowSnapshots(ProgramWindow& main);

} // namespace vorpel
