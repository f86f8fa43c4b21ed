// Maps a PE32 DLL from its bytes with every offset and address checked, and reads the constant
// its exported function returns without executing anything.
#include "bricksdll/PeImage.h"

#include <algorithm>
#include <new>

namespace vorpel {
namespace {

// Level packs are small; a larger image is taken as damaged rather than allocated.
constexpr std::uint32_t kMaxImageSize = 16u << 20;
constexpr std::uint16_t kMachineI386 = 0x014C;
constexpr std::uint16_t kOptionalMagicPe32 = 0x010B;
constexpr std::uint16_t kExecutableImage = 0x0002;
constexpr std::uint16_t kRelocationsStripped = 0x0001;
constexpr std::uint16_t kDll = 0x2000;
constexpr std::uint32_t kMemExecute = 0x20000000;
constexpr int kMaxInstructions = 64;

// Little-endian reads from the file, false past its end.
class FileReader {
public:
    explicit FileReader(const std::string& bytes) : bytes_(bytes) {}
    bool Has(std::uint64_t offset, std::uint64_t size) const {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
    bool U16(std::uint64_t offset, std::uint32_t& value) const {
        if (!Has(offset, 2)) return false;
        value = At(offset) | At(offset + 1) << 8;
        return true;
    }
    bool U32(std::uint64_t offset, std::uint32_t& value) const {
        std::uint32_t low = 0, high = 0;
        if (!U16(offset, low) || !U16(offset + 2, high)) return false;
        value = low | high << 16;
        return true;
    }

private:
    std::uint32_t At(std::uint64_t i) const { return static_cast<Byte>(bytes_[i]); }
    const std::string& bytes_;
};

} // namespace

bool PeImage::Load(const std::string& file, std::uint32_t loadBase) {
    base_ = 0;
    memory_.clear();
    sections_.clear();
    exportRva_ = exportSize_ = 0;
    const FileReader in(file);
    std::uint32_t peOffset = 0, signature = 0;
    if (!in.Has(0, 0x40) || file[0] != 'M' || file[1] != 'Z') return false;
    if (!in.U32(0x3C, peOffset) || !in.U32(peOffset, signature) || signature != 0x00004550)
        return false;
    const std::uint64_t fileHeader = std::uint64_t{peOffset} + 4;
    std::uint32_t machine = 0, sectionCount = 0, optionalSize = 0, characteristics = 0;
    if (!in.U16(fileHeader, machine) || !in.U16(fileHeader + 2, sectionCount) ||
        !in.U16(fileHeader + 16, optionalSize) || !in.U16(fileHeader + 18, characteristics))
        return false;
    if (machine != kMachineI386 || sectionCount == 0 || sectionCount > 96) return false;
    if ((characteristics & kExecutableImage) == 0 || (characteristics & kDll) == 0) return false;
    const std::uint64_t optional = fileHeader + 20;
    std::uint32_t magic = 0, imageBase = 0, imageSize = 0, headersSize = 0, directoryCount = 0;
    if (optionalSize < 96 || !in.Has(optional, optionalSize) || !in.U16(optional, magic) ||
        magic != kOptionalMagicPe32 || !in.U32(optional + 28, imageBase) ||
        !in.U32(optional + 56, imageSize) || !in.U32(optional + 60, headersSize) ||
        !in.U32(optional + 92, directoryCount))
        return false;
    directoryCount = std::min<std::uint32_t>(directoryCount, 16);
    if (96 + 8 * directoryCount > optionalSize) return false;
    if (imageSize == 0 || imageSize > kMaxImageSize || headersSize > imageSize) return false;
    const std::uint32_t base = loadBase == 0 ? imageBase : loadBase;
    if (std::uint64_t{base} + imageSize > 0x100000000ull) return false;

    std::uint32_t relocationRva = 0, relocationSize = 0;
    if (directoryCount > 0 &&
        (!in.U32(optional + 96, exportRva_) || !in.U32(optional + 100, exportSize_)))
        return false;
    if (directoryCount > 5 &&
        (!in.U32(optional + 136, relocationRva) || !in.U32(optional + 140, relocationSize)))
        return false;

    try {
        memory_.assign(imageSize, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const std::uint32_t headerBytes =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(headersSize, file.size()));
    std::copy_n(file.begin(), headerBytes, memory_.begin());

    const std::uint64_t table = optional + optionalSize;
    if (!in.Has(table, std::uint64_t{sectionCount} * 40)) return false;
    for (std::uint32_t s = 0; s < sectionCount; ++s) {
        const std::uint64_t entry = table + 40 * std::uint64_t{s};
        std::uint32_t virtualSize = 0, rva = 0, rawSize = 0, rawOffset = 0, flags = 0;
        in.U32(entry + 8, virtualSize);
        in.U32(entry + 12, rva);
        in.U32(entry + 16, rawSize);
        in.U32(entry + 20, rawOffset);
        in.U32(entry + 36, flags);
        const std::uint64_t mapped = virtualSize != 0 ? virtualSize : rawSize;
        if (std::uint64_t{rva} + mapped > imageSize) return false;
        const std::uint64_t copied = std::min<std::uint64_t>(rawSize, imageSize - rva);
        if (copied > 0 && !in.Has(rawOffset, copied)) return false;
        std::copy_n(file.begin() + rawOffset, copied, memory_.begin() + rva);
        sections_.push_back(
            {rva, static_cast<std::uint32_t>(rva + mapped), (flags & kMemExecute) != 0});
    }

    base_ = base;
    const std::uint32_t delta = base - imageBase;
    if (delta != 0 && ((characteristics & kRelocationsStripped) != 0 || relocationRva == 0 ||
                       relocationSize == 0))
        return false;
    if (relocationSize != 0 && !ApplyRelocations(relocationRva, relocationSize, delta))
        return false;
    return true;
}

bool PeImage::ApplyRelocations(std::uint32_t rva, std::uint32_t size, std::uint32_t delta) {
    if (std::uint64_t{rva} + size > memory_.size()) return false;
    const auto u16 = [&](std::uint32_t at) {
        return static_cast<std::uint32_t>(memory_[at] | memory_[at + 1] << 8);
    };
    const auto u32 = [&](std::uint32_t at) { return u16(at) | u16(at + 2) << 16; };
    const auto put16 = [&](std::uint32_t at, std::uint32_t v) {
        memory_[at] = static_cast<Byte>(v);
        memory_[at + 1] = static_cast<Byte>(v >> 8);
    };
    const std::uint32_t end = rva + size;
    for (std::uint32_t block = rva; end - block >= 8;) {
        const std::uint32_t page = u32(block), blockSize = u32(block + 4);
        if (blockSize < 8 || blockSize > end - block || blockSize % 2 != 0) return false;
        for (std::uint32_t at = block + 8; at < block + blockSize; at += 2) {
            const std::uint32_t entry = u16(at), type = entry >> 12;
            const std::uint64_t target = std::uint64_t{page} + (entry & 0xFFF);
            if (type == 0) continue; // padding
            const std::uint64_t width = type == 3 ? 4 : 2;
            if (target + width > memory_.size()) return false;
            const auto t = static_cast<std::uint32_t>(target);
            if (type == 3) {
                const std::uint32_t v = u32(t) + delta;
                put16(t, v & 0xFFFF);
                put16(t + 2, v >> 16);
            } else if (type == 1) {
                put16(t, u16(t) + (delta >> 16));
            } else if (type == 2) {
                put16(t, u16(t) + (delta & 0xFFFF));
            } else if (delta != 0) {
                return false; // a kind this mapping does not carry out
            }
        }
        block += blockSize;
    }
    return true;
}

bool PeImage::Contains(std::uint32_t address, std::uint64_t size) const {
    if (address < base_) return false;
    const std::uint64_t offset = address - base_;
    return offset <= memory_.size() && size <= memory_.size() - offset;
}

bool PeImage::Read8(std::uint32_t address, Byte& value) const {
    if (!Contains(address, 1)) return false;
    value = memory_[address - base_];
    return true;
}

bool PeImage::Read16(std::uint32_t address, std::uint16_t& value) const {
    if (!Contains(address, 2)) return false;
    const std::uint32_t at = address - base_;
    value = static_cast<std::uint16_t>(memory_[at] | memory_[at + 1] << 8);
    return true;
}

bool PeImage::Read32(std::uint32_t address, std::uint32_t& value) const {
    std::uint16_t low = 0, high = 0;
    if (!Contains(address, 4) || !Read16(address, low) || !Read16(address + 2, high)) return false;
    value = low | std::uint32_t{high} << 16;
    return true;
}

bool PeImage::ReadBytes(std::uint32_t address, std::uint32_t size, std::vector<Byte>& out) const {
    if (!Contains(address, size)) return false;
    const auto first = memory_.begin() + (address - base_);
    out.assign(first, first + size);
    return true;
}

bool PeImage::ReadText(std::uint32_t address, std::string& text) const {
    text.clear();
    if (!Contains(address, 1)) return false;
    const auto first = memory_.begin() + (address - base_);
    const auto zero = std::find(first, memory_.end(), Byte{0});
    if (zero == memory_.end()) return false;
    text.assign(first, zero);
    return true;
}

bool PeImage::FindExport(const std::string& name, std::uint32_t& address) const {
    if (exportRva_ == 0 || exportSize_ == 0) return false;
    const std::uint32_t directory = base_ + exportRva_;
    std::uint32_t functionCount = 0, nameCount = 0, functions = 0, names = 0, ordinals = 0;
    if (!Contains(directory, 40) || !Read32(directory + 20, functionCount) ||
        !Read32(directory + 24, nameCount) || !Read32(directory + 28, functions) ||
        !Read32(directory + 32, names) || !Read32(directory + 36, ordinals))
        return false;
    // The tables must lie in the image, which also bounds the walk.
    if (!Contains(base_ + names, std::uint64_t{nameCount} * 4) ||
        !Contains(base_ + ordinals, std::uint64_t{nameCount} * 2))
        return false;
    for (std::uint32_t i = 0; i < nameCount; ++i) {
        std::uint32_t nameRva = 0;
        std::string exported;
        if (!Read32(base_ + names + 4 * i, nameRva) || !ReadText(base_ + nameRva, exported))
            return false;
        if (exported != name) continue;
        std::uint16_t ordinal = 0;
        std::uint32_t rva = 0;
        if (!Read16(base_ + ordinals + 2 * i, ordinal) || ordinal >= functionCount ||
            !Read32(base_ + functions + 4 * std::uint32_t{ordinal}, rva) || rva == 0)
            return false;
        // An address inside the export table names a function of another library.
        if (rva >= exportRva_ && rva - exportRva_ < exportSize_) return false;
        if (!Contains(base_ + rva, 1)) return false;
        address = base_ + rva;
        return true;
    }
    return false;
}

bool PeImage::Executable(std::uint32_t address) const {
    if (!Contains(address, 1)) return false;
    const std::uint32_t rva = address - base_;
    return std::any_of(sections_.begin(), sections_.end(), [&](const Section& s) {
        return s.executable && rva >= s.start && rva < s.end;
    });
}

bool PeImage::ConstantReturnValue(std::uint32_t address, std::uint32_t& value) const {
    std::uint32_t ip = address, eax = 0;
    bool known = false;
    // Every byte of an instruction must lie in code.
    const auto code8 = [&](std::uint32_t at, Byte& b) { return Executable(at) && Read8(at, b); };
    const auto code32 = [&](std::uint32_t at, std::uint32_t& v) {
        return Executable(at) && Executable(at + 3) && Read32(at, v);
    };
    for (int count = 0; count < kMaxInstructions; ++count) {
        Byte op = 0, modrm = 0;
        std::uint32_t imm = 0;
        if (!code8(ip, op)) return false;
        switch (op) {
        case 0x90: // nop
        case 0x53: // push ebx, esi, edi, ebp and their pops leave EAX alone
        case 0x55:
        case 0x56:
        case 0x57:
        case 0x5B:
        case 0x5D:
        case 0x5E:
        case 0x5F:
        case 0xC9: // leave
            ip += 1;
            break;
        case 0x8B: // mov ebp, esp / mov esp, ebp
        case 0x89:
            if (!code8(ip + 1, modrm) || (modrm != 0xEC && modrm != 0xE5)) return false;
            ip += 2;
            break;
        case 0x83: // sub or add esp, imm8
            if (!code8(ip + 1, modrm) || (modrm != 0xEC && modrm != 0xC4) || !code8(ip + 2, op))
                return false;
            ip += 3;
            break;
        case 0x81: // sub or add esp, imm32
            if (!code8(ip + 1, modrm) || (modrm != 0xEC && modrm != 0xC4) || !code32(ip + 2, imm))
                return false;
            ip += 6;
            break;
        case 0x31: // xor eax, eax
        case 0x33:
            if (!code8(ip + 1, modrm) || modrm != 0xC0) return false;
            eax = 0;
            known = true;
            ip += 2;
            break;
        case 0xB8: // mov eax, imm32
            if (!code32(ip + 1, eax)) return false;
            known = true;
            ip += 5;
            break;
        case 0xA1: // mov eax, [imm32]
            if (!code32(ip + 1, imm) || !Read32(imm, eax)) return false;
            known = true;
            ip += 5;
            break;
        case 0x8D: // lea eax, [imm32]
            if (!code8(ip + 1, modrm) || modrm != 0x05 || !code32(ip + 2, eax)) return false;
            known = true;
            ip += 6;
            break;
        case 0xE9: // jmp rel32 (an incremental-linking thunk)
            if (!code32(ip + 1, imm)) return false;
            ip += 5 + imm;
            break;
        case 0xEB: // jmp rel8
            if (!code8(ip + 1, modrm)) return false;
            ip += 2 + static_cast<std::uint32_t>(static_cast<std::int8_t>(modrm));
            break;
        case 0xC3: // ret
        case 0xC2: // ret imm16
            if (!known) return false;
            value = eax;
            return true;
        default:
            return false;
        }
    }
    return false;
}

} // namespace vorpel
