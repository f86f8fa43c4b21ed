// The program's answer to what the core asks of the user and the platform, through Qt windows.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QUrl>

#include "app/RunMemory.h"
#include "model/Platform.h"
#include "model/RefreshGate.h"
#include "qtglyphs/Cp1252.h"

class QWidget;

namespace vorpel {

class HelpWindow;
class SettingsStore;

// A message line as shown: file names from the system arrive as UTF-8 among the program's
// Windows-1252 texts, so a line that is valid UTF-8 with some non-ASCII character is read as
// UTF-8, any other as Windows-1252.
QString DisplayText(const std::string& bytes);

// File names between the core's byte strings and Qt, in the file system's own encoding.
QString FromFileName(const std::string& name);
std::string ToFileName(const QString& name);

// A top-level window's place as the user sees it: its frame, with the window manager's title bar
// and borders; for a maximised window, the frame of its normal geometry. `seenMargins` is the
// run's memory of the frame margins last seen on any window (RunMemory::frameMargins), which a
// window not yet framed is measured with and a framed one updates.
QRect FrameRect(const QWidget& window, QMargins& seenMargins);

// Puts a top-level window's frame at `frame` (and gives it that size unless `frame`'s size is
// empty), moved fully onto the work area of the screen there. Once the window manager has framed
// the shown window, the frame is put there again if it landed elsewhere, so that a window opened
// where it was closed never drifts. `seenMargins` as for FrameRect; it must outlive the window.
void PlaceFrame(QWidget& window, const QRect& frame, QMargins& seenMargins);

// PlaceFrame for a position only: the frame's top-left corner at `topLeft`.
void MoveOntoScreen(QWidget& window, QPoint topLeft, QMargins& seenMargins);

// One scripted reply to a message box: the key typed into it as a user would type it (a letter
// of a caption in either case, '\r' for Enter, '\x1b' for Esc) and the state the "Repeat the
// answer next time" box is given first.
struct BoxAnswer {
    char key = '\x1b';
    bool repeat = false;
};

// Lets tests answer message boxes without a person: boxes are built and given their keys, but
// never wait.
struct MessageScript {
    std::deque<BoxAnswer> answers;               // taken from the front; Esc when none is left
    std::vector<std::vector<std::string>> shown; // the lines of every box that was shown
    std::vector<QUrl> opened; // what the help window and the about box asked the desktop to open
};

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    void ShowInfo(const std::vector<std::string>& lines) override;
    bool AskYesNo(const std::vector<std::string>& lines) override;
    bool AskYesNoDefaultNo(const std::vector<std::string>& lines) override;
    Choice AskChoice(const std::vector<std::string>& lines, const std::string& first,
                     const std::string& second, const std::string& third, bool withRepeat,
                     bool& repeat) override;
    // The about box with its link.
    void ShowAbout();

    std::optional<std::string> ClipboardText() override;
    bool SetClipboardText(const std::string& text) override;
    void AddToHistory(const std::string& fileName) override;
    void ProcessEvents() override;
    // Draws the board of the level being read through `showLoadingBoard`, at most every 100 ms
    // so that drawing costs a long read little.
    void ShowLoadingBoard() override;
    bool ResolveShortcut(std::string& name) override;

    // Opens a document or link with the desktop's program for it; false when none took it.
    bool OpenUrl(const QUrl& url);

    // Parent of the boxes and dialogs (the main window once it exists).
    QWidget* window = nullptr;
    // The settings module that keeps the file history; none until the program sets it.
    SettingsStore* settings = nullptr;
    // Caption of the message boxes: a blank and the executable's name without extension.
    QString boxCaption;
    // The help page, fixed at start-up (see CompanionFiles).
    QString helpPage;
    // The help window while it is open (it goes when closed).
    QPointer<HelpWindow> helpWindow;
    // What the windows remember for the run.
    RunMemory memory;
    // Sizes and draws the board in the main window while levels are read; none until it is set.
    std::function<void()> showLoadingBoard;
    RefreshGate loadingBoardGate{std::chrono::milliseconds(100)};
    // Set by tests: boxes answer from the script and links are not opened.
    std::optional<MessageScript> script;
};

} // namespace vorpel
