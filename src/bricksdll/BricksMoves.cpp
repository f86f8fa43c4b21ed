// Reads and writes Bricks moves files: piece bytes, step bytes, eliminations and the offset.
#include "bricksdll/BricksMoves.h"

#include <ctime>
#include <sys/stat.h>

#include "files/FileNames.h"
#include "files/MoveText.h"
#include "model/History.h"
#include "model/Movement.h"

namespace vorpel {
namespace {

constexpr int kStartOffset = 53;
constexpr Byte kElimination = 0xFD;
constexpr Byte kEnd = 0xFE;
constexpr Byte kOffsetReset = 0xFF;
constexpr Byte kFirstPieceByte = 5;
constexpr Byte kLastPieceByte = 0xFC;

bool IsElimination(const StepRecord& s) {
    return s.rowDelta == 0 && s.columnDelta == 0;
}

// Step bytes 1 to 4: down, right, left, up.
Byte StepCode(const StepRecord& s) {
    if (s.rowDelta > 0) return 1;
    if (s.columnDelta > 0) return 2;
    if (s.columnDelta < 0) return 3;
    return 4;
}

void ClearPieces(PlayBoard& b) {
    for (int i = kFirstBlock; i <= b.blockCount; ++i) b.blocks[i].bricksPiece = 0;
}

// Sets the conversion mode, goes back to the start of the level's moves and numbers every block
// by the DLL's block grid at its anchor cell. The step journal stays off while the follower is
// the context's observer.
void BeginConversion(Context& ctx, const DllLevelGrid& grid, BricksPieceFollower& follower) {
    follower = BricksPieceFollower(BricksConversionMode(grid.version, ctx.CurrentLevel()));
    ctx.stepObserver = &follower;
    GoToMove(ctx, 0);
    PlayBoard& b = ctx.board;
    for (int i = kFirstBlock; i <= b.blockCount; ++i) {
        Block& blk = b.blocks[i];
        const int cell = blk.anchorRow * grid.columns + blk.anchorColumn;
        const bool inside = blk.anchorRow >= 0 && blk.anchorRow < grid.rows &&
                            blk.anchorColumn >= 0 && blk.anchorColumn < grid.columns &&
                            static_cast<std::size_t>(cell) < grid.blockGrid.size();
        blk.bricksPiece = inside ? grid.blockGrid[static_cast<std::size_t>(cell)] : 0;
    }
}

void EndConversion(Context& ctx) {
    ctx.stepObserver = nullptr;
    ClearPieces(ctx.board);
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The question asked before a file is overwritten.
std::vector<std::string> OverwriteQuestion(const std::string& path) {
    std::string date = "?", time = "?", size = "?";
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        std::tm local{};
        const std::time_t modified = st.st_mtime;
        if (::localtime_r(&modified, &local)) {
            char text[32];
            std::strftime(text, sizeof text, "%d/%m/%Y", &local);
            date = text;
            std::strftime(text, sizeof text, "%H:%M:%S", &local);
            time = text;
        }
        size = std::to_string(st.st_size);
        for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(size.size()) - 3; i > 0; i -= 3)
            size.insert(static_cast<std::size_t>(i), 1, ',');
    }
    return {"The file", path, "(modified on " + date + ",",
            "at " + time + ", size " + size + " bytes)", "already exists.  Overwrite?"};
}

// The common start of both commands: the DLL's level, its size against the current level's,
// and the moves file's name. Shows the failure and returns false.
bool Prepare(Context& ctx, int levelIndex, const std::string& dllPath, const std::string& player,
             DllLevelGrid& grid, std::string& fileName) {
    if (const FileResult read = ReadDllLevelGrid(dllPath, levelIndex, grid); !read.Ok()) {
        ctx.platform->ShowInfo({read.message, kCommandNotExecuted});
        return false;
    }
    const Level& level = ctx.CurrentLevel();
    if (grid.columns != level.columns || grid.rows != level.rows) {
        ctx.platform->ShowInfo({kDllSizeMismatch, kCommandNotExecuted});
        return false;
    }
    fileName = BricksMovesFileName(dllPath, grid.savePrefix, player, levelIndex + 1);
    return true;
}

} // namespace

