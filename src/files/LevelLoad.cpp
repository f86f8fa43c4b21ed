// Loading levels into the collection from every source the program reads.
#include "files/LevelLoad.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "files/FileNames.h"
#include "files/LevelText.h"
#include "files/MoveText.h"
#include "files/NblFormat.h"
#include "files/Records.h"
#include "files/SokFormat.h"
#include "model/History.h"

namespace vorpel {

namespace {

namespace fs = std::filesystem;

std::vector<std::pair<std::string, LevelFileReader>>& LevelReaders() {
    static std::vector<std::pair<std::string, LevelFileReader>> readers;
    return readers;
}

const LevelFileReader* ReaderFor(const std::string& fileName) {
    for (const auto& [extension, reader] : LevelReaders())
        if (HasExtension(extension, fileName)) return &reader;
    return nullptr;
}

constexpr char kQuote = '"';

bool IsBoardLine(const std::string& line, bool quoted) {
    return !line.empty() && IsTextMarkChar(static_cast<Byte>(line[0]), quoted);
}

bool IsMoveLine(const std::string& line, bool quoted) {
    return !line.empty() && (line[0] == ' ' || (!quoted && line[0] >= '0' && line[0] <= '9'));
}

// A title line without its leading double quote and the closing one.
std::string Unquoted(const std::string& line) {
    if (line.empty() || line[0] != kQuote) return line;
    const std::size_t end =
        line.size() >= 2 && line.back() == kQuote ? line.size() - 1 : line.size();
    return line.substr(1, end - 1);
}

// The title a title line gives, "" when the line is none.
std::string TitleOfLine(const std::string& line, bool quoted) {
    if (quoted) return !line.empty() && line[0] == kQuote ? Unquoted(line) : std::string();
    if (!line.empty() && IsBasicMark(static_cast<Byte>(line[0]))) return {};
    return Unquoted(line);
}

// Room for one more level, growing in proportion so that appending stays linear.
void ReserveForAppend(LevelCollection& collection) {
    std::vector<Level>& levels = collection.levels;
    if (levels.size() == levels.capacity())
        levels.reserve(std::max<std::size_t>(levels.size() + levels.size() / 2, 16));
}

// Takes back the level just appended; an empty collection stays empty.
void DropAppendedLevel(LevelCollection& collection) {
    if (collection.levels.size() > 1)
        collection.RemoveLastLevel();
    else
        collection.levels.clear();
}

// Builds the play board of the current level, lets the window show it, carries out its move
// lines from `index` and goes back to the start. Returns "" or the first move error.
std::string ReplayMoveLines(Context& ctx, const std::vector<std::string>& lines,
                            std::size_t& index) {
    RebuildBoard(ctx);
    ctx.platform->ShowLoadingBoard();
    std::string error = ReadMoveLines(ctx, lines, index);
    GoToMove(ctx, 0);
    return error;
}

std::string FullPath(const std::string& name) {
    std::error_code ec;
    const fs::path full = fs::absolute(name, ec);
    return ec ? name : full.lexically_normal().string();
}

// The checks made before a file is read as levels: "" or the message.
FileResult CheckSource(const std::string& fileName) {
    if (fileName.size() > kMaxFileName) return FileResult::Failed(NameTooLongMessage(fileName));
    // Folders, devices and pipes have no end to read to.
    if (FileResult check = CheckRegularFile(fileName); !check.Ok()) return check;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(fileName, ec);
    if (!ec && size > kMaxLevelSourceBytes) return FileResult::Failed(kSourceTooLarge);
    return {};
}

// One read command's work on the collection. It keeps an index of the titles so that looking
// titles up stays constant-time however large the collection; nothing else changes titles while
// a read runs, since commands are blocked.
class Loader {
public:
    explicit Loader(Context& ctx, std::stop_token stop = {}) : ctx_(ctx), stop_(std::move(stop)) {}

    int Find(const std::string& title) {
        if (!indexed_) {
            const std::vector<Level>& levels = ctx_.collection.levels;
            first_.reserve(levels.size());
            for (std::size_t i = 0; i < levels.size(); ++i)
                first_.emplace(levels[i].title, static_cast<int>(i));
            indexed_ = true;
        }
        const auto found = first_.find(title);
        return found == first_.end() ? -1 : found->second;
    }

    std::string MakeUniqueTitle(const std::string& base) {
        for (;;) {
            std::string title = base + " " + std::to_string(++ctx_.titleCounter);
            if (Find(title) < 0) return title;
        }
    }

    FileResult ReadSource(const LevelPlace& place, std::vector<std::string>& lines,
                          std::vector<SkippedLevel>* skipped) {
        lines.clear();
        FileResult result;
        try {
            result = ReadSourceLines(place, lines, skipped);
        } catch (const std::bad_alloc&) {
            result = FileResult::Failed(kNotEnoughMemory);
        }
        if (!result.Ok()) lines.clear();
        return result;
    }

