// The main window as the other windows see it: the session and what the run keeps, and the
// operations on the board view they call. The windows take this, never the main window itself.
#pragma once

#include <functional>
#include <string>

#include "app/BoardView.h"
#include "app/Commands.h"

class QWidget;

namespace vorpel {

class CompanionFiles;
class FileHistory;
class GameSession;
class QtPlatform;
class ResumeKeeper;
struct Context;
struct FileChooserState;
struct RunMemory;
struct ShellState;

class ProgramWindow {
public:
    virtual ~ProgramWindow() = default;

    // The window itself, as the parent of the windows it opens.
    virtual QWidget& Widget() = 0;

    // --- What the windows share -----------------------------------------------------------------
    virtual GameSession& Session() const = 0;
    virtual Context& Ctx() const = 0;
    virtual QtPlatform& Platform() const = 0;
    // What the program is doing: replay, busy, recording, loading and their stop requests.
    virtual ShellState& Shell() = 0;
    // The file chooser's state for the run, and the history it offers.
    virtual FileChooserState& ChooserState() = 0;
    virtual FileHistory& History() = 0;
    // What the windows remember for the run.
    virtual RunMemory& Memory() = 0;
    // The resume file: read at start-up, written at close.
    virtual ResumeKeeper& Resume() = 0;
    virtual const CompanionFiles& Companions() const = 0;
    // The file name the read command offers next.
    virtual std::string& FileName() = 0;

    // --- The board view: the cell size, the offsets, the scroll bars and the canvas -------------
    virtual BoardView& Board() const = 0;

    // Set by windows that come later: the editor takes the window's keys while it is open,
    // and the GIF export reports the image size.
    virtual void SetEditorKeys(std::function<void(const KeyPress&)> editorKeys) = 0;
    virtual void SetGifImageSizeReport(std::function<void(int, int, bool)> report) = 0;

    // --- Operations ------------------------------------------------------------------------------
    // Lays out the status bar and, in what it leaves, the board view at a cell size.
    using CellSizing = vorpel::CellSizing;
    virtual void UpdateCellSize(CellSizing sizing) = 0;
    // One zoom step or the fit, unless automatic sizing or a recording holds the cell size or
    // the size is at its limit; true when the board was zoomed.
    virtual bool Zoom(CellSizing sizing) = 0;
    virtual void ShowCoordinates(bool show) = 0;
    virtual void ShowChosenLevel(bool recompute) = 0;
    // Goes to move `move` of the current level's history and shows it.
    virtual void ShowMove(int move) = 0;
    // Runs one of the core's history moves and shows where it leaves the level; `celebrate`
    // only for a step forward.
    virtual void Navigate(const std::function<void(Context&)>& historyMove,
                          bool celebrate = false) = 0;
    // The one refresh after any change of position: block path, outline flags, board image and
    // move counts, and the celebration when `celebrate` (after a move, a step forward or the end
    // of a replay). While painting is suppressed, the board is only drawn into the canvas.
    virtual void RefreshView(bool celebrate) = 0;
    virtual void SetBusy(bool menusOffValue, bool commandsBlockedValue,
                         bool paintSuppressedValue) = 0;
    virtual void SetHourglass(bool on) = 0;
    virtual void RepaintAfterEdit(bool recompute) = 0;
    virtual void ChangeTitle(const std::string& title) = 0;
    // Makes the level at `index` current and shows it; `recompute` keeps the cell size in step
    // with its board.
    virtual void ChooseLevel(int index, bool recompute = true) = 0;
    virtual void ReloadAfterEdit(bool recompute) = 0;
    // Shows the options window at `page`; true when the options were accepted.
    virtual bool ShowOptionsWindow(int page) = 0;

    // --- Events the board view passes on ---------------------------------------------------------
    virtual void HandleResize() = 0;
};

} // namespace vorpel
