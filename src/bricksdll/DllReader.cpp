// Reads the levels of a Bricks level DLL from its mapped image and turns them into level text.
#include <algorithm>
#include <new>
#include <utility>

#include "bricksdll/BricksDll.h"
#include "bricksdll/PeImage.h"
#include "files/LevelText.h"

namespace vorpel {
namespace {

constexpr int kMaxSide = 64;
// Packs hold a few dozen levels; a far larger count is taken as damage, so that a crafted
// table cannot make the reading take gigabytes.
constexpr std::uint32_t kMaxLevels = 4096;

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string WalkGameData(const PeImage& image, DllGameData& data) {
    std::uint32_t address = 0;
    if (!image.FindExport("GetGameData", address) || !image.ConstantReturnValue(address, address))
        return kDllFormatError;
    std::uint32_t signature = 0, prefixAddress = 0, count = 0, recordsAddress = 0, table = 0;
    if (!image.Read32(address, signature) || signature != kDllSignature ||
        !image.Read32(address + 4, data.version) || !image.Read32(address + 12, prefixAddress) ||
        !image.Read32(address + 72, count) || !image.Read32(address + 76, recordsAddress) ||
        !image.Read32(address + 104, table))
        return kDllFormatError;
    data.hasSavePrefix = image.ReadText(prefixAddress, data.savePrefix);
    if (!data.hasSavePrefix) data.savePrefix.clear();
    // The level table must lie in the image.
    if (count > kMaxLevels || !image.Contains(table, std::uint64_t{count} * 16))
        return kDllFormatError;
    std::uint64_t titleBytes = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        DllLevel level;
        const std::uint32_t record = table + 16 * i;
        std::uint32_t titleAddress = 0, boardAddress = 0, blockAddress = 0;
        Byte columns = 0, rows = 0;
        if (!image.Read32(record, titleAddress) || !image.Read8(record + 4, columns) ||
            !image.Read8(record + 5, rows) || !image.Read32(record + 8, boardAddress) ||
            !image.Read32(record + 12, blockAddress) ||
            !image.ReadText(titleAddress, level.title) ||
            !image.Read16(recordsAddress + 2 * i, level.record))
            return kDllFormatError;
        // Titles lie in the image, so together they cannot be longer than it unless records
        // share one, as a crafted table might to multiply a long text.
        titleBytes += level.title.size();
        if (columns < 1 || columns > kMaxSide || rows < 1 || rows > kMaxSide ||
            titleBytes > image.Size())
            return kDllFormatError;
        level.columns = columns;
        level.rows = rows;
        const std::uint32_t cells = std::uint32_t{columns} * rows;
        if (!image.ReadBytes(boardAddress, cells, level.boardGrid) ||
            !image.ReadBytes(blockAddress, cells, level.blockGrid))
            return kDllFormatError;
        data.levels.push_back(std::move(level));
    }
    return {};
}

std::string LoadGameData(const std::string& path, DllGameData& data) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes).Ok()) return kDllLoadError;
    return ParseBricksDll(bytes, data);
}

// Two label characters for a barrier unit. Units past one byte (many separate barriers) use a
// second character no other label uses, so they stay apart.
std::string UnitLabel(int unit, char second) {
    std::string label(1, static_cast<char>(unit & 0xFF));
    label += unit < 0x100 ? second : static_cast<char>(0x80 + (unit >> 8));
    return label;
}

class LevelDecoder {
public:
    LevelDecoder(const DllLevel& level, std::uint32_t version)
        : level_(level), newer_(version >= 4) {}

    // One board line per row. Barrier labels are filled in last: a later row can still join
    // units met in the rows above.
    std::vector<std::string> Rows() {
        std::vector<std::string> lines;
        for (int r = 0; r < level_.rows; ++r) {
            std::string line;
            for (int c = 0; c < level_.columns; ++c) line += newer_ ? Newer(r, c) : Older(r, c);
            lines.push_back(std::move(line));
        }
        for (int r = 0; r < level_.rows; ++r)
            for (int c = 0; c < level_.columns; ++c)
                if (unit_[r][c] != 0)
                    lines[r].replace(static_cast<std::size_t>(4 * c + 2), 2,
                                     UnitLabel(unit_[r][c], newer_ ? '/' : '.'));
        return lines;
    }

private:
    Byte G(int r, int c) const {
        return level_.boardGrid[static_cast<std::size_t>(r * level_.columns + c)];
    }
    Byte Label(int r, int c) const {
        const Byte b = level_.blockGrid[static_cast<std::size_t>(r * level_.columns + c)];
        return b == '.' ? Byte{0x1F} : b;
    }
    bool Master(int r, int c) const {
        const Byte b = Label(r, c);
        return b == 0x1F || (b >= 0x21 && b <= 0x30);
    }
    std::string Block(int r, int c, Byte plain, Byte master) const {
        return {'.', static_cast<char>(Master(r, c) ? master : plain),
                static_cast<char>(Label(r, c)), '.'};
    }
    static std::string Mark(char mark) { return std::string(1, mark) + "..."; }
    static std::string Fixed(char kind) { return std::string(".") + kind + ".."; }
    // The label is written once every unit is known.
    static std::string Barrier(char kind) { return std::string(".") + kind + ".."; }
    int NewUnit() {
        int unit = counter_++;
        // The older labels end in "." and ".." would make every cell a block of its own.
        if (!newer_ && (unit & 0xFF) == '.') unit = counter_++;
        return unit;
    }

