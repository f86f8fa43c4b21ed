// Whole-file reading and atomic whole-file writing.
#pragma once

#include <string>

namespace vorpel {

inline constexpr const char* kFileNotFound = "File not found.";
inline constexpr const char* kErrorOpening = "Error when opening the file.";
inline constexpr const char* kErrorReading = "Error when reading the file.";
inline constexpr const char* kErrorWriting = "Error when writing the file.";
inline constexpr const char* kNotEnoughMemory = "Not enough memory.";

// Reads a whole file into `bytes`; returns an empty text or the error message.
std::string ReadWholeFile(const std::string& path, std::string& bytes);

// Faults a test injects into a write: fail after `failAtByte` bytes (-1: never) or at the
// final rename.
struct WriteFaults {
    long long failAtByte = -1;
    bool failRename = false;
};

// Replaces `path` with `bytes`: written to a temporary file beside it, flushed, then renamed
// over the target, so a failure leaves the old file whole. Returns "" or the error message.
std::string WriteFileAtomic(const std::string& path, const std::string& bytes,
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
    std::string path_;
    std::string temp_;
    int fd_ = -1;
};

} // namespace vorpel
