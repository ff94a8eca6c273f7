// The system file reader: any bytes split into lines without CR, LF or NUL; the lines written
// back as a file split into the same lines; every line reads as twelve digits or gives the
// conversion message of its first bad place.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "io/system_line.h"
#include "io/system_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kombinator;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitSystemText(bytes);
    std::size_t total = 0;
    for (const std::string& line : lines) {
        FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        total += line.size();
        const SystemLineDigits digits = ReadSystemLineDigits(line);
        if (digits.ok)
            for (std::uint8_t d : digits.digits) FUZZ_CHECK(d <= 9);
        else
            FUZZ_CHECK(digits.error.rfind('\'', 0) == 0 &&
                       digits.error.find("' is not a valid integer value") == digits.error.size() - 30);
    }
    FUZZ_CHECK(total <= bytes.size());
    const std::string text = SystemFileText(lines);
    FUZZ_CHECK(text.size() == total + 2 * lines.size());
    FUZZ_CHECK(SplitSystemText(text) == lines);
    return 0;
}
