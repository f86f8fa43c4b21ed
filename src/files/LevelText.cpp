// Reading and writing levels in the program's own text format.
#include "files/LevelText.h"

#include <algorithm>
#include <cstdint>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <new>
#include <unordered_map>

#include "files/FileNames.h"
#include "files/MoveText.h"

namespace vorpel {

namespace {

constexpr Byte kQuote = '"';
constexpr Byte kLetterPrefix = 0xFF;
constexpr int kFirstIdentifier = 2;
constexpr int kLastIdentifier = 32767;
constexpr const char* kNoTitle = "Level without title.";

Byte At(const std::string& s, std::size_t i) {
    return static_cast<Byte>(s[i]);
}

bool SameFamily(Byte a, Byte b) {
    return (IsMagnet(a) && IsMagnet(b)) || (IsAntimagnet(a) && IsAntimagnet(b));
}

// Every cell read so far (rows 0..lastRow) with one identifier and character takes another.
void Relabel(Level& level, int lastRow, std::int16_t fromId, Byte fromKind, std::int16_t toId,
             Byte toKind) {
    for (int i = 0; i < (lastRow + 1) * 64; ++i)
        if (level.idLayer[i] == fromId && level.blockLayer[i] == fromKind) {
            level.idLayer[i] = toId;
            level.blockLayer[i] = toKind;
        }
}

// Magnets that touch side by side are one block, and so are antimagnets; a joined block with a
// master cell is master throughout.
void JoinMagnets(Level& level, int row, int column) {
    const int here = CellIndex(row, column);
    if (!IsMagnet(level.blockLayer[here]) && !IsAntimagnet(level.blockLayer[here])) return;
    if (column >= 1) {
        const int left = here - 1;
        const Byte k = level.blockLayer[here], l = level.blockLayer[left];
        if (level.idLayer[left] != level.idLayer[here] && SameFamily(k, l)) {
            if (IsMasterKind(l) || !IsMasterKind(k)) {
                level.idLayer[here] = level.idLayer[left];
                level.blockLayer[here] = l;
            } else {
                Relabel(level, row, level.idLayer[left], l, level.idLayer[here], k);
            }
        }
    }
    if (row >= 1) {
        const int up = here - 64;
        const Byte k = level.blockLayer[here], u = level.blockLayer[up];
        if (level.idLayer[up] != level.idLayer[here] && SameFamily(k, u)) {
            if (IsMasterKind(k))
                Relabel(level, row, level.idLayer[up], u, level.idLayer[here], k);
            else
                Relabel(level, row, level.idLayer[here], k, level.idLayer[up], u);
        }
    }
}

std::string Position(std::size_t lineNumber, std::size_t column) {
    return " at line " + std::to_string(lineNumber) + ", column " + std::to_string(column) + ".";
}

} // namespace

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

void ReleaseAfterRead(std::size_t textBytes) {
#if defined(__GLIBC__)
    if (textBytes >= (std::size_t{4} << 20)) malloc_trim(0);
#else
    (void)textBytes;
#endif
}

bool IsTextMarkChar(Byte c, bool quoted) {
    return IsBasicMark(c) || (quoted && (AlphanumericIndex(c) != 0 || IsRoundColour(c)));
}

bool IsQuotedText(const std::vector<std::string>& lines) {
    return !lines.empty() && !lines[0].empty() && At(lines[0], 0) == kQuote;
}

bool IsLevelText(const std::vector<std::string>& lines) {
    if (IsQuotedText(lines) || lines.size() < 2) return true;
    const std::string& second = lines[1];
    if (second.size() < 4 || second.size() % 4 != 0) return false;
    for (std::size_t p = 0; p < second.size(); p += 4)
        if (!IsTextMarkChar(At(second, p), true) || !IsBlockChar(At(second, p + 1))) return false;
    return true;
}

std::string QuoteTitle(const std::string& text) {
    return '"' + text + '"';
}

std::string BlockLabel(int k) {
    return {static_cast<char>(0x2F + k % 64), static_cast<char>(0x2F + k / 64)};
}

std::string ReadLevelText(Context& ctx, const std::vector<std::string>& lines, std::size_t& index,
                          bool quoted) {
    Level& level = ctx.CurrentLevel();

    std::string title = index < lines.size() ? lines[index] : std::string();
    if (title.size() >= 2 && At(title, 0) == kQuote && At(title, title.size() - 1) == kQuote)
        title = title.substr(1, title.size() - 2);
    else if (title.size() == 1 && At(title, 0) == kQuote)
        title.clear();
    level.title = title.empty() ? std::string(kNoTitle) : title;
    if (index < lines.size()) ++index;

    // Identifier given to each two-character label, 0 while the label is unseen. A map, not a
    // table of every possible label: large collections read thousands of small levels.
    std::unordered_map<std::uint16_t, std::int16_t> labelId;
    int nextId = kFirstIdentifier;
    const auto freshId = [&] {
        const int id = nextId;
        // Only a text that overwrites its last row again and again gets this far.
        if (nextId < kLastIdentifier) ++nextId;
        return static_cast<std::int16_t>(id);
    };

    int rowCount = 0, columnCount = 0;
    while (index < lines.size()) {
        const std::string& line = lines[index];
        if (line.empty() || !IsTextMarkChar(At(line, 0), quoted)) break;
        const std::size_t lineNumber = index + 1;
        ++index;
        // A 65th line is written over the 64th.
        const int row = std::min(rowCount, 63);
        int c = 0;
        for (std::size_t p = 0; p < line.size(); p += 4, ++c) {
            const int cell = CellIndex(row, std::min(c, 63));
            const Byte mark = At(line, p);
            if (!IsTextMarkChar(mark, quoted))
                return "Invalid mark \"" + std::string(1, static_cast<char>(mark)) + "\"" +
                       Position(lineNumber, p + 1);
            level.markLayer[cell] = mark;
            if (p + 1 >= line.size()) {
                ++c;
                break;
            }
            const Byte block = At(line, p + 1);
            if (!IsBlockChar(block))
                return "Invalid block \"" + std::string(1, static_cast<char>(block)) + "\"" +
                       Position(lineNumber, p + 2);
            level.blockLayer[cell] = block;
            const Byte first = p + 2 < line.size() ? At(line, p + 2) : '.';
            const Byte second = p + 3 < line.size() ? At(line, p + 3) : '.';
            std::int16_t id = 0;
            if (TakesIdentifier(block)) {
                if (first == kLetterPrefix && AlphanumericIndex(second) != 0) {
                    id = static_cast<std::int16_t>(-AlphanumericIndex(second));
                } else if (first == '.' && second == '.') {
                    id = freshId();
                } else {
                    std::int16_t& known = labelId[static_cast<std::uint16_t>(first << 8 | second)];
                    if (known == 0) known = freshId();
                    id = known;
                }
            }
            level.idLayer[cell] = id;
            JoinMagnets(level, row, std::min(c, 63));
        }
        columnCount = std::max(columnCount, std::min(c, 64));
        if (rowCount < 64) ++rowCount;
    }
    level.rows = static_cast<std::int8_t>(std::max(rowCount, 2));
    level.columns = static_cast<std::int8_t>(std::max(columnCount, 2));
    return {};
}

std::string LevelTextOf(const Level& level) {
    const int rows = std::clamp<int>(level.rows, 0, 64);
    const int columns = std::clamp<int>(level.columns, 1, 64);
    const int last = columns - 1;

    // Cells per identifier, so that a block of one cell is written as "..".
    std::unordered_map<std::int16_t, int> cellsWithId;
    bool lastColumnUsed = false;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) ++cellsWithId[level.IdAt(r, c)];
        if (level.MarkAt(r, last) != '.' || level.BlockAt(r, last) != '.') lastColumnUsed = true;
    }

    // The title is one line of the file: line breaks and zero bytes, which binary formats can
    // carry, are written as blanks so that the level still reads back (LevelTextLosses names it).
    std::string title = level.title.empty() ? std::string("no title") : level.title;
    std::replace_if(
        title.begin(), title.end(), [](char ch) { return ch == '\r' || ch == '\n' || ch == '\0'; },
        ' ');
    std::string text = QuoteTitle(title);
    std::unordered_map<std::int16_t, int> label;
    for (int r = 0; r < rows; ++r) {
        text += "\r\n";
        int end = last;
        // Row 0 keeps its full width when nothing else would show it.
        if (r != 0 || lastColumnUsed)
            while (end > 0 && level.MarkAt(r, end) == '.' && level.BlockAt(r, end) == '.') --end;
        for (int c = 0; c <= end; ++c) {
            text += static_cast<char>(level.MarkAt(r, c));
            text += static_cast<char>(level.BlockAt(r, c));
            const std::int16_t id = level.IdAt(r, c);
            if (id < 0 && AlphanumericChar(-id) != 0) {
                text += static_cast<char>(kLetterPrefix);
                text += static_cast<char>(AlphanumericChar(-id));
            } else if (id <= 0 || cellsWithId[id] < 2) {
                text += "..";
            } else {
                const auto [entry, added] = label.try_emplace(id, static_cast<int>(label.size()));
                text += BlockLabel(entry->second);
            }
        }
    }
    text += "\r\n";
    WriteMoveLines(level, text);
    for (const Snapshot& snapshot : level.snapshots) text += SnapshotLine(snapshot);
    return text;
}

std::vector<std::string> LevelTextLosses(const Level& level) {
    // A line break would end the title line early, and a zero byte makes the file read as binary.
    if (level.title.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        return {"a title with a line break or a zero byte"};
    return {};
}

FileResult WriteLevelText(Context& ctx, const LevelPlace& place, const WriteFaults& faults) {
    return WriteToPlace(
        ctx.platform, place,
        [&](std::string& text) {
            text = LevelTextOf(ctx.CurrentLevel());
            return std::string();
        },
        faults);
}

} // namespace vorpel
