// The resume file: its text, written atomically, and read back with every level checked.
#include "files/ResumeFile.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>

#include "files/LevelText.h"
#include "files/MoveText.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel {

namespace {

// Header lines begin with "#", which no board line, title line or move line does.
constexpr const char* kHeader = "#Vorpel resume 1";
constexpr std::string_view kCurrent = "#current ";
constexpr std::string_view kLevel = "#level ";
constexpr std::string_view kEnd = "#end ";
constexpr const char* kDamaged = "The file is damaged.";

void AppendLevel(std::string& text, const Level& level) {
    text += kLevel;
    text += std::to_string(level.currentStep) + " " + std::to_string(level.referenceStep) + " " +
            std::to_string(level.stepCount) + "\r\n";
    text += LevelTextOf(level);
}

// Reads the whole numbers after `prefix` in `line`; false when the line is anything else.
bool Numbers(const std::string& line, std::string_view prefix, int* values, int count) {
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    const char* p = line.data() + prefix.size();
    const char* end = line.data() + line.size();
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (p == end || *p != ' ') return false;
            ++p;
        }
        const auto [next, ec] = std::from_chars(p, end, values[i]);
        if (ec != std::errc() || values[i] < 0) return false;
        p = next;
    }
    return p == end;
}

} // namespace

std::string ResumeText(const LevelCollection& collection, const Level* editedLevel) {
    std::string text = std::string(kHeader) + "\r\n";
    // The editor works on a level of the collection (its last one), so the edited level is
    // usually there already: it is written once, last, wherever it stands.
    bool inCollection = false;
    for (const Level& level : collection.levels) inCollection |= &level == editedLevel;
    const int count =
        static_cast<int>(collection.levels.size()) + (editedLevel && !inCollection ? 1 : 0);
    const int current = editedLevel ? count - 1 : collection.currentLevel;
    text += std::string(kCurrent) + std::to_string(current) + "\r\n";
    for (const Level& level : collection.levels)
        if (&level != editedLevel) AppendLevel(text, level);
    if (editedLevel) AppendLevel(text, *editedLevel);
    text += std::string(kEnd) + std::to_string(count) + "\r\n";
    return text;
}

FileResult WriteResumeFile(const std::string& path, const LevelCollection& collection,
                           const Level* editedLevel, const WriteFaults& faults) {
    std::string text;
    try {
        text = ResumeText(collection, editedLevel);
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(kNotEnoughMemory);
    }
    return WriteFileAtomic(path, text, faults);
}

std::string ReadResumeText(Context& ctx, const std::string& text) {
    const std::vector<std::string> lines = SplitLines(text);
    int current = 0;
    if (lines.size() < 3 || lines[0] != kHeader || !Numbers(lines[1], kCurrent, &current, 1))
        return kDamaged;
    // The levels are read into a context of their own and installed only when all are whole.
    auto scratch = std::make_unique<Context>();
    scratch->options = ctx.options;
    LevelCollection& collection = scratch->collection;
    collection.levels.clear();
    std::size_t index = 2;
    for (;;) {
        if (index >= lines.size()) return kDamaged;
        int counts[3] = {};
        if (Numbers(lines[index], kEnd, counts, 1)) {
            if (counts[0] != static_cast<int>(collection.levels.size()) ||
                index + 1 != lines.size())
                return kDamaged;
            break;
        }
        if (!Numbers(lines[index], kLevel, counts, 3)) return kDamaged;
        const int currentStep = counts[0], referenceStep = counts[1], stepCount = counts[2];
        if (currentStep > stepCount || referenceStep > stepCount) return kDamaged;
        ++index;
        if (index >= lines.size() || lines[index].empty() || lines[index][0] != '"')
            return kDamaged;
        collection.NewLevel("", 4, 4, true);
        collection.currentLevel = collection.lastLevel();
        if (!ReadLevelText(*scratch, lines, index, true).empty()) return kDamaged;
        // Snapshot lines may follow a level without moves.
        if (stepCount > 0 || (index < lines.size() && IsCommentLine(lines[index]))) {
            RebuildBoard(*scratch);
            if (!ReadMoveLines(*scratch, lines, index).empty()) return kDamaged;
        }
        Level& level = collection.Current();
        if (level.stepCount != stepCount) return kDamaged;
        level.currentStep = currentStep;
        level.referenceStep = referenceStep;
        level.Compact();
    }
    if (collection.levels.empty() || current > collection.lastLevel()) return kDamaged;
    collection.currentLevel = current;
    ctx.collection = std::move(scratch->collection);
    return {};
}

FileResult ReadResumeFile(Context& ctx, const std::string& path) {
    std::string text;
    if (FileResult read = ReadWholeFile(path, text); !read.Ok()) return read;
    std::string result;
    try {
        result = ReadResumeText(ctx, text);
    } catch (const std::bad_alloc&) {
        result = kNotEnoughMemory;
    }
    const std::size_t textBytes = text.size();
    std::string().swap(text);
    ReleaseAfterRead(textBytes);
    return FileResult::Of(std::move(result));
}

std::string SetResumeFileAside(const std::string& path) {
    namespace fs = std::filesystem;
    for (int n = 0; n < 1000; ++n) {
        std::string aside = path + ".damaged";
        if (n > 0) aside += '.' + std::to_string(n);
        std::error_code ec;
        if (fs::exists(aside, ec) || ec) continue;
        fs::rename(path, aside, ec);
        return ec ? std::string() : aside;
    }
    return {};
}

} // namespace vorpel
