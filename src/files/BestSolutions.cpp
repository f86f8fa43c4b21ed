// The best solutions file: finding, storing, erasing and applying the record of a title.
#include "files/BestSolutions.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "files/CompanionPath.h"
#include "files/MoveText.h"
#include "model/History.h"

namespace vorpel {

namespace {

// Where one record lies in the file's bytes.
struct RecordPlace {
    std::size_t start = 0;       // its length field
    std::size_t end = 0;         // after its last byte; the file's end when it runs past it
    std::size_t titleLength = 0; // the title starts at start + 8
};

// The fields after a record's title.
struct RecordFields {
    std::int32_t moves = 0;
    std::int32_t steps = 0;
    std::string_view data;
};

std::int32_t Read32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<Byte>(bytes[at + i]);
    return static_cast<std::int32_t>(v);
}

void Append32(std::string& out, std::int64_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Walks the records from the start, calling `visit` on each until it returns true (that record
// is returned). A negative length is damage and ends the walk, as does a record that runs past
// the end; each record advances at least 4 bytes, so the walk always ends.
template <class Visit> std::optional<RecordPlace> Walk(std::string_view bytes, Visit visit) {
    std::size_t at = 0;
    while (bytes.size() - at >= 8) {
        const std::int32_t length = Read32(bytes, at);
        const std::int32_t titleLength = Read32(bytes, at + 4);
        if (length < 0 || titleLength < 0) break;
        const std::size_t next = at + 4 + static_cast<std::size_t>(length);
        const RecordPlace place{at, std::min(next, bytes.size()),
                                static_cast<std::size_t>(titleLength)};
        if (visit(place)) return place;
        if (next > bytes.size()) break;
        at = next;
    }
    return std::nullopt;
}

// The record's title when it lies inside the file.
std::optional<std::string_view> TitleOf(std::string_view bytes, const RecordPlace& r) {
    if (r.titleLength > bytes.size() - (r.start + 8)) return std::nullopt;
    return bytes.substr(r.start + 8, r.titleLength);
}

std::optional<RecordPlace> FindRecord(std::string_view bytes, std::string_view title) {
    return Walk(bytes, [&](const RecordPlace& r) {
        return r.titleLength == title.size() && TitleOf(bytes, r) == title;
    });
}

// The counters and move data of a found record; false when the record ends before its counters.
// The move data ends at the record's end or after its stated length, whichever comes first.
bool FieldsOf(std::string_view bytes, const RecordPlace& r, RecordFields& fields) {
    const std::size_t titleEnd = r.start + 8 + r.titleLength;
    const std::size_t dataStart = titleEnd + 16;
    if (dataStart > r.end) return false;
    fields.moves = Read32(bytes, titleEnd + 4);
    fields.steps = Read32(bytes, titleEnd + 8);
    const std::int32_t length = Read32(bytes, titleEnd + 12);
    const std::size_t available = r.end - dataStart;
    fields.data = bytes.substr(
        dataStart, length < 0 ? 0 : std::min(available, static_cast<std::size_t>(length)));
    return true;
}

bool IsElimination(const StepRecord& s) {
    return s.rowDelta == 0 && s.columnDelta == 0;
}

// The step codes of the move data, from 0x9 on: right, up, left, down, then an elimination
// (which does not move); each with its displacement and its letter in a move line.
struct StepCodeInfo {
    int rowDelta;
    int columnDelta;
    char letter;
};
constexpr unsigned kFirstStepCode = 0x9;
constexpr std::array<StepCodeInfo, 5> kStepCodes = {
    {{0, 1, '>'}, {-1, 0, '^'}, {0, -1, '<'}, {1, 0, 'v'}, {0, 0, 'x'}}};

const StepCodeInfo* InfoOf(unsigned code) {
    return code >= kFirstStepCode && code - kFirstStepCode < kStepCodes.size()
               ? &kStepCodes[code - kFirstStepCode]
               : nullptr;
}

unsigned StepCode(const StepRecord& s) {
    for (unsigned i = 0; i < kStepCodes.size(); ++i)
        if (kStepCodes[i].rowDelta == s.rowDelta && kStepCodes[i].columnDelta == s.columnDelta)
            return kFirstStepCode + i;
    return 0xF; // no step has another displacement; reading it back fails visibly
}

// The move data of the first `count` records: each move's cell, then its steps two per byte.
std::string EncodeMoves(const Level& level, int count) {
    std::string data;
    for (int i = 0; i < count;) {
        const StepRecord& first = level.steps[i];
        int j = i + 1;
        if (!IsElimination(first))
            while (j < count && !level.steps[j].NewMove() && !IsElimination(level.steps[j])) ++j;
        data += static_cast<char>(first.row);
        data += static_cast<char>(first.column);
        for (int k = i; k < j; k += 2) {
            const unsigned low = k + 1 < j ? StepCode(level.steps[k + 1]) : 0;
            data += static_cast<char>((StepCode(level.steps[k]) << 4) | low);
        }
        i = j;
    }
    return data;
}

char LetterOf(unsigned code) {
    const StepCodeInfo* info = InfoOf(code);
    return info != nullptr ? info->letter : '#';
}

std::string RightAligned(int value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), ' ');
    return digits;
}

// One move line per move of the data. Step bytes before any cell get a line of their own, which
// the move reader refuses; a cell byte without its column ends the data.
void DecodeMoves(std::string_view data, std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < data.size();) {
        std::string line = " ";
        const Byte row = static_cast<Byte>(data[i]);
        if (row < 0x80) {
            if (i + 1 >= data.size()) break;
            line += RightAligned(row, 2) + ", " + RightAligned(static_cast<Byte>(data[i + 1]), 2) +
                    ": ";
            i += 2;
        }
        for (; i < data.size() && static_cast<Byte>(data[i]) >= 0x80; ++i) {
            const Byte b = static_cast<Byte>(data[i]);
            line += LetterOf(b >> 4);
            if ((b & 0xF) != 0) line += LetterOf(b & 0xF);
        }
        lines.push_back(std::move(line));
    }
}

