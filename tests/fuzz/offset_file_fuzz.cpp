// The printer offset reader: any file content loads as its first line's number or stops with
// the conversion message of exactly the text that the reading rule takes (NUL bytes included).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "io/offset_files.h"
#include "model/runtime_errors.h"
#include "model/strict_int.h"

namespace {

// One folder for the whole run, holding seven offset files; the first one is the input. It lies
// in memory where the system offers it (each input is written and read back) and goes at exit.
std::string folder;

void RemoveFolder() {
    for (int i = 0; i < kombinator::PrintOffsetCount; ++i)
        ::unlink((folder + "/" + kombinator::PrintOffsetFileName(i)).c_str());
    ::rmdir(folder.c_str());
}

const std::string& Folder() {
    if (folder.empty()) {
        folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/kombinator-offset-fuzz-XXXXXX"
                                                 : "/tmp/kombinator-offset-fuzz-XXXXXX";
        if (::mkdtemp(folder.data()) == nullptr) std::abort();
        std::atexit(RemoveFolder);
        for (int i = 1; i < kombinator::PrintOffsetCount; ++i)
            std::ofstream(folder + "/" + kombinator::PrintOffsetFileName(i), std::ios::binary) << i << "\r\n";
    }
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kombinator;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(Folder() + "/PX1.txt", std::ios::binary | std::ios::trunc) << bytes;
    const PrintSettingsLoad load = LoadPrintSettings(Folder());
    FUZZ_CHECK(load.editTexts[0].has_value());
    const std::string& text = *load.editTexts[0];
    // Only the head of a file is read; within it the text ends at the first CR or byte 26.
    const std::string_view expected = PrintOffsetText(std::string_view(bytes).substr(0, 512));
    FUZZ_CHECK(text == expected);
    const std::optional<std::int32_t> value = ParseStrictInt(text);
    if (value) {
        FUZZ_CHECK(load.ok);
        FUZZ_CHECK(load.settings.PX1 == *value);
        for (int i = 1; i < PrintOffsetCount; ++i) FUZZ_CHECK(load.settings[i] == i);
    } else {
        FUZZ_CHECK(!load.ok && load.loaded == 0);
        FUZZ_CHECK(load.error == ConversionErrorMessage(text));
        FUZZ_CHECK(!load.editTexts[1].has_value());
    }
    return 0;
}
