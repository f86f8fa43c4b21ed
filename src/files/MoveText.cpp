// Writing and reading moves as text, each step carried out at once by the movement rules.
#include "files/MoveText.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/Movement.h"

namespace vorpel {

namespace {

bool IsDigit(Byte c) {
    return c >= '0' && c <= '9';
}

// The displacement of a direction letter; false for any other character.
bool DirectionOf(Byte c, int& rowDelta, int& columnDelta) {
    rowDelta = columnDelta = 0;
    switch (c) {
    case '^':
        rowDelta = -1;
        return true;
    case 'v':
        rowDelta = 1;
        return true;
    case '<':
        columnDelta = -1;
        return true;
    case '>':
        columnDelta = 1;
        return true;
    default:
        return false;
    }
}

bool IsElimination(const StepRecord& s) {
    return s.rowDelta == 0 && s.columnDelta == 0;
}

std::string RightAligned(long long value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), ' ');
    return digits;
}

// Drags the held block one cell from the selection cell (row, column) and moves the selection
// cell to the block's new anchor, so that the next letter steps from there.
bool StepHeldBlock(Context& ctx, int& row, int& column, int rowDelta, int columnDelta) {
    PlayBoard& b = ctx.board;
    const int held = b.selectedBlock;
    if (held == 0 || !DragSelectedBlock(ctx, column + columnDelta, row + rowDelta, false))
        return false;
    row = b.blocks[held].anchorRow;
    column = b.blocks[held].anchorColumn;
    b.selectedRow = row;
    b.selectedColumn = column;
    return true;
}

// The move lines' reader; its state carries over from line to line.
class MoveLineReader {
public:
    explicit MoveLineReader(Context& ctx) : ctx_(ctx) {}

    // Returns "" or the error message for the line numbered `lineNumber` (1-based).
    std::string Read(const std::string& line, std::size_t lineNumber) {
        for (std::size_t p = 0; p < line.size(); ++p) {
            std::string error = Character(static_cast<Byte>(line[p]), lineNumber, p + 1);
            if (!error.empty()) return error;
        }
        return {};
    }

private:
    enum State { kNumber, kRow, kColumn, kIgnored1, kIgnored2, kTaken, kStepping, kEliminated };

    static std::string At(const char* what, std::size_t line, std::size_t column) {
        return std::string(what) + " at line " + std::to_string(line) + ", column " +
               std::to_string(column) + ".";
    }
    static std::string AtLine(const char* what, std::size_t line) {
        return std::string(what) + " at line " + std::to_string(line);
    }

    std::string Character(Byte c, std::size_t line, std::size_t position) {
        PlayBoard& b = ctx_.board;
        if (c == ' ') return {};
        if (IsDigit(c)) {
            const int d = c - '0';
            switch (state_) {
            case kNumber:
                number_ = number_ * 10 + d;
                if (number_ >= 21474836) return AtLine("Invalid move number", line);
                return {};
            case kRow:
                row_ = row_ * 10 + d;
                if (row_ >= b.rows) return AtLine("Invalid line number", line);
                return {};
            case kColumn:
                column_ = column_ * 10 + d;
                if (column_ >= b.columns) return AtLine("Invalid column number", line);
                return {};
            case kIgnored1:
            case kIgnored2:
                return {};
            case kStepping:
            case kEliminated:
                state_ = kNumber;
                number_ = d;
                column_ = 0;
                return {};
            default:
                return At("Invalid text", line, position);
            }
        }
        int rowDelta = 0, columnDelta = 0;
        switch (c) {
        case ')':
            if (state_ != kNumber) break;
            row_ = 0;
            state_ = kRow;
            return {};
        case ',':
            if (state_ == kNumber) {
                row_ = number_;
                if (row_ >= b.rows) return AtLine("Invalid line number", line);
                state_ = kColumn;
            } else if (state_ == kRow) {
                state_ = kColumn;
            } else if (state_ == kColumn || state_ == kIgnored1) {
                state_ = state_ == kColumn ? kIgnored1 : kIgnored2;
            } else {
                break;
            }
            return {};
        case ':': {
            if (state_ != kColumn && state_ != kIgnored1 && state_ != kIgnored2) break;
            const int block = b.Inside(row_, column_) ? b.BlockIndexAt(row_, column_) : 0;
            if (block == 0) return At("Block does not exist", line, position);
            if (IsBox(b.blocks[block].kind)) return At("Moving a box directly", line, position);
            b.selectedBlock = block;
            b.selectedRow = row_;
            b.selectedColumn = column_;
            state_ = kTaken;
            return {};
        }
        case 'x': {
            if (state_ != kTaken) break;
            state_ = kEliminated;
            const bool removed = SelectBlock(ctx_, column_, row_);
            b.selectedBlock = 0;
            if (!removed) return At("Invalid step", line, position);
            return {};
        }
        default:
            if (!DirectionOf(c, rowDelta, columnDelta))
                return At("Invalid character", line, position);
            if (state_ != kTaken && state_ != kStepping) break;
            state_ = kStepping;
            if (!StepHeldBlock(ctx_, row_, column_, rowDelta, columnDelta))
                return At("Invalid step", line, position);
            return {};
        }
        return At("Invalid text", line, position);
    }

