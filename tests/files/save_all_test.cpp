// "Save all levels as ...": the format by extension, the levels SOK would change, and files that
// read back to the same levels with their moves.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "Fixtures.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/SaveAll.h"

namespace vorpel {
namespace {

TEST(SaveAll, FormatByExtension) {
    EXPECT_TRUE(SavesAllAsSok("a.sok"));
    EXPECT_TRUE(SavesAllAsSok("a.XSB"));
    EXPECT_FALSE(SavesAllAsSok("a.txt"));
    EXPECT_FALSE(SavesAllAsSok("sok"));
}

TEST(SaveAll, LevelsTheSokWriterWouldChange) {
    const struct {
        const char* name;
        std::vector<std::string> rows;
        bool loses;
    } cases[] = {
        {"walls, boxes, goals, player", {".#.. .v.. +... .@..", "+v.. .... .... ...."}, false},
        {"lettered goal", {"A... .#..", ".... ...."}, false},
        {"water mark", {")... .#..", ".... ...."}, true},
        {"hole mark", {"\\... .#..", ".... ...."}, true},
        {"keyhole", {".%.. ....", ".... ...."}, true},
        {"weak barrier", {".!.. ....", ".... ...."}, true},
        {"teleporter", {".~.. ....", ".... ...."}, true},
        {"normal block becomes a player", {".[.. ....", ".... ...."}, false},
    };
    for (const auto& c : cases) {
        Context ctx;
        ASSERT_EQ(test::LoadBoard(ctx, c.rows), "") << c.name;
        EXPECT_EQ(SokLosesCells(ctx.CurrentLevel()), c.loses) << c.name;
    }
}

TEST(SaveAll, FilesReadBackToTheSameLevels) {
    const std::string levels = "\"One\"\r\n"
                               ".#...#...#...#..\r\n"
                               ".#...@......+...\r\n"
                               ".#...#...#...#..\r\n"
                               " 1) 1, 1: >\r\n"
                               "\"Two\"\r\n"
                               ".#...#...#...#...#..\r\n"
                               ".#...@...v..+....#..\r\n"
                               ".#...#...#...#...#..\r\n"
                               " 1) 1, 1: >\r\n"
                               "\"Three\"\r\n"
                               ".!..\r\n";
    Context ctx;
    std::vector<std::string> lines = SplitLines(levels);
    RememberedAnswer remembered = kAlwaysAdd;
    ctx.collection.levels.clear();
    ASSERT_EQ(AddLevels(ctx, "test", lines, remembered).error, "");
    EXPECT_EQ(SokLossyTitles(ctx.collection), std::vector<std::string>{"Three"});

    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vorpel-all-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (const char* name : {"all.txt", "all.sok"}) {
        const std::string path = (dir / name).string();
        ASSERT_TRUE(WriteAllLevels(ctx.collection, path).Ok()) << name;
        Context again;
        RememberedAnswer answer = kAlwaysAdd;
        ASSERT_EQ(ReadLevelFile(again, path, answer).error, "") << name;
        const bool sok = SavesAllAsSok(name);
        // The void level of a new collection comes first.
        ASSERT_EQ(again.collection.levels.size(), 4u) << name;
        for (int i = 0; i < 3; ++i) {
            const Level& a = ctx.collection.levels[static_cast<std::size_t>(i)];
            const Level& b = again.collection.levels[static_cast<std::size_t>(i + 1)];
            EXPECT_EQ(b.title, a.title) << name;
            EXPECT_EQ(b.stepCount, a.stepCount) << name << " " << a.title;
            if (!sok) {
                EXPECT_EQ(LevelTextOf(b), LevelTextOf(a)) << name;
            }
        }
    }
    EXPECT_EQ(WriteAllLevels(ctx.collection, (dir / "missing" / "all.txt").string()).code,
              FileError::kFailed);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace vorpel
