// What a save would lose of the file it replaces: the file's levels read without a question, and
// the levels a save in a given format would not write back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "files/SaveGuard.h"

namespace vorpel {
namespace {

struct Scratch {
    std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) / ("save_guard_" + std::to_string(::getpid()));
    Scratch() { std::filesystem::create_directories(folder); }
    ~Scratch() { std::filesystem::remove_all(folder); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
};

TEST(ReadFileLevels, ReadsTitlesAndFormatWithoutAsking) {
    const Scratch s;
    const struct {
        const char* name;
        const char* bytes;
        bool exists;
        SaveFormat format;
        std::vector<std::string> titles;
    } cases[] = {
        {"own.txt",
         "\"A\"\r\n.#..\r\n\"B\"\r\n.#..\r\n\"A\"\r\n.@..\r\n",
         true,
         SaveFormat::kOwnText,
         {"A", "B", "A"}},
        {"levels.sok",
         "One\r\n#####\r\n#@$.#\r\n#####\r\n\r\nTwo\r\n#####\r\n#.$@#\r\n#####\r\n",
         true,
         SaveFormat::kSok,
         {"One", "Two"}},
        {"words.txt", "no level in these words\r\n", true, SaveFormat::kSok, {}},
        {"empty.txt", "", true, SaveFormat::kSok, {}},
    };
    for (const auto& c : cases) {
        const FileLevels file = ReadFileLevels(s.Write(c.name, c.bytes));
        EXPECT_EQ(file.exists, c.exists) << c.name;
        EXPECT_EQ(file.titles, c.titles) << c.name;
        if (!c.titles.empty()) {
            EXPECT_EQ(file.format, c.format) << c.name;
        }
    }
    EXPECT_FALSE(ReadFileLevels((s.folder / "missing.txt").string()).exists);
}

TEST(LevelsLostBySave, OtherLevelsAndALosingFormatAreLost) {
    const FileLevels own{true, SaveFormat::kOwnText, false, {"A", "B", "C"}};
    const FileLevels one{true, SaveFormat::kOwnText, false, {"A"}};
    const FileLevels sok{true, SaveFormat::kSok, false, {"A"}};
    const FileLevels dll{true, SaveFormat::kOwnText, true, {"A"}};
    const FileLevels none{};
    using Titles = std::vector<std::string>;
    const struct {
        const char* what;
        const FileLevels& file;
        Titles written;
        SaveFormat format;
        bool formatLoses;
        Titles lost;
    } cases[] = {
        {"one level over a collection", own, {"A"}, SaveFormat::kOwnText, false, {"B", "C"}},
        {"every level back", own, {"C", "B", "A", "D"}, SaveFormat::kOwnText, false, {}},
        {"the same level again", one, {"A"}, SaveFormat::kOwnText, false, {}},
        {"another level", one, {"Z"}, SaveFormat::kOwnText, false, {"A"}},
        {"SOK losing blocks over own text", one, {"A"}, SaveFormat::kSok, true, {"A"}},
        {"SOK keeping all over own text", one, {"A"}, SaveFormat::kSok, false, {}},
        {"SOK losing blocks over SOK", sok, {"A"}, SaveFormat::kSok, true, {}},
        {"own text over SOK", sok, {"A"}, SaveFormat::kOwnText, false, {}},
        {"text over a DLL", dll, {"A"}, SaveFormat::kOwnText, false, {"A"}},
        {"no file", none, {"A"}, SaveFormat::kSok, true, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LevelsLostBySave(c.file, c.written, c.format, c.formatLoses), c.lost) << c.what;
}

TEST(ReplaceQuestion, NamesAFewLevelsAndCountsTheRest) {
    EXPECT_EQ(ReplaceQuestion("/f.txt", {"A"}),
              (std::vector<std::string>{"The file /f.txt holds a level that this save does not "
                                        "write back:",
                                        "\"A\".", "Replace the file and lose them?"}));
    const std::vector<std::string> many = {"1", "2", "3", "4", "5", "6", "7"};
    EXPECT_EQ(ReplaceQuestion("/f.txt", many)[1], "\"1\", \"2\", \"3\", \"4\", \"5\" and 2 more.");
}

} // namespace
} // namespace vorpel
