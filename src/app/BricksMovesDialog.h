// The Bricks moves window: the DLL with the level, the level in it and the player, then the
// moves file read onto the current level or written from its history.
#pragma once

#include <string>

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vorpel {

class ProgramWindow;

class BricksMovesDialog : public QDialog {
    Q_OBJECT

public:
    BricksMovesDialog(ProgramWindow& main, bool writing);

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

    ProgramWindow& main_;
    bool writing_;
    std::string dllPath_;
};

// "Write Bricks moves" (`writing`) or "Read Bricks moves": the dialog, modal.
void ShowBricksMovesDialog(ProgramWindow& main, bool writing);

} // namespace vorpel
