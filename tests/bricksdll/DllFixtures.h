// Helpers of the Bricks DLL tests: levels from board lines, DLL bytes and their fields, and a
// scratch folder for files.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "bricksdll/BricksDll.h"
#include "files/LevelText.h"
#include "model/Context.h"

namespace vorpel::dll_test {

constexpr std::size_t kData = 2048;                // file offset of the data section
constexpr std::uint32_t kDataAddress = 0x10003000; // its address

// Appends a level read from board lines (blanks ignored) and makes it current.
inline Level& AddLevel(Context& ctx, const std::string& title,
                       const std::vector<std::string>& rows) {
    std::vector<std::string> lines{QuoteTitle(title)};
    for (std::string row : rows) {
        row.erase(std::remove(row.begin(), row.end(), ' '), row.end());
        lines.push_back(row);
    }
    ctx.collection.NewLevel("", 4, 4, true);
    ctx.collection.currentLevel = ctx.collection.lastLevel();
    std::size_t index = 0;
    EXPECT_EQ(ReadLevelText(ctx, lines, index, true), "");
    return ctx.CurrentLevel();
}

// A board of `rows` lines of `columns` empty cells.
inline std::vector<std::string> EmptyRows(int rows, int columns) {
    std::string line;
    for (int c = 0; c < columns; ++c) line += "....";
    return std::vector<std::string>(static_cast<std::size_t>(rows), line);
}

// The levels of `ctx` with these titles (-1 for a title it does not hold), in order.
inline DllContents Contents(const Context& ctx, const std::vector<std::string>& titles,
                            std::string gameName = "Game") {
    DllContents contents;
    contents.gameName = std::move(gameName);
    for (const std::string& title : titles)
        contents.levels.push_back(ctx.collection.FindTitle(title));
    contents.timeStamp = 0x5F5E1000;
    return contents;
}

// The bytes of a DLL named pack.dll; fails the test on error.
inline std::string DllBytes(const Context& ctx, const DllContents& contents,
                            const std::string& name = "pack.dll") {
    std::string bytes;
    EXPECT_EQ(BricksDllBytes(ctx.collection, contents, name, bytes), std::vector<std::string>());
    return bytes;
}

inline std::uint32_t U32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<Byte>(bytes.at(at + k));
    return v;
}
inline void SetU32(std::string& bytes, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) bytes.at(at + k) = static_cast<char>(v >> (8 * k) & 0xFF);
}

// File offset of a data section address.
inline std::size_t At(std::uint32_t address) {
    return kData + (address - kDataAddress);
}

// Where level i's board and block grids lie in the file, read from its level record.
struct GridPlace {
    std::size_t board;
    std::size_t blocks;
    int columns;
    int rows;
};
inline GridPlace Grids(const std::string& bytes, int i) {
    const std::size_t record = kData + 116 + 16 * static_cast<std::size_t>(i);
    return {At(U32(bytes, record + 8)), At(U32(bytes, record + 12)),
            static_cast<Byte>(bytes[record + 4]), static_cast<Byte>(bytes[record + 5])};
}
// One grid's bytes, row-major.
inline std::vector<int> GridBytes(const std::string& bytes, std::size_t at, const GridPlace& g) {
    std::vector<int> values;
    for (int k = 0; k < g.columns * g.rows; ++k) values.push_back(static_cast<Byte>(bytes[at + k]));
    return values;
}

// A scratch folder removed after the test.
class DllFiles : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("vorpel-dll-" + std::to_string(::getpid()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Save(const std::string& name, const std::string& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string Load(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

} // namespace vorpel::dll_test
