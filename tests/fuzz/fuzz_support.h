#pragma once
// Small helpers shared by the fuzz targets: a failed invariant aborts, so libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

namespace kombinator::fuzz {

// Cuts the input at the first byte `separator`: the part before it and the rest after it.
inline std::string_view TakeField(std::string_view& rest, char separator) {
    const std::size_t at = rest.find(separator);
    const std::string_view field = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1);
    return field;
}

}  // namespace kombinator::fuzz