// A step code's displacement; an elimination or an unknown code does not move.
std::pair<int, int> DeltaOf(unsigned code) {
    const StepCodeInfo* info = InfoOf(code);
    return info != nullptr ? std::pair{info->rowDelta, info->columnDelta} : std::pair{0, 0};
}

// Reads the file for the current level; false when the level has no title, the file is missing
// (`error` empty) or it cannot be read (`error` set).
bool ReadForTitle(const Context& ctx, std::string& bytes, std::string& error) {
    const std::string path = BestSolutionsPath(ctx);
    if (ctx.CurrentLevel().title.empty() || path.empty()) return false;
    const FileResult read = ReadWholeFile(path, bytes);
    if (read.code == FileError::kFailed) error = read.message;
    return read.Ok();
}

// The new record of the current level's title holding its first `count` step records.
std::string NewRecord(const Level& level, int count, bool asMoveList) {
    const std::string data = EncodeMoves(level, count);
    std::int64_t moves = count > 0 ? level.steps.MoveNumber(count - 1) : 0;
    std::int64_t steps = count > 0 ? level.steps.StepNumber(count - 1) : 0;
    if (asMoveList) {
        moves = -moves;
        steps = -steps;
    }
    const auto titleLength = static_cast<std::int64_t>(level.title.size());
    const auto dataLength = static_cast<std::int64_t>(data.size());
    std::string record;
    record.reserve(level.title.size() + data.size() + 24);
    Append32(record, 20 + titleLength + dataLength);
    Append32(record, titleLength);
    record += level.title;
    Append32(record, 8);
    Append32(record, moves);
    Append32(record, steps);
    Append32(record, dataLength);
    record += data;
    return record;
}

} // namespace

SokobanCounts SokobanCountsOfMoveData(const SokobanPuzzle& puzzle, std::string_view data) {
    SokobanTracker tracker(puzzle);
    for (std::size_t i = 0; i < data.size();) {
        const Byte b = static_cast<Byte>(data[i]);
        if (b < 0x80) {
            i += 2; // the cell of the next move: the player's, the only block that moves
            continue;
        }
        for (const unsigned code : {unsigned{b} >> 4, unsigned{b} & 0xFu}) {
            const auto [rowDelta, columnDelta] = DeltaOf(code);
            tracker.Step(rowDelta, columnDelta);
        }
        ++i;
    }
    return tracker.Counts();
}

std::string BestSolutionsPath(const Context& ctx) {
    return CompanionPath(ctx.programPath, ".sol");
}

bool SaveBestSolutionSteps(Context& ctx, int count, bool asMoveList, const WriteFaults& faults) {
    const Level& level = ctx.CurrentLevel();
    const std::string path = BestSolutionsPath(ctx);
    if (level.title.empty() || path.empty()) return false;
    count = std::clamp(
        count, 0,
        static_cast<int>(std::min<std::size_t>(std::max(level.stepCount, 0), level.steps.size())));
    std::string old;
    const FileResult read = ReadWholeFile(path, old);
    std::string error = read.code == FileError::kFailed ? read.message : std::string();
    if (error.empty()) {
        try {
            std::string bytes = NewRecord(level, count, asMoveList);
            if (const auto r = FindRecord(old, level.title)) old.erase(r->start, r->end - r->start);
            bytes += old;
            error = WriteFileAtomic(path, bytes, faults).message;
        } catch (const std::bad_alloc&) {
            error = kNotEnoughMemory;
        }
    }
    if (error.empty()) return true;
    ctx.platform->ShowInfo({"File " + path + ".", error});
    return false;
}

bool SaveBestSolution(Context& ctx, bool asMoveList, const WriteFaults& faults) {
    return SaveBestSolutionSteps(ctx, ctx.CurrentLevel().stepCount, asMoveList, faults);
}

BestSolutionInfo ReadBestSolutionInfo(const Context& ctx) {
    BestSolutionInfo info;
    std::string bytes;
    if (!ReadForTitle(ctx, bytes, info.error)) return info;
    info.status = kBestSolutionNoRecord;
    RecordFields fields;
    const auto r = FindRecord(bytes, ctx.CurrentLevel().title);
    if (r && FieldsOf(bytes, *r, fields)) {
        info.status = kBestSolutionFound;
        info.moves = fields.moves;
        info.steps = fields.steps;
        if (SokobanPuzzle puzzle; SokobanLevelOf(ctx.CurrentLevel(), puzzle))
            info.sokoban = SokobanCountsOfMoveData(puzzle, fields.data);
    }
    return info;
}

