// Bringing levels into the collection: from files, the clipboard and the startup files, with
// title checks, the Replace / Add / Cancel question and the moves of each level replayed.
#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "files/FileNames.h"
#include "files/SokFormat.h"
#include "model/Context.h"

namespace vorpel {

// The answer a read command remembers for titles already taken; every command starts at kAsk.
enum RememberedAnswer : std::uint8_t { kAsk = 0, kAlwaysAdd = 1, kAlwaysReplace = 2 };

// Largest file read as levels; anything bigger is refused before it is read.
inline constexpr std::uintmax_t kMaxLevelSourceBytes = 512ull << 20;

inline constexpr const char* kNoLevelFound = "No level found in the file.";
inline constexpr const char* kEveryLevelTooLarge =
    "No level read: every level is larger than 64 x 64.";
inline constexpr const char* kNoClipboardText = "No text found in the Clipboard.";
inline constexpr const char* kDllNotRecognized = "DLL format or data not recognized.";
inline constexpr const char* kSourceTooLarge =
    "File too large to be read as levels (more than 512 MB).";
inline constexpr const char* kBinarySource = "File not recognized: it holds binary data.";
inline constexpr const char* kShortcutFailed =
    "Unable to get the destination file from the shortcut file ";

// How a read of levels ended.
using UniqueTitleMaker = std::function<std::string(const std::string& base)>;
using RecordSetter = std::function<void(const std::string& title, int moves, int steps)>;

// Reads a binary level format: appends level text lines and hands each stored record to
// `setRecord`.
using LevelFileReader = std::function<FileResult(
    const std::string& path, std::vector<std::string>& lines,
    const UniqueTitleMaker& makeUniqueTitle, const RecordSetter& setRecord)>;

// Has the loader read files whose names end in `extension` (".dll") with `reader`. Readers of
// formats that live in libraries above this one come in this way, at start-up; a later call for
// the same extension replaces the earlier reader.
void RegisterLevelReader(const std::string& extension, LevelFileReader reader);

struct LoadResult {
    std::string error;      // "" or the message that ended the reading
    bool cancelled = false; // the user answered Cancel
};

// What became of one level of a text, for callers that report level by level.
struct LevelOutcome {
    int index = -1; // the level's place in the collection; -1 when it was not added
    std::string title;
    bool hasMoves = false;
    std::string error; // the error that kept the level out, or the first error of its moves
};

// The lines of the levels of `place` (a file or the clipboard's text): NBL files by their reader,
// other texts by the level text rules (titles made where missing) or, when not in that format, by
// the SOK reader, which leaves out boards too large and lists them in `skipped`. A missing file is
// FileError::kNotFound.
FileResult ReadLevelSource(Context& ctx, const LevelPlace& place, std::vector<std::string>& lines,
                           std::vector<SkippedLevel>* skipped = nullptr);

// Adds the levels of `lines` to the collection, using the lines up (they are empty after),
// asking what to do about a title already taken unless `remembered` says. `displayName` heads the
// messages about the moves shown on the way; with `outcomes` the moves' errors are only listed
// there, for the caller to report once. On failure or cancel the levels added before stay, and
// the collection is otherwise as it was.
LoadResult AddLevels(Context& ctx, const std::string& displayName, std::vector<std::string>& lines,
                     RememberedAnswer& remembered, std::vector<LevelOutcome>* outcomes = nullptr);

// Reads a file or the clipboard into the collection and shows any error
// after the source's display name, in one message with the levels skipped for their size.
// A request on `stop` ends the read before the next level.
LoadResult ReadLevelFile(Context& ctx, const LevelPlace& place, RememberedAnswer& remembered,
                         std::stop_token stop = {});

// Reads files dropped on the window, one answer remembered for all, stopping when a stop is
// requested or the user cancels.
void ReadDroppedFiles(Context& ctx, const std::vector<std::string>& names,
                      std::stop_token stop = {});

// The startup file for one entry of the startup list: the program's file with " " + number
// and ".txt" in place of its extension.
std::string StartupFileName(const std::string& programPath, const std::string& number);

// Empties the collection and reads the startup files of the startup list `list` named after
// `programPath`; leaves the "Void level" when none gave a level. The first level becomes current.
void ReadStartupFiles(Context& ctx, const std::string& programPath, const std::string& list);
// The same for the options' startup list beside the context's program path.
void ReadStartupFiles(Context& ctx);

// `base`, a blank and the next value of the title counter that no level uses as title.
std::string MakeUniqueTitle(Context& ctx, const std::string& base);

// The first level with exactly this title, or -1.
int FindLevelByTitle(const Context& ctx, const std::string& title);

} // namespace vorpel
