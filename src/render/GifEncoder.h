// Streaming GIF encoder: compresses rows of the board canvas into a GIF file held in memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorpel {

struct GifRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The board palette as the caller hands it over; only the first 128 entries go into a file.
using GifPalette = std::array<GifRgb, 256>;

// The text of the comment extension that ends every file: exactly 144 bytes.
std::string_view GifCreditText();

// The LZW dictionary: the code of each stored string, keyed by (code of the string without its
// last pixel, last pixel). Codes of stored strings are 130 to 4095; 0 means absent.
//
// The fast dictionary indexes a table by the key itself and trusts a table entry only when the
// code's own record holds the same key. Each key is stored at most once between two clears and
// only its own table entry is ever written, so a key present is always found; a stale entry from
// before a clear names a code whose record was cleared or rewritten for another key, so an absent
// key is never found. Clearing therefore resets only the 4096 records, not the table.
class GifDirectDictionary {
public:
    static constexpr bool kFastRows = true; // the encoder's row loop may skip AddPixel
    GifDirectDictionary();
    void Clear();
    unsigned Find(std::uint32_t key) const {
        const unsigned code = child_[key];
        return record_[code] == key ? code : 0;
    }
    void Add(std::uint32_t key, unsigned code) {
        child_[key] = std::uint16_t(code);
        record_[code] = key;
    }

private:
    std::vector<std::uint16_t> child_;  // by key: 4096 codes × 128 pixels
    std::vector<std::uint32_t> record_; // by code: its key, or kNoKey
};

// The plain dictionary, a hash map, that tests compare the fast one with; its encoder also
// takes the plain path of one AddPixel call per pixel.
class GifMapDictionary {
public:
    static constexpr bool kFastRows = false; // every pixel through AddPixel
    void Clear() { codes_.clear(); }
    unsigned Find(std::uint32_t key) const {
        const auto it = codes_.find(key);
        return it == codes_.end() ? 0 : it->second;
    }
    void Add(std::uint32_t key, unsigned code) { codes_.emplace(key, code); }

private:
    std::unordered_map<std::uint32_t, unsigned> codes_;
};

// One file at a time: GifBeginFile, then per frame GifBeginFrame and one GifAddRow per pixel
// row, then GifEndFile. The bytes accumulate in Bytes(); the caller writes them out whole.
// Pixels are palette indices below 128, since the file's colour table has 128 entries.
template <class Dictionary> class BasicGifEncoder {
public:
    // Starts a new file of the given screen size. `delay` (hundredths of a second) applies to
    // every frame; frames carry it only in GIF89a files, and the loop block is written only
    // when both `loop` and `gif89a` are set.
    void GifBeginFile(const GifPalette& palette, int width, int height, int delay, bool loop,
                      bool gif89a);

    // Starts a frame covering the given rectangle of the screen.
    void GifBeginFrame(int width, int height, int left, int top);

    // Compresses the frame's width of pixels of `canvas` from `offset` on; `lastRow` must be
    // set exactly on the frame's last row, which ends the frame's code stream.
    void GifAddRow(std::span<const std::uint8_t> canvas, std::size_t offset, bool lastRow);

    // Appends the comment and the trailer; Bytes() is then a complete file.
    void GifEndFile();

    const std::string& Bytes() const { return out_; }

private:
    void AddPixel(std::uint8_t p);
    void Emit(unsigned code);
    void WriteSubBlock();
    void ClearDictionary();

    std::string out_;
    std::array<std::uint8_t, 8> graphicControl_{};
    bool gif89a_ = false;
    bool inFile_ = false;
    bool inFrame_ = false;

    int frameWidth_ = 0;
    int rowsLeft_ = 0;

    // Code packer: codes go in least significant bit first; count_ whole bytes are ready.
    std::array<std::uint8_t, 261> packed_{};
    unsigned count_ = 0;
    unsigned bitOffset_ = 0;

    // LZW state.
    unsigned codeWidth_ = 8;
    unsigned emitted_ = 0; // codes emitted since the last clear; the next new code is this + 129
    unsigned entries_ = 0;
    unsigned storeBytes_ = 0;
    unsigned length_ = 0; // pixels in the current string
    unsigned code_ = 0;   // code of the current string
    Dictionary dictionary_;
};

extern template class BasicGifEncoder<GifDirectDictionary>;
extern template class BasicGifEncoder<GifMapDictionary>;
using GifEncoder = BasicGifEncoder<GifDirectDictionary>;

} // namespace vorpel
