// The solved test: master blocks on destinations, round and alphanumeric blocks on their marks.
#pragma once

#include <string>

#include "model/Context.h"

namespace vorpel {

inline constexpr const char* kSolvedMessage =
    "\r\n Congratulations! \r\n You solved the level! \r\n";
// True when solved; `message` gets the solved text unless quiet.
bool CheckSolved(const Context& ctx, bool quiet, std::string& message);
bool IsSolved(const PlayBoard& board);
bool IsSolved(const Context& ctx);
// The same test made cell by cell, without the quick paths (the reference for them).
bool IsSolvedByCells(const PlayBoard& board);
bool IsSolvedByCells(const Context& ctx);

} // namespace vorpel
