// Whole-file reading and atomic whole-file writing on POSIX file descriptors.
#include "io/FileIO.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vorpel {

namespace {
// Not an errno value: the reason given for a folder entry that is no regular file.
constexpr int kNotRegular = -1;
} // namespace

std::string SystemErrorMessage(const char* text, const std::string& path, int error) {
    const char* reason = error == ENOENT || error == ENOTDIR ? "No such folder"
                         : error == kNotRegular              ? "Not a regular file"
                                                             : std::strerror(error);
    return std::string(text) + "\r\n" + path + ": " + reason + ".";
}

namespace {

// The reason a file of this mode is not read or replaced: it is no regular file.
int NotRegularReason(mode_t mode) {
    return S_ISDIR(mode) ? EISDIR : kNotRegular;
}

// Follows symbolic links from `path` to the name of the file they end at (which may not exist
// yet). Returns 0 or the errno of the failure (ELOOP for a cycle).
int FinalTarget(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t got = ::readlink(target.c_str(), link.data(), link.size());
        if (got < 0) return errno;
        link.resize(static_cast<std::size_t>(got));
        // A relative link is relative to the folder that holds it.
        const std::size_t slash = target.find_last_of('/');
        if (!link.empty() && link[0] != '/' && slash != std::string::npos)
            link = target.substr(0, slash + 1) + link;
        target = std::move(link);
    }
    return ELOOP;
}

} // namespace

FileResult CheckRegularFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR
                   ? FileResult{FileError::kNotFound, kFileNotFound}
                   : FileResult::Failed(SystemErrorMessage(kErrorOpening, path, errno));
    if (!S_ISREG(st.st_mode))
        return FileResult::Failed(
            SystemErrorMessage(kErrorOpening, path, NotRegularReason(st.st_mode)));
    return {};
}

std::vector<std::string> FileResult::Lines() const {
    std::vector<std::string> lines(1);
    for (const char c : message) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    return lines;
}

FileResult ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Non-blocking, so that opening a pipe with no writer cannot hang; only regular files are
    // read, since devices and pipes may never end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR
                   ? FileResult{FileError::kNotFound, kFileNotFound}
                   : FileResult::Failed(SystemErrorMessage(kErrorOpening, path, errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int reason = NotRegularReason(st.st_mode);
        ::close(fd);
        return FileResult::Failed(SystemErrorMessage(kErrorOpening, path, reason));
    }
    try {
        bytes.reserve(static_cast<std::size_t>(st.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                const int reason = errno;
                ::close(fd);
                bytes.clear();
                return FileResult::Failed(SystemErrorMessage(kErrorReading, path, reason));
            }
            if (got == 0) break;
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        bytes.clear();
        return FileResult::Failed(kNotEnoughMemory);
    }
    ::close(fd);
    return {};
}

std::string AtomicFile::Create(const std::string& path) {
    Abandon();
    std::string target;
    if (const int error = FinalTarget(path, target); error != 0)
        return SystemErrorMessage(kErrorOpening, path, error);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        // Renaming over a file needs only the folder's permission: the file's own is asked here.
        if (!S_ISREG(old.st_mode))
            return SystemErrorMessage(kErrorOpening, path, NotRegularReason(old.st_mode));
        if (::access(target.c_str(), W_OK) != 0)
            return SystemErrorMessage(kErrorOpening, path, errno);
        // A file that grants no write permission at all stays read-only for the administrator
        // too, whom the check above lets through.
        if ((old.st_mode & 0222) == 0) return SystemErrorMessage(kErrorOpening, path, EACCES);
    }
    const std::size_t slash = target.find_last_of('/');
    std::string temp = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
                       ".vorpel-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return SystemErrorMessage(kErrorOpening, path, errno);
    // Keep the old file's permissions and, where the system lets us, its owner; a new file gets
    // the usual permissions.
    ::fchmod(fd, exists ? (old.st_mode & 07777) : 0644);
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        if (::fchown(fd, old.st_uid, old.st_gid) == 0) ::fchmod(fd, old.st_mode & 07777);
    }
    path_ = std::move(target);
    temp_ = std::move(temp);
    fd_ = fd;
    return {};
}

std::string AtomicFile::Commit(const std::string& bytes, const WriteFaults& faults) {
    if (fd_ < 0) return kErrorWriting;
    std::size_t limit = bytes.size();
    bool injected = false;
    if (faults.failAtByte >= 0 && static_cast<unsigned long long>(faults.failAtByte) < limit) {
        limit = static_cast<std::size_t>(faults.failAtByte);
        injected = true;
    }
    std::size_t done = 0;
    int reason = 0; // the system's errno of a real failure; injected ones have none
    while (done < limit) {
        const ssize_t put = ::write(fd_, bytes.data() + done, limit - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            reason = errno;
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    bool ok = reason == 0 && !injected;
    if (ok && ::fsync(fd_) != 0) {
        reason = errno;
        ok = false;
    }
    if (::close(fd_) != 0 && ok) {
        reason = errno;
        ok = false;
    }
    fd_ = -1;
    ok = ok && !faults.failRename;
    if (ok && ::rename(temp_.c_str(), path_.c_str()) != 0) {
        reason = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp_.c_str());
        temp_.clear();
        return reason != 0 ? SystemErrorMessage(kErrorWriting, path_, reason)
                           : std::string(kErrorWriting);
    }
    temp_.clear();
    return {};
}

void AtomicFile::Abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

FileResult WriteFileAtomic(const std::string& path, const std::string& bytes,
                           const WriteFaults& faults) {
    AtomicFile file;
    if (std::string error = file.Create(path); !error.empty())
        return FileResult::Failed(std::move(error));
    return FileResult::Of(file.Commit(bytes, faults));
}

} // namespace vorpel
