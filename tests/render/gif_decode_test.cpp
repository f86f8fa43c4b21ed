// Files from the encoder decoded by independent decoders (Pillow and giflib's giftext), which
// must accept them and give back every frame's exact pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "GifKit.h"
#include "io/FileIO.h"

namespace vorpel {
namespace {

using namespace gifkit;

struct Animation {
    const char* name;
    int width;
    int height;
    std::vector<Frame> frames;
    int delay;
    bool loop;
    bool gif89a;
};

std::vector<Animation> Animations() {
    Frame run{0, 0, 127, 1, {}};
    for (int i = 0; i < 127; ++i) run.pixels.push_back(std::uint8_t(i));
    return {
        {"single image", 13, 7, {PatternFrame(0, 0, 13, 7, 0)}, 0, false, false},
        {"looping animation of partial frames",
         40,
         30,
         {PatternFrame(0, 0, 40, 30, 0), PatternFrame(10, 5, 12, 8, 40), UniformFrame(40, 30),
          PatternFrame(0, 20, 40, 10, 3)},
         25,
         true,
         true},
        {"animation played once",
         9,
         4,
         {PatternFrame(0, 0, 9, 4, 0), UniformFrame(9, 4)},
         100,
         false,
         true},
        {"end code after a widening code", 127, 1, {run}, 0, false, false},
        {"noise", 1024, 512, {NoiseFrame(1024, 512)}, 0, false, false},
        {"one colour", 1024, 368, {UniformFrame(1024, 368)}, 0, false, false},
        {"string store limit", 512, 311, {StoreLimitFrame()}, 0, false, false},
    };
}

struct Output {
    int status = -1;
    std::string text;
};

Output RunCommand(const std::string& command) {
    Output out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.text.append(buffer, n);
    out.status = pclose(pipe);
    return out;
}

std::string Hex(const std::string& bytes) {
    std::string hex;
    for (const char c : bytes) {
        static constexpr char kDigits[] = "0123456789abcdef";
        hex += kDigits[std::uint8_t(c) >> 4];
        hex += kDigits[std::uint8_t(c) & 15];
    }
    return hex;
}

// Each frame as a viewer shows it: drawn over the picture the earlier frames left.
std::string Composed(const Animation& a) {
    std::string screen(std::size_t(a.width) * a.height, '\0'), all;
    for (const Frame& f : a.frames) {
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x)
                screen[(f.top + y) * a.width + f.left + x] = char(f.pixels[y * f.width + x]);
        all += screen;
    }
    return all;
}

class GifDecode : public testing::Test {
protected:
    void SetUp() override {
        const std::string stem = std::string("vorpel_") +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() +
                                 "_" + std::to_string(getpid());
        gif_ = (std::filesystem::temp_directory_path() / (stem + ".gif")).string();
        raw_ = (std::filesystem::temp_directory_path() / (stem + ".raw")).string();
    }
    void TearDown() override {
        std::filesystem::remove(gif_);
        std::filesystem::remove(raw_);
    }
    std::string gif_;
    std::string raw_;
};

TEST_F(GifDecode, PillowReadsTheFactsAndComposesEveryFrame) {
    const std::string script = VORPEL_SOURCE_DIR "/tests/render/decode_gif.py";
    const GifPalette palette = TestPalette();
    std::string table;
    for (int i = 0; i < 128; ++i)
        table += {char(palette[i].red), char(palette[i].green), char(palette[i].blue)};
    for (const Animation& a : Animations()) {
        SCOPED_TRACE(a.name);
        ASSERT_EQ(
            WriteFileAtomic(gif_, Encode(a.width, a.height, a.frames, a.delay, a.loop, a.gif89a))
                .message,
            "");
        const Output out =
            RunCommand("/usr/bin/python3 " + script + " " + gif_ + " " + raw_ + " 2>&1");
        ASSERT_EQ(out.status, 0) << out.text << "(scripts/setup.sh installs python3-pil)";

        std::ostringstream expected;
        expected << "version " << (a.gif89a ? "GIF89a" : "GIF87a") << "\n"
                 << "size " << a.width << " " << a.height << "\n"
                 << "loop " << (a.loop && a.gif89a ? "0" : "none") << "\n"
                 << "palette " << Hex(table) << "\n";
        for (std::size_t i = 0; i < a.frames.size(); ++i)
            expected << "duration " << (a.gif89a ? std::to_string(a.delay * 10) : "none") << "\n";
        expected << "frames " << a.frames.size() << "\n";
        EXPECT_EQ(out.text, expected.str());

        std::string composed;
        ASSERT_EQ(ReadWholeFile(raw_, composed).message, "");
        EXPECT_TRUE(composed == Composed(a)) << "frames differ";
    }
}

TEST_F(GifDecode, GiflibReadsEveryFrame) {
    for (const Animation& a : Animations()) {
        SCOPED_TRACE(a.name);
        ASSERT_EQ(
            WriteFileAtomic(gif_, Encode(a.width, a.height, a.frames, a.delay, a.loop, a.gif89a))
                .message,
            "");
        const Output summary = RunCommand("/usr/bin/giftext " + gif_ + " 2>&1");
        ASSERT_EQ(summary.status, 0) << summary.text << "(scripts/setup.sh installs giflib-tools)";
        EXPECT_NE(summary.text.find("GIF file terminated normally."), std::string::npos)
            << summary.text;

        const Output raw = RunCommand("/usr/bin/giftext -r " + gif_);
        ASSERT_EQ(raw.status, 0);
        std::string frames;
        for (const Frame& f : a.frames) frames.append(f.pixels.begin(), f.pixels.end());
        EXPECT_TRUE(raw.text == frames) << "frames differ";
    }
}

} // namespace
} // namespace vorpel