FileResult ReadBestSolutionMoves(const Context& ctx, std::vector<std::string>& lines, int* status) {
    int found = kBestSolutionNoFile;
    std::string bytes, error;
    if (ReadForTitle(ctx, bytes, error)) {
        found = kBestSolutionNoRecord;
        RecordFields fields;
        const auto r = FindRecord(bytes, ctx.CurrentLevel().title);
        if (r && FieldsOf(bytes, *r, fields)) {
            found = kBestSolutionFound;
            lines.assign(1, "\"lin\"");
            DecodeMoves(fields.data, lines);
        }
    }
    if (status) *status = found;
    if (found == kBestSolutionFound) return {};
    if (!error.empty()) return FileResult::Failed(error);
    return {FileError::kNotFound, kBestSolutionNotFound};
}

FileResult ApplyBestSolution(Context& ctx, int& status) {
    std::vector<std::string> lines;
    FileResult read = ReadBestSolutionMoves(ctx, lines, &status);
    if (status != kBestSolutionFound) return read;
    std::size_t index = 1;
    if (!ReadMoveLines(ctx, lines, index).empty())
        return FileResult::Failed(kBestSolutionApplyError);
    return {};
}

FileResult ApplyBestSolutionAtStart(Context& ctx) {
    const int before = ctx.CurrentLevel().currentStep;
    RebuildBoard(ctx);
    int status = kBestSolutionNoFile;
    FileResult result = ApplyBestSolution(ctx, status);
    if (status == kBestSolutionFound) {
        GoToMove(ctx, 0);
    } else {
        RebuildBoard(ctx);
        GoToPosition(ctx, before);
    }
    return result;
}

FileResult EraseBestSolution(Context& ctx, const WriteFaults& faults) {
    std::string bytes, error;
    if (!ReadForTitle(ctx, bytes, error)) return FileResult::Of(std::move(error));
    const auto r = FindRecord(bytes, ctx.CurrentLevel().title);
    if (!r) return {};
    bytes.erase(r->start, r->end - r->start);
    return WriteFileAtomic(BestSolutionsPath(ctx), bytes, faults);
}

FileResult ReadAllBestSolutions(const Context& ctx, std::vector<BestCounts>& counts,
                                bool countPushes) {
    const std::vector<Level>& levels = ctx.collection.levels;
    counts.assign(levels.size(), BestCounts{});
    const std::string path = BestSolutionsPath(ctx);
    if (path.empty()) return {};
    std::string bytes;
    if (FileResult read = ReadWholeFile(path, bytes); !read.Ok())
        return read.code == FileError::kNotFound ? FileResult{} : read;

    // The first level of each title, so that thousands of levels and records stay linear.
    std::unordered_map<std::string_view, std::size_t> firstLevel;
    firstLevel.reserve(levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (!levels[i].title.empty()) firstLevel.emplace(levels[i].title, i);
    // As in a single look-up, the first record of a title counts.
    std::vector<bool> taken(levels.size(), false);
    Walk(bytes, [&](const RecordPlace& r) {
        const auto title = TitleOf(bytes, r);
        if (!title) return false;
        const auto level = firstLevel.find(*title);
        if (level == firstLevel.end() || taken[level->second]) return false;
        taken[level->second] = true;
        RecordFields fields;
        if (!FieldsOf(bytes, r, fields)) return false;
        BestCounts& c = counts[level->second];
        c = {fields.moves, fields.steps, 0};
        if (SokobanPuzzle puzzle; countPushes && SokobanLevelOf(levels[level->second], puzzle))
            c.pushes = SokobanCountsOfMoveData(puzzle, fields.data).pushes;
        return false;
    });
    return {};
}

std::string BestSolutionLabel(const Context& ctx, bool& haveRecord) {
    const BestSolutionInfo info = ReadBestSolutionInfo(ctx);
    haveRecord = info.status == kBestSolutionFound;
    if (!info.error.empty()) return info.error;
    if (info.status == kBestSolutionNoFile)
        return "Best solution file \"" + BestSolutionsPath(ctx) + "\" not found.";
    if (info.status == kBestSolutionNoRecord) return kBestSolutionNotFound;
    const bool moveList = info.moves < 0 || info.steps < 0;
    const auto magnitude = [](std::int32_t v) { return std::to_string(std::abs(std::int64_t{v})); };
    const std::string heading = moveList ? "Move list:" : "Best solution:";
    if (IsSokobanLevel(ctx.CurrentLevel()))
        return heading + "\nMoves: " + std::to_string(info.sokoban.moves) +
               "\nPushes: " + std::to_string(info.sokoban.pushes);
    return heading + "\nMoves: " + magnitude(info.moves) + "\nSteps: " + magnitude(info.steps);
}

} // namespace vorpel
