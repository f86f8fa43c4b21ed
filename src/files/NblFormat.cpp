// Converts NBL files to level text lines and writes a level as an NBL file.
#include "files/NblFormat.h"

#include "files/FileNames.h"

#include <algorithm>
#include <array>
#include <map>
#include <new>
#include <string_view>
#include <utility>

#include "files/LevelText.h"

namespace vorpel {
namespace {

inline constexpr const char* kTooSmall = "File too small to be valid.";
inline constexpr const char* kTooManyBlocks = "Too many blocks for this type of file.";

constexpr int kFrameNumber = 1;
constexpr int kTeleporterNumber = 2;
constexpr int kKeyholeNumber = 3;
constexpr int kWaterNumber = 4;
constexpr int kFirstFreeNumber = 9;
constexpr int kHighestNumber = 254;
constexpr Byte kNormalBlockKind = 99;
constexpr Byte kNblTeleporterKind = 20;

// Block character of each kind 0 to 30; kinds above 30 read as 30.
constexpr const char kKindChars[] = ".@]{$-|&*#(%?)}>;!\"=~wYyzZXxVv[";
static_assert(sizeof kKindChars == 32);

// Mark character of each mark code (attribute bits 5 to 7).
constexpr const char kMarkChars[] = "._+:/^\\<";

Byte KindOfChar(Byte block) {
    if (block == '[') return kNormalBlockKind;
    for (Byte k = 0; k < 30; ++k)
        if (static_cast<Byte>(kKindChars[k]) == block) return k;
    return 0;
}

Byte MarkCode(Byte mark) {
    if (AlphanumericIndex(mark) != 0) return 2; // written as a destination
    for (Byte code = 0; code < 8; ++code)
        if (static_cast<Byte>(kMarkChars[code]) == mark) return code;
    return 0;
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Character and identifier by which the outline of a cell is compared with its neighbours.
std::pair<Byte, std::int16_t> OutlineKey(const Level& level, int r, int c) {
    if (r < 0 || r >= level.rows || c < 0 || c >= level.columns) return {'.', 0};
    Byte block = level.BlockAt(r, c);
    if (block == '.') return {level.MarkAt(r, c), 0};
    if (block == '!') block = '*';
    if (block == '%') block = '#';
    return {block, TakesIdentifier(block) ? level.IdAt(r, c) : std::int16_t{0}};
}

bool Joined(const Level& level, int r, int c, int dr, int dc) {
    const auto own = OutlineKey(level, r, c);
    const auto other = OutlineKey(level, r + dr, c + dc);
    const auto fixed = [](Byte k) { return k == '#' || k == '~'; };
    if (fixed(own.first) && fixed(other.first)) return true;
    return own == other;
}

std::string ParseNbl(const std::string& bytes, const std::string& sourceName,
                     std::vector<std::string>& output,
                     const std::function<std::string(const std::string&)>& makeUniqueTitle) {
    const auto at = [&](std::size_t i) { return static_cast<Byte>(bytes[i]); };
    const std::size_t size = bytes.size();
    if (size < 2) return kTooSmall;
    if (at(0) != 1)
        return "File not recognized: first byte is " + std::to_string(at(0)) +
               ". \"1\" was expected";

    // Every count is checked against the end of the file, and a file that ends before its
    // last cell is refused rather than read as part of a level.
    std::size_t pos = 1;
    const std::size_t titleLength = at(pos++);
    if (size - pos < titleLength) return kTooSmall;
    std::string title = bytes.substr(pos, titleLength);
    pos += titleLength;

    if (pos >= size) return kTooSmall;
    const std::size_t highest = at(pos++);
    if (size - pos < highest) return kTooSmall;
    std::vector<Byte> kinds(highest + 1, 0);
    for (std::size_t k = 1; k <= highest; ++k) kinds[k] = at(pos++);

    if (pos >= size) return kTooSmall;
    const int side = at(pos++);
    if (side > 64) return "Level with more than 64 rows or columns.";
    const int shown = std::max(side, 2);
    std::vector<std::string> board(static_cast<std::size_t>(shown),
                                   std::string(static_cast<std::size_t>(shown) * 4, '.'));
    for (int c = 0; c < side; ++c) {
        for (int r = 0; r < side; ++r) {
            if (size - pos < 2) return kTooSmall;
            const int number = at(pos++);
            if (number > static_cast<int>(highest))
                return "Block with identifying number too large.";
            const Byte attribute = at(pos++);
            const int kind = std::min<int>(kinds[static_cast<std::size_t>(number)], 30);
            const char block = kKindChars[kind];
            char* group = &board[static_cast<std::size_t>(r)][static_cast<std::size_t>(c) * 4];
            if (kind == 13) {
                group[0] = ')';
            } else {
                group[0] = kMarkChars[attribute >> 5];
                group[1] = block;
            }
            if (TakesIdentifier(static_cast<Byte>(block))) {
                const std::string label = BlockLabel(number);
                group[2] = label[0];
                group[3] = label[1];
            }
        }
    }

    if (title.empty()) title = makeUniqueTitle("no title");
    std::size_t blanks = 0;
    while (blanks < title.size() && static_cast<Byte>(title[blanks]) < 33) ++blanks;
    title.erase(0, blanks);
    if (title.empty()) title = makeUniqueTitle(sourceName);
    output.push_back(QuoteTitle(title));
    output.insert(output.end(), std::make_move_iterator(board.begin()),
                  std::make_move_iterator(board.end()));
    return {};
}

} // namespace

FileResult ReadNblBytes(const std::string& bytes, const std::string& sourceName,
                        std::vector<std::string>& output,
                        const std::function<std::string(const std::string&)>& makeUniqueTitle) {
    const std::size_t before = output.size();
    std::string error;
    try {
        error = ParseNbl(bytes, sourceName, output, makeUniqueTitle);
    } catch (const std::bad_alloc&) {
        error = kNotEnoughMemory;
    }
    if (!error.empty()) output.resize(before);
    return FileResult::Of(std::move(error));
}

FileResult ReadNblFile(const std::string& fileName, std::vector<std::string>& output,
                       const std::function<std::string(const std::string&)>& makeUniqueTitle) {
    std::string bytes;
    if (FileResult read = ReadWholeFile(fileName, bytes); !read.Ok()) return read;
    return ReadNblBytes(bytes, BaseName(fileName), output, makeUniqueTitle);
}

std::string NblBytes(const Level& level, std::string& bytes) {
    bytes.clear();
    const int rows = level.rows, columns = level.columns;

    // Block numbers, column by column; numbers 1 to 8 are reserved.
    std::vector<Byte> kinds(kFirstFreeNumber, 0);
    kinds[kFrameNumber] = 9;
    kinds[kKeyholeNumber] = 11;
    kinds[kWaterNumber] = 13;
    std::map<std::pair<Byte, std::int16_t>, int> numberOf;
    std::array<int, kCells> numbers{};
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const Byte block = level.BlockAt(r, c);
            int number = 0;
            if (block == '#') {
                number = kFrameNumber;
            } else if (block == '%') {
                number = kKeyholeNumber;
            } else if (block == '.') {
                if (level.MarkAt(r, c) == ')') number = kWaterNumber;
            } else if (block == '~') {
                // All teleporters share one number, so that they are kept.
                number = kTeleporterNumber;
                kinds[kTeleporterNumber] = kNblTeleporterKind;
            } else if (!IsRoundColour(block)) {
                // Cells form one block as on the play board: same kind, weak and tire cells
                // counted with their block, and the same identifier.
                const Byte grouped = block == '!'   ? '*'
                                     : block == 'x' ? '['
                                     : block == 'X' ? '@'
                                                    : block;
                const auto key = std::make_pair(grouped, level.IdAt(r, c));
                const auto found = numberOf.find(key);
                if (found != numberOf.end()) {
                    number = found->second;
                } else {
                    number = static_cast<int>(kinds.size());
                    if (number > kHighestNumber) return kTooManyBlocks;
                    numberOf.emplace(key, number);
                    kinds.push_back(KindOfChar(block));
                }
            }
            numbers[CellIndex(r, c)] = number;
        }
    }

