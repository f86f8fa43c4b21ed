// What the program is doing at the moment: the run's shell state, owned by the main window.
#pragma once

#include <stop_token>

namespace vorpel {

// Commands, the mouse, the timer and the long operations read these; all are clear when the
// main window is first shown. Long operations (loading, shuffling, GIF recording) each get a
// fresh stop source when they start and take its token; a stop request goes to that source.
struct ShellState {
    bool replayRunning = false;
    bool replayStopRequest = false; // end the replay at the next timer tick
    // A command (or a drag step) runs: a nested command or mouse move is dropped meanwhile.
    bool commandRunning = false;
    // The solved or improved message was already shown for the present state.
    bool alreadyCelebrated = false;
    // A long operation holds the window; every command is ignored.
    bool commandsBlocked = false;
    // The menus and their shortcuts are off (the editor is open, or a long operation runs).
    bool menusOff = false;
    // The board is only drawn into the canvas, not painted (a GIF recording).
    bool paintSuppressed = false;
    // A GIF animation is being recorded: the board size is frozen.
    bool recordingGif = false;
    bool loadingLevels = false;
    // Block shuffling or a long editor operation runs.
    bool longOperationRunning = false;

    std::stop_source loadingStop;
    std::stop_source longOperationStop;
    std::stop_source gifStop;

    std::stop_token StartLoading() {
        loadingStop = std::stop_source();
        loadingLevels = true;
        return loadingStop.get_token();
    }
    std::stop_token StartLongOperation() {
        longOperationStop = std::stop_source();
        longOperationRunning = true;
        return longOperationStop.get_token();
    }
    std::stop_token StartGifRecording() {
        gifStop = std::stop_source();
        recordingGif = true;
        return gifStop.get_token();
    }
};

// Holds the flag that one command at a time runs: a command arriving while another runs (from
// a nested event loop, such as a message box's) finds it held and does nothing.
class CommandGuard {
public:
    explicit CommandGuard(bool& flag) : flag_(flag), held_(!flag) { flag_ = true; }
    ~CommandGuard() {
        if (held_) flag_ = false;
    }
    CommandGuard(const CommandGuard&) = delete;
    CommandGuard& operator=(const CommandGuard&) = delete;

    bool Held() const { return held_; }

private:
    bool& flag_;
    bool held_;
};

} // namespace vorpel
