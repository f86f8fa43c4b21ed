// What the core asks of the user and the platform; the program answers with windows, tests
// with scripted replies.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorpel {

class Platform {
public:
    virtual ~Platform() = default;

    // Message box: a text, a yes/no question, and a choice among buttons (index of the button
    // chosen; `repeat` is the state of the "repeat the answer" box, when the box offers one).
    virtual void ShowInfo(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual int AskChoice(const std::string& text, const std::vector<std::string>& buttons,
                          bool* repeat) = 0;

    // Clipboard text in the program's 8-bit code page; nullopt when the clipboard has no text.
    virtual std::optional<std::string> ClipboardText() = 0;
    virtual bool SetClipboardText(const std::string& text) = 0;

    // Lets pending window events run during long operations.
    virtual void ProcessEvents() {}
};

// A platform that answers nothing and keeps its clipboard in memory.
class SilentPlatform : public Platform {
public:
    std::vector<std::string> shown;
    std::optional<std::string> clipboard;

    void ShowInfo(const std::string& text) override { shown.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        shown.push_back(text);
        return false;
    }
    int AskChoice(const std::string& text, const std::vector<std::string>&, bool*) override {
        shown.push_back(text);
        return -1;
    }
    std::optional<std::string> ClipboardText() override { return clipboard; }
    bool SetClipboardText(const std::string& text) override {
        clipboard = text;
        return true;
    }
};

} // namespace vorpel
