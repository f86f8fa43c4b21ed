// The level editor's window: title, the tagged buttons of kinds, marks and commands, the
// alphanumeric character and the closing buttons; every button and key goes to EditorCommand.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QPoint>
#include <QWidget>

#include "app/BoardView.h"
#include "app/Commands.h"
#include "app/FileChooser.h"
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

class BoardView;
class GameSession;
class ResumeKeeper;
struct ShellState;

// What the editor needs of the program besides the session.
class EditorHost : public virtual FileChooserHost {
public:
    virtual QWidget& Widget() = 0; // the window's owner
    virtual ShellState& Shell() = 0;
    // The board view: the cell selection, redrawn as the level changes.
    virtual BoardView& Board() const = 0;
    // The resume file, which keeps the edited level when the program closes.
    virtual ResumeKeeper& Resume() = 0;
    // The file name the read command offers next.
    virtual std::string& FileName() = 0;
    // The editor takes the main window's keys while it is open.
    virtual void SetEditorKeys(std::function<void(const KeyPress&)> editorKeys) = 0;
    virtual void SetBusy(bool menusOffValue, bool commandsBlockedValue,
                         bool paintSuppressedValue) = 0;
    virtual void SetHourglass(bool on) = 0;
    // Shows the options window at `page`; true when the options were accepted.
    virtual bool ShowOptionsWindow(int page) = 0;
    virtual bool Zoom(CellSizing sizing) = 0;
    // Shows the current level afresh, `recompute` keeping the cell size in step with its board.
    virtual void ShowChosenLevel(bool recompute) = 0;
    virtual void RepaintAfterEdit(bool recompute) = 0;
    virtual void ReloadAfterEdit(bool recompute) = 0;
};

inline constexpr const char* kDiscardQuestion = "Discard the changes to this level?";
struct BoardCanvas;

class EditorWindow : public QWidget {
    Q_OBJECT

public:
    EditorWindow(GameSession& session, EditorHost& main);
    ~EditorWindow() override;

    // What the editor keeps from one opening to the next, for the run.
    EditorMemory& Memory();

    // What the button of `tag` does (its action's handler); keys and clicks come here through
    // the actions.
    void RunButton(int tag);
    // A key pressed on the main window while the editor is open.
    void KeyFromMainWindow(const KeyPress& press);
    void PushUndo();
    // The board view's cell selection, which the editor's operations work through.
    CellSelection& Selected() { return main.Board().Selection(); }

    EditorHost& main;
    GameSession& session;
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
void ShowEditor(GameSession& session, EditorHost& main);

} // namespace vorpel
