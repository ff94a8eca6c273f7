#include "filters/filter_profile.h"

#include "filters/filter_table.h"

#include <string>
#include <vector>

namespace kombinator {
namespace {

constexpr std::string_view HeaderWord = "kombinator-filters";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr int MaxGoalBound = 36;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

std::vector<std::string_view> SplitBlanks(std::string_view s) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && IsBlank(s[i])) ++i;
        const std::size_t start = i;
        while (i < s.size() && !IsBlank(s[i])) ++i;
        if (i > start) words.push_back(s.substr(start, i - start));
    }
    return words;
}

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// A user's text shown in a message: short, and with control characters made visible as '?'.
// The text is valid UTF-8 by then, so cutting before a continuation byte keeps it valid.
std::string Quote(std::string_view s) {
    constexpr std::size_t MaxShown = 40;
    std::size_t n = s.size();
    const bool cut = n > MaxShown;
    if (cut) {
        n = MaxShown;
        while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    }
    std::string out = "'";
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        out += (c < 0x20 || c == 0x7F) ? '?' : static_cast<char>(c);
    }
    if (cut) out += "...";
    out += "'";
    return out;
}

// Leading zeros dropped from every run of digits, so "07" reads as "7" and "01-00" as "1-0".
std::string DropLeadingZeros(std::string_view token) {
    std::string out;
    std::size_t i = 0;
    while (i < token.size()) {
        if (token[i] < '0' || token[i] > '9') {
            out += token[i++];
            continue;
        }
        std::size_t end = i;
        while (end < token.size() && token[end] >= '0' && token[end] <= '9') ++end;
        while (i + 1 < end && token[i] == '0') ++i;
        out.append(token.substr(i, end - i));
        i = end;
    }
    return out;
}

// Offset of the first byte that is not part of well-formed UTF-8 (or is a NUL), or npos.
std::size_t FirstBadByte(std::string_view text, bool& isNul) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0) {
            isNul = true;
            return i;
        }
        if (c < 0x80) {
            ++i;
            continue;
        }
        isNul = false;
        int length;
        unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) low = 0xA0;   // no overlong forms
            if (c == 0xED) high = 0x9F;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;  // nothing above U+10FFFF
        } else {
            return i;
        }
        if (i + static_cast<std::size_t>(length) > text.size()) return i;
        const unsigned char second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high) return i;
        for (int k = 2; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return i;
        i += static_cast<std::size_t>(length);
    }
    return std::string_view::npos;
}

int LineOfOffset(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset; ++i)
        if (text[i] == '\n') ++line;
    return line;
}

// The words a list key accepts, in the order of its boxes on screen, each with its box.
struct Vocabulary {
    std::vector<std::pair<std::string, int>> entries;
    std::string expected;   // how the words are described in a message
    bool numeric = false;   // the words are made of numbers, so leading zeros are allowed

    int Find(std::string_view token) const {
        const std::string key = numeric ? DropLeadingZeros(token) : std::string(token);
        for (const auto& [text, box] : entries)
            if (text == key) return box;
        return -1;
    }
};

Vocabulary VocabularyOf(const FlagList& list) {
    Vocabulary v;
    std::string words;
    for (int i = 0; i < list.count; ++i) {
        v.entries.push_back({BoxToken(list, i), i});
        words += (i == 0 ? "" : " ") + v.entries.back().first;
    }
    v.numeric = list.rule != BoxRule::Template;
    switch (list.rule) {
        case BoxRule::Relation:
        case BoxRule::Number:
        case BoxRule::Parity: v.expected = "zero or more of " + words; break;
        case BoxRule::Score: v.expected = "scores h-a with h and a from 0 to 3"; break;
        case BoxRule::Template:
            v.expected = "templates xyz of three digits adding up to " + std::to_string(list.first);
            break;
        case BoxRule::RwPattern:
            v.expected = "h-a:adjacent, h-a:separate or h-a:single with h and a from 0 to 3";
            break;
    }
    return v;
}

enum class ValueKind { Switch, TypeMarks, List, Bounds };

struct KeySpec {
    std::string name;
    ValueKind kind;
    const FamilySwitch* onOff = nullptr;  // Switch
    const FlagList* list = nullptr;       // List
    Vocabulary vocabulary;                // List
    const BoundsList* bounds = nullptr;   // Bounds
};

