// The picture commands of vorpel-cli: a level's board as a GIF animation or a PNG image.
#pragma once

#include <string>
#include <vector>

#include "model/Context.h"

namespace vorpel {

// gif IN OUT [--level N] [--cell S] [--what initial|current|steps|moves] [--delay CS]
// [--no-loop]; returns the exit status.
int GifCommand(const std::vector<std::string>& args);

// png IN OUT [--level N] [--cell S] [--step P]; returns the exit status.
int PngCommand(const std::vector<std::string>& args);

namespace cli {

inline constexpr int kExitOk = 0, kExitFailed = 1, kExitUsage = 2;

// Options shared by the picture commands, and the ones only one of them takes.
struct PictureOptions {
    std::string input;
    std::string output;
    int level = 1;
    int cellSize = 20;
    std::string what = "steps";
    int delay = 40;
    bool loop = true;
    int step = -1; // -1: the end of the moves
};

// Parses IN OUT and the options in `allowed` (names without "--"); false, after a message on
// standard error, when the arguments are unusable.
bool ParsePictureOptions(const std::vector<std::string>& args,
                         const std::vector<std::string>& allowed, PictureOptions& options);

// Reads the input file, makes level `options.level` current at the end of its moves and checks
// the cell size against the board; returns kExitOk or the status to exit with, after a message.
int LoadPictureLevel(Context& ctx, const PictureOptions& options);

} // namespace cli
} // namespace vorpel
