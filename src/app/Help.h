// Help: the page beside the program, opened at a window's topic by the desktop's browser.
#pragma once

#include <string>

namespace vorpel {

class QtPlatform;

inline constexpr const char* kHelpNotFound = "File not found.";
inline constexpr const char* kHelpNoProgram = "Unable to execute the program that opens the file:";

// Opens the platform's help page at the anchor `topic` ("Start", "Options", "FileRead", ...);
// tells the user when the page is missing or nothing can open it.
void ShowHelp(QtPlatform& platform, const std::string& topic);

} // namespace vorpel
