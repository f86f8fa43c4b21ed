// Names of the files kept beside the program: its own path with another extension.
#pragma once

#include <string>
#include <string_view>

namespace vorpel {

// `programPath` with its extension (from the last "." of its file name on) replaced by
// `extension`, or `extension` appended when the name has none. Empty when `programPath` is
// empty, so that a context that names no program touches no file.
std::string CompanionPath(std::string_view programPath, std::string_view extension);

} // namespace vorpel
