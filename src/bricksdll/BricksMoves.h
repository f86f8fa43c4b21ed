// Bricks moves files: a level's moves as the Bricks game keeps them beside a level DLL, read
// onto the current level and written from its history.
#pragma once

#include <functional>
#include <string>

#include "bricksdll/BricksDll.h"
#include "io/FileIO.h"
#include "model/Context.h"
#include "model/Movement.h"

namespace vorpel {

inline constexpr const char* kCommandNotExecuted = "Command not executed.";
inline constexpr const char* kDllSizeMismatch =
    "The DLL level dimensions do not match the dimensions of the level in memory.";

// The smallest moves file; longer ones grow by kBricksMovesGrowth bytes.
inline constexpr std::size_t kBricksMovesSize = 32768;
inline constexpr std::size_t kBricksMovesGrowth = 16384;

// The moves file of a level (numbered from 1) beside the DLL: the DLL's folder, the save-file
// prefix, the player's name, ".b" and the number right-aligned to 2 characters with blanks.
std::string BricksMovesFileName(const std::string& dllPath, const std::string& savePrefix,
                                const std::string& player, int levelNumber);

// The conversion mode of the moves of a level of this data version: 1 before version 4, 2 from
// version 4 on or when the level has a master hover block.
int BricksConversionMode(std::uint32_t version, const Level& level);

// Follows the Bricks piece numbers of the blocks while moves are converted. Mode 1 (data
// versions before 4): a pushed block takes the piece number that a pushed block had at its new
// anchor cell before the step, as Bricks numbers it; a cell where no pushed block stood (a zero
// entry) leaves the block its own number, the only one the moves that follow can name it by.
// Mode 2: a block that leaves the board loses its number. Mode 0 follows nothing.
class BricksPieceFollower final : public StepObserver {
public:
    explicit BricksPieceFollower(int mode = 0) : mode_(mode) {}
    void GroupMoving(PlayBoard& board, const std::vector<MovingEntry>& moving) override;
    void GroupMoved(PlayBoard& board, const std::vector<MovingEntry>& moving) override;
    void Eliminated(PlayBoard& board, int block) override;

private:
    int mode_;
    std::array<Byte, kCells> pieceGrid_{};
};

// Carries out the moves in `bytes` on the current level from its start, its blocks numbered by
// `grid`; the steps are recorded in place of its history. Returns "" or the error of the move
// that failed (the moves before it stay made).
std::string ApplyBricksMoves(Context& ctx, const DllLevelGrid& grid, const std::string& bytes);

// The moves file bytes of the current level's whole history, its blocks numbered by `grid`; the
// level is left at the position it had. Returns "" or the error text (`bytes` then empty).
std::string BricksMovesBytes(Context& ctx, const DllLevelGrid& grid, std::string& bytes);

// The commands: level `levelIndex` (from 0) of the DLL at `dllPath`, for `player`. Messages go
// to the platform; true when the file was read to its end, or written. A read calls
// `showBoard`, when given, once the moves are applied and before any message.
bool ReadBricksMoves(Context& ctx, int levelIndex, const std::string& dllPath,
                     const std::string& player, const std::function<void()>& showBoard = {});
bool WriteBricksMoves(Context& ctx, int levelIndex, const std::string& dllPath,
                      const std::string& player, const WriteFaults& faults = {});

} // namespace vorpel
