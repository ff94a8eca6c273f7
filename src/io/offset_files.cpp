#include "io/offset_files.h"

#include <cerrno>

#include "model/runtime_errors.h"
#include "model/strict_int.h"

namespace kombinator {

namespace {

std::string PathIn(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

// An offset file holds one short number: its first few hundred bytes are all that is read, so a
// huge, endless or blocking file cannot stall the start-up.
constexpr std::size_t OffsetFileLimit = 512;

FileResult ReadOffsetText(const std::string& path, std::string& text) {
    const FileRead read = ReadRegularFile(path, OffsetFileLimit, false);
    if (read.error != 0)
        return {false, read.error == ENOENT || read.error == ENOTDIR ? std::string(FileNotFoundMessage)
                                                                     : IoErrorMessage(read.error)};
    text = std::string(PrintOffsetText(read.bytes));
    return {true, {}};
}

}  // namespace

std::int32_t& PrintSettings::operator[](int i) {
    std::int32_t* fields[] = {&PX1, &X1X2, &PY1, &Y1Y2, &PYK, &PYZ, &PNR};
    return *fields[i];
}

std::int32_t PrintSettings::operator[](int i) const { return const_cast<PrintSettings&>(*this)[i]; }

std::string PrintOffsetFileName(int i) { return std::string(PrintOffsetNames[static_cast<std::size_t>(i)]) + ".txt"; }

std::string_view PrintOffsetText(std::string_view bytes) {
    const std::size_t end = bytes.find_first_of(std::string_view("\r\x1a", 2));
    return end == std::string_view::npos ? bytes : bytes.substr(0, end);
}

PrintSettingsLoad LoadPrintSettings(const std::string& directory) {
    PrintSettingsLoad load;
    for (int i = 0; i < PrintOffsetCount; ++i) {
        std::string text;
        load.file = PathIn(directory, PrintOffsetFileName(i));
        const FileResult read = ReadOffsetText(load.file, text);
        if (!read.ok) {
            load.error = read.error;
            return load;
        }
        load.editTexts[static_cast<std::size_t>(i)] = text;
        const std::optional<std::int32_t> value = ParseStrictInt(text);
        if (!value) {
            load.error = ConversionErrorMessage(text);
            return load;
        }
        load.settings[i] = *value;
        load.loaded = i + 1;
    }
    load.ok = true;
    load.file.clear();
    return load;
}

PrintSettingsRead ReadPrintSettings(const std::array<std::string, PrintOffsetCount>& editTexts) {
    PrintSettingsRead read;
    for (int i = 0; i < PrintOffsetCount; ++i) {
        const std::string_view text = TrimBlanks(editTexts[static_cast<std::size_t>(i)]);
        if (text.empty()) {
            read.message = "Nie ustalona pozycja wydruku: " + std::string(PrintOffsetNames[static_cast<std::size_t>(i)]) + " !";
            return read;
        }
        const std::optional<std::int32_t> value = ParseStrictInt(text);
        if (!value) {
            read.message = ConversionErrorMessage(text);
            read.messageKind = MessageKind::RuntimeReport;
            return read;
        }
        read.settings[i] = *value;
    }
    read.ok = true;
    return read;
}

FileResult SavePrintSettings(const std::string& directory, const PrintSettings& settings) {
    for (int i = 0; i < PrintOffsetCount; ++i) {
        const FileResult written = WriteFileAtomically(PathIn(directory, PrintOffsetFileName(i)),
                                                       std::to_string(settings[i]) + "\r\n");
        if (!written.ok) return written;
    }
    return {true, {}};
}

std::int32_t BlanksNeeded(std::int64_t lineCount) {
    return static_cast<std::int32_t>((lineCount + 4) / 5);
}

}  // namespace kombinator
