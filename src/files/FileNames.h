// File names: the checks and messages every reader and writer shares, extensions, shortcuts,
// long path names and paths shortened to fit a label.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "io/FileIO.h"
#include "model/Platform.h"

namespace vorpel {

// Where level text is written or read: a file by name, or the clipboard.
class LevelPlace {
public:
    // A file; a name, never an empty text, stands for one.
    LevelPlace(std::string fileName) : fileName_(std::move(fileName)) {}
    // A literal would read as a file name; the clipboard is asked for by name.
    LevelPlace(const char*) = delete;
    static LevelPlace Clipboard() {
        LevelPlace place{std::string()};
        place.clipboard_ = true;
        return place;
    }

    bool IsClipboard() const { return clipboard_; }
    // The file's name; empty for the clipboard.
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    bool clipboard_ = false;
};

// The longest full file name the program reads or writes.
inline constexpr std::size_t kMaxFileName = 254;

// The first line of the message about a name longer than kMaxFileName; the name follows on the
// next line.
inline constexpr const char* kNameTooLongIntro =
    "The following file will not be processed because it's full name has more than 254 "
    "characters:";

// The whole message about a name that is too long: the intro, CR LF and the name.
std::string NameTooLongMessage(const std::string& name);

// Whether `name` may be written: fails with the message about a name that is too long. Writing
// itself replaces the file atomically, so nothing is created or emptied here.
FileResult CreateForWriting(const std::string& name);

// Reads a whole file. A missing file is FileError::kNotFound with the name, CR LF and "File not
// found."; a name that is too long or a file that cannot be opened is kFailed with its message.
FileResult ReadFileChecked(const std::string& name, std::string& bytes);

// Replaces a file with `bytes` after the checks of CreateForWriting; a failure leaves the old
// file whole.
FileResult WriteFileChecked(const std::string& name, const std::string& bytes,
                            const WriteFaults& faults = {});

// The steps every writer of levels shares. The place is checked before anything is made, so a
// name that is too long fails at once; `make` then builds the bytes and returns "" or its own
// message (running out of memory while making them is kNotEnoughMemory); last the file is
// replaced atomically or the clipboard of `platform` is set. Without a platform the format has
// no clipboard form and the clipboard is refused like an empty name.
FileResult WriteToPlace(Platform* platform, const LevelPlace& place,
                        const std::function<std::string(std::string& bytes)>& make,
                        const WriteFaults& faults = {});

// Whether `name` ends with `extension` (full stop included), letter case ignored.
bool HasExtension(std::string_view extension, std::string_view name);

// The file a shortcut file (".lnk") points to, through the platform. A name that is no shortcut
// is left unchanged. Returns true when resolving failed; the name is then unchanged too.
bool ResolveShortcut(Platform& platform, std::string& name);

// The long form of a path: each part as the file system names it. A path that is not found is
// returned unchanged.
std::string LongPathName(const std::string& path);

// The path shortened, first folders first, until `textWidth` of it is at most `width`: folders
// give way to "..." and a separator, then the drive goes, then everything but the file name.
std::string ShortenPath(const std::string& path, int width,
                        const std::function<int(const std::string&)>& textWidth);

} // namespace vorpel