// Every key, in the order the program writes them.
const std::vector<KeySpec>& Keys() {
    static const std::vector<KeySpec> keys = [] {
        std::vector<KeySpec> k;
        for (const FilterFamily& family : FilterFamilies()) {
            if (!family.marksKey.empty()) k.push_back({family.marksKey, ValueKind::TypeMarks, nullptr, nullptr, {}, nullptr});
            if (family.onOff) k.push_back({family.onOff->key, ValueKind::Switch, &*family.onOff, nullptr, {}, nullptr});
            for (const FlagList& list : family.lists)
                k.push_back({list.key, ValueKind::List, nullptr, &list, VocabularyOf(list), nullptr});
            for (const BoundsList& bounds : family.bounds)
                k.push_back({bounds.key, ValueKind::Bounds, nullptr, nullptr, {}, &bounds});
        }
        return k;
    }();
    return keys;
}

// Reads the values of one key into the settings; returns the reason when they are bad.
std::string ReadValues(const KeySpec& key, std::string_view values, FilterSettings& s) {
    const std::vector<std::string_view> words = SplitBlanks(values);
    const std::string& name = key.name;
    switch (key.kind) {
        case ValueKind::Switch:
            if (words.size() == 1 && (words[0] == "on" || words[0] == "off")) {
                ByteOf(s, key.onOff->active) = words[0] == "on" ? 1 : 0;
                return {};
            }
            if (words.empty()) return name + ": missing value (expected on or off)";
            return name + ": bad value " + Quote(values) + " (expected on or off)";

        case ValueKind::TypeMarks:
            if (words.size() != 6)
                return name + ": expected six groups of three digits 0, 1 or 2, one per Position, found " +
                       std::to_string(words.size());
            for (int p = 1; p <= 6; ++p) {
                const std::string_view group = words[p - 1];
                bool good = group.size() == 3;
                for (char c : group) good = good && c >= '0' && c <= '2';
                if (!good)
                    return name + ": bad value " + Quote(group) + " for Position " + std::to_string(p) +
                           " (expected three digits 0, 1 or 2)";
                for (int c = 0; c < 3; ++c) s.TypeMarks[p][c] = static_cast<std::uint8_t>(group[c] - '0');
            }
            return {};

        case ValueKind::List:
            for (std::string_view word : words) {
                const int box = key.vocabulary.Find(word);
                if (box < 0) return name + ": bad value " + Quote(word) + " (expected " + key.vocabulary.expected + ")";
                ByteOf(s, BoxByte(*key.list, box)) = 1;
            }
            return {};

        case ValueKind::Bounds: {
            const int count = key.bounds->Count();
            const std::string expected =
                count == 2
                    ? std::string("two numbers: from to")
                    : std::string("six numbers: total from, total to, home from, home to, away from, away to");
            if (words.size() != static_cast<std::size_t>(count))
                return name + ": expected " + expected + ", found " + std::to_string(words.size()) + " values";
            int value[6] = {};
            for (int i = 0; i < count; ++i) {
                const std::string digits = DropLeadingZeros(words[i]);
                if (!AllDigits(digits) || digits.size() > 2 || std::stoi(digits) > MaxGoalBound)
                    return name + ": bad value " + Quote(words[i]) + " (expected a number from 0 to 36)";
                value[i] = std::stoi(digits);
            }
            static constexpr const char* PairNames[3] = {"total ", "home ", "away "};
            for (int pair = 0; pair < count / 2; ++pair) {
                if (value[2 * pair] > value[2 * pair + 1]) {
                    const std::string prefix = count == 2 ? "" : PairNames[pair];
                    return name + ": " + prefix + "from " + std::to_string(value[2 * pair]) + " is above " + prefix +
                           "to " + std::to_string(value[2 * pair + 1]);
                }
            }
            for (int i = 0; i < count; ++i) ByteOf(s, key.bounds->Bound(i)) = static_cast<std::uint8_t>(value[i]);
            return {};
        }
    }
    return {};
}

std::string WriteValues(const KeySpec& key, const FilterSettings& s) {
    std::string out;
    auto add = [&out](const std::string& word) {
        if (!out.empty()) out += ' ';
        out += word;
    };
    switch (key.kind) {
        case ValueKind::Switch:
            add(ByteOf(s, key.onOff->active) != 0 ? "on" : "off");
            break;
        case ValueKind::TypeMarks:
            for (int p = 1; p <= 6; ++p) {
                std::string group;
                // Only 0, 1 and 2 exist; anything else would not read back, so it is written as not allowed.
                for (int c = 0; c < 3; ++c) group += s.TypeMarks[p][c] <= 2 ? static_cast<char>('0' + s.TypeMarks[p][c]) : '0';
                add(group);
            }
            break;
        case ValueKind::List:
            for (const auto& [text, box] : key.vocabulary.entries)
                if (ByteOf(s, BoxByte(*key.list, box)) != 0) add(text);
            break;
        case ValueKind::Bounds:
            for (int i = 0; i < key.bounds->Count(); ++i) add(std::to_string(ByteOf(s, key.bounds->Bound(i))));
            break;
    }
    return out;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

ProfileReadResult Failure(int line, const std::string& reason) {
    ProfileReadResult r;
    r.line = line;
    r.error = "line " + std::to_string(line) + ": " + reason;
    return r;
}

}  // namespace

