// Block shuffling: random single-cell moves on the play board, and the editor's random placement.
#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>

#include "model/Context.h"
#include "model/ViewState.h"

namespace vorpel {

// The shuffles' generator: advances `state` (state * 134775813 + 1) and returns a number from 0
// to n - 1, the high half of state * n. `n` is at least 1.
std::uint32_t Random(std::uint32_t& state, std::uint32_t n);

inline constexpr int kGameShuffleMoves = 2000;
inline constexpr const char* kShuffleQuestion =
    "Shuffle the blocks, loosing the moves done so far?";

// Main window "Shuffle blocks": asks kShuffleQuestion and runs GameShuffle on yes; true then.
bool ShuffleBlocks(Context& ctx, std::stop_token stop = {});

// Makes up to kGameShuffleMoves random free single-cell moves of the movable blocks on the play
// board (built for the current level), drawing from `ctx.options.seed` and storing the final
// generator state there. The reached position becomes the level's layout, its history is
// emptied and the board is rebuilt. A board with no block besides the frame changes nothing.
// Stops early when `stop` is requested (the platform processes events after every move, which
// `progress` hears of first with the move's index).
void GameShuffle(Context& ctx, std::stop_token stop = {},
                 const std::function<void(int)>& progress = {});

enum class ShuffleOutcome { kCompleted, kFailed, kStopped };

// The editor's "Block shuffling": the blocks touching the selection are placed at random
// without overlapping inside the selection joined with their cells. Only a completed shuffle
// changes the level (its history emptied, the selection saved and cleared, the board rebuilt)
// and stores the generator state into the seed. Stops, changing nothing, when `stop` is
// requested while the platform processes events.
ShuffleOutcome EditorShuffle(Context& ctx, CellSelection& selected, std::stop_token stop = {});

} // namespace vorpel
