// Reading what an existing file holds before a save replaces it.
#include "files/SaveGuard.h"

#include <algorithm>
#include <memory>

#include "files/FileNames.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "io/FileIO.h"

namespace vorpel {

namespace {

constexpr std::size_t kNamedLevels = 5;

SaveFormat FormatOfBytes(const std::string& path, const std::string& bytes, bool& other) {
    other = false;
    if (HasExtension(".nbl", path)) return SaveFormat::kNbl;
    if (HasExtension(".dll", path)) {
        other = true;
        return SaveFormat::kOwnText;
    }
    return IsLevelText(SplitLines(bytes)) ? SaveFormat::kOwnText : SaveFormat::kSok;
}

} // namespace

FileLevels ReadFileLevels(const std::string& path) {
    FileLevels file;
    std::string bytes;
    if (path.empty()) return file;
    const FileResult read = ReadWholeFile(path, bytes);
    if (read.code == FileError::kNotFound) return file;
    file.exists = true;
    if (read.code != FileError::kNone) return file;
    file.format = FormatOfBytes(path, bytes, file.otherFormat);
    bytes.clear();
    // A context of its own: the program's collection and answers stay untouched.
    auto scratch = std::make_unique<Context>();
    std::vector<std::string> lines;
    if (!ReadLevelSource(*scratch, path, lines).Ok()) return file;
    RememberedAnswer answer = kAlwaysAdd;
    std::vector<LevelOutcome> outcomes;
    AddLevels(*scratch, path, lines, answer, &outcomes);
    for (const LevelOutcome& outcome : outcomes)
        if (outcome.index >= 0) file.titles.push_back(outcome.title);
    return file;
}

std::vector<std::string> LevelsLostBySave(const FileLevels& file,
                                          const std::vector<std::string>& written,
                                          SaveFormat format, bool formatLoses) {
    if (!file.exists) return {};
    const bool formatDrops = file.otherFormat || (file.format != format && formatLoses);
    std::vector<std::string> lost;
    for (const std::string& title : file.titles)
        if (formatDrops || std::find(written.begin(), written.end(), title) == written.end())
            lost.push_back(title);
    return lost;
}

std::vector<std::string> ReplaceQuestion(const std::string& path,
                                         const std::vector<std::string>& lost) {
    std::vector<std::string> lines = {
        "The file " + path + " holds " +
        (lost.size() == 1 ? std::string("a level") : std::to_string(lost.size()) + " levels") +
        " that this save does not write back:"};
    std::string named;
    for (std::size_t i = 0; i < lost.size() && i < kNamedLevels; ++i)
        named += (i > 0 ? ", \"" : "\"") + lost[i] + "\"";
    if (lost.size() > kNamedLevels)
        named += " and " + std::to_string(lost.size() - kNamedLevels) + " more";
    lines.push_back(named + ".");
    lines.push_back("Replace the file and lose them?");
    return lines;
}

} // namespace vorpel
