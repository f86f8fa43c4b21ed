// Whole-file reading and atomic whole-file writing.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vorpel {

inline constexpr const char* kFileNotFound = "File not found.";
inline constexpr const char* kErrorOpening = "Error when opening the file.";
inline constexpr const char* kErrorReading = "Error when reading the file.";
inline constexpr const char* kErrorWriting = "Error when writing the file.";
inline constexpr const char* kNotEnoughMemory = "Not enough memory.";

// What a reading or writing came to: a code that callers branch on, and the message shown for
// it (empty when all went well).
enum class FileError { kNone, kNotFound, kFailed };
struct FileResult {
    FileError code = FileError::kNone;
    std::string message;

    bool Ok() const { return code == FileError::kNone; }
    // The message as the lines of a message box: split at line breaks, CRs dropped.
    std::vector<std::string> Lines() const;
    static FileResult Failed(std::string text) { return {FileError::kFailed, std::move(text)}; }
    // "" is success, any other text a failure.
    static FileResult Of(std::string text) {
        return text.empty() ? FileResult{} : Failed(std::move(text));
    }
};

// The message of a failed file operation: the program's own text, then on the next line the
// file's name and the reason the system gave for `error` (an errno value).
std::string SystemErrorMessage(const char* text, const std::string& path, int error);

// Whether `path` is a regular file that can be read: FileError::kNotFound with kFileNotFound, or
// kFailed with the message about a folder, a device or a pipe (which have no end to read to).
FileResult CheckRegularFile(const std::string& path);

// Reads a whole file into `bytes`; a missing file is FileError::kNotFound with kFileNotFound.
FileResult ReadWholeFile(const std::string& path, std::string& bytes);

// Faults a test injects into a write: fail after `failAtByte` bytes (-1: never) or at the
// final rename.
struct WriteFaults {
    long long failAtByte = -1;
    bool failRename = false;
};

// Replaces `path` with `bytes`: written to a temporary file beside it, flushed, then renamed
// over the target, so a failure leaves the old file whole.
//
// The replacement respects the file it replaces: an existing target that the user may not write
// is refused and left as it was; through a symbolic link the link's target is replaced and the
// link stays; the new file keeps the old one's permission bits (and, where allowed, its owner).
// A file with other hard links is replaced under this name only: the other names keep the old
// contents, since writing into the shared file itself could leave it half written. The
// temporary file has a short name of its own, so a name that fits the file system always has
// a temporary one that fits too.
FileResult WriteFileAtomic(const std::string& path, const std::string& bytes,
                           const WriteFaults& faults = {});

// A replacement of `path` whose temporary file is created first, so that a folder that cannot
// be written is known before the bytes are made. Without Commit the temporary file is removed
// and the target left as it was.
class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile() { Abandon(); }
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file beside `path`. Returns "" or the error message.
    std::string Create(const std::string& path);
    // Writes `bytes` to the temporary file, flushes it and renames it over the target.
    std::string Commit(const std::string& bytes, const WriteFaults& faults = {});
    void Abandon();

private:
    std::string path_; // the file renamed over: the target of a symbolic link
    std::string temp_;
    int fd_ = -1;
};

} // namespace vorpel
