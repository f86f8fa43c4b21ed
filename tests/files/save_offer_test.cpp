// The save commands' offers: which format a chosen name's extension leads to, in which order,
// with which lines; and the writers' checks of the file name.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "Fixtures.h"
#include "files/FileNames.h"
#include "files/LevelText.h"
#include "files/NblFormat.h"
#include "files/SaveOffer.h"
#include "files/SokFormat.h"

namespace vorpel {
namespace {

using K = SaveOfferKind;
using F = SaveFormat;

TEST(SaveOffer, ChoiceByCommandNameAndOption) {
    const struct {
        F command;
        const char* name;
        bool option;
        K offer;
    } cases[] = {
        // The option off: every name is written as asked.
        {F::kOwnText, "a.gif", false, K::kNone},
        {F::kSok, "a.txt", false, K::kNone},
        {F::kNbl, "a.dll", false, K::kNone},
        // Own text: only the four foreign extensions ask.
        {F::kOwnText, "a.txt", true, K::kNone},
        {F::kOwnText, "a", true, K::kNone},
        {F::kOwnText, "a.xsb", true, K::kNone},
        {F::kOwnText, "a.GIF", true, K::kGif},
        {F::kOwnText, "a.dll", true, K::kDll},
        {F::kOwnText, "a.sok", true, K::kSok},
        {F::kOwnText, "a.nbl", true, K::kNbl},
        // SOK: its own extension writes at once, in any case; others offer the own text.
        {F::kSok, "a.SOK", true, K::kNone},
        {F::kSok, "a.txt", true, K::kOwnText},
        {F::kSok, "sok", true, K::kOwnText},
        {F::kSok, "a.nbl", true, K::kNbl},
        {F::kSok, "a.gif", true, K::kGif},
        // NBL likewise.
        {F::kNbl, "a.nbl", true, K::kNone},
        {F::kNbl, "a.sok", true, K::kSok},
        {F::kNbl, "a.txt", true, K::kOwnText},
        {F::kNbl, "x.Dll", true, K::kDll},
        // The order of the tests: the end of the whole name counts.
        {F::kSok, "a.gif.sok", true, K::kNone},
        {F::kOwnText, "a.sok.gif", true, K::kGif},
    };
    for (const auto& c : cases) {
        const SaveOffer offer = ChooseSaveOffer(c.command, c.name, c.option);
        EXPECT_EQ(offer.kind, c.offer) << c.name << " " << int(c.command);
        EXPECT_EQ(offer.lines.size(), c.offer == K::kNone ? 0u : 5u) << c.name;
    }
}

TEST(SaveOffer, LinesAndButtons) {
    const SaveOffer sokAsTxt = ChooseSaveOffer(F::kSok, "levels.txt", true);
    EXPECT_EQ(sokAsTxt.lines,
              (std::vector<std::string>{
                  "You requested to save the level in the SOK format.",
                  "However, the chosen file name has not a SOK extension, normally used for "
                  "Sokoban levels.",
                  "To save the level in the SOK format, click on SOK or press the S key.",
                  "To save the level in the Vorpel text format, click on Vorpel or press the V "
                  "key.",
                  "To cancel the command, click on Cancel or press the Esc key.",
              }));
    EXPECT_EQ(sokAsTxt.firstButton, "SOK");
    EXPECT_EQ(sokAsTxt.secondButton, "Vorpel");

    const SaveOffer ownAsNbl = ChooseSaveOffer(F::kOwnText, "x.nbl", true);
    EXPECT_EQ(ownAsNbl.lines[1], "However, the chosen file name has a NBL extension, as used for "
                                 "levels for the Bricks Level Editor program.");
    EXPECT_EQ(ownAsNbl.lines[3],
              "To save the level in the NBL format, click on NBL or press the N key.");
    EXPECT_EQ(ownAsNbl.firstButton, "Vorpel");
    EXPECT_EQ(ownAsNbl.secondButton, "NBL");

    const SaveOffer gif = ChooseSaveOffer(F::kNbl, "a.gif", true);
    EXPECT_EQ(gif.lines[1], "However, the chosen file name has a GIF extension, normally used "
                            "for GIF image files.");
    EXPECT_EQ(gif.secondButton, "GIF");
    EXPECT_EQ(ChooseSaveOffer(F::kSok, "a.dll", true).secondButton, "DLL");
    EXPECT_EQ(FormatOne(SaveCommand(F::kNbl).chooserTitle, "My level"),
              "Saving \"My level\" in the NBL format");
}

// The three writers check a name as the own text writer does; the text formats write to the
// clipboard when asked for it, and an empty name is refused.
TEST(SaveOffer, WritersCheckTheName) {
    Context ctx;
    ASSERT_EQ(test::LoadBoard(ctx, {".@.. ....", "+... ...."}), "");
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vorpel-names-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string fits = dir.string() + "/";
    fits += std::string(kMaxFileName - fits.size(), 'n');
    const std::string tooLong = fits + "n";
    using Writer = FileResult (*)(Context&, const std::string&);
    using ToClipboard = FileResult (*)(Context&);
    const struct {
        const char* name;
        Writer write;
        ToClipboard clipboard; // none for NBL
    } writers[] = {
        {"own text", [](Context& c, const std::string& n) { return WriteLevelText(c, n); },
         [](Context& c) { return WriteLevelText(c, LevelPlace::Clipboard()); }},
        {"SOK", [](Context& c, const std::string& n) { return WriteSokLevel(c, n); },
         [](Context& c) { return WriteSokLevel(c, LevelPlace::Clipboard()); }},
        {"NBL", [](Context& c, const std::string& n) { return WriteNblFile(c, n); }, nullptr},
    };
    for (const auto& w : writers) {
        ctx.silentPlatform.clipboard.reset();
        const FileResult refused = w.write(ctx, tooLong);
        EXPECT_EQ(refused.code, FileError::kFailed) << w.name;
        EXPECT_EQ(refused.message, NameTooLongMessage(tooLong)) << w.name;
        EXPECT_FALSE(std::filesystem::exists(tooLong)) << w.name;
        EXPECT_TRUE(w.write(ctx, fits).Ok()) << w.name;
        EXPECT_TRUE(std::filesystem::exists(fits)) << w.name;
        std::filesystem::remove(fits);
        // An empty name is no file, and no longer the clipboard either.
        EXPECT_EQ(w.write(ctx, "").message, kErrorOpening) << w.name;
        EXPECT_FALSE(ctx.silentPlatform.clipboard.has_value()) << w.name;
        if (w.clipboard) {
            EXPECT_TRUE(w.clipboard(ctx).Ok()) << w.name;
            EXPECT_TRUE(ctx.silentPlatform.clipboard.has_value()) << w.name;
        }
    }
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace vorpel
