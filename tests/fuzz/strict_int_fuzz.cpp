// The strict integer conversion: optional leading blanks, an optional sign, decimal digits,
// nothing else, and a value that fits 32 bits; checked against std::from_chars.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "model/strict_int.h"

namespace {

// The same rule through the standard library's own conversion.
std::optional<std::int32_t> Expected(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kombinator;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> value = ParseStrictInt(text);
    FUZZ_CHECK(value == Expected(text));
    if (value) FUZZ_CHECK(ParseStrictInt(std::to_string(*value)) == value);
    const std::string_view trimmed = TrimBlanks(text);
    FUZZ_CHECK(trimmed.size() <= text.size());
    FUZZ_CHECK(trimmed.empty() || (trimmed.front() != ' ' && trimmed.back() != ' '));
    return 0;
}