    Context& ctx_;
    State state_ = kNumber;
    int number_ = 0;
    int row_ = 0;
    int column_ = 0;
};

// Carries out a single move text; returns "" or the message without the leading line.
std::string RunMoveText(Context& ctx, const std::string& text, bool relative, int originRow,
                        int originColumn) {
    PlayBoard& b = ctx.board;
    enum Phase { kFields, kSteps, kEliminated } phase = kFields;
    bool moveNumberAllowed = true, haveNumber = false, negative = false;
    long long value = 0, row = 0, column = 0;
    int field = 0; // coordinate field being read: 0 row, 1 column, 2 and 3 ignored
    int steps = 0;

    const auto formatError = [](std::size_t position) {
        return "Invalid move text format.\r\nText column " + std::to_string(position) + ".";
    };
    const auto stepError = [](int step) {
        return "Step " + std::to_string(step) + " since this move start.\r\nImpossible step. ";
    };

    for (std::size_t p = 0; p < text.size(); ++p) {
        const Byte c = static_cast<Byte>(text[p]);
        const std::size_t position = p + 1;
        if (c == ' ') continue;
        if (phase == kEliminated) return formatError(position);
        if (phase == kSteps) {
            int rowDelta = 0, columnDelta = 0;
            if (DirectionOf(c, rowDelta, columnDelta)) {
                ++steps;
                int r = static_cast<int>(row), k = static_cast<int>(column);
                if (!StepHeldBlock(ctx, r, k, rowDelta, columnDelta)) return stepError(steps);
                row = r;
                column = k;
                continue;
            }
            if (c != 'x' || steps != 0) return formatError(position);
            phase = kEliminated;
            const bool removed = SelectBlock(ctx, static_cast<int>(column), static_cast<int>(row));
            b.selectedBlock = 0;
            if (!removed) return stepError(0);
            continue;
        }
        if (IsDigit(c)) {
            const int d = c - '0';
            if (value >= (2147483647 - d) / 10)
                return "Number too large.\r\nText column " + std::to_string(position) + ".";
            value = value * 10 + d;
            haveNumber = true;
            continue;
        }
        const long long number = negative ? -value : value;
        if (c == '-') {
            if (haveNumber || negative) return formatError(position);
            negative = true;
            continue;
        }
        if (c == ')') {
            if (!moveNumberAllowed || !haveNumber || negative) return formatError(position);
        } else if (c == ',') {
            if (!haveNumber || field == 3) return formatError(position);
            if (field == 0) row = number;
            if (field == 1) column = number;
            ++field;
        } else if (c == ':') {
            if (!haveNumber || field == 0) return formatError(position);
            if (field == 1) column = number;
            if (relative) {
                row += originRow;
                column += originColumn;
            }
            if (row < 0 || row >= b.rows) return "Invalid block line number.";
            if (column < 0 || column >= b.columns) return "Invalid block column number.";
            const int r = static_cast<int>(row), k = static_cast<int>(column);
            const int block = b.BlockIndexAt(r, k);
            if (block == 0) return "Invalid or not found block.";
            if (IsBox(b.blocks[block].kind)) return "A box cannot be moved directly.";
            b.selectedBlock = block;
            b.selectedRow = r;
            b.selectedColumn = k;
            phase = kSteps;
        } else {
            return formatError(position);
        }
        moveNumberAllowed = false;
        haveNumber = negative = false;
        value = 0;
    }
    // A text that stops before its move has a step names no move.
    if (phase == kFields || (phase == kSteps && steps == 0)) return formatError(text.size() + 1);
    return {};
}

} // namespace

char DirectionLetter(int rowDelta, int columnDelta) {
    static constexpr char kLetters[] = "?^?<x>?v?";
    const int i = rowDelta * 3 + columnDelta + 4;
    return i >= 0 && i < 9 ? kLetters[i] : '?';
}