    const int side = std::max(rows, columns);
    std::string title = level.title.empty() ? std::string("no title") : level.title;
    if (title.size() > 255) title.resize(255);
    bytes.reserve(4 + title.size() + kinds.size() + 2 * static_cast<std::size_t>(side * side));
    bytes += '\x01';
    bytes += static_cast<char>(title.size());
    bytes += title;
    bytes += static_cast<char>(kinds.size() - 1);
    bytes.append(kinds.begin() + 1, kinds.end());
    bytes += static_cast<char>(side);
    for (int c = 0; c < side; ++c) {
        for (int r = 0; r < side; ++r) {
            if (r >= rows || c >= columns) {
                bytes.append(2, '\0');
                continue;
            }
            const int number = numbers[CellIndex(r, c)];
            const Byte block = level.BlockAt(r, c), mark = level.MarkAt(r, c);
            int attribute = 0;
            if (mark != '.' && !(block == '.' && mark == ')')) attribute = MarkCode(mark) << 5;
            if (number != 0 || attribute != 0) {
                attribute |= 0x10;
                if (Joined(level, r, c, -1, 0)) attribute |= 0x01;
                if (Joined(level, r, c, 0, 1)) attribute |= 0x02;
                if (Joined(level, r, c, 1, 0)) attribute |= 0x04;
                if (Joined(level, r, c, 0, -1)) attribute |= 0x08;
            }
            bytes += static_cast<char>(number);
            bytes += static_cast<char>(attribute);
        }
    }
    return {};
}

