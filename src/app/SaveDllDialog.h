// The save-as-DLL window: names, the introduction text and the levels to write with their
// records, then the file.
#pragma once

#include <vector>

#include <QDialog>

#include "app/FileChooser.h"

#include "bricksdll/DllSelection.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace vorpel {

class GameSession;

// What the Bricks DLL dialog needs of the program besides the session.
class SaveDllHost : public virtual FileChooserHost {
public:
    virtual QWidget& Widget() = 0; // the dialog's parent
    // The file name the read command offers next.
    virtual std::string& FileName() = 0;
};

class SaveDllDialog : public QDialog {
    Q_OBJECT

public:
    SaveDllDialog(GameSession& session, SaveDllHost& main);

    QTabWidget* pages = nullptr;
    QLineEdit* gameNameEdit = nullptr;
    QLineEdit* savePrefixEdit = nullptr;
    QPlainTextEdit* introductionEdit = nullptr;
    QListWidget* levelList = nullptr;
    QPushButton* selectButton = nullptr;
    QPushButton* excludeButton = nullptr;
    QPushButton* upButton = nullptr;
    QPushButton* downButton = nullptr;
    QPushButton* topButton = nullptr;
    QPushButton* changeRecordButton = nullptr;
    QSpinBox* recordField = nullptr;
    QLabel* selectedLabel = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* helpButton = nullptr;

    std::vector<DllListLine> lines;

    // Writes the selected levels to `path` (the OK button asks for it first); true when written.
    bool WriteTo(const std::string& path);

private:
    void ShowLines();
    std::vector<bool> Highlighted() const;
    void Highlight(const std::vector<bool>& highlighted);
    void SetSelected(bool selected);
    void Move(DllLineMove move);
    void ChangeRecord();
    void OnClickOk();

    SaveDllHost& main_;
    GameSession& session_;
};

// "Save as DLL": the dialog, modal.
void ShowSaveDllDialog(GameSession& session, SaveDllHost& main);

} // namespace vorpel
