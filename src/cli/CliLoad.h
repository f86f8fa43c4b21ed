// Reading level files for the command-line tool through the program's loader, without asking
// anything: titles already taken are added, messages go to standard error.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "files/LevelLoad.h"
#include "model/Context.h"

namespace vorpel {

// The tool's user: answers Add, with the repeat box ticked, to every title already taken, and
// prints the messages it is shown on standard error.
class CliPlatform : public Platform {
public:
    void ShowInfo(const std::vector<std::string>& lines) override;
    bool AskYesNo(const std::vector<std::string>& lines) override;
    Choice AskChoice(const std::vector<std::string>& lines, const std::string& first,
                     const std::string& second, const std::string& third, bool withRepeat,
                     bool& repeat) override;
    std::optional<std::string> ClipboardText() override { return std::nullopt; }
    bool SetClipboardText(const std::string&) override { return false; }
};

// What became of each level of a file: its place in the collection (-1 when not read), title,
// whether it has moves, and the error that kept it out or the first error of its moves.
using LoadedLevel = LevelOutcome;

// Appends the levels of a file of any format the program reads to the collection (the initial
// placeholder of a fresh context gives way to them), replaying the moves of each. Returns "" or
// the error that kept the file from being read; a level's own error is in `levels`, and ends
// the reading of the file. Levels left out for their size are named on standard error, one line
// each, and counted in `skipped` when given.
std::string LoadLevelFile(Context& ctx, const std::string& path, std::vector<LoadedLevel>& levels,
                          std::size_t* skipped = nullptr);

} // namespace vorpel
