// Every writer under injected write faults, and a writer killed mid-write: the file it replaces
// is always either the old one or the new one, whole.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <random>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "FuzzEntries.h"
#include "HardeningKit.h"
#include "bricksdll/BricksDll.h"
#include "bricksdll/BricksMoves.h"
#include "files/BestSolutions.h"
#include "files/LevelText.h"
#include "files/MoveText.h"
#include "files/NblFormat.h"
#include "files/SokFormat.h"
#include "io/FileIO.h"
#include "model/History.h"
#include "model/Movement.h"
#include "model/Solved.h"
#include "render/GifExport.h"

namespace vorpel {
namespace {

using namespace hardening;

// The Bricks level of the fuzz targets with three moves: it can be written in every format.
constexpr const char* kMoves = "  1)  3,  1:  x\r\n  2)  1,  2:  >\r\n  3)  4,  1:  ^\r\n";

struct Writer;

// The program, its level and the files around it.
struct Scene {
    ScratchFolder folder;
    std::unique_ptr<Context> ctx = std::make_unique<Context>();

    Scene() {
        std::vector<std::string> lines = fuzz::BricksLevelLines();
        for (const std::string& line : SplitLines(kMoves)) lines.push_back(line);
        ctx->collection.NewLevel("", 4, 4, false);
        std::size_t index = 0;
        EXPECT_EQ(ReadLevelText(*ctx, lines, index, true), "");
        RebuildBoard(*ctx);
        EXPECT_EQ(ReadMoveLines(*ctx, lines, index), "");
        ctx->programPath = folder.File("vorpel.exe");
    }
    std::vector<std::vector<std::string>>& Shown() { return ctx->silentPlatform.shown; }
    // What the user was told: the message returned, or the last one shown.
    std::vector<std::string> Told(const std::string& returned) {
        if (!returned.empty()) return {returned};
        return Shown().empty() ? std::vector<std::string>() : Shown().back();
    }
    // Writes with the faults; returns what the user was told meanwhile.
    std::vector<std::string> Write(const Writer& writer, const WriteFaults& faults);
};

struct Writer {
    const char* name;
    const char* file; // the file it replaces, in the scratch folder
    bool namesFile;   // its message starts with a line naming the file
    // Makes what the writer needs besides the level (the previous file is written after).
    std::function<void(Scene&)> prepare;
    // Writes the file with the faults; returns what the user was told.
    std::function<std::vector<std::string>(Scene&, const WriteFaults&)> write;
};

std::vector<std::string> Scene::Write(const Writer& writer, const WriteFaults& faults) {
    Shown().clear();
    return writer.write(*this, faults);
}

// The best solutions file before each write: a record of another title, and a shorter record
// of the level.
void TwoRecords(Scene& s) {
    Level& level = s.ctx->CurrentLevel();
    const std::string title = level.title;
    level.title = "Other";
    ASSERT_TRUE(SaveBestSolution(*s.ctx, false));
    level.title = title;
    ASSERT_TRUE(SaveBestSolutionSteps(*s.ctx, 1, false));
}

DllContents PackContents(const Scene& scene) {
    DllContents contents;
    contents.gameName = "Pack";
    contents.savePrefix = "pk";
    contents.levels = {scene.ctx->collection.currentLevel};
    contents.timeStamp = 0x5F5E1000;
    return contents;
}

const Writer kWriters[] = {
    {"LevelText", "level.txt", false, nullptr,
     [](Scene& s, const WriteFaults& f) {
         return s.Told(WriteLevelText(*s.ctx, s.folder.File("level.txt"), f).message);
     }},
    {"Sok", "level.sok", false, nullptr,
     [](Scene& s, const WriteFaults& f) {
         return s.Told(WriteSokLevel(*s.ctx, s.folder.File("level.sok"), f).message);
     }},
    {"Nbl", "level.nbl", false, nullptr,
     [](Scene& s, const WriteFaults& f) {
         return s.Told(WriteNblFile(*s.ctx, s.folder.File("level.nbl"), f).message);
     }},
    {"SaveBestSolution", "vorpel.sol", true, TwoRecords,
     [](Scene& s, const WriteFaults& f) {
         SaveBestSolution(*s.ctx, false, f);
         return s.Told("");
     }},
    {"EraseBestSolution", "vorpel.sol", false, TwoRecords,
     [](Scene& s, const WriteFaults& f) { return s.Told(EraseBestSolution(*s.ctx, f).message); }},
    {"BricksDll", "pack.dll", false, nullptr,
     [](Scene& s, const WriteFaults& f) {
         const std::vector<std::string> error =
             WriteBricksDll(s.ctx->collection, s.folder.File("pack.dll"), PackContents(s), f);
         return error.empty() ? s.Told("") : error;
     }},
    {"BricksMoves", "pk1.b 1", false,
     [](Scene& s) {
         ASSERT_TRUE(
             WriteBricksDll(s.ctx->collection, s.folder.File("pack.dll"), PackContents(s)).empty());
     },
     [](Scene& s, const WriteFaults& f) {
         WriteBricksMoves(*s.ctx, 0, s.folder.File("pack.dll"), "1", f);
         return s.Told("");
     }},
    {"GifAnimation", "play.gif", true, nullptr,
     [](Scene& s, const WriteFaults& f) {
         auto canvas = std::make_unique<BoardCanvas>();
         auto state = std::make_unique<ViewState>();
         CanvasView view;
         RecordGif(*s.ctx, *state, *canvas, view, GifExportSettings{}, s.folder.File("play.gif"),
                   DefaultGifNavigation(*s.ctx, *state, *canvas, view), {}, {}, f);
         return s.Told("");
     }},
};

class WriteFaultsTest : public ::testing::TestWithParam<Writer> {};

// A failure at any byte or at the final rename leaves the previous file as it was, leaves no
// other file behind, keeps the play where it was and tells the user "Error when writing the
// file." (after the file's name where the writer names it); the next write without a fault
// writes what it would have.
TEST_P(WriteFaultsTest, LeaveThePreviousFileWhole) {
    const Writer& writer = GetParam();
    Scene scene;
    if (writer.prepare) writer.prepare(scene);
    const fs::path target = scene.folder.Path() / writer.file;
    if (!fs::exists(target)) Replace(target, "the previous file\r\n");
    const std::string previous = Contents(target);
    const std::set<std::string> names = scene.folder.Names();
    const int position = scene.ctx->CurrentLevel().currentStep;

    EXPECT_EQ(scene.Write(writer, {}), std::vector<std::string>());
    const std::string written = Contents(target);
    ASSERT_NE(written, previous);
    ASSERT_GT(written.size(), 2u);

    std::vector<std::string> failure = {kErrorWriting};
    if (writer.namesFile) failure.insert(failure.begin(), "File " + target.string() + ".");
    std::vector<WriteFaults> faults = {{.failRename = true}};
    for (const std::size_t at :
         {std::size_t{0}, std::size_t{1}, written.size() / 2, written.size() - 1})
        faults.push_back({.failAtByte = static_cast<long long>(at)});
    for (const WriteFaults& fault : faults) {
        SCOPED_TRACE(fault.failRename ? std::string("rename")
                                      : "byte " + std::to_string(fault.failAtByte));
        Replace(target, previous);
        EXPECT_EQ(scene.Write(writer, fault), failure);
        EXPECT_EQ(Contents(target), previous);
        EXPECT_EQ(scene.folder.Names(), names);
        EXPECT_EQ(scene.ctx->CurrentLevel().currentStep, position);
    }

    Replace(target, previous);
    EXPECT_EQ(scene.Write(writer, {}), std::vector<std::string>());
    EXPECT_EQ(Contents(target), written);
}

// A failing case prints its name, not a dump of its bytes.
void PrintTo(const Writer& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Writers, WriteFaultsTest, ::testing::ValuesIn(kWriters),
                         [](const auto& test) { return std::string(test.param.name); });

// A writer process killed at random moments, again and again, each time over the old file:
// after each kill the file is the old one or one of the two versions the writer alternates
// between, never a mix.
TEST(KilledWriter, LeavesTheOldOrTheNewFile) {
    ScratchFolder folder;
    const std::string path = folder.File("large.txt");
    const std::string old = "the old file\r\n";
    const std::string versions[] = {std::string(4 << 20, 'a'), std::string(3 << 20, 'b')};
    std::mt19937 random(20240607);
    bool sawNew = false;
    for (int kill = 0; kill < 24 || !sawNew; ++kill) {
        ASSERT_LT(kill, 200) << "the writer never finished a file";
        Replace(path, old);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            for (int i = 0;; ++i)
                if (!WriteFileAtomic(path, versions[i % 2]).message.empty()) ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 80));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
        const std::string now = Contents(path);
        const bool isNew = now == versions[0] || now == versions[1];
        EXPECT_TRUE(now == old || isNew)
            << "a mix of " << now.size() << " bytes after kill " << kill;
        sawNew = sawNew || isNew;
    }
    // The temporary files of the writes cut short show that kills landed mid-write.
    int cutShort = 0;
    for (const std::string& name : folder.Names()) cutShort += name != "large.txt";
    EXPECT_GT(cutShort, 0);
}

} // namespace
} // namespace vorpel
