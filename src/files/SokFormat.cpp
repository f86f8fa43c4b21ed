// Converts SOK texts to level text lines and writes a level as SOK text.
#include "files/SokFormat.h"

#include "files/FileNames.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

#include "files/LevelText.h"
#include "model/Sokoban.h"

namespace vorpel {
namespace {

constexpr int kNoNumber = 99;
constexpr unsigned kMaxRepeat = 63;
constexpr std::size_t kMovesPerLine = 70;
constexpr int kMaxSide = 64;
// Skipped levels named in the message; the rest are only counted.
constexpr std::size_t kSkippedNamed = 5;
constexpr std::string_view kTitleLine = "Title: ";

Byte AsciiLower(Byte c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Byte>(c + ('a' - 'A')) : c;
}

// Keywords are tested at the start of a line, letter case ignored.
bool StartsWithKeyword(std::string_view line, std::string_view keyword) {
    if (line.size() < keyword.size()) return false;
    for (std::size_t i = 0; i < keyword.size(); ++i)
        if (AsciiLower(static_cast<Byte>(line[i])) != AsciiLower(static_cast<Byte>(keyword[i])))
            return false;
    return true;
}

bool EndsWithNoCase(std::string_view name, std::string_view ending) {
    return name.size() >= ending.size() &&
           StartsWithKeyword(name.substr(name.size() - ending.size()), ending);
}

bool IsBoardLine(std::string_view line) {
    return !line.empty() && (line[0] == ' ' || line[0] == '#' || line[0] == '%');
}

// A row that begins with a box, a goal or the player, as some collections write boards with no
// wall at their left edge: only SOK board characters, and a wall among them. It continues a board
// already begun; a board never begins with one.
bool ContinuesBoard(std::string_view line) {
    if (line.empty()) return false;
    bool wall = false;
    for (const char ch : line) {
        if (std::string_view(" #%$*.@+-_").find(ch) == std::string_view::npos) return false;
        wall = wall || ch == '#' || ch == '%';
    }
    return wall;
}

// Whether a note line is the keyword alone (blanks and control characters after it allowed).
bool KeywordAlone(std::string_view line, std::string_view keyword) {
    if (!StartsWithKeyword(line, keyword)) return false;
    for (const char ch : line.substr(keyword.size()))
        if (static_cast<Byte>(ch) >= 33) return false;
    return true;
}

// The rest of a "Title:" line without blanks and control characters at either end.
std::string TitleAfterKeyword(std::string_view line) {
    std::string_view rest = line.substr(6);
    while (!rest.empty() && static_cast<Byte>(rest.front()) < 33) rest.remove_prefix(1);
    while (!rest.empty() && static_cast<Byte>(rest.back()) < 33) rest.remove_suffix(1);
    return std::string(rest);
}

// Box and goal numbers: 1-9 digits, 10-35 capitals, 36 0xC7, 37-62 small letters, 63 0xE7,
// 64 the digit zero; 0 stands for no character.
Byte NumberChar(unsigned n) {
    if (n >= 1 && n <= 9) return static_cast<Byte>('0' + n);
    if (n >= 10 && n <= 35) return static_cast<Byte>('A' + (n - 10));
    if (n == 36) return 0xC7;
    if (n >= 37 && n <= 62) return static_cast<Byte>('a' + (n - 37));
    if (n == 63) return 0xE7;
    if (n == 64) return '0';
    return 0;
}

int CharNumber(Byte c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c == 0xC7) return 36;
    if (c >= 'a' && c <= 'z') return c - 'a' + 37;
    if (c == 0xE7) return 63;
    if (c == '0') return 64;
    return kNoNumber;
}

bool IsAlphanumericMark(Byte m) {
    return AlphanumericIndex(m) != 0;
}

// The numbers of the rest of a "boxorder" or "goalorder" line; any non-digit separates them.
std::vector<unsigned> OrderNumbers(std::string_view rest) {
    std::vector<unsigned> numbers;
    bool inNumber = false;
    for (const char ch : rest) {
        if (ch >= '0' && ch <= '9') {
            if (!inNumber) numbers.push_back(0);
            inNumber = true;
            const unsigned n = numbers.back() * 10 + static_cast<unsigned>(ch - '0');
            numbers.back() = n > 255 ? 255 : n;
        } else {
            inNumber = false;
        }
    }
    return numbers;
}

bool IsSolutionLine(std::string_view line) {
    if (line.empty()) return false;
    for (const char ch : line)
        if (std::string_view("0123456789LURDlurd").find(ch) == std::string_view::npos) return false;
    return true;
}

std::string Position(std::size_t line, std::size_t column) {
    return " at line " + std::to_string(line + 1) + ", column " + std::to_string(column + 1) + ".";
}

struct Cell {
    std::size_t line; // index in the level's output lines
    std::size_t column;
};

// One level of the text on its way to level text lines.
struct PendingLevel {
    std::string title;
    std::vector<std::string> lines{std::string()}; // the title line goes first
    std::vector<Cell> boxes, goals;
    int playerRow = -1, playerColumn = -1;
    std::string moveLine;
    bool moveLineOut = false;
    unsigned repeat = 1;
    bool repeatTyped = false;
    bool oversize = false; // something lies past the 64th row or column
};

// Converts one board line. Cells past the 64th row or column would overwrite the last one when
// the level text is read, so floor there is dropped and anything else makes the level too large.
bool AppendBoardLine(PendingLevel& level, std::string_view line, int row) {
    std::string groups;
    groups.reserve(std::min<std::size_t>(line.size(), kMaxSide) * 4);
    const std::size_t index = level.lines.size();
    for (std::size_t c = 0; c < line.size(); ++c) {
        const char* group = "....";
        bool box = false, goal = false, player = false;
        switch (line[c]) {
        case '#':
        case '%':
            group = ".#..";
            break;
        case '$':
        case 'b':
            group = ".V..";
            box = true;
            break;
        case '*':
        case 'B':
            group = "+V..";
            box = goal = true;
            break;
        case '.':
        case 'O':
        case 'o':
            group = "+...";
            goal = true;
            break;
        case '@':
        case 'p':
        case 'r':
            group = ".[..";
            player = true;
            break;
        case '+':
        case 'P':
        case 'R':
            group = "+[..";
            player = goal = true;
            break;
        default:
            break;
        }
        if (row >= kMaxSide || c >= kMaxSide) {
            if (std::string_view(group) != "....") return false;
            continue;
        }
        groups += group;
        if (box) level.boxes.push_back({index, c});
        if (goal) level.goals.push_back({index, c});
        if (player && level.playerRow < 0) {
            level.playerRow = row;
            level.playerColumn = static_cast<int>(c);
        }
    }
    if (row < kMaxSide) level.lines.push_back(std::move(groups));
    return true;
}

void ApplyBoxOrder(PendingLevel& level, std::string_view rest) {
    const std::vector<unsigned> numbers = OrderNumbers(rest);
    for (std::size_t k = 0; k < numbers.size() && k < level.boxes.size(); ++k) {
        const Byte ch = NumberChar(numbers[k]);
        if (!ch) continue;
        std::string& line = level.lines[level.boxes[k].line];
        const std::size_t at = level.boxes[k].column * 4;
        line[at + 1] = 'v';
        line[at + 2] = static_cast<char>(0xFF);
        line[at + 3] = static_cast<char>(ch);
    }
}

void ApplyGoalOrder(PendingLevel& level, std::string_view rest) {
    const std::vector<unsigned> numbers = OrderNumbers(rest);
    for (std::size_t k = 0; k < numbers.size() && k < level.goals.size(); ++k)
        if (const Byte ch = NumberChar(numbers[k]))
            level.lines[level.goals[k].line][level.goals[k].column * 4] = static_cast<char>(ch);
}

// Adds the direction letters of one solution line to the move line.
std::string ReadSolutionLine(PendingLevel& level, std::string_view line, std::size_t lineIndex) {
    for (std::size_t p = 0; p < line.size(); ++p) {
        const char ch = line[p];
        if (ch >= '0' && ch <= '9') {
            if (!level.repeatTyped) level.repeat = 0;
            level.repeatTyped = true;
            level.repeat = level.repeat * 10 + static_cast<unsigned>(ch - '0');
            // Tested at every digit, so the count cannot grow past the limit unnoticed.
            if (level.repeat > kMaxRepeat)
                return "Repetition number (" + std::to_string(level.repeat) + ") too high" +
                       Position(lineIndex, p);
            continue;
        }
        char letter = 0;
        switch (ch) {
        case 'L':
        case 'l':
            letter = '<';
            break;
        case 'R':
        case 'r':
            letter = '>';
            break;
        case 'U':
        case 'u':
            letter = '^';
            break;
        case 'D':
        case 'd':
            letter = 'v';
            break;
        default:
            return "Invalid step \"" + std::string(1, ch) + "\"" + Position(lineIndex, p);
        }
        level.moveLine.append(level.repeat, letter);
        level.repeat = 1;
        level.repeatTyped = false;
    }
    return {};
}

std::string ReadLevels(const std::string& sourceName, const std::vector<std::string>& lines,
                       std::vector<std::string>& output,
                       const std::function<std::string(const std::string&)>& makeUniqueTitle,
                       std::vector<SkippedLevel>* skipped) {
    bool titleFirst;
    if (EndsWithNoCase(sourceName, ".sok"))
        titleFirst = true;
    else if (EndsWithNoCase(sourceName, ".xsb") || EndsWithNoCase(sourceName, ".stb"))
        titleFirst = false;
    else
        titleFirst = lines.size() >= 2 && lines[0].starts_with("::");

    const std::size_t n = lines.size();
    std::size_t i = 0;
    std::string candidate;
    bool commentOpen = false;
    for (;;) {
        PendingLevel level;
        // Header: notes and titles up to the board.
        for (; i < n && !IsBoardLine(lines[i]); ++i) {
            const std::string& line = lines[i];
            if (StartsWithKeyword(line, "Title:")) level.title = TitleAfterKeyword(line);
            if (titleFirst && !line.empty() && !line.starts_with("::")) {
                if (i == 0 || lines[i - 1].empty() || IsBoardLine(lines[i - 1]) ||
                    lines[i - 1].starts_with("::"))
                    candidate = line;
                else
                    candidate.clear();
            }
        }
        if (titleFirst) {
            if (!candidate.empty()) level.title = candidate;
        } else if (level.title.empty() && i > 0 && i < n) {
            level.title = lines[i - 1];
        }
        if (i >= n) break;

        const std::size_t boardLine = i;
        for (int row = 0; i < n && (IsBoardLine(lines[i]) || ContinuesBoard(lines[i])); ++i, ++row)
            if (!level.oversize && !AppendBoardLine(level, lines[i], row)) level.oversize = true;
        const std::size_t firstAfterBoard = i;
        // A title this program could not write alone on its line (it would read as a board row,
        // a note or a "::" header) is written as a "Title:" line both before and after the board.
        if (titleFirst && candidate.starts_with(kTitleLine) && i < n && lines[i] == candidate)
            level.title = candidate.substr(kTitleLine.size());

        // An oversize level still has its notes walked, for the comments and the next title,
        // but nothing of it is read: a fault in its solution does not cost the other levels.
        const bool moveStarted = level.playerRow >= 0 && !level.oversize;
        if (moveStarted)
            level.moveLine = " 1) " + std::to_string(level.playerRow) + ", " +
                             std::to_string(level.playerColumn) + ": ";

        // Notes and solution up to the next board.
        candidate.clear();
        bool previousWasSolution = false;
        bool movesHeading = false;
        for (; i < n && !IsBoardLine(lines[i]); ++i) {
            const std::string& line = lines[i];
            if (titleFirst && !line.empty() && !line.starts_with("::") && i != firstAfterBoard)
                candidate = line;
            // The box and goal places of an oversize board may name a row it never appended.
            if (!level.oversize && StartsWithKeyword(line, "boxorder"))
                ApplyBoxOrder(level, std::string_view(line).substr(8));
            if (!level.oversize && StartsWithKeyword(line, "goalorder"))
                ApplyGoalOrder(level, std::string_view(line).substr(9));
            // "Comment:" with text after it is a comment of one line; alone, it opens a block.
            if (StartsWithKeyword(line, "Comment-End:"))
                commentOpen = false;
            else if (KeywordAlone(line, "Comment:"))
                commentOpen = true;
            if (!titleFirst && !commentOpen && StartsWithKeyword(line, "Title:"))
                level.title = TitleAfterKeyword(line);
            // The moves this program writes under "Moves:" are read in every layout; without
            // the heading, solutions of files without a title first stay notes.
            if (!titleFirst && !commentOpen && KeywordAlone(line, "Moves:")) movesHeading = true;

            const bool reading =
                (titleFirst || movesHeading) && !commentOpen && moveStarted && !level.moveLineOut;
            bool solution = false;
            if (reading && !lines[i - 1].empty() && IsSolutionLine(line)) {
                if (std::string error = ReadSolutionLine(level, line, i); !error.empty())
                    return error;
                solution = true;
            } else if (reading && previousWasSolution) {
                level.lines.push_back(level.moveLine);
                level.moveLineOut = true;
            }
            previousWasSolution = solution;
        }

        if (level.oversize) {
            if (skipped) skipped->push_back({std::move(level.title), boardLine + 1});
            continue;
        }
        if (level.title.empty()) level.title = makeUniqueTitle(sourceName);
        level.lines[0] = QuoteTitle(level.title);
        if (moveStarted && !level.moveLineOut) level.lines.push_back(level.moveLine);
        output.insert(output.end(), std::make_move_iterator(level.lines.begin()),
                      std::make_move_iterator(level.lines.end()));
    }
    return {};
}

// Writer map from a stored cell to its SOK character.
char SokChar(Byte block, Byte mark) {
    const bool goalMark = mark == '+' || IsAlphanumericMark(mark);
    switch (block) {
    case '#':
    case '%':
    case '!':
    case '*':
    case '(':
    case '~':
        return '#';
    case 'V':
    case 'v':
        return goalMark ? '*' : '$';
    case '.':
        return goalMark ? '.' : ' ';
    default:
        if (TakesIdentifier(block)) return mark == '+' ? '+' : '@';
        return ' ';
    }
}

void AppendNumbers(std::string& text, const char* keyword, const std::vector<int>& numbers) {
    text += keyword;
    for (const int n : numbers) {
        text += ' ';
        text += std::to_string(n);
    }
    text += "\r\n";
}

bool AnyNumbered(const std::vector<int>& numbers) {
    for (const int n : numbers)
        if (n != kNoNumber) return true;
    return false;
}

} // namespace

