// The atomic writer and the file system: read-only targets, symbolic and hard links, permission
// bits, long names, and failures that name the file and the system's reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/FileNames.h"
#include "io/FileIO.h"

namespace vorpel {
namespace {

namespace fs = std::filesystem;

class AtomicWrite : public ::testing::Test {
protected:
    // A short folder name leaves room for long file names within the 254-character limit.
    fs::path dir = fs::temp_directory_path() / ("va" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::all, ec);
        fs::remove_all(dir, ec);
    }

    std::string Put(const std::string& name, const std::string& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::string Opening(const std::string& path, const char* reason) {
    return "Error when opening the file.\r\n" + path + ": " + reason + ".";
}

// A file without write permission is refused, for the administrator too, and left as it was
// with nothing beside it.
TEST_F(AtomicWrite, RefusesAReadOnlyTargetAndLeavesItWhole) {
    const std::string path = Put("locked.txt", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(WriteFileChecked(path, "new").message, Opening(path, "Permission denied"));
    EXPECT_EQ(Contents(path), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"locked.txt"});
}

// A user who may write the folder but not the file (another user's file) is refused too.
TEST_F(AtomicWrite, RefusesAnotherUsersFileInAFolderTheUserMayWrite) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the administrator to act as another user";
    const std::string path = Put("theirs.txt", "old");
    fs::permissions(dir, fs::perms::all);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The unprivileged "nobody" user: the folder lets it create files, the file does not
        // let it write.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        ::_exit(WriteFileChecked(path, "new").message == Opening(path, "Permission denied") ? 0
                                                                                            : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Contents(path), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"theirs.txt"});
}

// Through a symbolic link (relative, across folders, or to a file not yet there) the file it
// points to is replaced and the link stays a link.
TEST_F(AtomicWrite, WritesThroughSymbolicLinks) {
    fs::create_directories(dir / "sets");
    const std::string target = Put("sets/levels.txt", "old");
    fs::create_symlink("sets/levels.txt", dir / "near.txt");
    fs::create_directories(dir / "links");
    fs::create_symlink("../sets/levels.txt", dir / "links" / "far.txt");
    fs::create_symlink("far.txt", dir / "links" / "chain.txt");
    fs::create_symlink("sets/new.txt", dir / "dangling.txt");

    for (const char* link : {"near.txt", "links/far.txt", "links/chain.txt"}) {
        SCOPED_TRACE(link);
        const std::string bytes = std::string("through ") + link;
        ASSERT_EQ(WriteFileChecked((dir / link).string(), bytes).message, "");
        EXPECT_TRUE(fs::is_symlink(dir / link));
        EXPECT_EQ(Contents(target), bytes);
    }
    ASSERT_EQ(WriteFileChecked((dir / "dangling.txt").string(), "made").message, "");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.txt"));
    EXPECT_EQ(Contents(dir / "sets" / "new.txt"), "made");
    EXPECT_EQ(Names(), (std::vector<std::string>{"dangling.txt", "links", "near.txt", "sets"}));

    fs::create_symlink("loop.txt", dir / "loop.txt");
    const std::string loop = (dir / "loop.txt").string();
    EXPECT_EQ(WriteFileChecked(loop, "x").message,
              Opening(loop, "Too many levels of symbolic links"));
}

// The new file keeps the old one's permission bits; a new file gets rw-r--r--.
TEST_F(AtomicWrite, KeepsThePermissionBits) {
    const std::string path = Put("shared.txt", "old");
    const fs::perms bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                           fs::perms::group_write;
    fs::permissions(path, bits);
    ASSERT_EQ(WriteFileChecked(path, "new").message, "");
    EXPECT_EQ(fs::status(path).permissions(), bits);

    const std::string fresh = (dir / "fresh.txt").string();
    ASSERT_EQ(WriteFileChecked(fresh, "new").message, "");
    EXPECT_EQ(fs::status(fresh).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                   fs::perms::group_read | fs::perms::others_read);
}

// A file with another hard link is replaced under the name written; the other name keeps the
// old contents, as a replacement that is never half written must.
TEST_F(AtomicWrite, HardLinksKeepTheOldContentsUnderTheOtherName) {
    const std::string path = Put("a.txt", "old");
    fs::create_hard_link(path, dir / "b.txt");
    ASSERT_EQ(WriteFileChecked(path, "new").message, "");
    EXPECT_EQ(Contents(path), "new");
    EXPECT_EQ(Contents(dir / "b.txt"), "old");
}

// A name the file system takes (its last part up to 255 characters) is written: the temporary
// file's name does not grow with it.
TEST_F(AtomicWrite, LongNamesLeaveRoomForTheTemporaryFile) {
    const std::string prefix = (dir / "").string();
    const std::size_t room = std::min<std::size_t>(kMaxFileName - prefix.size(), 255);
    if (room < 240) GTEST_SKIP() << "the temporary folder's name is too long";
    for (const std::size_t length : {std::size_t{238}, room}) {
        const std::string path = prefix + std::string(length - 4, 'n') + ".txt";
        EXPECT_EQ(WriteFileChecked(path, "abc").message, "") << length;
        EXPECT_EQ(Contents(path), "abc");
        fs::remove(path);
    }
    EXPECT_TRUE(Names().empty());
}

// Targets that are no regular file are refused by name and reason, and left as they are.
TEST_F(AtomicWrite, FailuresNameTheFileAndTheReason) {
    const std::string folder = (dir / "folder.txt").string();
    fs::create_directories(folder);
    EXPECT_EQ(WriteFileChecked(folder, "x").message, Opening(folder, "Is a directory"));
    EXPECT_TRUE(fs::is_directory(folder));

    const std::string pipe = (dir / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(WriteFileChecked(pipe, "x").message, Opening(pipe, "Not a regular file"));
    EXPECT_TRUE(fs::is_fifo(pipe));

    const std::string unfound = (dir / "no" / "such.txt").string();
    EXPECT_EQ(WriteFileChecked(unfound, "x").message, Opening(unfound, "No such folder"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"folder.txt", "pipe"}));
}

} // namespace
} // namespace vorpel