    LoadResult Add(const std::string& displayName, std::vector<std::string>& lines,
                   RememberedAnswer& remembered, std::vector<LevelOutcome>* outcomes) {
        std::size_t textBytes = 0;
        for (const std::string& line : lines) textBytes += line.size();
        LoadResult result = AddLines(displayName, lines, remembered, outcomes);
        std::vector<std::string>().swap(lines);
        ReleaseAfterRead(textBytes);
        return result;
    }

    LoadResult AddLines(const std::string& displayName, std::vector<std::string>& lines,
                        RememberedAnswer& remembered, std::vector<LevelOutcome>* outcomes) {
        const bool quoted = IsQuotedText(lines);
        LevelCollection& collection = ctx_.collection;
        std::size_t index = 0;
        while (index + 1 < lines.size() && !stop_.stop_requested()) {
            const int previous = collection.currentLevel;
            const std::size_t lastBefore = collection.levels.size();
            const std::size_t start = index;
            // The lines of a level are given back once it is read, so that a large collection
            // reuses their memory instead of holding text and levels at once.
            const auto release = [&] {
                for (std::size_t i = start; i < index && i < lines.size(); ++i)
                    std::string().swap(lines[i]);
            };
            try {
                std::string title = TitleOfLine(lines[index], quoted);
                if (title.empty()) title = MakeUniqueTitle("no title");
                lines[index] = title;

                const int existing = Find(title);
                bool replace = false;
                if (existing >= 0) {
                    if (remembered == kAsk) {
                        bool repeat = false;
                        const Choice choice = ctx_.platform->AskChoice(
                            {"There already is a level with title \"" + title + "\".",
                             "To replace the previous level, click on Replace or press the R key.",
                             "To add the new level, keeping the previous one, click on Add or "
                             "press the A key.",
                             "To cancel the command, click on Cancel or press the Esc key."},
                            "Replace", "Add", "", true, repeat);
                        if (choice == kChoiceFirst) {
                            replace = true;
                            if (repeat) remembered = kAlwaysReplace;
                        } else if (choice == kChoiceSecond) {
                            if (repeat) remembered = kAlwaysAdd;
                        } else {
                            return {{}, true};
                        }
                    } else {
                        replace = remembered == kAlwaysReplace;
                    }
                }

                ReserveForAppend(collection);
                collection.NewLevel("", 4, 4, true);
                collection.currentLevel = collection.lastLevel();
                std::string error = ReadLevelText(ctx_, lines, index, quoted);
                Level& level = collection.Current();
                level.title = title;
                if (error.empty() && title[0] == ' ') error = CheckTitle(title);

                LevelOutcome outcome{-1, title, false, {}};
                if (error.empty() && index < lines.size() && IsMoveLine(lines[index], quoted)) {
                    outcome.hasMoves = true;
                    outcome.error = ReplayMoveLines(ctx_, lines, index);
                    // A caller that takes the outcomes reports them itself, once.
                    if (!outcome.error.empty() && !outcomes)
                        ctx_.platform->ShowInfo({displayName, outcome.error});
                }
                collection.Current().Compact();
                release();
                ctx_.platform->ProcessEvents();

                if (!error.empty()) {
                    DropAppendedLevel(collection);
                    collection.currentLevel = previous;
                    if (outcomes) outcomes->push_back({-1, title, false, error});
                    return {error, false};
                }
                if (replace) {
                    collection.CopyLevel(existing, collection.lastLevel());
                    collection.RemoveLastLevel();
                    collection.currentLevel = existing;
                } else {
                    first_.emplace(title, collection.lastLevel());
                }
                outcome.index = collection.currentLevel;
                if (outcomes) outcomes->push_back(std::move(outcome));
            } catch (const std::bad_alloc&) {
                while (collection.levels.size() > lastBefore) DropAppendedLevel(collection);
                collection.currentLevel = previous;
                return {kNotEnoughMemory, false};
            }
        }
        return {};
    }