std::string ReadSokText(const std::string& sourceName, const std::vector<std::string>& lines,
                        std::vector<std::string>& output,
                        const std::function<std::string(const std::string&)>& makeUniqueTitle,
                        std::vector<SkippedLevel>* skipped) {
    const std::size_t before = output.size();
    const std::size_t skippedBefore = skipped ? skipped->size() : 0;
    std::string error;
    try {
        error = ReadLevels(sourceName, lines, output, makeUniqueTitle, skipped);
    } catch (const std::bad_alloc&) {
        error = kNotEnoughMemory;
    }
    if (!error.empty()) {
        output.resize(before);
        if (skipped) skipped->resize(skippedBefore);
    }
    return error;
}

std::vector<std::string> SkippedLevelsMessage(const std::vector<SkippedLevel>& skipped) {
    if (skipped.empty()) return {};
    std::vector<std::string> message{
        skipped.size() == 1 ? std::string("1 level with more than 64 rows or columns was skipped:")
                            : std::to_string(skipped.size()) +
                                  " levels with more than 64 rows or columns were skipped:"};
    for (std::size_t k = 0; k < skipped.size() && k < kSkippedNamed; ++k) {
        const std::string at = "line " + std::to_string(skipped[k].line);
        message.push_back(skipped[k].title.empty() ? "The level at " + at + "."
                                                   : "\"" + skipped[k].title + "\" at " + at + ".");
    }
    if (skipped.size() > kSkippedNamed)
        message.push_back("And " + std::to_string(skipped.size() - kSkippedNamed) + " more.");
    return message;
}

