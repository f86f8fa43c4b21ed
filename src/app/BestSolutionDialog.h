// The best solution dialog: the stored record of the current level, applied, replaced by the
// current moves, or erased.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorpel {

class TFormPrincipal;

class BestSolutionDialog : public QDialog {
    Q_OBJECT
public:
    explicit BestSolutionDialog(TFormPrincipal& main);

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

    TFormPrincipal& main_;
};

// The "Best solution ..." command.
void ShowBestSolutionDialog(TFormPrincipal& main);

} // namespace vorpel
