// The resume file: a collection with histories and positions read back whole, the editor's
// level kept last, damaged texts refused without touching the collection, and setting aside.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/ResumeFile.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

// Three levels; the first two with moves.
const char* kLevels = "\"Slide\"\r\n"
                      ".[..............\r\n"
                      "................\r\n"
                      "............+...\r\n"
                      " 1) 0, 0: v\r\n"
                      " 2) 1, 0: >\r\n"
                      " 3) 1, 1: ^\r\n"
                      "\"Push\"\r\n"
                      ".....@..........\r\n"
                      "....+...........\r\n"
                      " 1) 0, 1: v\r\n"
                      "\"Still\"\r\n"
                      ".#..\r\n";

void Load(Context& ctx, const std::string& text) {
    std::vector<std::string> lines = SplitLines(text);
    RememberedAnswer remembered = kAlwaysAdd;
    ctx.collection.levels.clear();
    ASSERT_EQ(AddLevels(ctx, "test", lines, remembered).error, "");
}

// Positions left in the middle of the histories, a zero-move-count reference and another
// current level.
void Left(Context& ctx) {
    ctx.collection.levels[0].currentStep = 1;
    ctx.collection.levels[0].referenceStep = 2;
    ctx.collection.levels[1].currentStep = 0;
    ctx.collection.currentLevel = 1;
}

struct Position {
    std::string text;
    int currentStep, referenceStep, stepCount;
    bool operator==(const Position&) const = default;
};
std::vector<Position> Positions(const LevelCollection& collection) {
    std::vector<Position> all;
    for (const Level& l : collection.levels)
        all.push_back({LevelTextOf(l), l.currentStep, l.referenceStep, l.stepCount});
    return all;
}

TEST(ResumeFile, CollectionAndPositionsReadBack) {
    Context ctx;
    Load(ctx, kLevels);
    Left(ctx);
    const std::string text = ResumeText(ctx.collection);
    ASSERT_NE(text.find("#level 1 2 3"), std::string::npos) << text;

    Context again;
    ASSERT_EQ(ReadResumeText(again, text), "");
    EXPECT_EQ(Positions(again.collection), Positions(ctx.collection));
    EXPECT_EQ(again.collection.currentLevel, 1);
    EXPECT_EQ(ResumeText(again.collection), text) << "a second round trip changes nothing";
    // The board is brought to the step the level was left at.
    again.collection.currentLevel = 0;
    ShowCurrentLevel(again);
    EXPECT_EQ(again.CurrentLevel().currentStep, 1);
}

TEST(ResumeFile, TheEditedLevelIsKeptLast) {
    Context ctx;
    Load(ctx, kLevels);
    Level edited = ctx.collection.levels[2];
    edited.title = "Edited";
    Context again;
    ASSERT_EQ(ReadResumeText(again, ResumeText(ctx.collection, &edited)), "");
    ASSERT_EQ(again.collection.levels.size(), 4u);
    EXPECT_EQ(again.collection.levels[3].title, "Edited");
    EXPECT_EQ(again.collection.currentLevel, 3);

    // The editor's level is a level of the collection: it is written once, moved last.
    ctx.collection.levels[1].title = "Edited";
    ASSERT_EQ(ReadResumeText(again, ResumeText(ctx.collection, &ctx.collection.levels[1])), "");
    ASSERT_EQ(again.collection.levels.size(), 3u);
    EXPECT_EQ(again.collection.levels[1].title, "Still");
    EXPECT_EQ(again.collection.levels[2].title, "Edited");
    EXPECT_EQ(again.collection.levels[2].stepCount, 1) << "with its moves";
    EXPECT_EQ(again.collection.currentLevel, 2);
}

TEST(ResumeFile, DamagedTextsLeaveTheCollectionAsItWas) {
    Context source;
    Load(source, kLevels);
    Left(source);
    const std::string good = ResumeText(source.collection);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"other header", replaced("#Vorpel resume 1", "#Vorpel resume 2")},
        {"truncated", good.substr(0, good.size() / 2)},
        {"no end line", good.substr(0, good.find("#end"))},
        {"wrong level count", replaced("#end 3", "#end 2")},
        {"lines after the end", good + "x\r\n"},
        {"current level beyond the last", replaced("#current 1", "#current 3")},
        {"negative number", replaced("#current 1", "#current -1")},
        {"step count differs", replaced("#level 1 2 3", "#level 1 2 4")},
        {"current step beyond the history", replaced("#level 1 2 3", "#level 4 2 3")},
        {"reference beyond the history", replaced("#level 1 2 3", "#level 1 4 3")},
        {"a move that cannot be made", replaced("v>^", "v>^<<")},
        {"a board that cannot be read", replaced(".[..", ".\x01..")},
        {"a level without its title", replaced("\"Push\"\r\n", "")},
    };
    for (const auto& c : cases) {
        Context ctx;
        Load(ctx, "\"Mine\"\r\n.#..\r\n");
        EXPECT_NE(ReadResumeText(ctx, c.text), "") << c.name;
        ASSERT_EQ(ctx.collection.levels.size(), 1u) << c.name;
        EXPECT_EQ(ctx.collection.levels[0].title, "Mine") << c.name;
    }
}

TEST(ResumeFile, WrittenAtomicallyAndSetAside) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vorpel-resume-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / kResumeFileName).string();
    Context ctx;
    EXPECT_EQ(ReadResumeFile(ctx, path).code, FileError::kNotFound);
    Load(ctx, kLevels);
    ASSERT_EQ(WriteResumeFile(path, ctx.collection).message, "");
    WriteFaults faults;
    faults.failAtByte = 10;
    Load(ctx, "\"Other\"\r\n.#..\r\n");
    EXPECT_EQ(WriteResumeFile(path, ctx.collection, nullptr, faults).message, kErrorWriting);
    Context again;
    ASSERT_EQ(ReadResumeFile(again, path).message, "") << "the old file is whole";
    EXPECT_EQ(again.collection.levels.size(), 3u);

    // Set aside under a new name each time; nothing is deleted.
    ASSERT_EQ(WriteFileAtomic(path, "damaged").message, "");
    EXPECT_EQ(SetResumeFileAside(path), path + ".damaged");
    ASSERT_EQ(WriteFileAtomic(path, "damaged again").message, "");
    EXPECT_EQ(SetResumeFileAside(path), path + ".damaged.1");
    EXPECT_FALSE(std::filesystem::exists(path));
    std::string kept;
    ASSERT_EQ(ReadWholeFile(path + ".damaged", kept).message, "");
    EXPECT_EQ(kept, "damaged");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace vorpel
