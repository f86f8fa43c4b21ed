// Writing Bricks DLLs: the file layout byte by byte, the grids' pieces, joins and codes, the
// levels that cannot be written, and the image checked by pefile.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#include "DllFixtures.h"

namespace vorpel {
namespace {

using namespace dll_test;

std::uint32_t Address(std::size_t dataOffset) {
    return kDataAddress + static_cast<std::uint32_t>(dataOffset);
}

TEST(DllWrite, OneSmallLevelMakesThe3584ByteFile) {
    Context ctx;
    AddLevel(ctx, "T", EmptyRows(2, 2));
    DllContents contents = Contents(ctx, {"T"}, "G");
    contents.records[0] = 77;
    const std::string bytes = DllBytes(ctx, contents);
    ASSERT_EQ(bytes.size(), 3584u);
    const std::uint32_t stamp = *contents.timeStamp;
    // Patched header fields, then the data header's words (offsets in the file).
    const std::vector<std::pair<std::size_t, std::uint32_t>> words = {
        {0x0C8, stamp},
        {0x424, stamp},
        {0x0E0, 1536 + 512},
        {0x110, 0x4000},
        {0x210, 1536},
        {0x218, 1536},
        {0x44C, 0x1052 + 9},
        {0x1C0, 9 + 94},
        {kData + 0, 0xF99AB99D},
        {kData + 4, 4},
        {kData + 8, Address(1148)},  // game name
        {kData + 12, Address(1152)}, // prefix
        {kData + 16, 14},
        {kData + 20, Address(884)},
        {kData + 24, 3},
        {kData + 28, Address(1156)}, // block G
        {kData + 72, 1},
        {kData + 76, Address(1052)},
        {kData + 80, 0x0F061A01},
        {kData + 84, Address(1192)}, // block H
        {kData + 88, 0x44},
        {kData + 100, 1},
        {kData + 104, Address(116)},
        {kData + 116, Address(1488)}, // level 0: title, size, grids
        {kData + 120, 0x0202},
        {kData + 124, Address(1492)},
        {kData + 128, Address(1500)},
        {kData + 884 + 4 * 12 + 8, Address(1356)}, // text items 4 and 5: the credits
        {kData + 884 + 5 * 12 + 8, Address(1408)},
        {kData + 884 + 6 * 12 + 8, Address(1460)}, // items 6 to 12: introduction lines
        {kData + 884 + 12 * 12 + 8, Address(1484)},
        {kData + 884 + 13 * 12, 0x015EFF05},
        {kData + 884 + 13 * 12 + 8, 0x1A},
        {kData + 1156, 0x00D90019},
        {kData + 1156 + 32, 0x36},
    };
    for (const auto& [at, value] : words) EXPECT_EQ(U32(bytes, at), value) << std::hex << at;
    for (std::size_t word : {8, 17, 23, 24, 27, 28})
        EXPECT_EQ(U32(bytes, kData + 4 * word), 0u) << word;
    EXPECT_EQ(bytes.substr(0x452, 21), std::string("pack.dll\0GetGameData\0", 21));
    EXPECT_EQ(U32(bytes, kData + 1052), 77u); // records: level 0's, then zeros
    EXPECT_EQ(bytes.substr(kData + 1148, 8), std::string("G\0\0\0G\0\0\0", 8));
    EXPECT_EQ(bytes.substr(kData + 1192, 6), "JA@  J");
    EXPECT_EQ(bytes.substr(kData + 1192 + 155, 9), std::string(" \0\0\0\0\0\0\0\0", 9));
    EXPECT_EQ(bytes[kData + 1356 + 50] != 0 && bytes[kData + 1356 + 51] == 0, true);
    EXPECT_EQ(bytes[kData + 1408 + 50] != 0 && bytes[kData + 1408 + 51] == 0, true);
    for (std::size_t k = 0; k < 7; ++k)
        EXPECT_EQ(bytes.substr(kData + 1460 + 4 * k, 4), std::string(" \0\0\0", 4));
    EXPECT_EQ(bytes.substr(kData + 1488, 4), std::string("T\0\0\0", 4));
    EXPECT_EQ(bytes.substr(kData + 1492, 16), std::string("    \0\0\0\0    \0\0\0\0", 16));
    EXPECT_EQ(bytes.find_first_not_of('\0', kData + 1508), std::string::npos);
    // The unused level records are zero; the relocation table still lists their fields.
    EXPECT_EQ(bytes.find_first_not_of('\0', kData + 132), kData + 884);
    EXPECT_EQ(U32(bytes, 0x60C + 8 + 2 * 7) & 0xFFFF, 0x3074u);
    EXPECT_EQ(U32(bytes, 0x60C + 8 + 2 * 159) & 0xFFFF, 0x3000u | (0x3AC + 12 * 8));
}

TEST(DllWrite, NamesRecordsAndIntroductionLines) {
    Context ctx;
    AddLevel(ctx, "First", EmptyRows(2, 3));
    AddLevel(ctx, "Second", EmptyRows(3, 2));
    DllContents contents = Contents(ctx, {"Second", "First"}, "");
    contents.records[0] = 5;
    contents.records[1] = 65535;
    contents.introduction = {"one", "", "three", "4", "5", "6", "7", "eight"};
    const std::string bytes = DllBytes(ctx, contents);
    const auto text = [&](std::size_t wordAt) {
        return std::string(bytes.c_str() + At(U32(bytes, wordAt)));
    };
    EXPECT_EQ(text(kData + 8), "Second"); // the first chosen level names the game
    EXPECT_EQ(text(kData + 12), "Second");
    EXPECT_EQ(text(kData + 116), "Second");
    EXPECT_EQ(text(kData + 132), "First");
    EXPECT_EQ(U32(bytes, kData + 1052), 5u | 65535u << 16); // by place among the chosen levels
    const std::vector<std::string> lines = {"one", " ", "three", "4", "5", "6", "7"};
    for (std::size_t k = 0; k < lines.size(); ++k)
        EXPECT_EQ(text(kData + 884 + (6 + k) * 12 + 8), lines[k]);
    EXPECT_EQ(Grids(bytes, 0).columns, 2);
    EXPECT_EQ(Grids(bytes, 0).rows, 3);

    contents.gameName = "Pack";
    contents.savePrefix = "pk";
    const std::string named = DllBytes(ctx, contents, "my levels.dll");
    EXPECT_EQ(std::string(named.c_str() + At(U32(named, kData + 8))), "Pack");
    EXPECT_EQ(std::string(named.c_str() + At(U32(named, kData + 12))), "pk");
    EXPECT_EQ(std::string(named.c_str() + 0x452), "my levels.dll");
    EXPECT_EQ(U32(named, 0x44C), 0x1052u + 14);
}

struct GridCase {
    const char* name;
    std::vector<std::string> rows;
    std::vector<int> board;
    std::vector<int> blocks;
};

TEST(DllWrite, BoardAndBlockGrids) {
    const std::vector<GridCase> cases = {
        {"2 x 2 block",
         {".[aa.[aa", ".[aa.[aa"},
         {0x5A, 0x59, 0x56, 0x55},
         {0x31, 0x31, 0x31, 0x31}},
        {"L-shaped block",
         {".[aa....", ".[aa.[aa"},
         {0x48, 0x20, 0x46, 0x41},
         {0x31, 0x20, 0x31, 0x31}},
        {"single cells: normal, keystone",
         {".[...&..", "........"},
         {0x40, 0x50, 0x20, 0x20},
         {0x31, 0x32, 0x20, 0x20}},
        {"ring of walls",
         {".#...#...#..", ".#.......#..", ".#...#...#.."},
         {0x6A, 0x63, 0x69, 0x6C, 0x20, 0x6C, 0x66, 0x63, 0x65},
         {0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}},
        {"isolated wall",
         {".#......", "........"},
         {0x60, 0x20, 0x20, 0x20},
         {0x20, 0x20, 0x20, 0x20}},
        {"keyhole joins walls, weak joins strong",
         {".#...%..", ".*aa.!aa"},
         {0x62, 0xA1, 0x32, 0x11},
         {0x20, 0x20, 0x20, 0x20}},
        {"3 x 3 block: the middle cell",
         {".[aa.[aa.[aa", ".[aa.[aa.[aa", ".[aa.[aa.[aa"},
         {0x5A, 0x5B, 0x59, 0x5E, 0x5F, 0x5D, 0x56, 0x57, 0x55},
         std::vector<int>(9, 0x31)},
        {"block without its bottom-right corner",
         {".[aa.[aa.[aa", ".[aa.[aa...."},
         {0x4A, 0x4B, 0x41, 0x46, 0x45, 0x20},
         {0x31, 0x31, 0x31, 0x31, 0x31, 0x20}},
        {"master codes count down, others up",
         {".@a..[b..@c.", ".xb......Xc."},
         {0x40, 0x40, 0x40, 0xAF, 0x20, 0xAF},
         {0x30, 0x31, 0x2F, 0x31, 0x20, 0x2F}},
        {"joined kinds",
         {".$aa.$aa.;..", ".-...|...>.."},
         {0x72, 0x71, 0x90, 0xB0, 0xC0, 0xD0},
         {0x31, 0x31, 0x32, 0x33, 0x34, 0x35}},
        {"marks",
         {"+...)...:..._...", "<.../...\\......."},
         {0x21, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x20},
         std::vector<int>(8, 0x20)},
        {"blockade without keystone: no codes",
         {".(...[..", "<......."},
         {0xE0, 0x40, 0x26, 0x20},
         {0x20, 0x31, 0x20, 0x20}},
        {"with a keystone, blockades and then switches take codes",
         {"<....(...&..", ".(..<.......", "............"},
         {0x26, 0xE0, 0x50, 0xE0, 0x26, 0x20, 0x20, 0x20, 0x20},
         {0x34, 0x31, 0x32, 0x33, 0x35, 0x20, 0x20, 0x20, 0x20}},
    };
    for (const GridCase& test : cases) {
        Context ctx;
        const Level& level = AddLevel(ctx, "level", test.rows);
        ASSERT_TRUE(IsDllWritable(level)) << test.name;
        const std::string bytes = DllBytes(ctx, Contents(ctx, {"level"}));
        const GridPlace g = Grids(bytes, 0);
        EXPECT_EQ(GridBytes(bytes, g.board, g), test.board) << test.name;
        EXPECT_EQ(GridBytes(bytes, g.blocks, g), test.blocks) << test.name;
    }
}

// Rows of `count` cells of `group` (each its own block), 64 to a row, then `tail` cells.
std::vector<std::string> ManyCells(int count, const std::string& group,
                                   const std::vector<std::string>& tail = {}) {
    std::vector<std::string> rows;
    for (int k = 0; k < count; ++k) {
        if (k % 64 == 0) rows.emplace_back();
        rows.back() += group;
    }
    rows.insert(rows.end(), tail.begin(), tail.end());
    if (rows.size() < 2) rows.push_back("....");
    return rows;
}

TEST(DllWrite, LevelsThatCannotBeWritten) {
    const std::vector<std::string> switches1 = {".&..<..."}, switches2 = {".&..<...<..."};
    const struct {
        const char* name;
        std::vector<std::string> rows;
        bool writable;
    } cases[] = {
        {"16 master blocks", ManyCells(16, ".@.."), true},
        {"17 master blocks", ManyCells(17, ".@.."), false},
        {"204 other blocks", ManyCells(204, ".[.."), true},
        {"205 other blocks", ManyCells(205, ".;.."), false},
        {"202 blocks, a keystone and a switch", ManyCells(202, ".[..", switches1), true},
        {"202 blocks, a keystone and two switches", ManyCells(202, ".[..", switches2), false},
        {"200 blocks and 20 blockades", ManyCells(200, ".[..", {ManyCells(20, ".(..")[0]}), true},
        {"200 blocks and 21 blockades", ManyCells(200, ".[..", {ManyCells(21, ".(..")[0]}), false},
        {"a block on a mark", {"+[..", "...."}, false},
        {"a don't-cover mark", {"^...", "...."}, false},
        {"a letter mark", {"A...", "...."}, false},
        {"a round mark", {"\xA1...", "...."}, false},
        {"a box", {".v..", "...."}, false},
        {"a teleporter", {".~..", "...."}, false},
        {"a round block", {".\xA1..", "...."}, false},
        {"a letter block",
         {".[\xFF"
          "A",
          "...."},
         true},
    };
    for (const auto& test : cases) {
        Context ctx;
        AddLevel(ctx, "level", test.rows);
        EXPECT_EQ(IsDllWritable(ctx.collection, ctx.collection.currentLevel), test.writable)
            << test.name;
    }
    Context ctx;
    EXPECT_FALSE(IsDllWritable(ctx.collection, 1));
}

TEST(DllWrite, InitialRecords) {
    EXPECT_EQ(InitialDllRecord(0), 999);
    EXPECT_EQ(InitialDllRecord(-3), 999);
    EXPECT_EQ(InitialDllRecord(1), 1);
    EXPECT_EQ(InitialDllRecord(65535), 65535);
    EXPECT_EQ(InitialDllRecord(70000), 65535);
}

TEST(DllWrite, WithoutATimeTheCurrentTimeIsStamped) {
    Context ctx;
    AddLevel(ctx, "T", EmptyRows(2, 2));
    DllContents contents = Contents(ctx, {"T"});
    contents.timeStamp.reset();
    const std::uint32_t before = CurrentDllTime();
    const std::string bytes = DllBytes(ctx, contents);
    const std::uint32_t after = CurrentDllTime();
    EXPECT_GE(U32(bytes, 0x0C8), before);
    EXPECT_LE(U32(bytes, 0x0C8), after);
    EXPECT_EQ(U32(bytes, 0x424), U32(bytes, 0x0C8));
    EXPECT_GT(before, 1700000000u) << "not 1970";
}

class DllWriteFile : public DllFiles {};

TEST_F(DllWriteFile, RefusedLevelsWriteNothing) {
    Context ctx;
    AddLevel(ctx, "box", {".v..", "...."});
    AddLevel(ctx, "fine", EmptyRows(2, 2));
    const std::vector<std::string> refused = {kDllNotWritten, kDllInvalidLevel};
    const std::vector<std::string> none;
    const std::string path = (dir / "out.dll").string();
    const std::vector<std::vector<std::string>> choices = {
        {"fine", "box"}, {"fine", "missing"}, {}, std::vector<std::string>(49, "fine")};
    for (const auto& titles : choices) {
        EXPECT_EQ(WriteBricksDll(ctx.collection, path, Contents(ctx, titles)), refused);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    EXPECT_EQ(
        WriteBricksDll(ctx.collection, path, Contents(ctx, std::vector<std::string>(48, "fine"))),
        none);
    const std::string written = Load(path);
    EXPECT_EQ(U32(written, kData + 72), 48u);
    // A failed write leaves the file as it was.
    WriteFaults faults;
    faults.failAtByte = 100;
    EXPECT_EQ(WriteBricksDll(ctx.collection, path, Contents(ctx, {"fine"}), faults),
              std::vector<std::string>{kErrorWriting});
    EXPECT_EQ(Load(path), written);
}

int RunCommand(const std::string& command, std::string& out) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    const int raw = pclose(pipe);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST_F(DllWriteFile, PefileReadsAValidDll) {
    Context ctx;
    AddLevel(ctx, "T", EmptyRows(2, 2));
    AddLevel(ctx, "Big", EmptyRows(64, 64));
    const std::string path = (dir / "levels.dll").string();
    ASSERT_TRUE(WriteBricksDll(ctx.collection, path, Contents(ctx, {"T", "Big"}, "G")).empty());
    std::string out;
    const int status = RunCommand(std::string("/usr/bin/python3 ") + VORPEL_SOURCE_DIR +
                                      "/tests/bricksdll/check_pe.py '" + path + "'",
                                  out);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(out, "machine 0x14c\n"
                   "dll True\n"
                   "magic 0x10b\n"
                   "image_size 0x6000\n"
                   "sections .text .reloc .data\n"
                   "library levels.dll\n"
                   "exports GetGameData@0x1000\n"
                   "relocations 161 repeated 0\n"
                   "warnings 0\n"
                   "returns 0x20003000\n"
                   "game G\n");
}

} // namespace
} // namespace vorpel
