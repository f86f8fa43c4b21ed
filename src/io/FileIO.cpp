// Whole-file reading and atomic whole-file writing on POSIX file descriptors.
#include "io/FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vorpel {

std::string ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Non-blocking, so that opening a pipe with no writer cannot hang; only regular files are
    // read, since devices and pipes may never end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? kFileNotFound : kErrorOpening;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return kErrorOpening;
    }
    try {
        bytes.reserve(static_cast<std::size_t>(st.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                ::close(fd);
                bytes.clear();
                return kErrorReading;
            }
            if (got == 0) break;
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
    } catch (const std::bad_alloc&) {
        ::close(fd);
        bytes.clear();
        return kNotEnoughMemory;
    }
    ::close(fd);
    return {};
}

std::string AtomicFile::Create(const std::string& path) {
    Abandon();
    std::string temp = path + ".vorpel-tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return kErrorOpening;
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    path_ = path;
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
    bool ok = true;
    while (done < limit) {
        const ssize_t put = ::write(fd_, bytes.data() + done, limit - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    ok = ok && !injected && ::fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    ok = ok && !faults.failRename && ::rename(temp_.c_str(), path_.c_str()) == 0;
    if (!ok) {
        ::unlink(temp_.c_str());
        temp_.clear();
        return kErrorWriting;
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

std::string WriteFileAtomic(const std::string& path, const std::string& bytes,
                            const WriteFaults& faults) {
    AtomicFile file;
    if (std::string error = file.Create(path); !error.empty()) return error;
    return file.Commit(bytes, faults);
}

} // namespace vorpel
