// A 32-bit Windows DLL mapped into memory by reading it, never by running it: headers checked,
// sections placed, relocations applied, exports looked up, and the constant that a tiny
// exported function returns worked out from its instructions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Kinds.h"

namespace vorpel {

class PeImage {
public:
    // Maps the image at `loadBase` (0: its preferred base). False when the bytes are not a
    // well-formed PE32 DLL that can be mapped there.
    bool Load(const std::string& fileBytes, std::uint32_t loadBase = 0);

    std::uint32_t Base() const { return base_; }
    std::uint32_t Size() const { return static_cast<std::uint32_t>(memory_.size()); }

    // Whether [address, address + size) lies inside the mapped image.
    bool Contains(std::uint32_t address, std::uint64_t size) const;
    // Checked reads at absolute addresses; false outside the image.
    bool Read8(std::uint32_t address, Byte& value) const;
    bool Read16(std::uint32_t address, std::uint16_t& value) const;
    bool Read32(std::uint32_t address, std::uint32_t& value) const;
    bool ReadBytes(std::uint32_t address, std::uint32_t size, std::vector<Byte>& out) const;
    // A 0-terminated text; false when it runs past the image.
    bool ReadText(std::uint32_t address, std::string& text) const;

    // The address of an exported function; false when there is none by that name (forwarded
    // exports included).
    bool FindExport(const std::string& name, std::uint32_t& address) const;

    // The value the function at `address` returns in EAX, read from its instructions: constant
    // loads, loads from fixed addresses, frame set-up and tear-down, jumps and return. False for
    // anything else.
    bool ConstantReturnValue(std::uint32_t address, std::uint32_t& value) const;

private:
    struct Section {
        std::uint32_t start, end; // relative to the base
        bool executable;
    };
    bool ApplyRelocations(std::uint32_t rva, std::uint32_t size, std::uint32_t delta);
    bool Executable(std::uint32_t address) const;

    std::uint32_t base_ = 0;
    std::vector<Byte> memory_;
    std::vector<Section> sections_;
    std::uint32_t exportRva_ = 0;
    std::uint32_t exportSize_ = 0;
};

} // namespace vorpel
