// The filter profile reader: any bytes are read cleanly or refused with "line N: reason", and
// whatever is read writes out, reads back and writes out again to the same text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "filters/filter_profile.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kombinator;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ProfileReadResult first = ReadFilterProfile(text);
    if (!first.ok) {
        FUZZ_CHECK(first.line >= 1);
        FUZZ_CHECK(first.error.rfind("line " + std::to_string(first.line) + ": ", 0) == 0);
        FUZZ_CHECK(first.settings == FilterSettings{});
        return 0;
    }
    const std::string written = WriteFilterProfile(first.settings);
    const ProfileReadResult again = ReadFilterProfile(written);
    FUZZ_CHECK(again.ok);
    FUZZ_CHECK(WriteFilterProfile(again.settings) == written);
    return 0;
}
