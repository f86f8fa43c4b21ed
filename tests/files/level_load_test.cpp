// Loading levels: titles made where missing, Replace / Add / Cancel with the repeat box, moves
// replayed, bad input refused with the collection left as it was, startup files, and the
// Sokoban collections of the shared corpus.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <unistd.h>

#include "files/FileNames.h"
#include "files/LevelLoad.h"
#include "files/LevelText.h"
#include "files/NblFormat.h"
#include "model/History.h"
#include "model/Solved.h"

namespace vorpel {
namespace {

namespace fs = std::filesystem;

// A user who answers the title question from a queue and keeps everything shown.
class ScriptedPlatform : public SilentPlatform {
public:
    struct Answer {
        Choice choice;
        bool repeat;
    };
    std::deque<Answer> answers;
    std::vector<std::vector<std::string>> questions;
    std::vector<std::string> history;
    std::function<void()> onEvents;
    std::function<void()> onLoadingBoard;
    bool shortcutsFail = false;

    Choice AskChoice(const std::vector<std::string>& lines, const std::string& first,
                     const std::string& second, const std::string& third, bool withRepeat,
                     bool& repeat) override {
        EXPECT_EQ(first, "Replace");
        EXPECT_EQ(second, "Add");
        EXPECT_EQ(third, "");
        EXPECT_TRUE(withRepeat);
        questions.push_back(lines);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << lines[0];
            repeat = false;
            return kChoiceCancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        repeat = answer.repeat;
        return answer.choice;
    }
    void AddToHistory(const std::string& name) override { history.push_back(name); }
    void ProcessEvents() override {
        if (onEvents) onEvents();
    }
    void ShowLoadingBoard() override {
        if (onLoadingBoard) onLoadingBoard();
    }
    bool ResolveShortcut(std::string&) override { return shortcutsFail; }
};

// A corridor: the block at column 1 pushes the master box onto the destination.
std::string PushLevel(const std::string& title, const std::string& moves = "") {
    return "\"" + title + "\"\r\n.#...[...V......+....#..\r\n.#...#...#...#...#...#..\r\n" + moves;
}
const std::string kSolve = "  1)  0,  1:  >>\r\n";

class Loading : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("vorpel-load-" + std::to_string(::getpid()));
    std::unique_ptr<Context> ctx = std::make_unique<Context>();
    ScriptedPlatform platform;

    void SetUp() override {
        fs::create_directories(dir);
        ctx->platform = &platform;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    LoadResult Read(const std::string& path, RememberedAnswer remembered = kAsk) {
        return ReadLevelFile(*ctx, path, remembered);
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (const Level& level : ctx->collection.levels) titles.push_back(level.title);
        return titles;
    }
    std::vector<std::string> Source(const std::string& name, const std::string& text,
                                    std::string* error = nullptr) {
        std::vector<std::string> lines;
        const std::string e = ReadLevelSource(*ctx, Write(name, text), lines).message;
        if (error) *error = e;
        return lines;
    }
};

// --- Titles ------------------------------------------------------------------------------

TEST_F(Loading, SourceTitlesAreMadeWhereMissing) {
    const std::string board = ".#...#..", moves = "  1)  0,  1:  >";
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"unquoted text opening with a board line",
         board + "\n" + board + "\n",
         {"f.txt 1", board, board}},
        {"quoted level without its title line",
         "\"A\"\n" + board + "\n" + moves + "\n" + board + "\n",
         {"\"A\"", board, moves, "\"f.txt 1\"", board}},
        {"empty line between levels",
         "\"A\"\n" + board + "\n\n\"B\"\n" + board + "\n",
         {"\"A\"", board, "\"f.txt 1\"", "\"B\"", board}},
        {"title of two double quotes", "\"\"\n" + board + "\n", {"\"f.txt 1\"", board}},
        {"line that is neither board nor moves",
         "\"A\"\n" + board + "\n#junk\n" + board + "\n",
         {"\"A\"", board, "\"f.txt 1\"", "#junk", "\"f.txt 2\"", board}},
        {"moves where a title belongs",
         "\"A\"\n" + board + "\n\n" + moves + "\n",
         {"\"A\"", board, "\"f.txt 1\"", moves}},
        {"unquoted titles and digit move lines",
         "T\n" + board + "\n1)0,1:>\nU\n" + board + "\n",
         {"T", board, "1)0,1:>", "U", board}},
    };
    for (const auto& c : cases) {
        ctx->titleCounter = 0;
        std::string error;
        EXPECT_EQ(Source("f.txt", c.text, &error), c.lines) << c.what;
        EXPECT_EQ(error, "") << c.what;
    }
}

