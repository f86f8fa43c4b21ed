// vorpel-cli png and gif, run as a separate program; Pillow reads what they write and the
// pictures are compared with the canvas drawn here. The boards carry no letters: the tool draws
// them in the program's font (the app tests compare those).
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sys/wait.h>

#include "Fixtures.h"
#include "RenderKit.h"
#include "model/History.h"

namespace vorpel {
namespace {

using renderkit::Crop;
using renderkit::Decoded;
using renderkit::DecodePicture;

const std::vector<std::string> kFirst = {".#.. .#.. .#..", ".#.. .v.. .#..", ".#.. .#.. .#.."};
const std::vector<std::string> kSecond = {".#.. .#.. .#.. .#.. .#..", ".#.. .@.. .... +... .#..",
                                          ".#.. .... .[.. .... .#..", ".#.. .#.. .#.. .#.. .#.."};
const char* const kSecondMoves = "  1)  2,  2:  >\r\n  2)  1,  1:  >>\r\n";

int Status(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

class CliPicture : public testing::Test {
protected:
    renderkit::ScratchFolder folder;
    std::string levels = folder.File("levels.txt");

    void SetUp() override {
        std::string text = "\"First\"\r\n";
        for (const std::string& row : kFirst) text += Squeeze(row) + "\r\n";
        text += "\"Second\"\r\n";
        for (const std::string& row : kSecond) text += Squeeze(row) + "\r\n";
        text += kSecondMoves;
        std::ofstream(levels, std::ios::binary) << text;
    }
    static std::string Squeeze(std::string row) {
        std::erase(row, ' ');
        return row;
    }
    static int Cli(const std::string& arguments) {
        return Status(
            renderkit::Run(std::string(VORPEL_CLI) + " " + arguments + " 2>/dev/null").status);
    }
    // The second level drawn here at step `step` (-1: the end of its moves).
    static std::string Expected(int s, int step) {
        auto ctx = std::make_unique<Context>();
        auto canvas = std::make_unique<BoardCanvas>();
        EXPECT_EQ(test::LoadBoard(*ctx, kSecond, kSecondMoves), "");
        EndOfLevel(*ctx);
        if (step >= 0) GoToPosition(*ctx, step);
        renderkit::Draw(*ctx, *canvas, s);
        return Crop(*canvas, 5 * s, 4 * s);
    }
};

TEST_F(CliPicture, PngIsTheBoardAtAPosition) {
    const std::string png = folder.File("board.png");
    const struct {
        const char* options;
        int s, step;
    } cases[] = {{"--level 2", 20, -1},
                 {"--level 2 --cell 14 --step 0", 14, 0},
                 {"--cell 10 --level 2 --step 1", 10, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        ASSERT_EQ(Cli("png " + levels + " " + png + " " + c.options), 0);
        const Decoded d = DecodePicture(png);
        ASSERT_EQ(d.facts.status, 0) << d.facts.text << "(scripts/setup.sh installs python3-pil)";
        const std::string w = std::to_string(5 * c.s), h = std::to_string(4 * c.s);
        EXPECT_EQ(d.facts.text, "format PNG -\nsize " + w + " " + h + "\nloop none\nframe 0 0 " +
                                    w + " " + h + " none\n");
        EXPECT_TRUE(d.frames == Expected(c.s, c.step)) << "pixels differ";
    }
}

TEST_F(CliPicture, GifWritesTheExport) {
    const std::string gif = folder.File("play.gif");
    ASSERT_EQ(Cli("gif " + levels + " " + gif + " --level 2 --cell 12"), 0);
    Decoded d = DecodePicture(gif);
    ASSERT_EQ(d.facts.status, 0) << d.facts.text;
    // Steps: the normal block right, then the master block right twice.
    EXPECT_EQ(d.facts.text, "format GIF GIF89a\nsize 60 48\nloop 0\n"
                            "frame 0 0 60 48 400\nframe 24 24 48 36 400\n"
                            "frame 12 12 36 24 400\nframe 24 12 48 24 400\n");
    EXPECT_TRUE(d.frames == Expected(12, 0) + Expected(12, 1) + Expected(12, 2) + Expected(12, 3))
        << "frames differ";

    ASSERT_EQ(Cli("gif " + levels + " " + gif + " --level 2 --what moves --delay 7 --no-loop"), 0);
    d = DecodePicture(gif);
    EXPECT_EQ(d.facts.text, "format GIF GIF89a\nsize 100 80\nloop none\n"
                            "frame 0 0 100 80 70\nframe 40 40 80 60 70\nframe 20 20 80 40 70\n");

    ASSERT_EQ(Cli("gif " + levels + " " + gif + " --what current --level 2"), 0);
    d = DecodePicture(gif);
    EXPECT_EQ(d.facts.text, "format GIF GIF87a\nsize 100 80\nloop none\nframe 0 0 100 80 none\n");
    EXPECT_TRUE(d.frames == Expected(20, -1));
}

TEST_F(CliPicture, UnusableArgumentsAndFiles) {
    const std::string out = folder.File("out.gif");
    const struct {
        const char* arguments;
        int status;
    } cases[] = {
        {"gif LEVELS", 2},
        {"gif LEVELS OUT --cell 9", 2},             // below 10
        {"png LEVELS OUT --cell 700 --level 2", 2}, // past 2048 div 5 columns
        {"gif LEVELS OUT --level 3", 2},            // no such level
        {"gif LEVELS OUT --what all", 2},
        {"gif LEVELS OUT --delay 101", 2},
        {"png LEVELS OUT --what steps", 2}, // an option of gif
        {"gif LEVELS OUT --step 1", 2},     // an option of png
        {"png MISSING OUT", 2},
        {"gif LEVELS FOLDER/missing/out.gif", 1}, // cannot be written
    };
    for (const auto& c : cases) {
        std::string arguments = c.arguments;
        auto put = [&](const std::string& name, const std::string& value) {
            if (const auto at = arguments.find(name); at != std::string::npos)
                arguments.replace(at, name.size(), value);
        };
        put("LEVELS", levels);
        put("MISSING", folder.File("none.txt"));
        put("FOLDER", folder.path.string());
        put("OUT", out);
        EXPECT_EQ(Cli(arguments), c.status) << c.arguments;
    }
}

} // namespace
} // namespace vorpel
