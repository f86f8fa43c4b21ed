// Writes the levels of a collection as a Bricks level DLL for vorpel-cli convert.
#include "cli/CliDll.h"

#include <cstdio>
#include <cstdlib>
#include <set>

#include "bricksdll/BricksDll.h"
#include "files/FileNames.h"

namespace vorpel {

namespace {

constexpr int kExitOk = 0, kExitLevelFailed = 1, kExitUsage = 2;

bool ParseRecords(const std::string& text, std::vector<std::uint16_t>& records) {
    records.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma - start);
        if (item.empty() || item.size() > 5 || item.find_first_not_of("0123456789") != item.npos)
            return false;
        const int value = std::stoi(item);
        if (value > 65535) return false;
        records.push_back(static_cast<std::uint16_t>(value));
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

} // namespace

bool TakeDllOption(const std::vector<std::string>& args, std::size_t& i, DllConvertOptions& options,
                   std::string& error) {
    const std::string& option = args[i];
    if (option != "--game" && option != "--prefix" && option != "--records") return false;
    if (i + 1 >= args.size()) {
        error = option + " needs a value";
        return true;
    }
    const std::string& value = args[++i];
    if (option == "--game") options.game = value;
    if (option == "--prefix") options.prefix = value;
    if (option == "--records" && !ParseRecords(value, options.records))
        error = "--records needs numbers from 0 to 65535 separated by commas";
    return true;
}

int ConvertToDll(const Context& ctx, const std::vector<int>& chosen, const std::string& out,
                 const DllConvertOptions& options) {
    DllContents contents;
    contents.gameName = options.game;
    contents.savePrefix = options.prefix;
    // A fixed time from the environment makes the bytes reproducible; otherwise the writer
    // stamps the current time.
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        const unsigned long long seconds = std::strtoull(epoch, &end, 10);
        if (end != epoch && *end == '\0' && seconds <= 0xFFFFFFFFull)
            contents.timeStamp = static_cast<std::uint32_t>(seconds);
    }
    int status = kExitOk;
    std::set<std::string> titles;
    for (const int index : chosen) {
        const Level& level = ctx.collection.levels[static_cast<std::size_t>(index)];
        const char* skipped = nullptr;
        if (contents.levels.size() == kDllMaxLevels)
            skipped = "a DLL holds 48 levels";
        else if (!IsDllWritable(level))
            skipped = "its marks, blocks or block counts are not those of Bricks";
        else if (titles.count(level.title))
            skipped = "a level of that title is already written"; // Bricks finds levels by title
        if (skipped) {
            std::fprintf(stderr, "%s: \"%s\" skipped: %s\n", out.c_str(), level.title.c_str(),
                         skipped);
            status = kExitLevelFailed;
            continue;
        }
        const std::size_t k = contents.levels.size();
        contents.records[k] = k < options.records.size() ? options.records[k] : 999;
        contents.levels.push_back(index);
        titles.insert(level.title);
    }
    if (contents.levels.empty()) {
        std::fprintf(stderr, "%s: no level can be written in a DLL\n", out.c_str());
        return kExitLevelFailed;
    }
    if (const std::vector<std::string> error = WriteBricksDll(ctx.collection, out, contents);
        !error.empty()) {
        std::fprintf(stderr, "%s:", out.c_str());
        for (const std::string& line : error) std::fprintf(stderr, " %s", line.c_str());
        std::fprintf(stderr, "\n");
        return kExitUsage;
    }
    return status;
}

} // namespace vorpel
