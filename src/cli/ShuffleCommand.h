// vorpel-cli shuffle: the game shuffle of one level of a file.
#pragma once

#include <string>
#include <vector>

namespace vorpel {

// shuffle IN OUT [--level N] [--seed S]: shuffles the first (or N-th) level of IN from the seed
// (by default the program's initial one), writes it alone to OUT in the level text format and
// prints the seed the generator ends with; returns the exit status.
int ShuffleCommand(const std::vector<std::string>& args);

} // namespace vorpel
