// The best solution dialog: the stored record of the current level, applied, replaced by the
// current moves, or erased.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorpel {

class ProgramWindow;

class BestSolutionDialog : public QDialog {
    Q_OBJECT
public:
    explicit BestSolutionDialog(ProgramWindow& main);

    QLabel* messagesLabel;
    QPushButton* applyButton;
    QPushButton* writeButton;
    QPushButton* eraseButton;
    QPushButton* helpButton;
    QPushButton* cancelButton;

    // Fills the label from the file and enables Apply and Erase when a record exists.
    void Refresh();

private:
    void Apply();
    void Write();
    void Erase();

    ProgramWindow& main_;
};

// The "Best solution ..." command.
void ShowBestSolutionDialog(ProgramWindow& main);

} // namespace vorpel
