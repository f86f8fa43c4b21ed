// The best solution dialog: the stored record of the current level, applied, replaced by the
// current moves, or erased.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorpel {

class GameSession;
class QtPlatform;

// What the best-solution dialog needs of the program besides the session.
class BestSolutionHost {
public:
    virtual ~BestSolutionHost() = default;
    virtual QWidget& Widget() = 0; // the dialog's parent
    virtual QtPlatform& Platform() const = 0;
    // The one refresh after a change of position.
    virtual void RefreshView(bool celebrate) = 0;
};

class BestSolutionDialog : public QDialog {
    Q_OBJECT
public:
    BestSolutionDialog(GameSession& session, BestSolutionHost& main);

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

    BestSolutionHost& main_;
    GameSession& session_;
};

// The "Best solution ..." command.
void ShowBestSolutionDialog(GameSession& session, BestSolutionHost& main);

} // namespace vorpel
