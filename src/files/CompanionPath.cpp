// Names of the files kept beside the program.
#include "files/CompanionPath.h"

namespace vorpel {

std::string CompanionPath(std::string_view programPath, std::string_view extension) {
    if (programPath.empty()) return {};
    const std::size_t nameStart = programPath.find_last_of("/\\:");
    const std::size_t dot = programPath.rfind('.');
    const bool hasExtension =
        dot != std::string_view::npos && (nameStart == std::string_view::npos || dot > nameStart);
    std::string path(hasExtension ? programPath.substr(0, dot) : programPath);
    path += extension;
    return path;
}

} // namespace vorpel