std::string BricksMovesFileName(const std::string& dllPath, const std::string& savePrefix,
                                const std::string& player, int levelNumber) {
    std::string number = std::to_string(levelNumber);
    if (number.size() < 2) number.insert(0, 2 - number.size(), ' ');
    return Folder(dllPath) + savePrefix + player + ".b" + number;
}

void BricksPieceFollower::GroupMoving(PlayBoard& b, const std::vector<MovingEntry>& moving) {
    if (mode_ != 1) return;
    pieceGrid_.fill(0);
    for (std::size_t k = 1; k < moving.size(); ++k) {
        const Block& other = b.blocks[moving[k].block];
        ForEachCell(other.cells, b.rows, b.columns,
                    [&](int r, int c) { pieceGrid_[CellIndex(r, c)] = other.bricksPiece; });
    }
}

void BricksPieceFollower::GroupMoved(PlayBoard& b, const std::vector<MovingEntry>& moving) {
    if (mode_ != 1) return;
    for (std::size_t k = 1; k < moving.size(); ++k) {
        const Block& blk = b.blocks[moving[k].block];
        const Byte piece = pieceGrid_[CellIndex(blk.anchorRow, blk.anchorColumn)];
        if (piece != 0) b.Touch(moving[k].block).bricksPiece = piece;
    }
}

void BricksPieceFollower::Eliminated(PlayBoard& b, int block) {
    if (mode_ == 2) b.Touch(block).bricksPiece = 0;
}

int BricksConversionMode(std::uint32_t version, const Level& level) {
    if (version >= 4) return 2;
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c)
            if (level.BlockAt(r, c) == 'Z') return 2;
    return 1;
}

std::string ApplyBricksMoves(Context& ctx, const DllLevelGrid& grid, const std::string& bytes) {
    BricksPieceFollower follower;
    BeginConversion(ctx, grid, follower);
    const PlayBoard& b = ctx.board;
    int moveNumber = 1, offset = kStartOffset;
    std::string text, error;
    // Carries out the move text gathered so far; false when it failed.
    const auto finish = [&] {
        if (text.empty()) return true;
        // Bricks writes a piece byte with no step after it (before another piece byte, an
        // elimination or the end): a move of nothing, skipped rather than read as a bad move.
        if (text.back() == ' ') {
            text.clear();
            return true;
        }
        error = ApplyMoveText(ctx, text, false, 0, 0);
        if (!error.empty()) return false;
        if (text.back() != 'x') ++moveNumber;
        text.clear();
        return true;
    };
    const auto at = [&](std::size_t i) { return static_cast<Byte>(bytes[i]); };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const Byte code = at(i);
        if (code == 0 || code == kEnd) break;
        if (code <= 4) {
            text += "v><^"[code - 1];
        } else if (code <= kLastPieceByte) {
            if (!finish()) break;
            // A block that left the board cannot be the one Bricks moves.
            const int piece = code - offset;
            for (int k = kFirstBlock; k <= b.blockCount; ++k) {
                const Block& blk = b.blocks[k];
                if (blk.bricksPiece != piece || blk.kind == '.') continue;
                text = std::to_string(moveNumber) + ") " + std::to_string(blk.anchorRow) + ", " +
                       std::to_string(blk.anchorColumn) + ": ";
                break;
            }
        } else if (code == kElimination) {
            if (!finish() || i + 2 >= bytes.size()) break;
            const int column = at(i + 1) - 1, row = at(i + 2) - 1;
            i += 2;
            text = std::to_string(moveNumber - 1) + ") " + std::to_string(row) + ", " +
                   std::to_string(column) + ": x";
            if (!finish()) break;
        } else {
            offset = 0;
        }
    }
    if (error.empty()) finish();
    EndConversion(ctx);
    return error;
}