ProfileReadResult ReadFilterProfile(std::string_view text) {
    if (text.substr(0, ByteOrderMark.size()) == ByteOrderMark) text.remove_prefix(ByteOrderMark.size());

    bool isNul = false;
    const std::size_t bad = FirstBadByte(text, isNul);
    if (bad != std::string_view::npos)
        return Failure(LineOfOffset(text, bad), isNul ? "the text holds a NUL byte" : "the text is not valid UTF-8");

    const std::vector<KeySpec>& keys = Keys();
    std::vector<int> seenOnLine(keys.size(), 0);
    FilterSettings settings;
    bool haveHeader = false;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t hash = line.find('#');
        if (hash != std::string_view::npos) line = line.substr(0, hash);
        line = Trim(line);
        if (line.empty()) continue;

        const std::size_t eq = line.find('=');
        const std::vector<std::string_view> words = eq == std::string_view::npos ? SplitBlanks(line)
                                                                                  : std::vector<std::string_view>{};
        const bool looksLikeHeader = !words.empty() && words[0] == HeaderWord;
        if (!haveHeader) {
            if (looksLikeHeader && words.size() >= 2) {
                if (words.size() != 2 || !AllDigits(words[1]) || DropLeadingZeros(words[1]) != "1")
                    return Failure(lineNumber, "unsupported version " + Quote(Trim(line.substr(HeaderWord.size()))) +
                                                   " (this program reads kombinator-filters 1)");
                haveHeader = true;
                continue;
            }
            return Failure(lineNumber, "missing header: the first line must read 'kombinator-filters 1', found " +
                                           Quote(line));
        }
        if (eq == std::string_view::npos) {
            if (looksLikeHeader) return Failure(lineNumber, "the header is given twice");
            return Failure(lineNumber, "expected 'Key = values', found " + Quote(line));
        }
        const std::string_view name = Trim(line.substr(0, eq));
        if (name.empty()) return Failure(lineNumber, "missing key before '='");
        std::size_t index = keys.size();
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i].name == name) index = i;
        if (index == keys.size()) {
            std::string reason = "unknown key " + Quote(name);
            for (const KeySpec& key : keys)
                if (SameIgnoringCase(key.name, name)) reason += " (keys are case-sensitive: " + key.name + ")";
            return Failure(lineNumber, reason);
        }
        if (seenOnLine[index] != 0)
            return Failure(lineNumber, "key " + keys[index].name + " given twice (first on line " +
                                           std::to_string(seenOnLine[index]) + ")");
        seenOnLine[index] = lineNumber;
        const std::string reason = ReadValues(keys[index], Trim(line.substr(eq + 1)), settings);
        if (!reason.empty()) return Failure(lineNumber, reason);
    }
    if (!haveHeader)
        return Failure(lineNumber == 0 ? 1 : lineNumber,
                       "missing header: the file holds no 'kombinator-filters 1' line");

    ProfileReadResult result;
    result.ok = true;
    result.settings = settings;
    return result;
}

ProfileReadResult ReadFilterProfileFile(const std::string& path) {
    std::string bytes;
    const FileResult read = ReadWholeFile(path, bytes, ProfileFileLimit);
    if (!read.ok) {
        ProfileReadResult r;
        r.error = read.error;
        return r;
    }
    return ReadFilterProfile(bytes);
}

std::string WriteFilterProfile(const FilterSettings& settings) {
    std::string out(FilterProfileHeader);
    out += "\r\n";
    for (const KeySpec& key : Keys()) {
        const std::string values = WriteValues(key, settings);
        out += key.name;
        out += values.empty() ? " =" : " = ";
        out += values;
        out += "\r\n";
    }
    return out;
}

FileResult SaveFilterProfile(const std::string& path, const FilterSettings& settings) {
    return WriteFileAtomically(path, WriteFilterProfile(settings));
}

}  // namespace kombinator
