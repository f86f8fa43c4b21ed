// File names: the 254-character limit and its message, extensions, shortcuts, long names and
// paths shortened to fit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "files/FileNames.h"
#include "files/LevelText.h"

namespace vorpel {
namespace {

namespace fs = std::filesystem;

class FileNames : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("vorpel-file-names-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    // A name in the test folder exactly `length` characters long.
    std::string NameOfLength(std::size_t length) const {
        std::string name = (dir / "").string();
        name.append(length - name.size() - 4, 'n');
        return name + ".txt";
    }
};

TEST_F(FileNames, NamesOf254CharactersPassAndLongerOnesAreRefusedByName) {
    const std::string fits = NameOfLength(254), tooLong = NameOfLength(255);
    const std::string message =
        "The following file will not be processed because it's full name has more than 254 "
        "characters:\r\n" +
        tooLong;

    EXPECT_EQ(WriteFileChecked(fits, "abc").message, "");
    std::string bytes;
    EXPECT_EQ(ReadFileChecked(fits, bytes).message, "");
    EXPECT_EQ(bytes, "abc");
    EXPECT_EQ(CreateForWriting(fits).message, "");

    std::ofstream(tooLong) << "abc"; // the file system itself takes the name
    EXPECT_EQ(ReadFileChecked(tooLong, bytes).message, message);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(CreateForWriting(tooLong).message, message);
    EXPECT_EQ(WriteFileChecked(tooLong, "new").message, message);
    std::ifstream in(tooLong);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "abc"); // left alone

    // The level text writer goes through the same check.
    Context ctx;
    EXPECT_EQ(WriteLevelText(ctx, tooLong).message, message);
    EXPECT_TRUE(WriteLevelText(ctx, fits).Ok());
}

TEST_F(FileNames, ReadingMissingAndUnreadableFilesNamesTheProblem) {
    const std::string missing = (dir / "missing.txt").string();
    std::string bytes = "stale";
    EXPECT_EQ(ReadFileChecked(missing, bytes).message, missing + "\r\nFile not found.");
    EXPECT_EQ(bytes, "");
    // Folders, endless devices and pipes without a writer are refused, never waited on.
    const std::string pipe = (dir / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string opening = "Error when opening the file.\r\n";
    EXPECT_EQ(ReadFileChecked(dir.string(), bytes).message,
              opening + dir.string() + ": Is a directory.");
    for (const std::string& name : {std::string("/dev/zero"), pipe})
        EXPECT_EQ(ReadFileChecked(name, bytes).message, opening + name + ": Not a regular file.")
            << name;
    const std::string unfound = (dir / "no" / "such.txt").string();
    EXPECT_EQ(WriteFileChecked(unfound, "x").message, opening + unfound + ": No such folder.");
}

TEST(HasExtension, IgnoresLetterCaseAndNeedsTheWholeExtension) {
    const struct {
        const char* extension;
        const char* name;
        bool has;
    } cases[] = {
        {".txt", "levels.TXT", true},   {".txt", "levels.txt", true}, {".txt", ".txt", true},
        {".txt", "txt", false},         {".nbl", "a.nb", false},      {".sok", "a.sok.txt", false},
        {".lnk", "Shortcut.Lnk", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasExtension(c.extension, c.name), c.has) << c.extension << " " << c.name;
}

// A platform whose shortcuts resolve from a table; a name missing from it fails.
class ShortcutPlatform : public SilentPlatform {
public:
    std::vector<std::pair<std::string, std::string>> links;
    int asked = 0;
    bool ResolveShortcut(std::string& name) override {
        ++asked;
        for (const auto& [link, target] : links)
            if (link == name) {
                name = target;
                return false;
            }
        return true;
    }
};

TEST(ResolveShortcut, OnlyShortcutFilesGoToThePlatform) {
    ShortcutPlatform platform;
    platform.links = {{"levels.LNK", "/levels/set.sok"}};

    std::string name = "levels.LNK";
    EXPECT_FALSE(ResolveShortcut(platform, name));
    EXPECT_EQ(name, "/levels/set.sok");

    name = "damaged.lnk";
    EXPECT_TRUE(ResolveShortcut(platform, name));
    EXPECT_EQ(name, "damaged.lnk");

    name = "plain.txt";
    EXPECT_FALSE(ResolveShortcut(platform, name));
    EXPECT_EQ(name, "plain.txt");
    EXPECT_EQ(platform.asked, 2);

    // Without shortcut files on the platform, a shortcut is read as the file it is.
    SilentPlatform none;
    name = "levels.lnk";
    EXPECT_FALSE(ResolveShortcut(none, name));
    EXPECT_EQ(name, "levels.lnk");
}

TEST_F(FileNames, LongPathNameKeepsFoundPathsAndMissingOnes) {
    fs::create_directories(dir / "Sub Folder");
    const std::string file = (dir / "Sub Folder" / "Long Name.txt").string();
    std::ofstream(file) << "x";
    EXPECT_EQ(LongPathName(file), file);
    EXPECT_EQ(LongPathName((dir / "absent" / "x.txt").string()),
              (dir / "absent" / "x.txt").string());
    EXPECT_EQ(LongPathName("/"), "/");
}

TEST(ShortenPath, CutsFoldersThenDriveThenEverythingButTheName) {
    const auto width = [](const std::string& text) { return static_cast<int>(text.size()); };
    const std::string path = "C:\\Levels\\Sokoban\\Classic\\set.txt";
    // Each step is the first that fits the width of its own text.
    for (const std::string expected : {
             "C:\\Levels\\Sokoban\\Classic\\set.txt",
             "C:\\...\\Sokoban\\Classic\\set.txt",
             "C:\\...\\Classic\\set.txt",
             "C:\\...\\set.txt",
             "...\\set.txt",
             "set.txt",
         })
        EXPECT_EQ(ShortenPath(path, static_cast<int>(expected.size()), width), expected);
    EXPECT_EQ(ShortenPath(path, 0, width), "set.txt");

    // Paths with forward slashes, and folders that begin with a full stop.
    EXPECT_EQ(ShortenPath("/home/.config/x/set.txt", 19, width), "/.../x/set.txt");
    EXPECT_EQ(ShortenPath("/home/.config/x/set.txt", 22, width), "/.../.config/x/set.txt");
    EXPECT_EQ(ShortenPath("/set.txt", 3, width), "set.txt");
    EXPECT_EQ(ShortenPath("set.txt", 3, width), "set.txt");
}

} // namespace
} // namespace vorpel