TEST_F(Loading, QuotedLevelWithoutTitleIsNamedAfterTheSource) {
    Write("set.txt", PushLevel("A", kSolve) + ".#...[...V......+....#..\r\n");
    ctx->collection.levels.clear();
    EXPECT_EQ(Read((dir / "set.txt").string()).error, "");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "set.txt 1"}));
}

TEST_F(Loading, TitlesLoseTheirQuotesOnceAndEmptyOnesAreNumbered) {
    ctx->collection.levels.clear();
    std::vector<std::string> lines = {"\"a \"b\" c\"", ".#..",   "\"\"A\"\"", ".#..", "\"",
                                      ".#..",          "\"open", ".#.."};
    RememberedAnswer remembered = kAsk;
    EXPECT_EQ(AddLevels(*ctx, "File x.", lines, remembered).error, "");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a \"b\" c", "\"A\"", "no title 1", "open"}));
}

TEST_F(Loading, TitleStartingWithABlankIsRefusedAndNothingIsAdded) {
    const LoadResult result = Read(Write("blank.txt", PushLevel(" Push")));
    EXPECT_EQ(result.error, "Title \" Push\" not accepted: starts with the space character.");
    EXPECT_EQ(Titles(), std::vector<std::string>{"Void level"});
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0][1], result.error);
}

TEST_F(Loading, UniqueTitlesCountFromOneAndSkipTakenOnes) {
    ctx->collection.levels[0].title = "Clipboard 2";
    EXPECT_EQ(MakeUniqueTitle(*ctx, "Clipboard"), "Clipboard 1");
    EXPECT_EQ(MakeUniqueTitle(*ctx, "Clipboard"), "Clipboard 3");
    EXPECT_EQ(ctx->titleCounter, 3u);

    ctx->collection.levels = std::vector<Level>(3);
    ctx->collection.levels[0].title = "Same";
    ctx->collection.levels[1].title = "same";
    ctx->collection.levels[2].title = "Same";
    EXPECT_EQ(FindLevelByTitle(*ctx, "Same"), 0);
    EXPECT_EQ(FindLevelByTitle(*ctx, "same"), 1);
    EXPECT_EQ(FindLevelByTitle(*ctx, "SAME"), -1);
}

// --- Titles already taken ----------------------------------------------------------------

TEST_F(Loading, TakenTitleAsksAndAddsReplacesOrCancels) {
    const std::string file = Write("push.txt", PushLevel("Push"));
    Read(file);
    ASSERT_TRUE(platform.questions.empty());

    platform.answers = {{kChoiceSecond, false}};
    EXPECT_EQ(Read(file).error, "");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Void level", "Push", "Push"}));
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(platform.questions[0],
              (std::vector<std::string>{
                  "There already is a level with title \"Push\".",
                  "To replace the previous level, click on Replace or press the R key.",
                  "To add the new level, keeping the previous one, click on Add or press the A "
                  "key.",
                  "To cancel the command, click on Cancel or press the Esc key."}));

    // Replace takes the first level with the title and makes it current.
    platform.answers = {{kChoiceFirst, false}};
    Read(Write("push.txt", PushLevel("Push", kSolve)));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Void level", "Push", "Push"}));
    EXPECT_EQ(ctx->collection.currentLevel, 1);
    EXPECT_EQ(ctx->collection.levels[1].stepCount, 2);
    EXPECT_EQ(ctx->collection.levels[2].stepCount, 0);

    // Cancel keeps the levels the file added before the taken title.
    platform.answers = {{kChoiceCancel, false}};
    const LoadResult result = Read(Write("two.txt", PushLevel("New") + PushLevel("Push")));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Void level", "Push", "Push", "New"}));
    EXPECT_EQ(ctx->collection.currentLevel, 3);
    EXPECT_EQ(platform.shown.size(), 0u);
}

