// The level commands of vorpel-cli that read whole collections: list and convert.
#pragma once

#include <string>
#include <vector>

namespace vorpel {

// list FILE...: one line per level read, numbered across the files; returns the exit status.
int ListCommand(const std::vector<std::string>& files);

// convert IN OUT [--level N]: the levels of IN written to OUT in the format of OUT's extension
// ("-" for the level text format on standard output); returns the exit status.
int ConvertCommand(const std::vector<std::string>& args);

} // namespace vorpel
