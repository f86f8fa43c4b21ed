// Records: reading the records file, the sorted entry list, look-up and setting by title.
#include "files/Records.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "files/CompanionPath.h"
#include "files/LevelText.h"
#include "io/FileIO.h"

namespace vorpel {

namespace {

constexpr std::size_t kCountsWidth = 12;
constexpr long long kFileCountCap = 99999;

std::string_view TitleOf(std::string_view entry) {
    return entry.size() > kCountsWidth ? entry.substr(kCountsWidth) : std::string_view();
}

bool TitleLess(const std::string& a, const std::string& b) {
    return TitleOf(a) < TitleOf(b);
}

// Where the entries of `title` begin in a list sorted by title.
std::vector<std::string>::const_iterator FirstOf(const std::vector<std::string>& list,
                                                 std::string_view title) {
    return std::lower_bound(
        list.begin(), list.end(), title,
        [](const std::string& e, std::string_view t) { return TitleOf(e) < t; });
}

bool HasTitle(const std::vector<std::string>& sorted, std::string_view title) {
    const auto it = FirstOf(sorted, title);
    return it != sorted.end() && TitleOf(*it) == title;
}

// The decimal digits of a text in order, other characters ignored, capped at `cap`.
long long DigitsOf(std::string_view text, long long cap) {
    long long value = 0;
    for (const char c : text)
        if (c >= '0' && c <= '9') value = std::min(cap, value * 10 + (c - '0'));
    return value;
}

} // namespace

std::string RecordsPath(const Context& ctx) {
    return CompanionPath(ctx.programPath, ".rec");
}

std::string RecordEntry(long long moves, long long steps, std::string_view title) {
    std::string entry = std::to_string(moves) + "," + std::to_string(steps);
    entry.resize(kCountsWidth, ' ');
    entry += title;
    return entry;
}

std::string RecordEntryOfLine(std::string_view line) {
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < line.size() && line[at] == ' ') ++at;
    };
    const auto field = [&] {
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ') ++at;
        return DigitsOf(line.substr(start, at - start), kFileCountCap);
    };
    skipBlanks();
    const long long moves = field();
    skipBlanks();
    const long long steps = field();
    skipBlanks();
    if (at >= line.size()) return {};
    return RecordEntry(moves, steps, line.substr(at));
}

FileResult ReadRecordsFile(Context& ctx, bool showErrors) {
    return ReadRecordsFile(ctx, RecordsPath(ctx), showErrors);
}

FileResult ReadRecordsFile(Context& ctx, const std::string& path, bool showErrors) {
    RecordsState& records = ctx.records;
    std::string bytes;
    FileResult result;
    if (path.empty()) {
        result = {FileError::kNotFound, kFileNotFound};
    } else if (FileResult read = ReadWholeFile(path, bytes); read.code != FileError::kNotFound) {
        // Nobody has records before the first one is kept: a missing file is an empty one.
        result = std::move(read);
    }

    std::vector<std::string> list;
    if (result.Ok()) {
        for (const std::string& line : SplitLines(bytes)) list.push_back(RecordEntryOfLine(line));
        bytes.clear();
        // A record set during the run replaces every entry of its title read from the file.
        std::vector<std::string> set = records.newRecords;
        std::sort(set.begin(), set.end(), TitleLess);
        std::erase_if(list, [&](const std::string& e) { return HasTitle(set, TitleOf(e)); });
    }
    list.insert(list.end(), records.newRecords.begin(), records.newRecords.end());
    std::stable_sort(list.begin(), list.end(), TitleLess);
    records.recordList = std::move(list);

    if (!result.Ok() && showErrors) ctx.platform->ShowInfo({"File " + path + ".", result.message});
    return result;
}

bool LookUpRecord(const Context& ctx, std::string_view title, int& moves, int& steps) {
    moves = steps = 0;
    const std::vector<std::string>& list = ctx.records.recordList;
    const auto it = FirstOf(list, title);
    if (it == list.end() || TitleOf(*it) != title) return false;
    // Only the counts field is read, so digits of the title never join the steps.
    const std::string_view counts = std::string_view(*it).substr(0, kCountsWidth);
    const std::size_t comma = counts.find(',');
    moves = static_cast<int>(DigitsOf(counts.substr(0, comma), INT_MAX));
    if (comma != std::string_view::npos) {
        const std::string_view rest = counts.substr(comma + 1);
        steps = static_cast<int>(DigitsOf(rest.substr(0, rest.find(' ')), INT_MAX));
    }
    return true;
}

void SetRecord(Context& ctx, std::string_view title, long long moves, long long steps) {
    RecordsState& records = ctx.records;
    std::string entry = RecordEntry(moves, steps, title);

    std::vector<std::string>& set = records.newRecords;
    auto at = set.begin() + (FirstOf(set, title) - set.cbegin());
    if (at != set.end() && TitleOf(*at) == title)
        *at = entry;
    else
        set.insert(at, entry);

    std::vector<std::string>& list = records.recordList;
    auto first = list.begin() + (FirstOf(list, title) - list.cbegin());
    auto last = first;
    while (last != list.end() && TitleOf(*last) == title) ++last;
    first = list.erase(first, last);
    list.insert(first, std::move(entry));
}

std::string RecordText(int value) {
    return value > 0 ? std::to_string(value) : "?";
}

} // namespace vorpel