namespace {

// Calls `move(number, first record, letters)` for each move of the first `count` records.
template <class Visit> void ForEachMove(const Level& level, int count, Visit move) {
    // A move's records after its first never start a move, so one count serves every move.
    int number = 0;
    for (int i = 0; i < count;) {
        const StepRecord& first = level.steps[i];
        number += first.NewMove() ? 1 : 0;
        std::string letters(1, DirectionLetter(first.rowDelta, first.columnDelta));
        int j = i + 1;
        if (!IsElimination(first))
            for (; j < count && !level.steps[j].NewMove() && !IsElimination(level.steps[j]); ++j)
                letters += DirectionLetter(level.steps[j].rowDelta, level.steps[j].columnDelta);
        move(number, first, letters);
        i = j;
    }
}

int RecordedCount(const Level& level) {
    return static_cast<int>(
        std::min<std::size_t>(std::max(level.stepCount, 0), level.steps.size()));
}

} // namespace

void WriteMoveLines(const Level& level, std::string& out) {
    const int count = RecordedCount(level);
    if (count <= 0) return;
    const std::size_t width = std::to_string(level.steps.MoveNumber(count - 1)).size() + 1;
    ForEachMove(level, count, [&](int number, const StepRecord& first, const std::string& letters) {
        out += RightAligned(number, width) + ")" + RightAligned(first.row, 3) + "," +
               RightAligned(first.column, 3) + ":  " + letters + "\r\n";
    });
}

std::string CompactMoves(const Level& level, int count) {
    std::string out;
    ForEachMove(level, std::clamp(count, 0, RecordedCount(level)),
                [&](int, const StepRecord& first, const std::string& letters) {
                    if (!out.empty()) out += ' ';
                    out += std::to_string(first.row) + "," + std::to_string(first.column) + ":" +
                           letters;
                });
    return out;
}

std::string ReadMoveLines(Context& ctx, const std::vector<std::string>& lines, std::size_t& index) {
    MoveLineReader reader(ctx);
    std::string error;
    for (; index < lines.size(); ++index) {
        const std::string& line = lines[index];
        if (!line.empty() && line[0] != ' ' && !IsDigit(static_cast<Byte>(line[0]))) break;
        if (IsCommentLine(line)) {
            if (std::optional<Snapshot> snapshot = ReadSnapshotLine(line))
                ctx.CurrentLevel().snapshots.push_back(std::move(*snapshot));
            continue;
        }
        // After an error the rest of the level's move lines are passed over unread.
        if (error.empty()) error = reader.Read(line, index + 1);
    }
    return error;
}

bool IsCommentLine(std::string_view line) {
    if (line.empty() || line[0] != ' ') return false;
    const std::size_t first = line.find_first_not_of(' ');
    return first != std::string_view::npos && line[first] == ';';
}

std::string SnapshotName(std::string name) {
    for (char& c : name)
        if (c == '"' || c == '\r' || c == '\n' || c == '\0') c = ' ';
    return name;
}

std::string SnapshotLine(const Snapshot& snapshot) {
    std::string line = std::string(kSnapshotPrefix) + "\"" + SnapshotName(snapshot.name) + "\"";
    if (!snapshot.moves.empty()) line += " " + snapshot.moves;
    return line + "\r\n";
}

std::optional<Snapshot> ReadSnapshotLine(std::string_view line) {
    if (!line.starts_with(kSnapshotPrefix)) return std::nullopt;
    line.remove_prefix(std::string_view(kSnapshotPrefix).size());
    if (line.empty() || line[0] != '"') return std::nullopt;
    const std::size_t close = line.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    Snapshot snapshot{std::string(line.substr(1, close - 1)), {}};
    std::string_view moves = line.substr(close + 1);
    const std::size_t start = moves.find_first_not_of(' ');
    if (start != std::string_view::npos) {
        moves = moves.substr(start);
        moves = moves.substr(0, moves.find_last_not_of(' ') + 1);
        snapshot.moves = std::string(moves);
    }
    return snapshot;
}

std::string ApplyMoveText(Context& ctx, const std::string& text, bool relative, int originRow,
                          int originColumn) {
    const std::string message = RunMoveText(ctx, text, relative, originRow, originColumn);
    if (message.empty()) return {};
    PlayBoard& b = ctx.board;
    b.selectedBlock = 0;
    b.selectedRow = -1;
    b.selectedColumn = -1;
    return "Error at move " + text + ".\r\n" + message;
}

} // namespace vorpel
