// The save commands' texts and the choice of the format a chosen file name's extension suggests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorpel {

// The format a save command asks for.
enum class SaveFormat { kOwnText, kSok, kNbl };

// The texts of one save command.
struct SaveCommandTexts {
    const char* chooserTitle; // "%s" is the level's title
    const char* requestLine;
    const char* keepLine;
    const char* mismatchLine; // "%s" is "" or "not "; null for the own text format
    const char* extension;    // null for the own text format
    const char* button;
};
const SaveCommandTexts& SaveCommand(SaveFormat format);

// What the user is offered instead of the format asked for.
enum class SaveOfferKind { kNone, kGif, kDll, kSok, kNbl, kOwnText };

struct SaveOffer {
    SaveOfferKind kind = SaveOfferKind::kNone;
    std::vector<std::string> lines; // the five lines of the question
    std::string firstButton;        // the format asked for
    std::string secondButton;       // the format offered
};

// The first offer whose test holds for `name`, in the order .gif, .dll, .sok, .nbl, then a name
// without the command's own extension; kNone when none holds or when `confirmNonStandard` (the
// option "Confirm non-standard extension files") is off.
SaveOffer ChooseSaveOffer(SaveFormat command, std::string_view name, bool confirmNonStandard);

// A text with its one "%s" replaced.
std::string FormatOne(std::string_view pattern, std::string_view value);

// The lines shared with the GIF and DLL windows.
inline constexpr const char* kGifMismatchLine =
    "However, the chosen file name has %sa GIF extension, normally used for GIF image files.";
inline constexpr const char* kDllMismatchLine =
    "However, the chosen file name has %sa DLL extension, normally used for dynamic linking "
    "libraries, such as those used by Bricks to import levels.";
inline constexpr const char* kCancelLine =
    "To cancel the command, click on Cancel or press the Esc key.";
inline constexpr const char* kWriteAnywayLine = "Write the file anyway?";

} // namespace vorpel
