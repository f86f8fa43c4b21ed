// The level editor's window: title, the tagged buttons of kinds, marks and commands, the
// alphanumeric character and the closing buttons; every button and key goes to EditorCommand.
#pragma once

#include <array>
#include <memory>

#include <QPoint>
#include <QWidget>

#include "app/Commands.h"
#include "app/RunMemory.h"
#include "editor/EditorCommands.h"
#include "editor/EditorSession.h"
#include "editor/UndoStack.h"
#include "model/Kinds.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vorpel {

class ProgramWindow;

inline constexpr const char* kDiscardQuestion = "Discard the changes to this level?";
struct BoardCanvas;

class EditorWindow : public QWidget {
    Q_OBJECT

public:
    explicit EditorWindow(ProgramWindow& main);
    ~EditorWindow() override;

    // What the editor keeps from one opening to the next, for the run.
    EditorMemory& Memory();

    // What the button of `tag` does (its action's handler); keys and clicks come here through
    // the actions.
    void RunButton(int tag);
    // A key pressed on the main window while the editor is open.
    void KeyFromMainWindow(const KeyPress& press);
    void PushUndo();

    ProgramWindow& main;
    EditorResult editorResult = EditorResult::kCancel;
    // Set while the user types in the title or alphanumeric field: commands leave it alone.
    bool typingInField = false;
    UndoStack undo;
    PlaySnapshot snapshot;
    // The edited level as the editor opened, in level text: what "changes" are measured from.
    std::string openedText;
    // Whether the edited level differs from the one the editor opened with.
    bool HasChanges() const;

    QLabel* titleLabel = nullptr;
    QLineEdit* titleEdit = nullptr;
    QPushButton* replaceButton = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QLineEdit* alphanumericEdit = nullptr;
    QToolButton* alphanumericNextButton = nullptr;
    QToolButton* alphanumericPreviousButton = nullptr;
    // The tagged buttons by tag; the stop and help buttons among them.
    std::array<QToolButton*, kEditorButtonCount> buttons{};
    // Their actions, with the shortcuts of the keys that are no character.
    std::array<QAction*, kEditorButtonCount> actions{};

    // Steps the alphanumeric character, as the up-down control does.
    void StepAlphanumeric(bool next);
    void SetAlphanumeric(Byte c);
    // Recolours the round block and mark buttons for the chosen colour.
    void ColourRoundButtons();
    // The zoom buttons act only without automatic board sizing.
    void SetZoomButtons();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildControls();
    void OnTitleChanged();
    void OnAlphanumericEdited();
    void UpdateAlphanumericButtons();
    // Runs a level-changing command after PushUndo; an unchanged level takes its undo entry
    // back and keeps its selection.
    template <class Command> void Change(Command command);
    void ShowLevelTitle();
    void Reload();
    void RestoreFromUndo(bool redo);
    void ReadLevelFileCommand();
    void PasteCommand();
    void CopyCommand(bool erase);
    void ShuffleCommand();
    bool KeyPressed(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void CloseWith(EditorResult result);

    std::unique_ptr<BoardCanvas> pictureCanvas_;
    // The user already chose to drop the changes (the Cancel button).
    bool discardAsked_ = false;
};

// "New level - Edit": opens the editor window unless it is open already.
void ShowEditor(ProgramWindow& main);

} // namespace vorpel
