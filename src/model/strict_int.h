#pragma once
// Strict decimal integer conversion as the runtime does it: optional leading blanks,
// an optional sign, decimal digits, nothing else, and the value must fit 32 bits.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kombinator {

std::optional<std::int32_t> ParseStrictInt(std::string_view text);

// The text without leading and trailing blanks (spaces), as the masked edits are read.
std::string_view TrimBlanks(std::string_view text);

}  // namespace kombinator
