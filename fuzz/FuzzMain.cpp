// The libFuzzer program of one target, chosen by name when the program is built.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzEntries.h"

namespace {

constexpr auto kEntry = [] {
    for (const vorpel::fuzz::Target& target : vorpel::fuzz::kTargets)
        if (std::string_view(target.name) == VORPEL_FUZZ_TARGET) return target.entry;
    return static_cast<void (*)(std::string_view)>(nullptr);
}();
static_assert(kEntry != nullptr, "VORPEL_FUZZ_TARGET names no target of FuzzEntries.h");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kEntry(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
