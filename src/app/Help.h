// Help: the page beside the program, shown at a window's topic in the program's help window.
#pragma once

#include <string>

namespace vorpel {

class QtPlatform;

inline constexpr const char* kHelpNotFound = "File not found.";
inline constexpr const char* kHelpNoProgram = "Unable to execute the program that opens the file:";

// Shows the platform's help page at the anchor `topic` (one of kHelpTopics) in the help window;
// tells the user when the page is missing.
void ShowHelp(QtPlatform& platform, const std::string& topic);

} // namespace vorpel
