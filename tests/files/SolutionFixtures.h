// Helpers of the best solution tests: a scratch program folder, record bytes, a small level.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <unistd.h>
#include <vector>

#include "Fixtures.h"
#include "model/Context.h"

namespace vorpel::solution_test {

// Three masters in column 0; their destinations lie 5, 2 and 1 cells to the right.
inline const std::vector<std::string> kThreeMasters = {
    ".@.. .... .... .... .... +... ....",
    ".@.. .... +... .... .... .... ....",
    ".@.. +... .... .... .... .... ....",
};
inline const std::string kSolution = " 1)  0,  0:  >>>>>\r\n 2)  1,  0:  >>\r\n 3)  2,  0:  >\r\n";
inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes += static_cast<char>(v);
    return bytes;
}

// Its move data: each move's cell, then its steps two to a byte (0x9 right); the odd moves end
// with a low half of 0.
inline const std::string kSolutionData =
    Bytes({0x00, 0x00, 0x99, 0x99, 0x90, 0x01, 0x00, 0x99, 0x02, 0x00, 0x90});

inline std::string Int32(std::int64_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    return Bytes({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF), static_cast<int>(v >> 24)});
}

// A record of the best solutions file; the lengths follow from the contents unless given.
inline std::string Record(const std::string& title, int moves, int steps, const std::string& data,
                          std::int64_t length = -1, std::int64_t dataLength = -1) {
    const auto t = static_cast<std::int64_t>(title.size());
    const auto m = static_cast<std::int64_t>(data.size());
    return Int32(length >= 0 ? length : 20 + t + m) + Int32(t) + title + Int32(8) + Int32(moves) +
           Int32(steps) + Int32(dataLength >= 0 ? dataLength : m) + data;
}

// A context whose program lies in a fresh scratch folder, removed afterwards.
struct ScratchProgram {
    Context ctx;
    std::filesystem::path folder;

    ScratchProgram() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::path(::testing::TempDir()) /
                 ("vorpel-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                  std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        ctx.programPath = (folder / "vorpel.exe").string();
    }
    ~ScratchProgram() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::string Path(const char* extension) const {
        return (folder / (std::string("vorpel") + extension)).string();
    }
    void Write(const char* extension, const std::string& bytes) const {
        std::ofstream(Path(extension), std::ios::binary) << bytes;
    }
    // The file's bytes; "<missing>" when there is no file.
    std::string Contents(const char* extension) const {
        std::ifstream in(Path(extension), std::ios::binary);
        if (!in) return "<missing>";
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Loads the three masters level under `title`, with `moves` carried out.
    void Load(const std::string& title, const std::string& moves = kSolution,
              const std::vector<std::string>& board = kThreeMasters) {
        ASSERT_EQ(test::LoadBoard(ctx, board, moves), "");
        ctx.CurrentLevel().title = title;
    }
    std::vector<std::vector<std::string>>& Shown() { return ctx.silentPlatform.shown; }
};

} // namespace vorpel::solution_test
