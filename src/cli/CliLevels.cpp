// vorpel-cli list and convert: every format the loader reads, listed or written in another.
#include "cli/CliLevels.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/CliDll.h"
#include "cli/CliLoad.h"
#include "files/FileNames.h"
#include "files/LevelText.h"
#include "files/NblFormat.h"
#include "files/SaveAll.h"
#include "files/SokFormat.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {

namespace {

constexpr int kExitOk = 0, kExitLevelFailed = 1, kExitUsage = 2;

// Reads one file into the context; reports on standard error and returns the exit status: a
// skipped level counts as a failed one.
int LoadReporting(Context& ctx, const std::string& file, std::vector<LoadedLevel>& levels) {
    std::size_t skipped = 0;
    const std::string error = LoadLevelFile(ctx, file, levels, &skipped);
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
        return kExitUsage;
    }
    int status = skipped > 0 ? kExitLevelFailed : kExitOk;
    for (std::size_t n = 0; n < levels.size(); ++n) {
        if (levels[n].error.empty()) continue;
        std::fprintf(stderr, "%s: %zu \"%s\": %s\n", file.c_str(), n + 1, levels[n].title.c_str(),
                     levels[n].error.c_str());
        status = kExitLevelFailed;
    }
    return status;
}

bool SolvedAtEnd(Context& ctx, int index) {
    ctx.collection.currentLevel = index;
    RebuildBoard(ctx);
    EndOfLevel(ctx);
    return IsSolved(ctx);
}

// The file errors of a writer, as opposed to a level the format cannot hold.
bool IsFileError(const std::string& error) {
    return error.starts_with(kErrorOpening) || error.starts_with(kErrorWriting) ||
           error.starts_with(kNameTooLongIntro);
}

bool ParsePositive(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    value = std::stoi(text);
    return value >= 1;
}

} // namespace

int ListCommand(const std::vector<std::string>& files) {
    auto ctx = std::make_unique<Context>();
    int status = kExitOk;
    int number = 0;
    for (const std::string& file : files) {
        std::vector<LoadedLevel> levels;
        status = std::max(status, LoadReporting(*ctx, file, levels));
        for (const LoadedLevel& loaded : levels) {
            if (loaded.index < 0) continue;
            const Level& level = ctx->collection.levels[static_cast<std::size_t>(loaded.index)];
            const bool solved = SolvedAtEnd(*ctx, loaded.index);
            std::printf("%d\t%s\t%dx%d\t%d moves\t%d steps\t%s\n", ++number, level.title.c_str(),
                        level.rows, level.columns, TotalMoves(level), TotalSteps(level),
                        solved ? "solved" : "unsolved");
        }
    }
    return status;
}

int ConvertCommand(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    int only = 0;
    DllConvertOptions dll;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string optionError;
        if (TakeDllOption(args, i, dll, optionError)) {
            if (optionError.empty()) continue;
            std::fprintf(stderr, "%s\n", optionError.c_str());
            return kExitUsage;
        }
        if (args[i] == "--level") {
            if (i + 1 >= args.size() || !ParsePositive(args[i + 1], only)) {
                std::fputs("--level needs a level number from 1\n", stderr);
                return kExitUsage;
            }
            ++i;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) {
        std::fputs("usage: vorpel-cli convert IN OUT [--level N]"
                   " [--game NAME] [--prefix P] [--records N,N,...]\n",
                   stderr);
        return kExitUsage;
    }
    const std::string& in = files[0];
    const std::string& out = files[1];

    auto ctx = std::make_unique<Context>();
    std::vector<LoadedLevel> levels;
    int status = LoadReporting(*ctx, in, levels);
    if (status == kExitUsage) return status;
    std::vector<int> chosen;
    for (const LoadedLevel& loaded : levels)
        if (loaded.index >= 0) chosen.push_back(loaded.index);
    if (chosen.empty()) {
        std::fprintf(stderr, "%s: no level read\n", in.c_str());
        return kExitLevelFailed;
    }
    if (only > static_cast<int>(chosen.size())) {
        std::fprintf(stderr, "%s: no level %d (%zu read)\n", in.c_str(), only, chosen.size());
        return kExitUsage;
    }
    const bool nbl = out != "-" && HasExtension(".nbl", out);
    if (only > 0 || nbl) chosen = {chosen[static_cast<std::size_t>(std::max(only, 1) - 1)]};
    if (out != "-" && HasExtension(".dll", out))
        return std::max(status, ConvertToDll(*ctx, chosen, out, dll));

    const bool sok =
        !nbl && out != "-" &&
        (HasExtension(".sok", out) || HasExtension(".xsb", out) || HasExtension(".stb", out));
    const bool titleFirst = SokTitleFirst(out);
    std::vector<LevelLosses> losses;
    for (const int index : chosen) {
        const Level& level = ctx->collection.levels[static_cast<std::size_t>(index)];
        losses.push_back({level.title, nbl   ? NblLosses(level)
                                       : sok ? SokLosses(level, titleFirst)
                                             : LevelTextLosses(level)});
    }

    std::string error;
    if (nbl) {
        ctx->collection.currentLevel = chosen[0];
        ShowCurrentLevel(*ctx);
        error = CreateForWriting(out);
        if (error.empty()) error = WriteNblFile(*ctx, out);
    } else {
        std::string text;
        for (const int index : chosen) {
            const Level& level = ctx->collection.levels[static_cast<std::size_t>(index)];
            text += sok ? SokText(level, titleFirst, !text.empty()) : LevelTextOf(level);
        }
        if (out == "-") {
            if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
                error = kErrorWriting;
        } else {
            error = WriteFileChecked(out, text);
        }
    }
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", out.c_str(), error.c_str());
        return IsFileError(error) ? kExitUsage : kExitLevelFailed;
    }
    // What the format could not keep is said once, after the file is written.
    for (const std::string& line : LossesMessage(nbl ? "NBL" : sok ? "SOK" : "level text", losses))
        std::fprintf(stderr, "%s: %s\n", out.c_str(), line.c_str());
    return status;
}

} // namespace vorpel
