// The board's fixed 256-colour palette, built at compile time, and the names of its entries.
#pragma once

#include <array>
#include <cstdint>

#include "render/CellSize.h"

namespace vorpel {

struct PaletteColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const PaletteColour&, const PaletteColour&) = default;
};

inline constexpr int kRoundColourCount = 32;
inline constexpr int kRoundPaletteBase = 24; // round colour i at 24 + i
inline constexpr int kLightPaletteBase = 56; // its light variant at 56 + i

// Palette indices by name.
namespace ink {
inline constexpr std::uint8_t kBlack = 0;
inline constexpr std::uint8_t kDarkBlue = 1;
inline constexpr std::uint8_t kPurple = 2;
inline constexpr std::uint8_t kRed = 3;
inline constexpr std::uint8_t kBlue = 4;
inline constexpr std::uint8_t kGreen = 5;
inline constexpr std::uint8_t kBrown = 6;
inline constexpr std::uint8_t kTeal = 7;
inline constexpr std::uint8_t kGrey = 9;
inline constexpr std::uint8_t kOrange = 10;
inline constexpr std::uint8_t kLightBlue = 11;
inline constexpr std::uint8_t kFloor = 12;
inline constexpr std::uint8_t kLightGreen = 13;
inline constexpr std::uint8_t kCyan = 14;
inline constexpr std::uint8_t kYellow = 15;
inline constexpr std::uint8_t kWhite = 16;
inline constexpr std::uint8_t kLightBrown = 17;
inline constexpr std::uint8_t kPink = 18;
inline constexpr std::uint8_t kMagenta = 19;
inline constexpr std::uint8_t kLightPurple = 20;
inline constexpr std::uint8_t kPaleBlue = 21;
inline constexpr std::uint8_t kPaleCyan = 22;
inline constexpr std::uint8_t kPaleGrey = 23;
} // namespace ink

// (R × 13938 + G × 46869 + B × 4730 + 32767) >> 16.
constexpr int Luminance(PaletteColour c) {
    return int((c.red * 13938u + c.green * 46869u + c.blue * 4730u + 32767u) >> 16);
}

// Round colour 0..31 of a round character; codes past 191 give 31, codes below 162 give 0.
constexpr int RoundColourOf(std::uint8_t character) {
    if (character > 191) return 31;
    if (character < 162) return 0;
    return character - 161;
}

// The character of round colour 0..31 (161 + colour, 247 for colour 31).
constexpr std::uint8_t RoundCharacter(int colour) {
    return colour >= 31 ? 247 : std::uint8_t(161 + (colour > 0 ? colour : 0));
}

// The fixed palette, the table of kinds that take dark text, and the platform's bitmap header
// (40-byte top-down 8-bit header, then 256 entries of blue, green, red, 0).
struct BoardPalette {
    std::array<PaletteColour, 256> colours{};
    std::array<bool, 256> lightKind{};
    std::array<std::uint8_t, 40 + 256 * 4> bitmapInfo{};
};

namespace detail {

constexpr std::array<std::uint32_t, 24> kBaseColours = {
    0x000000, 0x0000A0, 0xA000A0, 0xF00000, 0x5050F0, 0x00A000, 0xB07000, 0x00A0A0,
    0xD050FF, 0x808080, 0xF0A000, 0xA0A0F0, 0xC0C0C0, 0x50FF50, 0x50F0F0, 0xF0F050,
    0xFFFFFF, 0xFFD090, 0xFFD0D0, 0xF050F0, 0xFFC0FF, 0xC0C0FF, 0xC0F0F0, 0xE0E0E0,
};

constexpr std::array<std::uint32_t, kRoundColourCount> kRoundColours = {
    0xFFFF80, 0xC0FFC0, 0x00FFA0, 0x00F000, 0xB0E000, 0xC0C000, 0x00B000, 0x000000,
    0xF0F000, 0xA0FFFF, 0x00F0F0, 0x00C0C0, 0x00C0FF, 0xC0C0FF, 0x0090C0, 0x808080,
    0xFFC000, 0xC0A000, 0xC00000, 0xC000C0, 0xC000FF, 0x4040FF, 0x0000B0, 0xA0A0A0,
    0xFFC0C0, 0xFFC0FF, 0xFF00FF, 0xFF00C0, 0xFF0000, 0xFFFFFF, 0xE0E0E0, 0xC0C0C0,
};

constexpr PaletteColour FromRgb(std::uint32_t rgb) {
    return {std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb)};
}

constexpr void Put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = std::uint8_t(value >> (8 * i));
}

constexpr BoardPalette MakeBoardPalette() {
    BoardPalette palette;
    for (std::size_t i = 0; i < kBaseColours.size(); ++i)
        palette.colours[i] = FromRgb(kBaseColours[i]);
    for (int i = 0; i < kRoundColourCount; ++i) {
        const PaletteColour c = FromRgb(kRoundColours[std::size_t(i)]);
        palette.colours[std::size_t(kRoundPaletteBase + i)] = c;
        auto lighter = [](std::uint8_t v) { return std::uint8_t(v + 0xD0 < 255 ? v + 0xD0 : 255); };
        palette.colours[std::size_t(kLightPaletteBase + i)] = {lighter(c.red), lighter(c.green),
                                                               lighter(c.blue)};
    }

    for (int i = 0; i < kRoundColourCount; ++i)
        if (Luminance(FromRgb(kRoundColours[std::size_t(i)])) > 160)
            palette.lightKind[RoundCharacter(i)] = true;
    for (const char k : {'{', '(', '!', 'v'}) palette.lightKind[std::uint8_t(k)] = true;

    std::uint8_t* info = palette.bitmapInfo.data();
    Put32(info + 0, 40);
    Put32(info + 4, kCanvasSize);
    Put32(info + 8, std::uint32_t(-kCanvasSize)); // negative height: rows top-down
    info[12] = 1;                                 // planes
    info[14] = 8;                                 // bits per pixel; compression 0
    for (int i = 0; i < 256; ++i) {
        std::uint8_t* entry = info + 40 + 4 * i;
        entry[0] = palette.colours[std::size_t(i)].blue;
        entry[1] = palette.colours[std::size_t(i)].green;
        entry[2] = palette.colours[std::size_t(i)].red;
    }
    return palette;
}

} // namespace detail

inline constexpr BoardPalette kBoardPalette = detail::MakeBoardPalette();

// Resets a palette to the fixed one.
inline void InitBoardPalette(BoardPalette& palette) {
    palette = kBoardPalette;
}

} // namespace vorpel