    // Data version 4 and later. Barrier cells joined on all four sides (0x1F, 0x3F) stay
    // barriers: the writer encodes the inside of a barrier that way.
    std::string Newer(int r, int c) {
        const Byte g = G(r, c);
        if ((g >= 0x10 && g <= 0x1F) || (g >= 0x30 && g <= 0x3F)) {
            const bool left = (g & 1) && c > 0 && unit_[r][c - 1] != 0;
            const bool up = (g & 4) && r > 0 && unit_[r - 1][c] != 0;
            int& unit = unit_[r][c];
            if (left) {
                unit = unit_[r][c - 1];
                const int upper = up ? unit_[r - 1][c] : unit;
                // Joining two units renames the upper one everywhere it was given so far,
                // the cells of this row included, or a barrier would fall apart.
                if (upper != unit)
                    for (int rr = 0; rr <= r; ++rr)
                        for (int cc = 0; cc < (rr < r ? level_.columns : c); ++cc)
                            if (unit_[rr][cc] == upper) unit_[rr][cc] = unit;
            } else {
                unit = up ? unit_[r - 1][c] : NewUnit();
            }
            return Barrier(g >= 0x30 ? '*' : '!');
        }
        switch (g) {
        case 0x21:
            return Mark('+');
        case 0x23:
            return Mark(')');
        case 0x24:
            return Mark(':');
        case 0x25:
            return Mark('_');
        case 0x26:
            return Mark('<');
        case 0x27:
            return Mark('/');
        case 0x28:
            return Mark('\\');
        case 0x50:
            return Block(r, c, '&', 'w');
        case 0x51:
            return Block(r, c, '{', '?');
        case 0x52:
            return Block(r, c, '}', 'z');
        case 0x53:
            return Block(r, c, ']', '@');
        case 0xAF:
            return Block(r, c, 'x', 'X');
        default:
            break;
        }
        if ((g >= 0x40 && g <= 0x4F) || (g >= 0x55 && g <= 0x5F && g != 0x58 && g != 0x5C))
            return Block(r, c, '[', '@');
        if (g >= 0x60 && g <= 0x6F) return Fixed('#');
        if (g >= 0x70 && g <= 0x7F) return Block(r, c, '$', 'Y');
        if (g >= 0x90 && g <= 0x9F) return Block(r, c, ';', 'Z');
        if (g >= 0xA0 && g <= 0xAE) return Fixed('%');
        if (g >= 0xB0 && g <= 0xBF) return Block(r, c, '-', '=');
        if (g >= 0xC0 && g <= 0xCF) return Block(r, c, '|', '"');
        if (g >= 0xD0 && g <= 0xDF) return Block(r, c, '>', 'y');
        if ((g >= 0xE0 && g <= 0xEF) || (g >= 0xF5 && g != 0xF8 && g != 0xFC))
            return Block(r, c, '(', '(');
        return "....";
    }

