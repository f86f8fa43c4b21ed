// vorpel-cli shuffle: the game shuffle of one level of a file, written alone to another file.
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliLoad.h"
#include "cli/ShuffleCommand.h"
#include "files/LevelText.h"
#include "model/History.h"
#include "model/Shuffle.h"

namespace vorpel {

namespace {

constexpr int kExitOk = 0, kExitLevelFailed = 1, kExitUsage = 2;

template <class T> bool ParseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

int Usage() {
    std::fputs("usage: vorpel-cli shuffle IN OUT [--level N] [--seed S]\n", stderr);
    return kExitUsage;
}

} // namespace

int ShuffleCommand(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    int only = 1;
    std::uint32_t seed = Options{}.seed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--level") {
            if (!hasValue || !ParseNumber(args[i + 1], only) || only < 1) {
                std::fputs("--level needs a level number from 1\n", stderr);
                return kExitUsage;
            }
            ++i;
        } else if (args[i] == "--seed") {
            if (!hasValue || !ParseNumber(args[i + 1], seed)) {
                std::fputs("--seed needs a number from 0 to 4294967295\n", stderr);
                return kExitUsage;
            }
            ++i;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) return Usage();
    const std::string& in = files[0];
    const std::string& out = files[1];

    auto ctx = std::make_unique<Context>();
    std::vector<LoadedLevel> levels;
    if (const std::string error = LoadLevelFile(*ctx, in, levels); !error.empty()) {
        std::fprintf(stderr, "%s: %s\n", in.c_str(), error.c_str());
        return kExitUsage;
    }
    std::vector<const LoadedLevel*> read;
    for (std::size_t n = 0; n < levels.size(); ++n) {
        if (!levels[n].error.empty())
            std::fprintf(stderr, "%s: %zu \"%s\": %s\n", in.c_str(), n + 1, levels[n].title.c_str(),
                         levels[n].error.c_str());
        if (levels[n].index >= 0) read.push_back(&levels[n]);
    }
    if (read.empty()) {
        std::fprintf(stderr, "%s: no level read\n", in.c_str());
        return kExitLevelFailed;
    }
    if (only > static_cast<int>(read.size())) {
        std::fprintf(stderr, "%s: no level %d (%zu read)\n", in.c_str(), only, read.size());
        return kExitUsage;
    }
    ctx->collection.currentLevel = read[static_cast<std::size_t>(only - 1)]->index;
    ctx->options.seed = seed;
    ShowCurrentLevel(*ctx);
    GameShuffle(*ctx);
    if (const FileResult written = WriteLevelText(*ctx, out); !written.Ok()) {
        std::fprintf(stderr, "%s: %s\n", out.c_str(), written.message.c_str());
        return kExitUsage;
    }
    std::printf("%u\n", static_cast<unsigned>(ctx->options.seed));
    return kExitOk;
}

} // namespace vorpel
