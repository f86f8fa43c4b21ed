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

// solve FILE [--level N] [--time S] [--memory MB] [--metric steps|moves|pushes] [--out OUT]:
// one line per level with the solver's answer; with --out the solutions become the levels'
// moves, written in the format of OUT's extension. Returns 0 when every level was solved or
// shown to have no solution, 1 when any gave up, 2 for unusable arguments.
int SolveCommand(const std::vector<std::string>& args);

} // namespace vorpel
