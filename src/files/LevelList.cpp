// The level list and scoreboard as data: one row per level, its order, search, score and texts.
#include "files/LevelList.h"

#include <algorithm>
#include <cmath>

#include "files/BestSolutions.h"
#include "files/Records.h"

namespace vorpel {

namespace {

int Sign(long long v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// Rows with a value before rows without, in both directions; between two with a value the
// numbers decide, between two without `tie` does.
int PresentFirst(bool aPresent, bool bPresent, long long a, long long b, int tie, int direction) {
    if (aPresent != bPresent) return aPresent ? -1 : 1;
    return (aPresent ? Sign(a - b) : tie) * direction;
}

} // namespace

LevelRow MakeLevelRow(int number, int moves, int record, std::string title) {
    LevelRow row;
    row.number = number;
    row.moves = moves;
    row.record = record;
    if (moves < 1 || record < 1) {
        row.difference = kAbsentValue;
        row.percentage = kAbsentValue;
    } else {
        row.difference = moves - record;
        const double hundredths = std::round(double(row.difference) * 10000.0 / double(record));
        row.percentage =
            hundredths >= double(kPercentageCap) ? kPercentageCap : std::int32_t(hundredths);
    }
    row.foldedTitle = FoldCase(title);
    row.title = std::move(title);
    return row;
}

std::string BuildLevelRows(const Context& ctx, std::vector<LevelRow>& rows) {
    std::vector<BestCounts> best;
    // The rows show no pushes, so no Sokoban record is replayed.
    const FileResult read = ReadAllBestSolutions(ctx, best, false);
    if (!read.Ok()) best.assign(ctx.collection.levels.size(), BestCounts{});
    const std::vector<Level>& levels = ctx.collection.levels;
    rows.clear();
    rows.reserve(levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        int recordMoves = 0, recordSteps = 0;
        LookUpRecord(ctx, levels[i].title, recordMoves, recordSteps);
        LevelRow& row = rows.emplace_back(
            MakeLevelRow(int(i) + 1, best[i].moves, recordMoves, std::string(levels[i].title)));
        row.steps = best[i].steps;
        row.recordSteps = recordSteps;
    }
    return read.message;
}

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (char& ch : folded) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            ch = static_cast<char>(c + 0x20);
        else if (c == 0x8A || c == 0x8C || c == 0x8E) // Š Œ Ž
            ch = static_cast<char>(c + 0x10);
        else if (c == 0x9F) // Ÿ
            ch = static_cast<char>(0xFF);
    }
    return folded;
}

int CompareLevelRows(const LevelRow& a, const LevelRow& b, LevelColumn column, int direction) {
    const int byNumber = Sign(static_cast<long long>(a.number) - b.number);
    switch (column) {
    case LevelColumn::Title: {
        const int c = std::string_view(a.foldedTitle).compare(b.foldedTitle);
        return Sign(c) * direction;
    }
    case LevelColumn::Number:
        return byNumber * direction;
    case LevelColumn::Moves:
        return PresentFirst(a.moves > 0, b.moves > 0, a.moves, b.moves, byNumber, direction);
    case LevelColumn::Record:
        return PresentFirst(a.record > 0, b.record > 0, a.record, b.record, byNumber, direction);
    case LevelColumn::Difference:
        return PresentFirst(a.difference != kAbsentValue, b.difference != kAbsentValue,
                            a.difference, b.difference, byNumber, direction);
    case LevelColumn::Percentage:
        // Without a percentage the larger record comes first.
        return PresentFirst(a.percentage != kAbsentValue, b.percentage != kAbsentValue,
                            a.percentage, b.percentage,
                            Sign(static_cast<long long>(b.record) - a.record), direction);
    case LevelColumn::Solved: {
        const int c = Sign(static_cast<int>(SolvedState(a)) - static_cast<int>(SolvedState(b)));
        return (c != 0 ? c : byNumber) * direction;
    }
    }
    return 0;
}

void SortLevelRows(std::vector<LevelRow>& rows, LevelColumn column, int direction) {
    std::stable_sort(rows.begin(), rows.end(), [&](const LevelRow& a, const LevelRow& b) {
        return CompareLevelRows(a, b, column, direction) < 0;
    });
}

