// The Bricks moves window: the DLL with the level, the level in it and the player, then the
// moves file read onto the current level or written from its history.
#pragma once

#include <string>

#include <QDialog>

#include "app/FileChooser.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vorpel {

class BoardView;
class GameSession;

// What the Bricks moves dialog needs of the program besides the session.
class BricksMovesHost : public virtual FileChooserHost {
public:
    virtual QWidget& Widget() = 0; // the dialog's parent
    // The board view, painted between the moves read.
    virtual BoardView& Board() const = 0;
};

class BricksMovesDialog : public QDialog {
    Q_OBJECT

public:
    BricksMovesDialog(GameSession& session, BricksMovesHost& main, bool writing);

    QLineEdit* playerEdit = nullptr;
    QLabel* dllLabel = nullptr;
    QListWidget* levelList = nullptr;
    QPushButton* chooseDllButton = nullptr;
    QPushButton* helpButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* okButton = nullptr;

    // Shows the library `path`: its label and its levels, the current level's title chosen.
    void ShowDll(const std::string& path);
    const std::string& DllPath() const { return dllPath_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void done(int code) override;

private:
    void ShowDllLabel();
    void EnableOk();
    void OnClickChooseDll();
    void OnClickOk();

    BricksMovesHost& main_;
    GameSession& session_;
    bool writing_;
    std::string dllPath_;
};

// "Write Bricks moves" (`writing`) or "Read Bricks moves": the dialog, modal.
void ShowBricksMovesDialog(GameSession& session, BricksMovesHost& main, bool writing);

} // namespace vorpel