TEST_F(Loading, RepeatedAnswerServesTheFilesDroppedAfterIt) {
    std::vector<std::string> files;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        files.push_back(Write(name, PushLevel("Push")));
    Read(files[0]);

    platform.answers = {{kChoiceSecond, true}};
    ReadDroppedFiles(*ctx, files);
    EXPECT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(ctx->collection.levels.size(), 6u);

    platform.questions.clear();
    platform.answers = {{kChoiceFirst, true}};
    ReadDroppedFiles(*ctx, files);
    EXPECT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(ctx->collection.levels.size(), 6u);
    EXPECT_EQ(ctx->collection.currentLevel, 1);

    // An answer remembered by the caller is used without asking.
    RememberedAnswer remembered = kAlwaysAdd;
    ReadLevelFile(*ctx, files[0], remembered);
    EXPECT_EQ(ctx->collection.levels.size(), 7u);
    EXPECT_EQ(platform.questions.size(), 1u);
}

TEST_F(Loading, FailedReplacementLeavesTheOldLevelWhole) {
    Read(Write("push.txt", PushLevel("Push", kSolve)));
    platform.answers = {{kChoiceFirst, false}};
    const LoadResult result = Read(Write("bad.txt", "\"Push\"\r\n.#...Q..\r\n"));
    EXPECT_EQ(result.error, "Invalid block \"Q\" at line 2, column 6.");
    ASSERT_EQ(ctx->collection.levels.size(), 2u);
    EXPECT_EQ(ctx->collection.levels[1].stepCount, 2);
    EXPECT_EQ(ctx->collection.levels[1].columns, 6);
    EXPECT_EQ(ctx->collection.currentLevel, 1);
}

// --- Moves -------------------------------------------------------------------------------

TEST_F(Loading, MoveErrorIsShownAndTheLevelKeepsTheMovesBeforeIt) {
    const std::string board = "\"Room\"\r\n"
                              ".#...#...#...#...#...#..\r\n"
                              ".#...[...............#..\r\n"
                              ".#...#...#...#...#...#..\r\n";
    const std::string file = Write("room.txt", board +
                                                   "  1)  1,  1:  >\r\n"
                                                   "  2)  1,  2:  >\r\n"
                                                   "  3)  1,  3:  ^\r\n"
                                                   "  4)  1,  3:  >\r\n" +
                                                   PushLevel("Next", kSolve));
    EXPECT_EQ(Read(file).error, "");
    ASSERT_EQ(Titles(), (std::vector<std::string>{"Void level", "Room", "Next"}));
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0], (std::vector<std::string>{"File " + file + ".",
                                                           "Invalid step at line 7, column 15."}));

    const Level& room = ctx->collection.levels[1];
    EXPECT_EQ(room.stepCount, 2);
    EXPECT_EQ(room.currentStep, 0);
    EXPECT_EQ(room.steps.capacity(), room.steps.size()); // compacted

    // Loading leaves each level at its start; its moves replay to a solved board.
    const Level& next = ctx->collection.levels[2];
    EXPECT_EQ(next.currentStep, 0);
    EXPECT_EQ(TotalSteps(next), 2);
    EXPECT_EQ(ctx->collection.currentLevel, 2);
    RebuildBoard(*ctx);
    EXPECT_FALSE(IsSolved(*ctx));
    EndOfLevel(*ctx);
    EXPECT_TRUE(IsSolved(*ctx));
}

