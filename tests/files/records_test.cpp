// Records: entries of file lines, the sorted list, look-up by halving, records set during the run.
#include <filesystem>

#include <gtest/gtest.h>

#include "SolutionFixtures.h"
#include "files/Records.h"

namespace vorpel {
namespace {

using namespace solution_test;

TEST(RecordEntryOfLine, ReadsMovesStepsAndTitle) {
    const struct {
        const char *line, *entry;
    } cases[] = {
        {"  12  345 Level A", "12,345      Level A"},
        {"1.000 2 T", "1000,2      T"},
        {"123456 7 T", "99999,7     T"},
        {"a1b2 x3y  Title with  blanks ", "12,3        Title with  blanks "},
        {"12 345", ""},
        {"12 345   ", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(RecordEntryOfLine(c.line), c.entry) << c.line;
    EXPECT_EQ(RecordEntry(1234567, 7654321, "T"), "1234567,7654T"); // cut to 12 characters
}

TEST(ReadRecordsFile, SortsTheFileAndFindsEveryTitle) {
    ScratchProgram p;
    p.Write(".rec", "  12  345 Level A\r\n7 70 Zeta\n\n1.000 2000 \xE9t\xE9\r 3 4 Beta\r\n");
    EXPECT_EQ(ReadRecordsFile(p.ctx, true).message, "");
    EXPECT_TRUE(p.Shown().empty());
    // Byte order: capitals before small letters, bytes above 0x7F last; empty entries first.
    const std::vector<std::string> sorted = {"", "3,4         Beta", "12,345      Level A",
                                             "7,70        Zeta", "1000,2000   \xE9t\xE9"};
    EXPECT_EQ(p.ctx.records.recordList, sorted);

    const struct {
        const char* title;
        int moves, steps;
        bool found;
    } cases[] = {
        {"Level A", 12, 345, true}, {"Beta", 3, 4, true},
        {"Zeta", 7, 70, true},      {"\xE9t\xE9", 1000, 2000, true},
        {"level A", 0, 0, false},   {"Level", 0, 0, false},
        {"Zz", 0, 0, false},
    };
    for (const auto& c : cases) {
        int moves = -1, steps = -1;
        EXPECT_EQ(LookUpRecord(p.ctx, c.title, moves, steps), c.found) << c.title;
        EXPECT_EQ(moves, c.moves) << c.title;
        EXPECT_EQ(steps, c.steps) << c.title;
    }
}

TEST(ReadRecordsFile, AMissingFileIsNoRecordsAndADamagedOneIsShownOnlyWhenAsked) {
    ScratchProgram p;
    p.ctx.records.recordList = {"1,1         Old"};
    SetRecord(p.ctx, "Set", 5, 6);
    EXPECT_EQ(ReadRecordsFile(p.ctx, true).message, "");
    EXPECT_TRUE(p.Shown().empty());
    EXPECT_EQ(p.ctx.records.recordList, std::vector<std::string>{"5,6         Set"});

    // A folder where the file should be cannot be read: that is reported.
    std::filesystem::create_directory(p.Path(".rec"));
    const std::string error = ReadRecordsFile(p.ctx, false).message;
    EXPECT_NE(error, "");
    EXPECT_TRUE(p.Shown().empty());
    EXPECT_EQ(ReadRecordsFile(p.ctx, true).message, error);
    const std::vector<std::vector<std::string>> shown = {{"File " + p.Path(".rec") + ".", error}};
    EXPECT_EQ(p.Shown(), shown);
    EXPECT_EQ(p.ctx.records.recordList, std::vector<std::string>{"5,6         Set"});
}

TEST(SetRecord, ReplacesEveryEntryOfItsTitleAndSurvivesReReading) {
    ScratchProgram p;
    p.Write(".rec", "1 1 B\n2 2 A\n3 3 B\n4 4 C\n");
    ASSERT_EQ(ReadRecordsFile(p.ctx, false).message, "");
    int moves = 0, steps = 0;
    ASSERT_TRUE(LookUpRecord(p.ctx, "B", moves, steps));
    EXPECT_TRUE(moves == 1 || moves == 3); // two lines of one title: either is found

    SetRecord(p.ctx, "B", 10, 20);
    SetRecord(p.ctx, "AA", 8, 9);
    SetRecord(p.ctx, "B", 11, 21);
    const std::vector<std::string> expected = {"2,2         A", "8,9         AA", "11,21       B",
                                               "4,4         C"};
    EXPECT_EQ(p.ctx.records.recordList, expected);
    EXPECT_EQ(p.ctx.records.newRecords.size(), 2u);

    ASSERT_EQ(ReadRecordsFile(p.ctx, true).message, "");
    EXPECT_EQ(p.ctx.records.recordList, expected);
    ASSERT_TRUE(LookUpRecord(p.ctx, "B", moves, steps));
    EXPECT_EQ(moves, 11);
    EXPECT_EQ(steps, 21);
}

TEST(LookUpRecord, ReadsOnlyTheCountsOfAnEntry) {
    ScratchProgram p;
    SetRecord(p.ctx, "7 Seas", 99999, 9999999); // the counts fill all 12 characters
    int moves = 0, steps = 0;
    ASSERT_TRUE(LookUpRecord(p.ctx, "7 Seas", moves, steps));
    EXPECT_EQ(moves, 99999);
    EXPECT_EQ(steps, 999999);
    EXPECT_FALSE(LookUpRecord(p.ctx, "", moves, steps));
    EXPECT_EQ(moves + steps, 0);
}

TEST(RecordText, ShowsAQuestionMarkForNoRecord) {
    EXPECT_EQ(RecordText(0), "?");
    EXPECT_EQ(RecordText(-3), "?");
    EXPECT_EQ(RecordText(42), "42");
}

} // namespace
} // namespace vorpel
