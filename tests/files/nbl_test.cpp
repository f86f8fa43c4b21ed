// NBL files: the reader's level text lines and refusals, the writer's bytes and numbering.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <unistd.h>

#include "TextFixtures.h"
#include "files/LevelText.h"
#include "files/NblFormat.h"
#include "io/FileIO.h"
#include "model/History.h"

namespace vorpel {
namespace {

using text_test::SetBoard;

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes += static_cast<char>(v);
    return bytes;
}

struct Reading {
    std::vector<std::string> lines;
    std::string error;
};

Reading Read(const std::string& bytes, const std::string& source = "level.nbl") {
    Reading r;
    int counter = 0;
    r.error = ReadNblBytes(bytes, source, r.lines, [&](const std::string& base) {
                  return base + " " + std::to_string(++counter);
              }).message;
    return r;
}

// Reads level text lines into the current level and builds its play board.
std::string LoadLines(Context& ctx, const std::vector<std::string>& lines) {
    ctx.collection.NewLevel("", 4, 4, false);
    std::size_t index = 0;
    std::string error = ReadLevelText(ctx, lines, index, true);
    RebuildBoard(ctx);
    return error;
}

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("vorpel-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

TEST(NblRead, RefusesWhatItCannotRead) {
    const std::string tooSmall = "File too small to be valid.";
    struct Case {
        std::string bytes;
        std::string error;
    };
    const Case cases[] = {
        {Bytes({}), tooSmall},
        {Bytes({1}), tooSmall},
        {Bytes({2, 0}), "File not recognized: first byte is 2. \"1\" was expected"},
        // Truncated files: within the title, before the kinds, before the size, in the cells.
        {Bytes({1, 0}), tooSmall},
        {Bytes({1, 3, 'a', 'b'}), tooSmall},
        {Bytes({1, 0, 2, 9}), tooSmall},
        {Bytes({1, 0, 0}), tooSmall},
        {Bytes({1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0}), tooSmall},
        {Bytes({1, 0, 0, 65}), "Level with more than 64 rows or columns."},
        {Bytes({1, 0, 1, 9, 1, 2, 0x10}), "Block with identifying number too large."},
    };
    for (const Case& c : cases) {
        std::vector<std::string> output = {"kept"};
        const std::string error =
            ReadNblBytes(c.bytes, "x.nbl", output, [](const std::string& base) {
                return base;
            }).message;
        EXPECT_EQ(error, c.error) << testing::PrintToString(c.bytes);
        EXPECT_EQ(output, std::vector<std::string>{"kept"});
    }
}

TEST(NblRead, TitlesAreCleanedOrMadeUp) {
    struct Case {
        std::string titleBytes;
        const char* title;
    };
    for (const Case& c : {Case{"Room", "Room"}, Case{" \t Room ", "Room "}, Case{"", "no title 1"},
                          Case{"  ", "level.nbl 1"}}) {
        std::string bytes = Bytes({1, static_cast<int>(c.titleBytes.size())}) + c.titleBytes;
        bytes += Bytes({0, 0});
        const Reading r = Read(bytes);
        ASSERT_EQ(r.error, "");
        const std::vector<std::string> expected = {std::string("\"") + c.title + "\"", "........",
                                                   "........"};
        EXPECT_EQ(r.lines, expected);
    }
}

// A 3 x 5 level with frame, keyhole, water, a two-cell normal block, a master box on a
// destination, a lettered box on its mark, a teleporter and a round block.
Level& SampleLevel(Context& ctx) {
    Level& level = SetBoard(ctx, "N", {".#.#.%.#.#", ".#.[.[+..~", ".#).+VAv.\xA1"});
    level.idLayer[CellIndex(1, 2)] = level.IdAt(1, 1);
    level.idLayer[CellIndex(2, 3)] = -1;
    return level;
}

const std::string kSampleBytes = Bytes({1, 1, 'N', 11, 9, 20, 11, 13, 0, 0, 0, 0, 99, 28, 29, 5}) +
                                 Bytes({1, 0x16, 1, 0x15, 1, 0x11, 0, 0, 0, 0}) +  // column 0
                                 Bytes({1, 0x1A, 9, 0x12, 4, 0x10, 0, 0, 0, 0}) +  // column 1
                                 Bytes({3, 0x1A, 9, 0x18, 10, 0x50, 0, 0, 0, 0}) + // column 2
                                 Bytes({1, 0x1A, 0, 0x50, 11, 0x50, 0, 0, 0, 0}) + // column 3
                                 Bytes({1, 0x1C, 2, 0x11, 0, 0, 0, 0, 0, 0});      // column 4

TEST(NblWrite, BytesOfASampleLevelAndItsReadingBack) {
    Context ctx;
    std::string bytes;
    ASSERT_EQ(NblBytes(SampleLevel(ctx), bytes), "");
    EXPECT_EQ(bytes, kSampleBytes);

    const Reading r = Read(bytes);
    ASSERT_EQ(r.error, "");
    const std::vector<std::string> expected = {
        "\"N\"",
        ".#...#...%...#...#..",
        ".#...[8/.[8/+....~..",
        ".#..)...+V9/+v:/....",
        "....................",
        "....................",
    };
    EXPECT_EQ(r.lines, expected);

    Context back;
    ASSERT_EQ(LoadLines(back, r.lines), "");
    EXPECT_EQ(back.CurrentLevel().rows, 5);
    EXPECT_EQ(back.CurrentLevel().columns, 5);
}

TEST(NblWrite, SeparateBlocksGetTheirOwnNumbers) {
    Context ctx;
    std::string bytes;
    ASSERT_EQ(NblBytes(SetBoard(ctx, "", {".[...[", ".....x"}), bytes), "");
    EXPECT_EQ(bytes.substr(0, 23),
              Bytes({1, 8}) + "no title" + Bytes({11, 9, 0, 11, 13, 0, 0, 0, 0, 99, 99, 27, 3}));
    const Reading r = Read(bytes);
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[1], ".[8/.....[9/");
    EXPECT_EQ(r.lines[2], ".........x:/");

    Context back;
    ASSERT_EQ(LoadLines(back, r.lines), "");
    const PlayBoard& board = back.board;
    EXPECT_NE(board.BlockIndexAt(0, 0), board.BlockIndexAt(0, 2));
    EXPECT_EQ(board.blocks[board.BlockIndexAt(0, 0)].kind, '[');
    EXPECT_EQ(board.blocks[board.BlockIndexAt(0, 2)].kind, '[');
}

TEST(NblWrite, TooManyBlocksWritesNothing) {
    for (const int blocks : {246, 247}) {
        Context ctx;
        Level& level = ctx.CurrentLevel();
        level.Initialise("Many", 16, 16);
        for (int i = 0; i < blocks; ++i) {
            level.blockLayer[CellIndex(i / 16, i % 16)] = '[';
            level.idLayer[CellIndex(i / 16, i % 16)] = static_cast<std::int16_t>(i + 2);
        }
        level.blockLayer[CellIndex(15, 14)] = '#';
        level.blockLayer[CellIndex(15, 15)] = '%';
        level.markLayer[CellIndex(15, 13)] = ')';
        const std::string path = TempPath("many.nbl");
        std::filesystem::remove(path);
        const std::string error = WriteNblFile(ctx, path).message;
        if (blocks == 246) {
            EXPECT_EQ(error, "");
            std::string bytes;
            ASSERT_EQ(ReadWholeFile(path, bytes).message, "");
            EXPECT_EQ(static_cast<Byte>(bytes[6]), 254);
        } else {
            EXPECT_EQ(error, "Too many blocks for this type of file.");
            EXPECT_FALSE(std::filesystem::exists(path));
        }
        std::filesystem::remove(path);
    }
}

TEST(NblFile, WrittenAndReadThroughTheFileSystem) {
    Context ctx;
    SampleLevel(ctx);
    const std::string path = TempPath("sample.nbl");
    ASSERT_TRUE(WriteNblFile(ctx, path).Ok());
    std::vector<std::string> lines;
    ASSERT_EQ(ReadNblFile(path, lines, [](const std::string& base) { return base; }).message, "");
    EXPECT_EQ(lines.size(), 6u);

    EXPECT_EQ(WriteNblFile(ctx, path, WriteFaults{.failAtByte = 10}).message, kErrorWriting);
    std::string bytes;
    ASSERT_EQ(ReadWholeFile(path, bytes).message, "");
    EXPECT_EQ(bytes, kSampleBytes);
    std::filesystem::remove(path);

    EXPECT_EQ(ReadNblFile(path, lines, [](const std::string& base) { return base; }).message,
              kFileNotFound);
}

} // namespace
} // namespace vorpel