    LoadResult ReadFile(const LevelPlace& place, RememberedAnswer& remembered) {
        std::string displayName = "Clipboard.";
        LevelPlace source = place;
        if (!place.IsClipboard()) {
            const std::string path = FullPath(place.FileName());
            if (path.size() > kMaxFileName) {
                ctx_.platform->ShowInfo({kNameTooLongIntro, path});
                return {NameTooLongMessage(path), false};
            }
            ctx_.platform->AddToHistory(path);
            ctx_.lastReadFolder = fs::path(path).parent_path().string();
            displayName = "File " + path + ".";
            source = LevelPlace(path);
        }
        std::vector<std::string> lines;
        std::vector<SkippedLevel> skipped;
        LoadResult result{ReadSource(source, lines, &skipped).message, false};
        if (result.error.empty()) result = Add(displayName, lines, remembered, nullptr);
        if (result.cancelled) return result;
        // One message at the end: what ended the reading, then what was left out on the way.
        std::vector<std::string> message{displayName};
        if (!result.error.empty()) message.push_back(result.error);
        for (std::string& line : SkippedLevelsMessage(skipped)) message.push_back(std::move(line));
        if (message.size() > 1) ctx_.platform->ShowInfo(message);
        return result;
    }

private:
    FileResult ReadSourceLines(const LevelPlace& place, std::vector<std::string>& lines,
                               std::vector<SkippedLevel>* skipped) {
        const std::size_t skippedBefore = skipped ? skipped->size() : 0;
        const auto makeTitle = [this](const std::string& base) { return MakeUniqueTitle(base); };
        std::string text, sourceName;
        if (place.IsClipboard()) {
            std::optional<std::string> clipboard = ctx_.platform->ClipboardText();
            if (!clipboard) return FileResult::Failed(kNoClipboardText);
            text = std::move(*clipboard);
            sourceName = "Clipboard";
        } else {
            const std::string& fileName = place.FileName();
            if (FileResult check = CheckSource(fileName); !check.Ok()) return check;
            if (HasExtension(".nbl", fileName)) return ReadNblFile(fileName, lines, makeTitle);
            if (const LevelFileReader* reader = ReaderFor(fileName))
                return (*reader)(fileName, lines, makeTitle,
                                 [this](const std::string& title, int moves, int steps) {
                                     SetRecord(ctx_, title, moves, steps);
                                 });
            if (FileResult read = ReadFileChecked(fileName, text); !read.Ok()) return read;
            sourceName = fs::path(fileName).filename().string();
        }
        // Level texts never hold a zero byte; reading such a file as text would make junk.
        if (text.find('\0') != std::string::npos) return FileResult::Failed(kBinarySource);

        std::vector<std::string> textLines = SplitLines(text);
        std::string().swap(text);
        if (!IsLevelText(textLines)) {
            if (std::string error = ReadSokText(sourceName, textLines, lines, makeTitle, skipped);
                !error.empty())
                return FileResult::Failed(std::move(error));
        } else {
            NormaliseTitles(std::move(textLines), sourceName, lines);
        }
        if (lines.size() >= 2) return {};
        // Boards left out for their size were levels: say so rather than that there were none.
        return FileResult::Failed(skipped && skipped->size() > skippedBefore ? kEveryLevelTooLarge
                                                                             : kNoLevelFound);
    }

    // Copies level text lines, giving a made-up title to every level that lacks one.
    void NormaliseTitles(std::vector<std::string> in, const std::string& sourceName,
                         std::vector<std::string>& out) {
        const bool quoted = IsQuotedText(in);
        // In quoted mode a bare title would read as a board line of the level before.
        const auto newTitle = [&] {
            std::string title = MakeUniqueTitle(sourceName);
            return quoted ? QuoteTitle(title) : title;
        };
        out.reserve(in.size() + 1);
        if (in.empty()) out.push_back(newTitle());
        std::size_t p = 0;
        while (p < in.size()) {
            std::string& line = in[p];
            const bool title =
                (quoted ? !line.empty() && line[0] == kQuote
                        : line.empty() || !IsBasicMark(static_cast<Byte>(line[0]))) &&
                !Unquoted(line).empty();
            if (title) {
                out.push_back(std::move(line));
                ++p;
            } else if (line.empty() || line == "\"\"") {
                out.push_back(newTitle());
                ++p;
            } else {
                out.push_back(newTitle());
                // A line that is neither board nor moves goes with the made-up title, and the
                // walk moves on past it.
                if (!IsBoardLine(line, quoted) && !IsMoveLine(line, quoted)) {
                    out.push_back(std::move(line));
                    ++p;
                    continue;
                }
            }
            while (p < in.size() && IsBoardLine(in[p], quoted)) out.push_back(std::move(in[p++]));
            while (p < in.size() && IsMoveLine(in[p], quoted)) out.push_back(std::move(in[p++]));
        }
    }

