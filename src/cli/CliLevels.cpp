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
#include "model/Movement.h"
#include "model/Sokoban.h"
#include "model/Solved.h"
#include "solver/Solver.h"

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

// Writes the chosen levels to `out` in the format of its extension ("-": level text on standard
// output; NBL holds the first one only); returns "" or the writer's error.
std::string WriteChosen(Context& ctx, const std::vector<int>& chosen, const std::string& out) {
    const bool nbl = out != "-" && HasExtension(".nbl", out);
    const bool sok =
        !nbl && out != "-" &&
        (HasExtension(".sok", out) || HasExtension(".xsb", out) || HasExtension(".stb", out));
    const bool titleFirst = SokTitleFirst(out);
    std::vector<LevelLosses> losses;
    for (const int index : chosen) {
        const Level& level = ctx.collection.levels[static_cast<std::size_t>(index)];
        losses.push_back({level.title, nbl   ? NblLosses(level)
                                       : sok ? SokLosses(level, titleFirst)
                                             : LevelTextLosses(level)});
    }

    std::string error;
    if (nbl) {
        ctx.collection.currentLevel = chosen[0];
        ShowCurrentLevel(ctx);
        error = WriteNblFile(ctx, out).message;
    } else {
        std::string text;
        for (const int index : chosen) {
            const Level& level = ctx.collection.levels[static_cast<std::size_t>(index)];
            text += sok ? SokText(level, titleFirst, !text.empty()) : LevelTextOf(level);
        }
        if (out == "-") {
            if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
                error = kErrorWriting;
        } else {
            error = WriteFileChecked(out, text).message;
        }
    }
    if (!error.empty()) return error;
    // What the format could not keep is said once, after the file is written.
    for (const std::string& line : LossesMessage(nbl ? "NBL" : sok ? "SOK" : "level text", losses))
        std::fprintf(stderr, "%s: %s\n", out.c_str(), line.c_str());
    return error;
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
            // A Sokoban level counts as Sokoban players count: player steps and pushes.
            int first = TotalMoves(level), second = TotalSteps(level);
            const char* secondName = "steps";
            if (SokobanPuzzle puzzle; SokobanLevelOf(level, puzzle)) {
                const SokobanCounts counts =
                    CountSokobanSteps(puzzle, level.steps, level.stepCount);
                first = counts.moves;
                second = counts.pushes;
                secondName = "pushes";
            }
            std::printf("%d\t%s\t%dx%d\t%d moves\t%d %s\t%s\n", ++number, level.title.c_str(),
                        level.rows, level.columns, first, second, secondName,
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

    const std::string error = WriteChosen(*ctx, chosen, out);
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", out.c_str(), error.c_str());
        return IsFileError(error) ? kExitUsage : kExitLevelFailed;
    }
    return status;
}

namespace {

// A non-negative decimal number such as "10" or "0.5".
bool ParseSeconds(const std::string& text, double& value) {
    if (text.empty() || text.size() > 12 ||
        !std::all_of(text.begin(), text.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == '.'; }) ||
        std::count(text.begin(), text.end(), '.') > 1 || text == ".")
        return false;
    value = std::stod(text);
    return true;
}

const char* OutcomeText(const SolveResult& r) {
    switch (r.outcome) {
    case SolveOutcome::Solved:
        return "solved";
    case SolveOutcome::NoSolution:
        return "no solution";
    case SolveOutcome::GaveUp:
        break;
    }
    return "gave up";
}

// Replaces the level's moves by the solution, made through the same calls as a user's drag.
bool RecordSolution(Context& ctx, int index, const std::vector<SolveStep>& steps) {
    ctx.collection.currentLevel = index;
    ctx.CurrentLevel().ClearHistory();
    RebuildBoard(ctx);
    return CarryOutSolution(ctx, steps).made == steps.size() && IsSolved(ctx);
}

} // namespace