// Each level with moves is shown at its start before its moves are read, while the read goes on;
// levels without moves are not shown.
TEST_F(Loading, LevelsWithMovesAreShownAsTheyAreRead) {
    struct Shown {
        std::string title;
        int rows, columns, steps;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> shown;
    platform.onLoadingBoard = [&] {
        const Level& level = ctx->CurrentLevel();
        shown.push_back({level.title, ctx->board.rows, ctx->board.columns, level.stepCount});
    };
    const std::string file =
        Write("three.txt", PushLevel("One", kSolve) + PushLevel("Two") +
                               "\"Three\"\r\n.#...#...#...#...#..\r\n.#...[...V..+....#..\r\n"
                               ".#...#...#...#...#..\r\n  1)  1,  1:  >\r\n");
    EXPECT_EQ(Read(file).error, "");
    EXPECT_EQ(shown, (std::vector<Shown>{{"One", 2, 6, 0}, {"Three", 3, 5, 0}}));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Void level", "One", "Two", "Three"}));
}

// --- Bad input ---------------------------------------------------------------------------

TEST_F(Loading, BadSourcesGiveAMessageAndLeaveTheCollectionAsItWas) {
    Read(Write("push.txt", PushLevel("Push", kSolve)));
    ctx->collection.currentLevel = 0;
    const std::vector<std::string> before = Titles();
    // Lines that a text reader would take for a title and a board line.
    const char kPng[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n#\n";

    fs::create_directories(dir / "folder.txt");
    const std::string huge = (dir / "huge.txt").string();
    std::ofstream(huge).close();
    fs::resize_file(huge, kMaxLevelSourceBytes + 1); // sparse: nothing is really written
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {(dir / "missing.txt").string(), "File not found."},
        {(dir / "folder.txt").string(),
         "Error when opening the file.\r\n" + (dir / "folder.txt").string() + ": Is a directory."},
        {"/dev/zero", "Error when opening the file.\r\n/dev/zero: Not a regular file."},
        {Write("empty.txt", ""), "No level found in the file."},
        {Write("blank.txt", "\r\n\r\n"), "No level found in the file."},
        {Write("notes.sok", "just some notes\nno board here\n"), "No level found in the file."},
        {Write("binary.txt", std::string(kPng, sizeof kPng - 1)),
         "File not recognized: it holds binary data."},
        {huge, "File too large to be read as levels (more than 512 MB)."},
        {Write("nbl.nbl", std::string("\x02\x00", 2)),
         "File not recognized: first byte is 2. \"1\" was expected"},
        {Write("tiny.nbl", "\x01"), "File too small to be valid."},
        {Write("cut.nbl", std::string("\x01\x05"
                                      "ab",
                                      4)),
         "File too small to be valid."},
        {Write("levels.fmt", "MZ"), "Format refused."}, // a registered reader's error
        {Write("bad.txt", PushLevel("Fine") + "\"Bad\"\r\n.#...Q..\r\n"),
         "Invalid block \"Q\" at line 5, column 6."},
        {Write("repeat.sok", "T\n\n#@$.#\n64R\n"),
         "Repetition number (64) too high at line 4, column 2."},
    };
    RegisterLevelReader(".fmt",
                        [](const std::string&, std::vector<std::string>&, const UniqueTitleMaker&,
                           const RecordSetter&) { return FileResult::Failed("Format refused."); });
    for (const auto& c : cases) {
        platform.shown.clear();
        const LoadResult result = Read(c.path);
        EXPECT_EQ(result.error, c.error) << c.path;
        ASSERT_EQ(platform.shown.size(), 1u) << c.path;
        EXPECT_EQ(platform.shown[0][0], "File " + c.path + ".");
        EXPECT_EQ(platform.shown[0][1], c.error);
        // The good level before a bad one stays; nothing else changes.
        std::vector<std::string> expected = before;
        if (c.path.ends_with("bad.txt")) expected.push_back("Fine");
        EXPECT_EQ(Titles(), expected) << c.path;
        if (c.path.ends_with("bad.txt")) {
            ctx->collection.levels.pop_back();
            ctx->collection.currentLevel = 0;
        }
    }
}

TEST_F(Loading, ClipboardWithoutTextOrLevels) {
    RememberedAnswer remembered = kAsk;
    EXPECT_EQ(ReadLevelFile(*ctx, LevelPlace::Clipboard(), remembered).error,
              "No text found in the Clipboard.");
    platform.clipboard = "";
    EXPECT_EQ(ReadLevelFile(*ctx, LevelPlace::Clipboard(), remembered).error,
              "No level found in the file.");
    ASSERT_EQ(platform.shown.size(), 2u);
    EXPECT_EQ(platform.shown[1],
              (std::vector<std::string>{"Clipboard.", "No level found in the file."}));

    // Sokoban text on the clipboard gets a title made from "Clipboard".
    platform.clipboard = "#####\n#@$.#\n#####\n";
    EXPECT_EQ(ReadLevelFile(*ctx, LevelPlace::Clipboard(), remembered).error, "");
    EXPECT_EQ(ctx->CurrentLevel().title, "Clipboard 2");
    EXPECT_EQ(ctx->CurrentLevel().rows, 3);
    EXPECT_TRUE(platform.history.empty());
}

TEST_F(Loading, FileNamesAreMadeFullChecksAndRemembered) {
    fs::create_directories(dir / "sub");
    Write("sub/push.txt", PushLevel("Push"));
    const fs::path here = fs::current_path();
    fs::current_path(dir);
    Read("sub/../sub/push.txt");
    fs::current_path(here);
    const std::string full = (dir / "sub" / "push.txt").string();
    EXPECT_EQ(platform.history, std::vector<std::string>{full});
    EXPECT_EQ(ctx->lastReadFolder, (dir / "sub").string());

    // A full name of 255 characters is refused before anything is read.
    std::string longName = (dir / "").string();
    longName.append(255 - longName.size() - 4, 'n');
    longName += ".txt";
    EXPECT_EQ(Read(longName).error, NameTooLongMessage(longName));
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0], (std::vector<std::string>{kNameTooLongIntro, longName}));
    EXPECT_EQ(platform.history.size(), 1u);

    // Dropped names of 255 characters and shortcuts that cannot be resolved are refused.
    platform.shown.clear();
    platform.shortcutsFail = true;
    const std::string link = (dir / "broken.LNK").string();
    ReadDroppedFiles(*ctx, {longName, link});
    ASSERT_EQ(platform.shown.size(), 2u);
    EXPECT_EQ(platform.shown[0][0], kNameTooLongIntro);
    EXPECT_EQ(platform.shown[1],
              std::vector<std::string>{
                  "Unable to get the destination file from the shortcut file " + link});
    EXPECT_EQ(platform.history.size(), 1u);
}

