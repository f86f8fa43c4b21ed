// Bricks level DLLs: writing levels as a 32-bit Windows DLL and reading levels back from one.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/LevelLoad.h"
#include "io/FileIO.h"
#include "model/Context.h"

namespace vorpel {

inline constexpr int kDllMaxLevels = 48;
inline constexpr std::uint32_t kDllSignature = 0xF99AB99D;

inline constexpr const char* kDllLoadError = "Error when loading the DLL.";
inline constexpr const char* kDllFormatError = "DLL format or data not recognized.";
inline constexpr const char* kDllLevelMissing = "The chosen level was not found in the DLL.";
inline constexpr const char* kDllNotWritten = "The DLL was not written to the file:";
inline constexpr const char* kDllInvalidLevel =
    "Vorpel internal error: an invalid level was accepted for writing in a DLL.";

// --- Writing -----------------------------------------------------------------------------

// What goes into a DLL besides the levels' boards.
struct DllContents {
    std::string gameName;                               // empty: the first level's title
    std::string savePrefix;                             // empty: the game name
    std::array<std::uint16_t, kDllMaxLevels> records{}; // record i belongs to levels[i]
    std::vector<std::string> introduction;              // the first 7 lines are written
    std::vector<int> levels; // indexes of 1 to 48 levels of the collection, in order
    // Seconds since 1970 (UTC) for the headers; none: the current time.
    std::optional<std::uint32_t> timeStamp;
};

// The current UTC time as seconds since 1970, the DLL's time stamp.
std::uint32_t CurrentDllTime();

// Whether a level can be written into a DLL (marks, kinds and block counts Bricks knows).
bool IsDllWritable(const Level& level);
bool IsDllWritable(const LevelCollection& collection, int index);

// The record a level starts with in the list of levels to write: its best solution's moves,
// 999 when there is none, at most 65535.
std::uint16_t InitialDllRecord(long long bestMoves);

// The bytes of the DLL named `fileName` (without folder: it becomes the library's name).
// Returns no lines, or the lines of the error message (two when a level cannot be written);
// `bytes` is then empty.
std::vector<std::string> BricksDllBytes(const LevelCollection& collection,
                                        const DllContents& contents, const std::string& fileName,
                                        std::string& bytes);

// Writes the DLL to `path`; a failure leaves an existing file as it was. Returns no lines, or
// the lines of the error message for ShowInfo.
std::vector<std::string> WriteBricksDll(const LevelCollection& collection, const std::string& path,
                                        const DllContents& contents,
                                        const WriteFaults& faults = {});

// --- Reading -----------------------------------------------------------------------------

// One level as the DLL holds it.
struct DllLevel {
    std::string title; // as stored
    int columns = 0;
    int rows = 0;
    std::vector<Byte> boardGrid; // columns x rows, row-major
    std::vector<Byte> blockGrid;
    std::uint16_t record = 0;
};

// The data structure GetGameData returns, every address checked against the image.
struct DllGameData {
    std::uint32_t version = 0;
    // Only Bricks moves files need the prefix; a pack whose word for it points at no text
    // still has its levels read.
    bool hasSavePrefix = false;
    std::string savePrefix;
    std::vector<DllLevel> levels;
};

// Finds the structure in the bytes of a DLL. The image is mapped at `loadBase` (0: its preferred
// base) with its relocations applied; no code of it runs: the address GetGameData returns is
// worked out from its instructions. Returns "" or kDllLoadError / kDllFormatError.
std::string ParseBricksDll(const std::string& fileBytes, DllGameData& data,
                           std::uint32_t loadBase = 0);

// The level text lines of one level: the title line, then a board line per row.
std::vector<std::string> DllLevelText(const DllLevel& level, std::uint32_t version,
                                      const std::string& title);

// The title a level is read with: the stored one without surrounding blanks, or a unique title
// made from the library's file name when that leaves nothing.
std::string DllLevelTitle(const DllLevel& level, const std::string& path,
                          const UniqueTitleMaker& makeUniqueTitle);

// Appends the title of every level of the DLL at `path`. On error the list is unchanged.
FileResult ListDllLevels(const std::string& path, std::vector<std::string>& titles,
                         const UniqueTitleMaker& makeUniqueTitle);

// Appends the level text lines of every level of the DLL and hands each level's record (when
// it has one) to `setRecord`. On error the lines are unchanged.
FileResult ReadDllLevels(const std::string& path, std::vector<std::string>& lines,
                         const UniqueTitleMaker& makeUniqueTitle, const RecordSetter& setRecord);

// Has the level loader read ".dll" files with ReadDllLevels; the program and the tool call it at
// start-up.
void RegisterDllReader();

// What the Bricks moves files need of one level.
struct DllLevelGrid {
    std::string savePrefix;
    std::uint32_t version = 0;
    int columns = 0;
    int rows = 0;
    std::vector<Byte> blockGrid; // columns x rows, row-major
};

// The level at `levelIndex` (from 0). Fails with kDllFormatError also when the DLL holds no
// readable save prefix.
FileResult ReadDllLevelGrid(const std::string& path, int levelIndex, DllLevelGrid& grid);

} // namespace vorpel