// Whether a title alone on its line, before the board, would be read as something else: a board
// row; a header line, which a title-first reader passes over; and when the text of another level
// comes before it (whose notes it ends), a comment that stays open, box or goal numbers, or, in
// the other layout, that level's "Title:".
bool TitleLineMisreads(std::string_view title, bool titleFirst, bool follows) {
    if (IsBoardLine(title) || (titleFirst && title.starts_with("::"))) return true;
    return follows && (KeywordAlone(title, "Comment:") || StartsWithKeyword(title, "boxorder") ||
                       StartsWithKeyword(title, "goalorder") ||
                       (!titleFirst && StartsWithKeyword(title, "Title:")));
}

std::string SokText(const Level& level, bool titleFirst, bool follows) {
    const std::string title = level.title.empty() ? std::string("no title") : level.title;
    std::string text = "::\r\n\r\n";
    // A title that would read as something else is written where the reader of the layout
    // takes it: as the "Title:" line both before and after the board when the title comes
    // first, and only after the board otherwise.
    if (!TitleLineMisreads(title, titleFirst, follows))
        text += title + "\r\n\r\n";
    else if (titleFirst)
        text += std::string(kTitleLine) + title + "\r\n\r\n";
    std::vector<int> boxNumbers, goalNumbers;
    for (int r = 0; r < level.rows; ++r) {
        for (int c = 0; c < level.columns; ++c) {
            const Byte block = level.BlockAt(r, c), mark = level.MarkAt(r, c);
            const char ch = SokChar(block, mark);
            text += ch;
            // Only goals that are written count, so the numbers stay in step with the goals
            // a reader finds.
            if (ch == '.' || ch == '*' || ch == '+')
                goalNumbers.push_back(mark == '+' ? kNoNumber : CharNumber(mark));
            if (IsBox(block)) {
                const std::int16_t id = level.IdAt(r, c);
                boxNumbers.push_back(id < 0 ? CharNumber(AlphanumericChar(-id)) : kNoNumber);
            }
        }
        text += "\r\n";
    }
    text += std::string(kTitleLine) + title + "\r\n";

    const bool boxesNumbered = AnyNumbered(boxNumbers);
    const bool goalsNumbered = AnyNumbered(goalNumbers);
    if (boxesNumbered || goalsNumbered) {
        text += "Comment:\r\n";
        if (boxesNumbered) AppendNumbers(text, "boxorder", boxNumbers);
        if (goalsNumbered) AppendNumbers(text, "goalorder", goalNumbers);
        text += "Comment-End:\r\n";
    }

    const std::size_t stepCount =
        std::min(static_cast<std::size_t>(std::max(level.stepCount, 0)), level.steps.size());
    if (stepCount > 0) {
        text += "Moves:\r\n";
        std::string line;
        // On a Sokoban level pushes are written in upper case, as Sokoban programs write them.
        SokobanPuzzle puzzle;
        std::optional<SokobanTracker> tracker;
        if (SokobanLevelOf(level, puzzle)) tracker.emplace(puzzle);
        for (std::size_t s = 0; s < stepCount; ++s) {
            const StepRecord& step = level.steps[s];
            // An elimination has no Sokoban letter and is written as a step up.
            const char letter = step.columnDelta > 0   ? 'r'
                                : step.columnDelta < 0 ? 'l'
                                : step.rowDelta > 0    ? 'd'
                                                       : 'u';
            const bool pushed = tracker && tracker->Step(step.rowDelta, step.columnDelta);
            line += pushed ? static_cast<char>(letter - 'a' + 'A') : letter;
            if (line.size() == kMovesPerLine) {
                text += line + "\r\n";
                line.clear();
            }
        }
        if (!line.empty()) text += line + "\r\n";
    }
    return text;
}