    // Data versions before 4.
    std::string Older(int r, int c) {
        const Byte g = G(r, c);
        int& unit = unit_[r][c];
        const int left = c > 0 ? unit_[r][c - 1] : 0;
        const int up = r > 0 ? unit_[r - 1][c] : 0;
        switch (g) {
        case 0x31:
        case 0x35:
        case 0x37:
        case 0xE1:
            unit = NewUnit();
            return Barrier('*');
        case 0x32:
        case 0x33:
        case 0x36:
            unit = left != 0 ? left : NewUnit();
            return Barrier('*');
        case 0x30:
        case 0x34:
        case 0x38:
            unit = up != 0 ? up : NewUnit();
            return Barrier('*');
        case 0x39:
            unit = up != 0 ? up : NewUnit();
            for (int cc = c - 1; cc >= 0 && unit_[r][cc] != 0; --cc) unit_[r][cc] = unit;
            return Barrier('*');
        case 0x21:
            return Block(r, c, '$', 'Y');
        case 0x23:
        case 0x42:
        case 0x43:
        case 0x44:
        case 0x45:
        case 0x46:
        case 0x47:
        case 0x49:
        case 0x4F:
        case 0x50:
        case 0x52:
        case 0x54:
        case 0x56:
        case 0x58:
        case 0x59:
        case 0x9A:
            return Fixed('#');
        case 0x24:
            return Block(r, c, '&', 'w');
        case 0x25:
            return Fixed('%');
        case 0x26:
            return ".(..";
        case 0x28:
            return Mark('<');
        case 0x29:
            return Block(r, c, '>', 'y');
        case 0x2A:
            return Mark('/');
        case 0x2D:
        case 0x5E:
        case 0x7C:
            return Block(r, c, '|', '"');
        case 0x2F:
            return Mark(')');
        case 0x3C:
        case 0x3D:
        case 0x3E:
            return Block(r, c, '-', '=');
        case 0x3F:
            return Mark('\\');
        case 0x40:
            return Block(r, c, '}', 'z');
        case 0x4B:
            return Mark('_');
        case 0x6B:
            return Block(r, c, ']', '@');
        case 0x6C:
            return Block(r, c, '{', '?');
        case 0x6D:
            return Mark('+');
        case 0xA7:
            return Block(r, c, ';', 'Z');
        case 0xB0:
            return Block(r, c, 'x', 'X');
        case 0xF6:
            return Mark(':');
        default:
            return Label(r, c) == 0x20 ? "...." : Block(r, c, '[', '@');
        }
    }

    const DllLevel& level_;
    bool newer_;
    int counter_ = 0x21;
    int unit_[kMaxSide][kMaxSide] = {}; // barrier unit of each cell, 0 for none
};

} // namespace

std::string ParseBricksDll(const std::string& fileBytes, DllGameData& data,
                           std::uint32_t loadBase) {
    data = {};
    std::string error;
    try {
        PeImage image;
        error = image.Load(fileBytes, loadBase) ? WalkGameData(image, data) : kDllLoadError;
    } catch (const std::bad_alloc&) {
        error = kNotEnoughMemory;
    }
    if (!error.empty()) data = {};
    return error;
}

std::vector<std::string> DllLevelText(const DllLevel& level, std::uint32_t version,
                                      const std::string& title) {
    std::vector<std::string> lines{QuoteTitle(title)};
    const std::vector<std::string> rows = LevelDecoder(level, version).Rows();
    lines.insert(lines.end(), rows.begin(), rows.end());
    return lines;
}

std::string DllLevelTitle(const DllLevel& level, const std::string& path,
                          const UniqueTitleMaker& makeUniqueTitle) {
    std::string title = Trimmed(level.title);
    return title.empty() ? makeUniqueTitle(BaseName(path)) : title;
}

FileResult ListDllLevels(const std::string& path, std::vector<std::string>& titles,
                         const UniqueTitleMaker& makeUniqueTitle) {
    DllGameData data;
    if (std::string error = LoadGameData(path, data); !error.empty())
        return FileResult::Failed(std::move(error));
    for (const DllLevel& level : data.levels)
        titles.push_back(DllLevelTitle(level, path, makeUniqueTitle));
    return {};
}

FileResult ReadDllLevels(const std::string& path, std::vector<std::string>& lines,
                         const UniqueTitleMaker& makeUniqueTitle, const RecordSetter& setRecord) {
    DllGameData data;
    if (std::string error = LoadGameData(path, data); !error.empty())
        return FileResult::Failed(std::move(error));
    std::vector<std::string> read;
    for (const DllLevel& level : data.levels) {
        const std::string title = DllLevelTitle(level, path, makeUniqueTitle);
        const std::vector<std::string> text = DllLevelText(level, data.version, title);
        read.insert(read.end(), text.begin(), text.end());
        // A zero means no record; passing it on would hide a record known from elsewhere.
        if (level.record != 0 && setRecord) setRecord(title, level.record, 0);
    }
    lines.insert(lines.end(), read.begin(), read.end());
    return {};
}

FileResult ReadDllLevelGrid(const std::string& path, int levelIndex, DllLevelGrid& grid) {
    grid = {};
    DllGameData data;
    if (std::string error = LoadGameData(path, data); !error.empty())
        return FileResult::Failed(std::move(error));
    if (!data.hasSavePrefix) return FileResult::Failed(kDllFormatError);
    if (levelIndex < 0 || static_cast<std::size_t>(levelIndex) >= data.levels.size())
        return FileResult::Failed(kDllLevelMissing);
    DllLevel& level = data.levels[static_cast<std::size_t>(levelIndex)];
    grid.savePrefix = data.savePrefix;
    grid.version = data.version;
    grid.columns = level.columns;
    grid.rows = level.rows;
    grid.blockGrid = std::move(level.blockGrid);
    return {};
}

void RegisterDllReader() {
    RegisterLevelReader(".dll", ReadDllLevels);
}

} // namespace vorpel