    Context& ctx_;
    std::stop_token stop_; // a stop request ends the read before the next level
    std::unordered_map<std::string, int> first_; // title -> first level with it
    bool indexed_ = false;
};

// Reads the levels of one startup file, each with its moves replayed; errors of single levels
// are passed over.
void ReadStartupFile(Context& ctx, const std::string& name) {
    if (FileResult check = CheckSource(name); !check.Ok()) {
        if (name.size() > kMaxFileName)
            ctx.platform->ShowInfo({kNameTooLongIntro, name});
        else
            ctx.platform->ShowInfo({name, check.message});
        return;
    }
    LevelCollection& collection = ctx.collection;
    const std::size_t lastBefore = collection.levels.size();
    try {
        std::string text;
        if (FileResult read = ReadFileChecked(name, text); !read.Ok()) {
            ctx.platform->ShowInfo({name, read.message});
            return;
        }
        const std::vector<std::string> lines = SplitLines(text);
        std::string().swap(text);
        const bool quoted = IsQuotedText(lines);
        std::size_t index = 0;
        while (index + 1 < lines.size()) {
            ReserveForAppend(collection);
            collection.NewLevel("", 4, 4, true);
            collection.currentLevel = collection.lastLevel();
            if (!ReadLevelText(ctx, lines, index, quoted).empty()) {
                DropAppendedLevel(collection);
                // The rest of the failed level is no title of a level of its own.
                while (index < lines.size() && IsBoardLine(lines[index], quoted)) ++index;
                while (index < lines.size() && IsMoveLine(lines[index], quoted)) ++index;
                continue;
            }
            if (index < lines.size() && IsMoveLine(lines[index], quoted))
                ReplayMoveLines(ctx, lines, index);
            collection.Current().Compact();
        }
    } catch (const std::bad_alloc&) {
        while (collection.levels.size() > lastBefore) DropAppendedLevel(collection);
        ctx.platform->ShowInfo({name, kNotEnoughMemory});
    }
}

} // namespace

void RegisterLevelReader(const std::string& extension, LevelFileReader reader) {
    auto& readers = LevelReaders();
    for (auto& entry : readers)
        if (entry.first == extension) {
            entry.second = std::move(reader);
            return;
        }
    readers.emplace_back(extension, std::move(reader));
}

FileResult ReadLevelSource(Context& ctx, const LevelPlace& place, std::vector<std::string>& lines,
                           std::vector<SkippedLevel>* skipped) {
    if (!place.IsClipboard() && place.FileName().empty()) return FileResult::Failed(kErrorOpening);
    return Loader(ctx).ReadSource(place, lines, skipped);
}

LoadResult AddLevels(Context& ctx, const std::string& displayName, std::vector<std::string>& lines,
                     RememberedAnswer& remembered, std::vector<LevelOutcome>* outcomes) {
    return Loader(ctx).Add(displayName, lines, remembered, outcomes);
}

LoadResult ReadLevelFile(Context& ctx, const LevelPlace& place, RememberedAnswer& remembered,
                         std::stop_token stop) {
    if (!place.IsClipboard() && place.FileName().empty()) {
        LoadResult refused;
        refused.error = kErrorOpening;
        return refused;
    }
    return Loader(ctx, std::move(stop)).ReadFile(place, remembered);
}

void ReadDroppedFiles(Context& ctx, const std::vector<std::string>& names, std::stop_token stop) {
    RememberedAnswer remembered = kAsk;
    Loader loader(ctx, stop);
    for (const std::string& name : names) {
        ctx.platform->ProcessEvents();
        if (stop.stop_requested()) break;
        if (name.size() > kMaxFileName) {
            ctx.platform->ShowInfo({kNameTooLongIntro, name});
            continue;
        }
        std::string target = name;
        if (ResolveShortcut(*ctx.platform, target)) {
            ctx.platform->ShowInfo({kShortcutFailed + name});
            continue;
        }
        if (loader.ReadFile(target, remembered).cancelled) break;
    }
}

std::string StartupFileName(const std::string& programPath, const std::string& number) {
    fs::path base(programPath);
    base.replace_extension();
    return base.string() + " " + number + ".txt";
}

void ReadStartupFiles(Context& ctx) {
    ReadStartupFiles(ctx, ctx.programPath, ctx.options.startupList);
}

void ReadStartupFiles(Context& ctx, const std::string& programPath, const std::string& list) {
    LevelCollection& collection = ctx.collection;
    collection.levels.clear();
    collection.currentLevel = 0;
    std::string number;
    for (const char ch : list.empty() ? std::string("0,") : list + ",") {
        if (ch >= '0' && ch <= '9') {
            number += ch;
        } else if (ch == ',') {
            ReadStartupFile(ctx, StartupFileName(programPath, number));
            number.clear();
        }
    }
    if (collection.levels.empty()) collection.NewLevel("Void level", 6, 6, true);
    collection.currentLevel = 0;
}

std::string MakeUniqueTitle(Context& ctx, const std::string& base) {
    for (;;) {
        std::string title = base + " " + std::to_string(++ctx.titleCounter);
        if (ctx.collection.FindTitle(title) < 0) return title;
    }
}

int FindLevelByTitle(const Context& ctx, const std::string& title) {
    return ctx.collection.FindTitle(title);
}

} // namespace vorpel