std::vector<std::string> SokLosses(const Level& level, bool titleFirst) {
    std::vector<std::string> lost;
    const std::string& title = level.title;
    if (title.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        lost.emplace_back("a title with a line break or a zero byte");
    else if (!titleFirst && !title.empty() &&
             (static_cast<Byte>(title.front()) < 33 || static_cast<Byte>(title.back()) < 33))
        lost.emplace_back("blanks at the ends of the title"); // the "Title:" line trims them

    // Whether the board is one the reader gives back as it is, so that the moves replay: walls,
    // boxes (lettered or not as the box numbers say), goals and one normal block as the player.
    bool exact = true;
    int players = 0;
    bool rowCut = false;
    for (int r = 0; r < level.rows; ++r) {
        bool wall = false;
        for (int c = 0; c < level.columns; ++c) {
            const Byte block = level.BlockAt(r, c), mark = level.MarkAt(r, c);
            const bool goal = mark == '+' || IsAlphanumericMark(mark);
            const bool lettered = level.IdAt(r, c) < 0;
            const char ch = SokChar(block, mark);
            wall = wall || ch == '#';
            if (TakesIdentifier(block) && !IsBox(block)) ++players;
            if (block == '.')
                exact = exact && (goal || mark == '.');
            else if (block == '#')
                exact = exact && mark == '.';
            else if (IsBox(block))
                exact = exact && (goal || mark == '.') && (block == 'v') == lettered;
            else
                exact = exact && block == '[' && (mark == '+' || mark == '.') && !lettered;
        }
        const char first =
            level.columns > 0 ? SokChar(level.BlockAt(r, 0), level.MarkAt(r, 0)) : ' ';
        // The reader begins a board only at a blank or a wall, and continues one at any row
        // that holds a wall.
        if (first != ' ' && first != '#' && (r == 0 || !wall)) rowCut = true;
    }
    if (players > 1) lost.emplace_back("more than one movable block (SOK has one player)");
    if (rowCut)
        lost.emplace_back(
            "a board row that begins with a box, a goal or the player (the level is cut there, "
            "title and all)");
    const std::size_t steps =
        std::min(static_cast<std::size_t>(std::max(level.stepCount, 0)), level.steps.size());
    bool oneBlock = true;
    for (std::size_t s = 1; s < steps; ++s)
        oneBlock = oneBlock && level.steps[s].block == level.steps[0].block;
    if (steps > 0 && (!exact || players != 1 || !oneBlock || rowCut))
        lost.emplace_back("moves that need more than a player among walls, boxes and goals");
    return lost;
}

bool SokTitleFirst(std::string_view fileName) {
    return !EndsWithNoCase(fileName, ".xsb") && !EndsWithNoCase(fileName, ".stb");
}

FileResult WriteSokLevel(const Context& ctx, const LevelPlace& place, const WriteFaults& faults) {
    return WriteToPlace(
        ctx.platform, place,
        [&](std::string& text) {
            text = SokText(ctx.CurrentLevel(), SokTitleFirst(place.FileName()));
            return std::string();
        },
        faults);
}

} // namespace vorpel
