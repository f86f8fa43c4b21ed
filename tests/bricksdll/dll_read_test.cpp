// Reading Bricks DLLs: round trips through the writer, both data versions' cell codes, barrier
// units, titles and records, the forms of GetGameData, and damaged files.
#include <gtest/gtest.h>

#include <random>

#include "DllFixtures.h"
#include "bricksdll/PeImage.h"
#include "files/LevelLoad.h"
#include "files/Records.h"

namespace vorpel {
namespace {

using namespace dll_test;

// Every level of a DLL's bytes as level text lines.
std::vector<std::string> TextOf(const std::string& bytes, std::uint32_t loadBase = 0) {
    DllGameData data;
    EXPECT_EQ(ParseBricksDll(bytes, data, loadBase), "");
    std::vector<std::string> lines;
    for (const DllLevel& level : data.levels) {
        const std::vector<std::string> text = DllLevelText(level, data.version, level.title);
        lines.insert(lines.end(), text.begin(), text.end());
    }
    return lines;
}

// Each cell's mark, character and the first cell of the block it belongs to (tire cells with
// their block, weak barrier cells with their barrier), so that levels compare by their blocks
// whatever identifiers they use.
std::vector<std::string> Canonical(const Level& level) {
    std::map<std::pair<Byte, int>, int> firstCell;
    std::vector<std::string> rows;
    for (int r = 0; r < level.rows; ++r) {
        std::string row;
        for (int c = 0; c < level.columns; ++c) {
            Byte kind = level.BlockAt(r, c);
            row += static_cast<char>(level.MarkAt(r, c));
            row += static_cast<char>(kind);
            if (kind == 'x') kind = '[';
            if (kind == 'X') kind = '@';
            if (kind == '!') kind = '*';
            if (!TakesIdentifier(kind)) {
                row += " -";
                continue;
            }
            const int first =
                firstCell.try_emplace({kind, level.IdAt(r, c)}, r * 64 + c).first->second;
            row += ' ';
            row += std::to_string(first);
            row += ';';
        }
        rows.push_back(row);
    }
    return rows;
}

// The levels of level text lines, read into a collection of their own.
std::vector<std::vector<std::string>> LevelsOf(const std::vector<std::string>& lines) {
    Context ctx;
    std::vector<std::vector<std::string>> levels;
    for (std::size_t index = 0; index < lines.size();) {
        ctx.collection.NewLevel("", 4, 4, false);
        EXPECT_EQ(ReadLevelText(ctx, lines, index, true), "");
        levels.push_back(Canonical(ctx.CurrentLevel()));
    }
    return levels;
}

// A level with every kind and mark a DLL holds.
const std::vector<std::string> kAllKinds = {
    ".#.. .#.. .#.. .%.. .#.. .#.. .#.. .#..",  //
    ".#.. .@a. .@a. .[b. .[b. .{c. .{c. .#..",  //
    ".#.. .Xa. .@a. .... .[b. .... .... .#..",  //
    "+... )... :... _... <... /... \\... .#..", //
    ".*d. .*d. .!d. .$.. .Y.. .;.. .Z.. .#..",  //
    ".*d. .*d. .*d. .-.. .=.. .|.. .\".. .#..", //
    ".*d. .*d. .*d. .>.. .y.. .&.. .w.. .(..",  //
    ".]e. .}.. .z.. .?.. .[\xFF"
    "A .... .... ....",
};

TEST(DllRead, RoundTripsKeepKindsMarksAndBlocks) {
    Context ctx;
    const std::vector<std::string> pieces = {
        ".[a. .[a. .... .[b. .[b. .[b.", //
        ".[a. .... .(.. .[b. .... .[b.", //
        ".... .... .... .[b. .[b. .[b.", //
    };
    const std::vector<std::string> walls = {
        ".#.. .#.. .#.. .... .#..", //
        ".#.. .... .#.. .... ....", //
        ".#.. .#.. .#.. .... .!..", //
    };
    std::vector<std::vector<std::string>> expected;
    for (const auto* rows : {&kAllKinds, &pieces, &walls}) {
        AddLevel(ctx, "level " + std::to_string(expected.size()), *rows);
        ASSERT_TRUE(IsDllWritable(ctx.CurrentLevel()));
        expected.push_back(Canonical(ctx.CurrentLevel()));
    }
    const std::string bytes = DllBytes(ctx, Contents(ctx, {"level 0", "level 1", "level 2"}));
    EXPECT_EQ(LevelsOf(TextOf(bytes)), expected);
    // Mapped elsewhere, the relocations move every address the structure holds.
    EXPECT_EQ(TextOf(bytes, 0x20000000), TextOf(bytes));
}

TEST(DllRead, BarrierUnits) {
    Context ctx;
    AddLevel(ctx, "u", {".*a. .... .*a.", ".*a. .... .*a.", ".*a. .*a. .*a."});
    AddLevel(ctx, "solid", {".*a. .*a. .*a.", ".*a. .!a. .*a.", ".*a. .*a. .*b."});
    AddLevel(ctx, "late", {".... .*a. .*a. .*a.", ".*a. .*a. .... .*a.", ".*a. .*b. .*a. .*a."});
    const std::vector<std::string> lines =
        TextOf(DllBytes(ctx, Contents(ctx, {"u", "solid", "late"})));
    // The U's arms start as two units; the bottom row joins them into one.
    const std::vector<std::string> expected = {
        "\"u\"", ".*!/.....*!/", ".*!/.....*!/", ".*!/.*!/.*!/",
        // A cell joined on all four sides stays a barrier; the last cell is a unit of its own.
        "\"solid\"", ".*!/.*!/.*!/", ".*!/.!!/.*!/", ".*!/.*!/.*\"/",
        // The last cell joins the unit of the cell above it, which the first cell of its own
        // row carries too: that cell follows, and the barrier stays whole.
        "\"late\"", ".....*$/.*$/.*$/", ".*$/.*$/.....*$/", ".*$/.*#/.*$/.*$/"};
    EXPECT_EQ(lines, expected);
}

// A DLL of one level of the given size whose grids and data version are then set directly.
std::string CraftedDll(int version, const std::vector<int>& board, const std::vector<int>& blocks,
                       int columns) {
    Context ctx;
    AddLevel(ctx, "crafted", EmptyRows(static_cast<int>(board.size()) / columns, columns));
    std::string bytes = DllBytes(ctx, Contents(ctx, {"crafted"}));
    SetU32(bytes, kData + 4, static_cast<std::uint32_t>(version));
    const GridPlace g = Grids(bytes, 0);
    for (std::size_t k = 0; k < board.size(); ++k) {
        bytes[g.board + k] = static_cast<char>(board[k]);
        bytes[g.blocks + k] = static_cast<char>(blocks[k]);
    }
    return bytes;
}

struct CodeCase {
    int g;
    int b;
    const char* group;
};

TEST(DllRead, CellCodesOfBothDataVersions) {
    const std::vector<CodeCase> newer = {
        {0x21, 0x31, "+..."}, {0x23, 0x20, ")..."},   {0x24, 0, ":..."},    {0x25, 0, "_..."},
        {0x26, 0x40, "<..."}, {0x27, 0, "/..."},      {0x28, 0, "\\..."},   {0x40, 0x31, ".[1."},
        {0x5F, 0x30, ".@0."}, {0x5F, '.', ".@\x1F."}, {0x58, 0x31, "...."}, {0x50, 0x21, ".w!."},
        {0x51, 0x32, ".{2."}, {0x52, 0x2F, ".z/."},   {0x53, 0x31, ".]1."}, {0x53, 0x30, ".@0."},
        {0x6F, 0x31, ".#.."}, {0x70, 0x22, ".Y\"."},  {0x9F, 0x33, ".;3."}, {0xA5, 0x31, ".%.."},
        {0xAF, 0x40, ".x@."}, {0xB3, 0x2A, ".=*."},   {0xC0, 0x41, ".|A."}, {0xDF, 0x21, ".y!."},
        {0xE5, 0x45, ".(E."}, {0xFD, 0x46, ".(F."},   {0xF8, 0x31, "...."}, {0x80, 0x31, "...."},
        {0x20, 0x20, "...."},
    };
    const std::vector<CodeCase> older = {
        {0x21, 0x31, ".$1."},   {0x21, 0x30, ".Y0."}, {0x23, 0, ".#.."},    {0x59, 0x31, ".#.."},
        {0x24, 0x32, ".&2."},   {0x25, 0, ".%.."},    {0x26, 0x31, ".(.."}, {0x28, 0, "<..."},
        {0x29, 0x2B, ".y+."},   {0x2A, 0, "/..."},    {0x7C, 0x31, ".|1."}, {0x2F, 0, ")..."},
        {0x3D, 0x31, ".-1."},   {0x3F, 0, "\\..."},   {0x40, 0x31, ".}1."}, {0x4B, 0, "_..."},
        {0x6B, 0x21, ".@!."},   {0x6C, 0x31, ".{1."}, {0x6D, 0, "+..."},    {0xA7, 0x31, ".;1."},
        {0xB0, 0x31, ".x1."},   {0xF6, 0, ":..."},    {0x99, 0x20, "...."}, {0x99, 0x51, ".[Q."},
        {0x99, '.', ".@\x1F."},
    };
    for (const auto& [version, cases] : {std::pair{4, newer}, std::pair{3, older}}) {
        for (const CodeCase& test : cases) {
            const std::vector<std::string> lines = TextOf(
                CraftedDll(version, {test.g, 0x20, 0x20, 0x20}, {test.b, 0x20, 0x20, 0x20}, 2));
            ASSERT_EQ(lines.size(), 3u);
            EXPECT_EQ(lines[1].substr(0, 4), test.group)
                << "version " << version << " code " << std::hex << test.g;
        }
    }
}

TEST(DllRead, OlderBarrierUnits) {
    // Row 0: a new unit, one in the unit to its left, a new unit, and one "in the unit above"
    // with nothing above, which starts a unit. Row 1: one in the unit above, a gap, a new unit,
    // and 0x39, which takes the unit above and gives it to the run of barriers to its left.
    // Row 2: a barrier of its own.
    const std::vector<int> board = {0x31, 0x32, 0x35, 0x30, //
                                    0x30, 0x20, 0x37, 0x39, //
                                    0xE1, 0x20, 0x20, 0x20};
    const std::vector<std::string> lines =
        TextOf(CraftedDll(3, board, std::vector<int>(12, 0x20), 4));
    const std::vector<std::string> expected = {"\"crafted\"", ".*!..*!..*\"..*#.",
                                               ".*!......*#..*#.", ".*%............."};
    EXPECT_EQ(lines, expected);
}

class DllReadFile : public DllFiles {};

TEST_F(DllReadFile, TitlesRecordsAndGrids) {
    Context ctx;
    AddLevel(ctx, "  Spaced  ", {".[.. ....", ".... ...."});
    AddLevel(ctx, "   ", EmptyRows(2, 3));
    DllContents contents = Contents(ctx, {"  Spaced  ", "   "}, "Game");
    contents.savePrefix = "pk";
    contents.records[0] = 31;
    const std::string path = Save("pack.dll", DllBytes(ctx, contents));
    int counter = 0;
    const UniqueTitleMaker unique = [&](const std::string& base) {
        return base + " " + std::to_string(++counter);
    };
    std::vector<std::string> titles{"kept"};
    EXPECT_TRUE(ListDllLevels(path, titles, unique).Ok());
    EXPECT_EQ(titles, (std::vector<std::string>{"kept", "Spaced", "pack.dll 1"}));

    std::vector<std::pair<std::string, int>> records;
    std::vector<std::string> lines;
    EXPECT_EQ(ReadDllLevels(path, lines, unique,
                            [&](const std::string& title, int moves, int steps) {
                                EXPECT_EQ(steps, 0);
                                records.emplace_back(title, moves);
                            })
                  .message,
              "");
    EXPECT_EQ(lines, (std::vector<std::string>{"\"Spaced\"", ".[1.....", "........",
                                               "\"pack.dll 2\"", "............", "............"}));
    // The second level's record is 0: no record, nothing set.
    EXPECT_EQ(records, (std::vector<std::pair<std::string, int>>{{"Spaced", 31}}));

    DllLevelGrid grid;
    EXPECT_TRUE(ReadDllLevelGrid(path, 1, grid).Ok());
    EXPECT_EQ(grid.savePrefix, "pk");
    EXPECT_EQ(grid.version, 4u);
    EXPECT_EQ(grid.columns, 3);
    EXPECT_EQ(grid.rows, 2);
    EXPECT_EQ(grid.blockGrid, std::vector<Byte>(6, 0x20));
    for (int index : {-1, 2}) {
        EXPECT_EQ(ReadDllLevelGrid(path, index, grid).message, kDllLevelMissing);
        EXPECT_TRUE(grid.blockGrid.empty());
    }
    const std::string missing = (dir / "missing.dll").string();
    EXPECT_EQ(ListDllLevels(missing, titles, unique).message, kDllLoadError);
    EXPECT_EQ(ReadDllLevels(missing, lines, unique, nullptr).message, kDllLoadError);
    EXPECT_EQ(ReadDllLevelGrid(missing, 0, grid).message, kDllLoadError);
    EXPECT_EQ(titles.size(), 3u);
}

TEST_F(DllReadFile, TheLoaderReadsDllsAndKeepsTheirRecords) {
    Context source;
    AddLevel(source, "Pushes", {".[.. .@.. +...", ".#.. .#.. .#.."});
    DllContents contents = Contents(source, {"Pushes"});
    contents.records[0] = 42;
    const std::string path = Save("pack.dll", DllBytes(source, contents));
    RegisterDllReader();
    Context ctx;
    RememberedAnswer remembered = kAsk;
    EXPECT_EQ(ReadLevelFile(ctx, Save("bad.dll", "MZ"), remembered).error, kDllLoadError);
    EXPECT_EQ(ReadLevelFile(ctx, path, remembered).error, "");
    EXPECT_EQ(ctx.CurrentLevel().title, "Pushes");
    EXPECT_EQ(Canonical(ctx.CurrentLevel()), Canonical(source.CurrentLevel()));
    int moves = 0, steps = 0;
    EXPECT_TRUE(LookUpRecord(ctx, "Pushes", moves, steps));
    EXPECT_EQ(moves, 42);
    EXPECT_EQ(steps, 0);
}

TEST(DllRead, NoLevels) {
    Context ctx;
    AddLevel(ctx, "T", EmptyRows(2, 2));
    std::string bytes = DllBytes(ctx, Contents(ctx, {"T"}));
    SetU32(bytes, kData + 72, 0);
    EXPECT_TRUE(TextOf(bytes).empty());
}

// The code of GetGameData at file offset 0x400 (16 bytes before the entry point).
std::string WithCode(std::string bytes, const std::string& code) {
    std::string padded = code;
    padded.resize(16, '\x90');
    bytes.replace(0x400, 16, padded);
    return bytes;
}

TEST(DllRead, GetGameDataIsReadNotRun) {
    Context ctx;
    AddLevel(ctx, "T", EmptyRows(2, 2));
    const std::string bytes = DllBytes(ctx, Contents(ctx, {"T"}));
    const std::string address("\x00\x30\x00\x10", 4);
    const struct {
        const char* name;
        std::string code;
        bool recognised;
    } cases[] = {
        {"frame set up and torn down", "\x55\x8B\xEC\xB8" + address + "\x5D\xC3", true},
        {"leave, ret 0", "\x55\x89\xE5\xB8" + address + std::string("\xC9\xC2\x00\x00", 4), true},
        {"short jump", "\xEB\x06\x90\x90\x90\x90\x90\x90\xB8" + address + "\xC3", true},
        {"near jump", std::string("\xE9\x03\x00\x00\x00\x90\x90\x90\xB8", 9) + address + "\xC3",
         true},
        {"load from a pointer",
         std::string("\xA1\x0C\x10\x00\x10\xC3\x90\x90\x90\x90\x90\x90", 12) + address, true},
        {"lea", "\x8D\x05" + address + "\xC3", true},
        {"null", "\x31\xC0\xC3", false},
        {"no value", "\x55\x5D\xC3", false},
        {"trap", "\xCC", false},
        {"call", std::string("\xE8\x00\x00\x00\x00\xC3", 6), false},
        {"endless loop", "\xEB\xFE", false},
        {"jump out of the code", std::string("\xE9\x00\x00\x00\x01", 5), false},
    };
    for (const auto& test : cases) {
        DllGameData data;
        EXPECT_EQ(ParseBricksDll(WithCode(bytes, test.code), data),
                  test.recognised ? "" : kDllFormatError)
            << test.name;
        EXPECT_EQ(data.levels.size(), test.recognised ? 1u : 0u) << test.name;
    }
}

TEST_F(DllReadFile, SavePrefixWithoutTextOnlyStopsTheMovesFiles) {
    Context ctx;
    AddLevel(ctx, "Kept", {".[.. ....", ".... ...."});
    DllContents contents = Contents(ctx, {"Kept"});
    contents.records[0] = 12;
    const std::string good = DllBytes(ctx, contents);
    const UniqueTitleMaker unique = [](const std::string& base) { return base; };
    for (const std::uint32_t prefix : {0u, 5u, 0x7FFFFFF0u}) {
        std::string bytes = good;
        SetU32(bytes, kData + 12, prefix);
        const std::string path = Save("noprefix.dll", bytes);
        std::vector<std::string> titles;
        EXPECT_TRUE(ListDllLevels(path, titles, unique).Ok()) << prefix;
        EXPECT_EQ(titles, std::vector<std::string>{"Kept"}) << prefix;
        std::vector<std::string> lines;
        int record = 0;
        EXPECT_EQ(ReadDllLevels(path, lines, unique,
                                [&](const std::string&, int moves, int) { record = moves; })
                      .message,
                  "")
            << prefix;
        EXPECT_EQ(lines, (std::vector<std::string>{"\"Kept\"", ".[1.....", "........"})) << prefix;
        EXPECT_EQ(record, 12) << prefix;
        DllLevelGrid grid;
        EXPECT_EQ(ReadDllLevelGrid(path, 0, grid).message, kDllFormatError) << prefix;
        EXPECT_TRUE(grid.blockGrid.empty()) << prefix;
    }
}

TEST(DllRead, DamagedFilesGiveTheErrorTexts) {
    Context ctx;
    AddLevel(ctx, "T", EmptyRows(3, 3));
    const std::string good = DllBytes(ctx, Contents(ctx, {"T"}));
    const auto patched = [&](std::size_t at, std::uint32_t value) {
        std::string bytes = good;
        SetU32(bytes, at, value);
        return bytes;
    };
    const std::uint32_t end = 0x10000000 + U32(good, 0x110); // the image's end
    const struct {
        const char* name;
        std::string bytes;
        const char* error;
    } cases[] = {
        {"empty", "", kDllLoadError},
        {"no MZ", "XY" + good.substr(2), kDllLoadError},
        {"cut in the headers", good.substr(0, 0x100), kDllLoadError},
        {"cut in the code", good.substr(0, 0x500), kDllLoadError},
        {"cut in the data", good.substr(0, good.size() - 1), kDllLoadError},
        {"PE header past the end", patched(0x3C, 0x7FFFFFF0), kDllLoadError},
        {"not a DLL", patched(0xD4, 0x010E00E0), kDllLoadError},
        {"image too large", patched(0x110, 0x40000000), kDllLoadError},
        {"section past the image", patched(0x214, 0x7000), kDllLoadError},
        {"relocation block past its table", patched(0x610, 0x2000), kDllLoadError},
        {"wrong signature", patched(kData, 0xF99AB99C), kDllFormatError},
        {"export name changed", good.substr(0, 0x45B) + "X" + good.substr(0x45C), kDllFormatError},
        {"no export table", patched(0x138, 0), kDllFormatError},
        {"export table outside", patched(0x138, 0x7FFF0000), kDllFormatError},
        {"unknown code", WithCode(good, "\x0F\x0B"), kDllFormatError},
        {"structure outside", patched(0x401, 0x30000000), kDllFormatError},
        {"title outside", patched(kData + 116, 0x20000000), kDllFormatError},
        {"title at the image's end", patched(kData + 116, end), kDllFormatError},
        {"grid running off the end", patched(kData + 124, end - 4), kDllFormatError},
        {"records outside", patched(kData + 76, 0), kDllFormatError},
        {"level count past the table", patched(kData + 72, 0xFFFFFFFF), kDllFormatError},
        {"level of 0 columns", patched(kData + 120, 0x0300), kDllFormatError},
        {"level of 65 rows", patched(kData + 120, 0x4103), kDllFormatError},
    };
    for (const auto& test : cases) {
        DllGameData data;
        EXPECT_EQ(ParseBricksDll(test.bytes, data), test.error) << test.name;
        EXPECT_TRUE(data.levels.empty()) << test.name;
    }
}

TEST(DllRead, RecordsSharingALongTitleAreRefused) {
    // Eight level records that all point at one title longer than an eighth of the image.
    Context ctx;
    const std::string title(3000, 'T');
    AddLevel(ctx, title, EmptyRows(2, 2));
    std::string bytes = DllBytes(ctx, Contents(ctx, {title}));
    DllGameData data;
    EXPECT_EQ(ParseBricksDll(bytes, data), "");
    const std::string record = bytes.substr(kData + 116, 16);
    for (std::size_t i = 1; i < 8; ++i) bytes.replace(kData + 116 + 16 * i, 16, record);
    SetU32(bytes, kData + 72, 8);
    EXPECT_EQ(ParseBricksDll(bytes, data), kDllFormatError);
}

TEST(DllRead, RandomDamageNeverCrashes) {
    Context ctx;
    AddLevel(ctx, "T", {".[a. .[a. .*.. .#..", ".... .!.. .*.. .#.."});
    const std::string good = DllBytes(ctx, Contents(ctx, {"T"}));
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = good;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int k = 0; k < changes; ++k) {
            // Damage falls mostly on the headers, the code, the tables and the data header.
            const std::size_t span = random() % 4 == 0 ? bytes.size() : 0x800 + 1200;
            bytes[random() % std::min(span, bytes.size())] = static_cast<char>(random());
        }
        if (random() % 10 == 0) bytes.resize(random() % bytes.size());
        DllGameData data;
        const std::string error = ParseBricksDll(bytes, data, random() % 2 ? 0 : 0x20000000);
        EXPECT_TRUE(error.empty() || error == kDllLoadError || error == kDllFormatError) << error;
        for (const DllLevel& level : data.levels)
            EXPECT_EQ(DllLevelText(level, data.version, "t").size(),
                      static_cast<std::size_t>(level.rows) + 1);
    }
}

} // namespace
} // namespace vorpel
