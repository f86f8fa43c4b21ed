// The fuzz targets' entry functions, shared by the libFuzzer programs and the regression test.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vorpel::fuzz {

// Each entry takes one input, any bytes at all, through a reader and what the program does with
// what it read. A crash, a sanitizer report or a hang is a finding; messages are not.
void LevelSourceEntry(std::string_view bytes);
void MoveTextEntry(std::string_view bytes);
void NblEntry(std::string_view bytes);
void BestSolutionsEntry(std::string_view bytes);
void RecordsEntry(std::string_view bytes);
void DllEntry(std::string_view bytes);
void BricksMovesEntry(std::string_view bytes);
void ResumeEntry(std::string_view bytes);
void RoundTripEntry(std::string_view bytes);

struct Target {
    const char* name; // the program is fuzz_<name>; its inputs live in fuzz/*/<name>/
    void (*entry)(std::string_view);
};

inline constexpr std::array<Target, 9> kTargets = {{
    {"level_source", LevelSourceEntry},
    {"move_text", MoveTextEntry},
    {"nbl", NblEntry},
    {"best_solutions", BestSolutionsEntry},
    {"records", RecordsEntry},
    {"dll", DllEntry},
    {"bricks_moves", BricksMovesEntry},
    {"resume", ResumeEntry},
    {"round_trip", RoundTripEntry},
}};

// The board the move targets play on: every block kind and mark in a walled room, as level
// text lines (title first) in quoted mode.
std::vector<std::string> PlaygroundLines();

// Level text lines of the level the Bricks moves target reads moves for; its DLL holds it.
std::vector<std::string> BricksLevelLines();

// The DLL bytes the Bricks moves target reads its level from: data version as written, and the
// same DLL marked as an older data version (whose moves convert in the other mode).
std::string BricksDll(bool olderVersion);

} // namespace vorpel::fuzz
