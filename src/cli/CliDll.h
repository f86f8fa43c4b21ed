// vorpel-cli convert to a Bricks level DLL: the levels it can hold, their records and names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Context.h"

namespace vorpel {

struct DllConvertOptions {
    std::string game;
    std::string prefix;
    std::vector<std::uint16_t> records; // of the levels written, in order; 999 past the list
};

// Takes the option at args[i] when it is --game, --prefix or --records, leaving i on its value.
// False for any other argument; `error` is set for a missing or bad value.
bool TakeDllOption(const std::vector<std::string>& args, std::size_t& i, DllConvertOptions& options,
                   std::string& error);

// Writes up to 48 of the levels (collection indexes) to the DLL `out` and reports on standard
// error each level it leaves out; returns the exit status.
int ConvertToDll(const Context& ctx, const std::vector<int>& chosen, const std::string& out,
                 const DllConvertOptions& options);

} // namespace vorpel
