// The save commands' texts and the offers their file names' extensions lead to.
#include "files/SaveOffer.h"

#include "files/FileNames.h"

namespace vorpel {

namespace {

constexpr SaveCommandTexts kOwnTextCommand = {
    "Saving \"%s\" in the Vorpel format",
    "You requested to save the level in the Vorpel format.",
    "To save the level in the Vorpel text format, click on Vorpel or press the V key.",
    nullptr,
    nullptr,
    "Vorpel",
};
constexpr SaveCommandTexts kSokCommand = {
    "Saving \"%s\" in the SOK format",
    "You requested to save the level in the SOK format.",
    "To save the level in the SOK format, click on SOK or press the S key.",
    "However, the chosen file name has %sa SOK extension, normally used for Sokoban levels.",
    ".sok",
    "SOK",
};
constexpr SaveCommandTexts kNblCommand = {
    "Saving \"%s\" in the NBL format",
    "You requested to save the level in the NBL format.",
    "To save the level in the NBL format, click on NBL or press the N key.",
    "However, the chosen file name has %sa NBL extension, as used for levels for the Bricks "
    "Level Editor program.",
    ".nbl",
    "NBL",
};

} // namespace

const SaveCommandTexts& SaveCommand(SaveFormat format) {
    switch (format) {
    case SaveFormat::kSok:
        return kSokCommand;
    case SaveFormat::kNbl:
        return kNblCommand;
    default:
        return kOwnTextCommand;
    }
}

std::string FormatOne(std::string_view pattern, std::string_view value) {
    std::string text(pattern);
    if (const std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

SaveOffer ChooseSaveOffer(SaveFormat command, std::string_view name, bool confirmNonStandard) {
    SaveOffer offer;
    if (!confirmNonStandard) return offer;
    const SaveCommandTexts& asked = SaveCommand(command);
    std::string second, alternative;
    if (HasExtension(".gif", name)) {
        offer.kind = SaveOfferKind::kGif;
        second = FormatOne(kGifMismatchLine, "");
        alternative = "To write as GIF animation or image, click on GIF or press the G key.";
        offer.secondButton = "GIF";
    } else if (HasExtension(".dll", name)) {
        offer.kind = SaveOfferKind::kDll;
        second = FormatOne(kDllMismatchLine, "");
        alternative = "To save the level in the DLL format, click on DLL or press the D key.";
        offer.secondButton = "DLL";
    } else if (command != SaveFormat::kSok && HasExtension(".sok", name)) {
        offer.kind = SaveOfferKind::kSok;
        second = FormatOne(kSokCommand.mismatchLine, "");
        alternative = kSokCommand.keepLine;
        offer.secondButton = kSokCommand.button;
    } else if (command != SaveFormat::kNbl && HasExtension(".nbl", name)) {
        offer.kind = SaveOfferKind::kNbl;
        second = FormatOne(kNblCommand.mismatchLine, "");
        alternative = kNblCommand.keepLine;
        offer.secondButton = kNblCommand.button;
    } else if (asked.extension && !HasExtension(asked.extension, name)) {
        offer.kind = SaveOfferKind::kOwnText;
        second = FormatOne(asked.mismatchLine, "not ");
        alternative = kOwnTextCommand.keepLine;
        offer.secondButton = kOwnTextCommand.button;
    } else {
        return offer;
    }
    offer.firstButton = asked.button;
    offer.lines = {asked.requestLine, second, asked.keepLine, alternative, kCancelLine};
    return offer;
}

} // namespace vorpel