int SolveCommand(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    int only = 0;
    std::string out;
    SolveLimits limits;
    limits.seconds = kDefaultSolveSeconds;
    const char* usage = "usage: vorpel-cli solve FILE [--level N] [--time S] [--memory MB]"
                        " [--metric steps|moves|pushes] [--out OUT]\n";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        int number = 0;
        if (a == "--level") {
            if (!hasValue || !ParsePositive(value, only)) {
                std::fputs("--level needs a level number from 1\n", stderr);
                return kExitUsage;
            }
        } else if (a == "--time") {
            if (!hasValue || !ParseSeconds(value, limits.seconds)) {
                std::fputs("--time needs seconds (0: no limit)\n", stderr);
                return kExitUsage;
            }
        } else if (a == "--memory") {
            if (!hasValue || !ParsePositive(value, number)) {
                std::fputs("--memory needs megabytes from 1\n", stderr);
                return kExitUsage;
            }
            limits.memoryBytes = static_cast<std::size_t>(number) << 20;
        } else if (a == "--metric") {
            if (value == "steps")
                limits.metric = SolveMetric::Steps;
            else if (value == "moves")
                limits.metric = SolveMetric::Moves;
            else if (value == "pushes")
                limits.metric = SolveMetric::Pushes;
            else {
                std::fputs("--metric needs steps, moves or pushes\n", stderr);
                return kExitUsage;
            }
        } else if (a == "--out") {
            if (!hasValue) {
                std::fputs(usage, stderr);
                return kExitUsage;
            }
            out = value;
        } else {
            files.push_back(a);
            continue;
        }
        ++i;
    }
    if (files.size() != 1) {
        std::fputs(usage, stderr);
        return kExitUsage;
    }
    auto ctx = std::make_unique<Context>();
    std::vector<LoadedLevel> levels;
    const int loadStatus = LoadReporting(*ctx, files[0], levels);
    if (loadStatus == kExitUsage) return loadStatus;
    std::vector<int> chosen;
    for (const LoadedLevel& loaded : levels)
        if (loaded.index >= 0) chosen.push_back(loaded.index);
    if (only > static_cast<int>(chosen.size())) {
        std::fprintf(stderr, "%s: no level %d (%zu read)\n", files[0].c_str(), only, chosen.size());
        return kExitUsage;
    }
    if (only > 0) chosen = {chosen[static_cast<std::size_t>(only - 1)]};
    int status = kExitOk;
    for (std::size_t n = 0; n < chosen.size(); ++n) {
        const int index = chosen[n];
        const SolveResult r =
            Solve(ctx->collection.levels[static_cast<std::size_t>(index)], limits);
        std::string line = std::to_string(only > 0 ? only : static_cast<int>(n) + 1) + "\t" +
                           ctx->collection.levels[static_cast<std::size_t>(index)].title + "\t" +
                           OutcomeText(r);
        if (r.outcome == SolveOutcome::GaveUp) line += " (" + r.limit + ")";
        char figures[160];
        if (r.outcome == SolveOutcome::Solved) {
            std::snprintf(figures, sizeof figures, "\t%zu steps\t%d moves", r.steps.size(),
                          r.moves);
            line += figures;
            if (r.pushes >= 0) line += "\t" + std::to_string(r.pushes) + " pushes";
        }
        std::snprintf(figures, sizeof figures, "\t%.2f s\t%llu positions\n", r.seconds,
                      static_cast<unsigned long long>(r.positions));
        line += figures;
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
        if (r.outcome == SolveOutcome::GaveUp) status = kExitLevelFailed;
        if (r.outcome == SolveOutcome::Solved && !out.empty() &&
            !RecordSolution(*ctx, index, r.steps)) {
            std::fprintf(stderr, "%s: %zu: the solution does not replay\n", files[0].c_str(),
                         n + 1);
            status = kExitLevelFailed;
        }
    }
    if (!out.empty() && !chosen.empty()) {
        const std::string error = WriteChosen(*ctx, chosen, out);
        if (!error.empty()) {
            std::fprintf(stderr, "%s: %s\n", out.c_str(), error.c_str());
            return IsFileError(error) ? kExitUsage : kExitLevelFailed;
        }
    }
    return std::max(status, loadStatus);
}

} // namespace vorpel