std::vector<std::string> NblLosses(const Level& level) {
    std::vector<std::string> lost;
    if (level.title.size() > 255) lost.emplace_back("the title past its 255th character");
    if (!level.title.empty() && static_cast<Byte>(level.title.front()) < 33)
        lost.emplace_back("blanks at the start of the title");
    if (level.rows != level.columns)
        lost.emplace_back("the board's shape (NBL boards are square: empty cells are added)");
    bool cells = false, mixed = false;
    // The block character each block's first cell gives its number, as NblBytes groups them.
    std::map<std::pair<Byte, std::int16_t>, Byte> kindOf;
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.columns; ++c) {
            const Byte block = level.BlockAt(r, c), mark = level.MarkAt(r, c);
            const bool markKept = std::string_view(kMarkChars).find(static_cast<char>(mark)) !=
                                      std::string_view::npos ||
                                  (mark == ')' && block == '.');
            const bool blockKept = block == '.' || block == '[' || KindOfChar(block) != 0;
            cells = cells || !markKept || !blockKept || level.IdAt(r, c) < 0;
            if (!TakesIdentifier(block) || IsRoundColour(block)) continue;
            const Byte grouped = block == '!'   ? '*'
                                 : block == 'x' ? '['
                                 : block == 'X' ? '@'
                                                : block;
            const auto [entry, added] = kindOf.try_emplace({grouped, level.IdAt(r, c)}, block);
            mixed = mixed || entry->second != block;
        }
    if (cells)
        lost.emplace_back("blocks and marks NBL has no code for (round ones, letters, water "
                          "under a block)");
    if (mixed) lost.emplace_back("blocks of more than one kind (a block has one kind in NBL)");
    if (level.stepCount > 0) lost.emplace_back("the moves (NBL files hold none)");
    return lost;
}

FileResult WriteNblFile(const Context& ctx, const std::string& fileName,
                        const WriteFaults& faults) {
    // NBL files have no clipboard form: no platform, and an empty name is refused.
    return WriteToPlace(
        nullptr, LevelPlace(fileName),
        [&](std::string& bytes) { return NblBytes(ctx.CurrentLevel(), bytes); }, faults);
}

} // namespace vorpel