TEST_F(Loading, StopRequestEndsReadingBetweenLevelsAndFiles) {
    const std::string file = Write("three.txt", PushLevel("A") + PushLevel("B") + PushLevel("C"));
    int events = 0;
    std::stop_source stop;
    platform.onEvents = [&] {
        if (++events == 2) stop.request_stop();
    };
    ReadDroppedFiles(*ctx, {file, file}, stop.get_token());
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Void level", "A"}));

    // Each drop has a request of its own; this one stops before its second file.
    events = -3;
    stop = std::stop_source();
    platform.answers = {{kChoiceSecond, true}};
    ReadDroppedFiles(*ctx, {file, file}, stop.get_token());
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Void level", "A", "A", "B", "C"}));
}

// --- Other formats -----------------------------------------------------------------------

TEST_F(Loading, NblAndSokFilesGoThroughTheirReaders) {
    Context source;
    std::size_t index = 0;
    const std::vector<std::string> lines = SplitLines(PushLevel("Written"));
    ReadLevelText(source, lines, index, true);
    ASSERT_TRUE(WriteNblFile(source, (dir / "one.NBL").string()).Ok());
    EXPECT_EQ(Read((dir / "one.NBL").string()).error, "");
    EXPECT_EQ(ctx->CurrentLevel().title, "Written");
    EXPECT_EQ(ctx->CurrentLevel().rows, 6);

    // A solution after the board of an .sok file is one move of the player.
    EXPECT_EQ(Read(Write("set.sok", "First\n\n#####\n#@$.#\n#####\nrr\n")).error, "");
    EXPECT_EQ(ctx->CurrentLevel().title, "First");
    EXPECT_EQ(TotalSteps(ctx->CurrentLevel()), 1);
    EXPECT_EQ(platform.shown.size(), 1u); // the second step pushes the box into the wall
}

TEST_F(Loading, OversizeSokBoardsAreSkippedWithOneMessageAtTheEnd) {
    std::string tall;
    for (int i = 0; i < 65; ++i) tall += "#\n";
    const std::string path =
        Write("big.sok", "Small\n\n#@$.#\n\nWide\n\n" + std::string(65, '#') + "\n\nTall\n\n" +
                             tall + "\nAlso small\n\n#@$.#\n");
    const LoadResult result = Read(path);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Void level", "Small", "Also small"}));
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0],
              (std::vector<std::string>{"File " + path + ".",
                                        "2 levels with more than 64 rows or columns were skipped:",
                                        "\"Wide\" at line 7.", "\"Tall\" at line 11."}));

    // Nothing else in the file: the same message says that every level was too large.
    platform.shown.clear();
    const std::string lone = Write("lone.xsb", "\n" + std::string(65, '#') + "\n");
    EXPECT_EQ(Read(lone).error, kEveryLevelTooLarge);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0],
              (std::vector<std::string>{"File " + lone + ".", kEveryLevelTooLarge,
                                        "1 level with more than 64 rows or columns was skipped:",
                                        "The level at line 2."}));
    EXPECT_EQ(Titles().size(), 3u);
}