std::string BricksMovesBytes(Context& ctx, const DllLevelGrid& grid, std::string& bytes) {
    bytes.clear();
    const Level& level = ctx.CurrentLevel();
    const int remembered = level.currentStep;
    BricksPieceFollower follower;
    BeginConversion(ctx, grid, follower);
    std::string error;
    int offset = kStartOffset;
    const auto put = [&bytes](int value) { bytes += static_cast<char>(value); };
    for (int p = 0; p < level.stepCount && error.empty();) {
        const StepRecord first = level.steps[static_cast<std::size_t>(p)];
        if (IsElimination(first)) {
            put(kElimination);
            put(first.column + 1);
            put(first.row + 1);
            StepForward(ctx);
            ++p;
            continue;
        }
        const int block = first.block;
        const int piece = block >= kFirstBlock && block <= ctx.board.blockCount
                              ? ctx.board.blocks[block].bricksPiece
                              : 0;
        if (piece + offset > kLastPieceByte) {
            put(kOffsetReset);
            offset = 0;
        }
        // A byte outside the piece range would read back as a step or an end mark.
        if (piece + offset < kFirstPieceByte || piece + offset > kLastPieceByte) {
            error = "Move " + std::to_string(level.steps.MoveNumber(static_cast<std::size_t>(p))) +
                    ": the block has no Bricks piece number that can be written.";
            break;
        }
        put(piece + offset);
        do {
            put(StepCode(level.steps[static_cast<std::size_t>(p)]));
            StepForward(ctx);
            ++p;
        } while (p < level.stepCount && !level.steps[static_cast<std::size_t>(p)].NewMove() &&
                 !IsElimination(level.steps[static_cast<std::size_t>(p)]));
    }
    EndConversion(ctx);
    GoToPosition(ctx, remembered);
    if (!error.empty()) {
        bytes.clear();
        return error;
    }
    put(0); // the end of the moves, then zeros up to the buffer's size
    std::size_t size = kBricksMovesSize;
    while (size < bytes.size()) size += kBricksMovesGrowth;
    bytes.resize(size, '\0');
    return {};
}

bool ReadBricksMoves(Context& ctx, int levelIndex, const std::string& dllPath,
                     const std::string& player, const std::function<void()>& showBoard) {
    DllLevelGrid grid;
    std::string fileName, bytes;
    if (!Prepare(ctx, levelIndex, dllPath, player, grid, fileName)) return false;
    if (FileResult read = ReadFileChecked(fileName, bytes); !read.Ok()) {
        ctx.platform->ShowInfo({read.message, kCommandNotExecuted});
        return false;
    }
    const std::string error = ApplyBricksMoves(ctx, grid, bytes);
    if (showBoard) showBoard();
    if (!error.empty()) ctx.platform->ShowInfo({error});
    return error.empty();
}

bool WriteBricksMoves(Context& ctx, int levelIndex, const std::string& dllPath,
                      const std::string& player, const WriteFaults& faults) {
    DllLevelGrid grid;
    std::string fileName, bytes;
    if (!Prepare(ctx, levelIndex, dllPath, player, grid, fileName)) return false;
    struct stat st {};
    if (ctx.options[kPromptOnFileRewrite] && ::stat(fileName.c_str(), &st) == 0 &&
        !ctx.platform->AskYesNo(OverwriteQuestion(fileName)))
        return false;
    // A name the file layer refuses leaves the level untouched, like the other refusals.
    if (FileResult check = CreateForWriting(fileName); !check.Ok()) {
        ctx.platform->ShowInfo({check.message, kCommandNotExecuted});
        return false;
    }
    std::string error = BricksMovesBytes(ctx, grid, bytes);
    if (error.empty()) error = WriteFileAtomic(fileName, bytes, faults).message;
    if (!error.empty()) ctx.platform->ShowInfo({error});
    return error.empty();
}

} // namespace vorpel
