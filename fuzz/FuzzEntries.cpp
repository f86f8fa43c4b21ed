// The fuzz targets' entry functions: each writes its input where the reader looks for it, reads
// it, and plays, steps back and writes again whatever was read.
#include "FuzzEntries.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <system_error>
#include <unistd.h>

#include "bricksdll/BricksDll.h"
#include "bricksdll/BricksMoves.h"
#include "files/BestSolutions.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/MoveText.h"
#include "files/NblFormat.h"
#include "files/Records.h"
#include "files/ResumeFile.h"
#include "files/SaveAll.h"
#include "files/SokFormat.h"
#include "model/Context.h"
#include "model/History.h"

namespace vorpel::fuzz {
namespace {

namespace fs = std::filesystem;

// Levels that one input walks through after loading; the loading itself covers them all.
constexpr int kMaxWalkedLevels = 32;
// Lines of a move input that are also carried out one by one as move texts.
constexpr std::size_t kMaxMoveTexts = 64;

// The process's scratch folder, removed when the process ends. It lies in memory where the
// system offers that, since every write flushes the file it replaces.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code ec;
        const fs::path memory = "/dev/shm";
        const fs::path parent = fs::is_directory(memory, ec) && ::access(memory.c_str(), W_OK) == 0
                                    ? memory
                                    : fs::temp_directory_path();
        path_ = parent / ("vorpel-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

const fs::path& Scratch() {
    static const ScratchFolder folder;
    return folder.Path();
}

// Replaces the scratch file `name` with `bytes`; returns its path.
std::string WriteScratch(const std::string& name, std::string_view bytes) {
    const fs::path path = Scratch() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

// A context whose program lies in the scratch folder, so its companion files are found there.
void PlaceProgram(Context& ctx) {
    ctx.programPath = (Scratch() / "vorpel.exe").string();
}

// Reads level text lines (title first) into a new current level and builds its board.
void LoadLines(Context& ctx, const std::vector<std::string>& lines) {
    ctx.collection.NewLevel("", 4, 4, false);
    std::size_t index = 0;
    ReadLevelText(ctx, lines, index, IsQuotedText(lines));
    RebuildBoard(ctx);
}

// What a user does with a level just read: goes to its end, steps and moves back and forth,
// restarts, and saves it in every text and NBL form.
void PlayAndWrite(Context& ctx) {
    ShowCurrentLevel(ctx);
    EndOfLevel(ctx);
    StepBackward(ctx);
    MoveBackward(ctx, 2);
    StepForward(ctx);
    MoveForward(ctx, 1);
    RestartLevel(ctx);
    const Level& level = ctx.CurrentLevel();
    std::string bytes = LevelTextOf(level);
    bytes = SokText(level);
    NblBytes(level, bytes);
}

// Walks through the first levels of the collection as PlayAndWrite does.
void PlayLevels(Context& ctx) {
    const int last = std::min(ctx.collection.lastLevel(), kMaxWalkedLevels - 1);
    for (int i = 0; i <= last; ++i) {
        ctx.collection.currentLevel = i;
        PlayAndWrite(ctx);
    }
}

// Adds the lines to the collection twice: all added, then each replacing its first copy.
void AddTwice(Context& ctx, const std::vector<std::string>& lines) {
    for (const RememberedAnswer answer : {kAlwaysAdd, kAlwaysReplace}) {
        std::vector<std::string> copy = lines;
        RememberedAnswer remembered = answer;
        AddLevels(ctx, "File.", copy, remembered);
    }
}

// Board lines written with a blank between cells, the blanks taken out.
std::vector<std::string> Spaced(std::vector<std::string> lines) {
    for (std::string& line : lines)
        if (line[0] != '"') std::erase(line, ' ');
    return lines;
}

std::function<std::string(const std::string&)> TitleMaker(Context& ctx) {
    return [&ctx](const std::string& base) { return MakeUniqueTitle(ctx, base); };
}

// The bytes of a DLL holding the Bricks level, written once per process.
std::string MakeBricksDll() {
    Context ctx;
    LoadLines(ctx, BricksLevelLines());
    DllContents contents;
    // Strings rather than literals: g++ 12 warns falsely about assigning these at -O3.
    contents.gameName = std::string("Fuzz");
    contents.savePrefix = std::string("pk");
    contents.levels = {ctx.collection.currentLevel};
    contents.timeStamp = 0x5F5E1000;
    std::string bytes;
    BricksDllBytes(ctx.collection, contents, "pack.dll", bytes);
    return bytes;
}

// A round trip that lost what its writer did not announce: the input is a finding.
[[noreturn]] void Lost(const char* what, const std::string& wrote, const std::string& readBack) {
    std::fprintf(stderr, "round trip lost %s\n--- written:\n%s\n--- read back:\n%s\n", what,
                 wrote.c_str(), readBack.c_str());
    std::abort();
}

// Levels of one input that go through every writer and back.
constexpr int kMaxRoundTripLevels = 4;

// One writer with the reader that takes its files back by extension.
struct Format {
    const char* file; // scratch file name, whose extension picks the reader
    std::function<std::string(const Level&)> write;
    std::function<std::vector<std::string>(const Level&)> losses;
};

std::string NblOf(const Level& level) {
    std::string bytes;
    NblBytes(level, bytes);
    return bytes;
}

// Writes the level, reads the file back as the program loads it and writes the level read: both
// texts and the titles must be equal, unless the writer announced what it could not keep (a
// title, or anything else).
void RoundTrip(const Level& level, const Format& format) {
    const std::vector<std::string> lost = format.losses(level);
    bool titleLost = false, otherLost = false;
    for (const std::string& phrase : lost) {
        const bool aboutTitle = phrase.starts_with("a title") || phrase.starts_with("the title") ||
                                phrase.starts_with("blanks at");
        titleLost = titleLost || phrase.find("title") != std::string::npos;
        otherLost = otherLost || !aboutTitle;
    }
    const std::string wrote = format.write(level);
    if (wrote.empty()) return; // too many blocks for the format
    Context back;
    back.collection.levels.clear();
    std::vector<std::string> lines;
    const std::string path = WriteScratch(format.file, wrote);
    if (!ReadLevelSource(back, path, lines).Ok()) {
        if (!titleLost && !otherLost) Lost("the whole file", wrote, "");
        return;
    }
    std::vector<LevelOutcome> outcomes;
    RememberedAnswer remembered = kAlwaysAdd;
    AddLevels(back, "File.", lines, remembered, &outcomes);
    if (outcomes.size() != 1 || outcomes[0].index < 0 || !outcomes[0].error.empty()) {
        if (!otherLost) Lost("the level", wrote, outcomes.empty() ? "" : outcomes[0].error);
        return;
    }
    back.collection.currentLevel = outcomes[0].index;
    const Level& read = back.CurrentLevel();
    if (!titleLost && read.title != (level.title.empty() ? "no title" : level.title))
        Lost("the title", wrote, read.title);
    // The title was compared above: the texts compare the rest.
    Level same = read;
    same.title = level.title;
    const std::string again = format.write(same);
    if (!otherLost && again != wrote) Lost("the board or the moves", wrote, again);
}

} // namespace

std::vector<std::string> PlaygroundLines() {
    return Spaced({
        "\"Playground\"",
        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
        ".#.. .@.. .[ab .... .V.. .... :... :... \\... .>.. .y.. .... .... .#..",
        ".#.. .... .xab .... .v.. .... )... .;.. .Z.. _... +... +... .... .#..",
        ".#.. .=.. .|.. .... .{.. .?.. .... .}.. .z.. .... .... +... .... .#..",
        ".#.. .-.. .... .\".. .$.. .Y.. )... .... .&.. .w.. .%.. .... .... .#..",
        ".#.. <[cd .(.. .... .*.. .!.. .~.. .... .... .~.. .... .... .... .#..",
        ".#.. .\xA1.. .... \xA1... .[\xFF"
        "A .... A... ^].. +... .@ef .Xef /... .... .#..",
        ".#.. .... .[gh .[gh .... .\xA2.. .... .... \xA2... .... .... .... .... .#..",
        ".#.. .... .... .... .... .... .... .... .... .... .... .... .... .#..",
        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
    });
}

std::vector<std::string> BricksLevelLines() {
    return Spaced({
        "\"Bricks\"",
        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
        ".#.. .[.. .@.. .... .;.. .... .... .*ab +... .#..",
        ".#.. .... .[cd .[cd .... .{.. .}.. .*ab .... .#..",
        ".#.. .!.. .... .... .... .&.. .... <... .(.. .#..",
        ".#.. .@ef .@ef .... .... .... .... .... +... .#..",
        ".#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#.. .#..",
    });
}

std::string BricksDll(bool olderVersion) {
    static const std::string written = MakeBricksDll();
    std::string bytes = written;
    // The data version, 32 bits, lies 4 bytes into the data section, which starts 2048 bytes in.
    constexpr std::size_t kVersion = 2048 + 4;
    if (olderVersion && bytes.size() >= kVersion + 4)
        bytes.replace(kVersion, 4, std::string("\x03\0\0\0", 4));
    return bytes;
}

void LevelSourceEntry(std::string_view bytes) {
    Context ctx;
    const std::string path = WriteScratch("levels.txt", bytes);
    std::vector<std::string> lines;
    if (!ReadLevelSource(ctx, path, lines).Ok()) return;
    AddTwice(ctx, lines);
    PlayLevels(ctx);
}

void MoveTextEntry(std::string_view bytes) {
    Context ctx;
    LoadLines(ctx, PlaygroundLines());
    const std::vector<std::string> lines = SplitLines(bytes);
    std::size_t index = 0;
    ReadMoveLines(ctx, lines, index);
    PlayAndWrite(ctx);
    // Each line again as a single move text, alternately counted from a cell of the board.
    RebuildBoard(ctx);
    for (std::size_t i = 0; i < lines.size() && i < kMaxMoveTexts; ++i)
        ApplyMoveText(ctx, lines[i], i % 2 == 1, static_cast<int>(i % 3), static_cast<int>(i % 5));
    PlayAndWrite(ctx);
}

void NblEntry(std::string_view bytes) {
    Context ctx;
    std::vector<std::string> lines;
    if (!ReadNblBytes(std::string(bytes), "fuzz.nbl", lines, TitleMaker(ctx)).Ok()) return;
    AddTwice(ctx, lines);
    PlayLevels(ctx);
}

void BestSolutionsEntry(std::string_view bytes) {
    Context ctx;
    PlaceProgram(ctx);
    WriteScratch("vorpel.sol", bytes);
    LoadLines(ctx, PlaygroundLines());
    ctx.CurrentLevel().title = "Test";
    ReadBestSolutionInfo(ctx);
    std::vector<std::string> lines;
    ReadBestSolutionMoves(ctx, lines);
    int status = 0;
    ApplyBestSolution(ctx, status);
    ApplyBestSolutionAtStart(ctx);
    std::vector<BestCounts> counts;
    ReadAllBestSolutions(ctx, counts);
    bool haveRecord = false;
    BestSolutionLabel(ctx, haveRecord);
    EndOfLevel(ctx);
    SaveBestSolution(ctx, false);
    EraseBestSolution(ctx);
    EraseBestSolution(ctx);
}

void RecordsEntry(std::string_view bytes) {
    Context ctx;
    PlaceProgram(ctx);
    WriteScratch("vorpel.rec", bytes);
    ReadRecordsFile(ctx, true);
    // Every title read is found again, then set during the run and read once more.
    const std::vector<std::string> entries = ctx.records.recordList;
    int moves = 0, steps = 0;
    for (const std::string& entry : entries)
        if (entry.size() > 12) LookUpRecord(ctx, std::string_view(entry).substr(12), moves, steps);
    LookUpRecord(ctx, "", moves, steps);
    for (std::size_t i = 0; i < entries.size() && i < 8; ++i)
        if (entries[i].size() > 12) SetRecord(ctx, std::string_view(entries[i]).substr(12), 1, 2);
    ReadRecordsFile(ctx, true);
}

void DllEntry(std::string_view bytes) {
    RegisterDllReader();
    Context ctx;
    const std::string path = WriteScratch("pack.dll", bytes);
    std::vector<std::string> titles;
    if (!ListDllLevels(path, titles, TitleMaker(ctx)).Ok()) return;
    std::vector<std::string> lines;
    if (ReadLevelSource(ctx, path, lines).Ok()) AddTwice(ctx, lines);
    PlayLevels(ctx);
    const int count = static_cast<int>(titles.size());
    for (const int i : {0, count - 1, count}) {
        DllLevelGrid grid;
        ReadDllLevelGrid(path, i, grid);
    }
}

void BricksMovesEntry(std::string_view bytes) {
    // The first byte says which DLL holds the level: the one as written or the older version.
    const bool older = !bytes.empty() && (static_cast<unsigned char>(bytes[0]) & 1) != 0;
    if (!bytes.empty()) bytes.remove_prefix(1);
    Context ctx;
    LoadLines(ctx, BricksLevelLines());
    const std::string dll = WriteScratch("pack.dll", BricksDll(older));
    WriteScratch(BricksMovesFileName("pack.dll", "pk", "fuzz", 1), bytes);
    ReadBricksMoves(ctx, 0, dll, "fuzz");
    PlayAndWrite(ctx);
    EndOfLevel(ctx);
    WriteBricksMoves(ctx, 0, dll, "fuzz");
}

void ResumeEntry(std::string_view bytes) {
    Context ctx;
    if (!ReadResumeText(ctx, std::string(bytes)).empty()) return;
    PlayLevels(ctx);
    // What the program writes when it closes reads back to the same text.
    const std::string written = ResumeText(ctx.collection);
    Context again;
    if (!ReadResumeText(again, written).empty()) Lost("the resume file", written, "");
    const std::string rewritten = ResumeText(again.collection);
    if (rewritten != written) Lost("the resume file", written, rewritten);
}

void RoundTripEntry(std::string_view bytes) {
    // An input that begins with the NBL format byte is read as an NBL file, any other as a level
    // text or SOK, so that the shared collections seed it as they are.
    const bool nbl = !bytes.empty() && bytes[0] == '\x01';
    Context ctx;
    ctx.collection.levels.clear();
    std::vector<std::string> lines;
    if (!ReadLevelSource(ctx, WriteScratch(nbl ? "in.nbl" : "in.txt", bytes), lines).Ok()) return;
    RememberedAnswer remembered = kAlwaysAdd;
    AddLevels(ctx, "File.", lines, remembered);
    const Format formats[] = {
        {"out.txt", LevelTextOf, LevelTextLosses},
        {"out.sok", [](const Level& l) { return SokText(l, true); },
         [](const Level& l) { return SokLosses(l, true); }},
        {"out.xsb", [](const Level& l) { return SokText(l, false); },
         [](const Level& l) { return SokLosses(l, false); }},
        {"out.nbl", NblOf, NblLosses},
    };
    const int last = std::min(ctx.collection.lastLevel(), kMaxRoundTripLevels - 1);
    for (int i = 0; i <= last; ++i)
        for (const Format& format : formats)
            RoundTrip(ctx.collection.levels[static_cast<std::size_t>(i)], format);
}

} // namespace vorpel::fuzz
