// Argument parsing shared by the picture commands of vorpel-cli.
#include "cli/CliExport.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "cli/CliLoad.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"
#include "render/BoardDrawing.h"

namespace vorpel::cli {
namespace {

bool ParseInt(const std::string& text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= high;
}

} // namespace

bool ParsePictureOptions(const std::vector<std::string>& args,
                         const std::vector<std::string>& allowed, PictureOptions& options) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            files.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            return false;
        }
        if (name == "no-loop") {
            options.loop = false;
            continue;
        }
        if (i + 1 >= args.size()) {
            std::fprintf(stderr, "option %s needs a value\n", arg.c_str());
            return false;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (name == "level")
            ok = ParseInt(value, 1, 1 << 30, options.level);
        else if (name == "cell")
            ok = ParseInt(value, 1, 2048, options.cellSize);
        else if (name == "delay")
            ok = ParseInt(value, 0, 100, options.delay);
        else if (name == "step")
            ok = ParseInt(value, 0, 1 << 30, options.step);
        else if (name == "what") {
            options.what = value;
            ok = value == "initial" || value == "current" || value == "steps" || value == "moves";
        }
        if (!ok) {
            std::fprintf(stderr, "bad value for %s: %s\n", arg.c_str(), value.c_str());
            return false;
        }
    }
    if (files.size() != 2) {
        std::fputs("expected an input and an output file\n", stderr);
        return false;
    }
    options.input = files[0];
    options.output = files[1];
    return true;
}

int LoadPictureLevel(Context& ctx, const PictureOptions& options) {
    std::vector<LoadedLevel> levels;
    const std::string error = LoadLevelFile(ctx, options.input, levels);
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", options.input.c_str(), error.c_str());
        return kExitUsage;
    }
    if (std::size_t(options.level) > levels.size()) {
        std::fprintf(stderr, "%s: no level %d\n", options.input.c_str(), options.level);
        return kExitUsage;
    }
    const LoadedLevel& loaded = levels[std::size_t(options.level - 1)];
    if (loaded.index < 0) {
        std::fprintf(stderr, "%s: level %d: %s\n", options.input.c_str(), options.level,
                     loaded.error.c_str());
        return kExitFailed;
    }
    if (!loaded.error.empty())
        std::fprintf(stderr, "%s: level %d: %s\n", options.input.c_str(), options.level,
                     loaded.error.c_str());
    ctx.collection.currentLevel = loaded.index;
    ShowCurrentLevel(ctx);
    EndOfLevel(ctx);
    const int largest = MaxCellSize(ctx.board.rows, ctx.board.columns);
    if (options.cellSize < kMinCellSize || options.cellSize > largest) {
        std::fprintf(stderr, "cell size %d outside %d to %d for this board\n", options.cellSize,
                     kMinCellSize, largest);
        return kExitUsage;
    }
    return kExitOk;
}

} // namespace vorpel::cli
