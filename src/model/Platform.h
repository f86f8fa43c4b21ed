// What the core asks of the user and the platform; the program answers with windows, tests
// with scripted replies.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorpel {

// Answers of AskChoice.
enum Choice : int { kChoiceFirst = 0, kChoiceCancel = 1, kChoiceSecond = 2, kChoiceThird = 3 };

class Platform {
public:
    virtual ~Platform() = default;

    // The message box. A message is a list of lines; ShowInfo shows nothing when a line is
    // empty. AskChoice offers the captions `first`, `second` and (when not empty) `third`
    // besides Cancel, and with `withRepeat` the "Repeat the answer next time" box, whose final
    // state it stores in `repeat`.
    virtual void ShowInfo(const std::vector<std::string>& lines) = 0;
    virtual bool AskYesNo(const std::vector<std::string>& lines) = 0;
    // A yes/no question whose Yes loses data: No is the default answer.
    virtual bool AskYesNoDefaultNo(const std::vector<std::string>& lines) {
        return AskYesNo(lines);
    }
    virtual Choice AskChoice(const std::vector<std::string>& lines, const std::string& first,
                             const std::string& second, const std::string& third, bool withRepeat,
                             bool& repeat) = 0;

    // Clipboard text in the program's 8-bit code page; nullopt when the clipboard has no text.
    virtual std::optional<std::string> ClipboardText() = 0;
    virtual bool SetClipboardText(const std::string& text) = 0;

    // The file history of the settings store, most recent first.
    virtual void AddToHistory(const std::string& /*fileName*/) {}

    // Lets pending window events run during long operations.
    virtual void ProcessEvents() {}

    // A level with moves is being read and its play board is built at its start: the window
    // may size and draw it, so that a long read shows where it is.
    virtual void ShowLoadingBoard() {}

    // Replaces a shortcut file's name by the name of the file it points to; true when that
    // failed, leaving the name as it was. Platforms without shortcut files have nothing to do.
    virtual bool ResolveShortcut(std::string& /*name*/) { return false; }
};

// A platform without a user: it keeps what it is shown, answers no and Cancel, and holds its
// clipboard in memory.
class SilentPlatform : public Platform {
public:
    std::vector<std::vector<std::string>> shown;
    std::optional<std::string> clipboard;

    void ShowInfo(const std::vector<std::string>& lines) override { shown.push_back(lines); }
    bool AskYesNo(const std::vector<std::string>& lines) override {
        shown.push_back(lines);
        return false;
    }
    Choice AskChoice(const std::vector<std::string>& lines, const std::string&, const std::string&,
                     const std::string&, bool, bool& repeat) override {
        shown.push_back(lines);
        repeat = false;
        return kChoiceCancel;
    }
    std::optional<std::string> ClipboardText() override { return clipboard; }
    bool SetClipboardText(const std::string& text) override {
        clipboard = text;
        return true;
    }
};

} // namespace vorpel