LevelSolved SolvedState(const LevelRow& row) {
    // A kept move list has negated counters: no solution.
    if (row.moves <= 0) return LevelSolved::Unsolved;
    const bool beaten =
        row.record > 0 &&
        (row.moves < row.record ||
         (row.moves == row.record && row.recordSteps > 0 && row.steps < row.recordSteps));
    return beaten ? LevelSolved::Beaten : LevelSolved::Solved;
}

int RowPicture(const LevelRow& row) {
    if (row.percentage == kAbsentValue) return row.record > 0 ? 4 : 5;
    const std::int32_t p = row.percentage;
    if (p <= 0) return 0;
    if (p < 500) return 1;
    if (p < 1000) return 2;
    if (p < 2500) return 3;
    return 4;
}

std::string PercentageText(std::int32_t percentage, std::string_view decimalSeparator) {
    std::string digits = std::to_string(std::abs(static_cast<long long>(percentage)));
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    digits.insert(digits.size() - 2, decimalSeparator);
    return (percentage < 0 ? "-" : "") + digits + "%";
}

std::string LevelCellText(const LevelRow& row, LevelColumn column,
                          std::string_view decimalSeparator) {
    const auto count = [](std::int32_t v) { return v > 0 ? std::to_string(v) : std::string("?"); };
    switch (column) {
    case LevelColumn::Title:
        return row.title;
    case LevelColumn::Number:
        return count(row.number);
    case LevelColumn::Moves:
        return count(row.moves);
    case LevelColumn::Record:
        return count(row.record);
    case LevelColumn::Difference:
        return row.difference == kAbsentValue ? "?" : std::to_string(row.difference);
    case LevelColumn::Percentage:
        return row.percentage == kAbsentValue ? "?"
                                              : PercentageText(row.percentage, decimalSeparator);
    case LevelColumn::Solved: {
        static constexpr const char* kTexts[] = {"unsolved", "solved", "beaten"};
        return kTexts[static_cast<int>(SolvedState(row))];
    }
    }
    return {};
}

int SearchLevelRows(const std::vector<LevelRow>& rows, std::string_view text, int selected,
                    bool down) {
    const std::string wanted = FoldCase(text);
    const int count = static_cast<int>(rows.size());
    if (selected >= count) selected = -1;
    const auto matches = [&](int i) {
        return rows[static_cast<std::size_t>(i)].foldedTitle.find(wanted) != std::string::npos;
    };
    if (down) {
        for (int i = selected + 1; i < count; ++i)
            if (matches(i)) return i;
        if (selected >= 0)
            for (int i = 0; i <= selected; ++i)
                if (matches(i)) return i;
    } else {
        const int start = selected >= 0 ? selected - 1 : count - 1;
        for (int i = start; i >= 0; --i)
            if (matches(i)) return i;
        if (selected >= 0)
            for (int i = count - 1; i >= selected; --i)
                if (matches(i)) return i;
    }
    return -1;
}

Score ScoreLevelRows(const std::vector<LevelRow>& rows, int selected, int limit) {
    Score score;
    if (selected < 0) return score;
    for (std::size_t i = static_cast<std::size_t>(selected); i < rows.size() && score.count < limit;
         ++i) {
        ++score.count;
        if (rows[i].moves > 0) score.total += 1000 - rows[i].moves;
    }
    return score;
}

std::string ScoreLine(const Score& score) {
    return "Actually scored: " + std::to_string(score.count) +
           ".  Total score: " + std::to_string(score.total) + ".";
}

int FirstLevelToOpen(const std::vector<BestCounts>& best, int first, int count, int resumedLevel) {
    if (resumedLevel >= 0) return resumedLevel;
    const int end = std::min(first + std::max(count, 0), static_cast<int>(best.size()));
    for (int i = std::max(first, 0); i < end; ++i) {
        const BestCounts& b = best[static_cast<std::size_t>(i)];
        if (b.moves <= 0 || b.steps <= 0) return i;
    }
    return first;
}

void OpenFirstUnsolved(Context& ctx, int firstNew) {
    const int count = static_cast<int>(ctx.collection.levels.size()) - firstNew;
    if (firstNew < 0 || count <= 0) return;
    // An unreadable best-solutions file leaves every counter 0: the first new level opens.
    std::vector<BestCounts> best;
    ReadAllBestSolutions(ctx, best, false);
    ctx.collection.currentLevel = FirstLevelToOpen(best, firstNew, count);
}

} // namespace vorpel