// --- Startup files -----------------------------------------------------------------------

TEST(StartupFileName, PutsTheNumberBeforeTheTextExtension) {
    EXPECT_EQ(StartupFileName("/opt/Vorpel.exe", "3"), "/opt/Vorpel 3.txt");
    EXPECT_EQ(StartupFileName("/opt/vorpel", "0"), "/opt/vorpel 0.txt");
    EXPECT_EQ(StartupFileName("/opt/Vorpel.exe", ""), "/opt/Vorpel .txt");
}

TEST_F(Loading, StartupFilesReadTheListInOrderWithTheirMoves) {
    ctx->programPath = (dir / "Prog.exe").string();
    ctx->options.startupList = "2,,x5";
    // Saved by the program: move lines after the board, which are no levels of their own.
    Write("Prog 2.txt", PushLevel("Two", kSolve) + "\"Broken\"\r\n.#...Q..\r\n.#...#..\r\n" +
                            PushLevel("Two", kSolve));
    Write("Prog 5.txt", PushLevel("Five"));
    platform.answers.clear();
    ReadStartupFiles(*ctx);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Two", "Two", "Five"}));
    EXPECT_EQ(ctx->collection.currentLevel, 0);
    EXPECT_EQ(ctx->collection.levels[0].stepCount, 2);
    EXPECT_EQ(ctx->collection.levels[0].currentStep, 0);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0],
              (std::vector<std::string>{(dir / "Prog .txt").string(), "File not found."}));

    // With an empty list the file numbered 0 is read; without any level the void level stays.
    ctx->options.startupList.clear();
    platform.shown.clear();
    ReadStartupFiles(*ctx);
    EXPECT_EQ(Titles(), std::vector<std::string>{"Void level"});
    EXPECT_EQ(ctx->collection.levels[0].rows, 6);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0][0], (dir / "Prog 0.txt").string());
}

// --- The shared corpus -------------------------------------------------------------------

TEST_F(Loading, CorpusCollectionsLoadAsTheSokRulesSay) {
    const fs::path corpus = fs::path(VORPEL_SOURCE_DIR) / ".." / "shared" / "corpus" / "sokoban";
    if (!fs::exists(corpus / "MANIFEST.md")) GTEST_SKIP() << "no corpus at " << corpus;
    const struct {
        const char* file;
        std::size_t levels;
        std::vector<std::string> unsolved;
        std::vector<std::string> withoutMoves;
    } cases[] = {
        {"Original_and_Extra.sok", 91, {"Level 1", "Level 37"}, {"Level 37"}},
        {"MicroCosmos.sok", 40, {}, {}},
        {"PicoCosmos.sok", 20, {}, {}},
    };
    for (const auto& c : cases) {
        ctx->collection.levels.clear();
        ctx->titleCounter = 0;
        EXPECT_EQ(Read((corpus / c.file).string()).error, "") << c.file;
        EXPECT_TRUE(platform.shown.empty()) << c.file;
        EXPECT_TRUE(platform.questions.empty()) << c.file;
        EXPECT_EQ(ctx->titleCounter, 0u) << c.file << ": a title was made up";
        ASSERT_EQ(ctx->collection.levels.size(), c.levels) << c.file;
        std::vector<std::string> unsolved, withoutMoves;
        for (int i = 0; i <= ctx->collection.lastLevel(); ++i) {
            ctx->collection.currentLevel = i;
            RebuildBoard(*ctx);
            EndOfLevel(*ctx);
            if (!IsSolved(*ctx)) unsolved.push_back(ctx->CurrentLevel().title);
            if (ctx->CurrentLevel().stepCount == 0)
                withoutMoves.push_back(ctx->CurrentLevel().title);
        }
        EXPECT_EQ(unsolved, c.unsolved) << c.file;
        EXPECT_EQ(withoutMoves, c.withoutMoves) << c.file;
    }
}

} // namespace
} // namespace vorpel
