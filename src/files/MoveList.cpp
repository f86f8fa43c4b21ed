// The move list as text: one line per move of a level, clipboard text split into lines, and a
// stored best solution numbered like the listed moves.
#include "files/MoveList.h"

#include <algorithm>
#include <cstdio>

#include "files/MoveText.h"

namespace vorpel {

namespace {

bool IsRealStep(const StepRecord& s) {
    return s.rowDelta != s.columnDelta;
}

std::string RightAligned(long long value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

} // namespace

std::string MoveListLine(int move, int startRow, int startColumn, int endRow, int endColumn,
                         std::string_view letters) {
    char head[80];
    const int n = std::snprintf(head, sizeof head, "%4d)%3d,%3d,%3d,%3d: ", move, startRow,
                                startColumn, endRow, endColumn);
    std::string line(head, static_cast<std::size_t>(std::max(n, 0)));
    line += letters;
    return line;
}

std::vector<std::string> MoveListLines(const Level& level, int originRow, int originColumn) {
    std::vector<std::string> lines;
    const int count =
        static_cast<int>(std::min<std::size_t>(std::max(level.stepCount, 0), level.steps.size()));
    std::string letters;
    int move = 0; // the lines' records after the first never start a move
    for (int i = 0; i < count;) {
        const StepRecord& first = level.steps[static_cast<std::size_t>(i)];
        move += first.NewMove() ? 1 : 0;
        int rowSum = first.rowDelta, columnSum = first.columnDelta;
        letters.assign(1, DirectionLetter(first.rowDelta, first.columnDelta));
        int j = i + 1;
        if (IsRealStep(first))
            for (; j < count; ++j) {
                const StepRecord& s = level.steps[static_cast<std::size_t>(j)];
                if (s.NewMove() || !IsRealStep(s)) break;
                rowSum += s.rowDelta;
                columnSum += s.columnDelta;
                letters += DirectionLetter(s.rowDelta, s.columnDelta);
            }
        const int row = first.row - originRow, column = first.column - originColumn;
        lines.push_back(MoveListLine(move, row, column, row + rowSum, column + columnSum, letters));
        i = j;
    }
    return lines;
}

std::vector<std::string> SplitMoveListText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view piece = text.substr(start, end - start);
        if (!piece.empty() && piece[0] == ' ') lines.emplace_back(piece);
        start = end + 1;
    }
    return lines;
}

std::string JoinMoveListLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::vector<std::string> NumberBestSolutionLines(const std::vector<std::string>& texts) {
    std::vector<std::string> numbered;
    numbered.reserve(texts.size());
    const std::size_t width = std::to_string(texts.size()).size() + 1;
    const auto eliminated = [](const std::string& t) { return !t.empty() && t.back() == 'x'; };
    long long number = 0, increment = 1;
    if (!texts.empty() && eliminated(texts.front())) {
        number = 1;
        increment = 0;
    }
    for (std::string text : texts) {
        // Widen the row and column fields of a move text written without their leading blanks.
        if (text.size() < 2 || text[1] == ',') text.insert(0, 1, ' ');
        if (text.size() < 6 || text[5] == ':')
            text.insert(std::min<std::size_t>(3, text.size()), 1, ' ');
        if (!eliminated(text)) {
            number += increment;
            increment = 1;
        }
        numbered.push_back(RightAligned(number, width) + ")" + text);
    }
    return numbered;
}

} // namespace vorpel
