#include "filters/filter_profile.h"

#include <functional>
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

// The tokens a list key accepts, in the order of their boxes on screen, each with the
// index of the flag it ticks.
struct Vocabulary {
    std::vector<std::pair<std::string, int>> entries;
    std::string expected;   // how the tokens are described in a message
    bool numeric = false;   // the tokens are made of numbers, so leading zeros are allowed

    int Find(std::string_view token) const {
        const std::string key = numeric ? DropLeadingZeros(token) : std::string(token);
        for (const auto& [text, slot] : entries)
            if (text == key) return slot;
        return -1;
    }
};

std::string ScoreText(int index) { return std::to_string(index / 4) + "-" + std::to_string(index % 4); }

Vocabulary RelationWords() {
    Vocabulary v{{}, "", true};
    for (int basic = 6; basic >= 0; --basic)
        v.entries.push_back({std::to_string(basic) + "-" + std::to_string(6 - basic), 7 - basic});
    v.expected = "zero or more of 6-0 5-1 4-2 3-3 2-4 1-5 0-6";
    return v;
}

// Templates xyz (x signs "1", y signs "0", z signs "2") adding up to `total`, x descending then y
// descending as on screen; the flag of xyz is at stride * x + y.
Vocabulary TemplateWords(int total, int stride) {
    Vocabulary v{{}, "", false};
    for (int x = total; x >= 0; --x)
        for (int y = total - x; y >= 0; --y)
            v.entries.push_back({std::to_string(x) + std::to_string(y) + std::to_string(total - x - y), stride * x + y});
    v.expected = "templates xyz of three digits adding up to " + std::to_string(total);
    return v;
}

Vocabulary NumberWords(int from, int to) {
    Vocabulary v{{}, "", true};
    std::string list;
    for (int n = from; n <= to; ++n) {
        v.entries.push_back({std::to_string(n), n});
        list += (n == from ? "" : " ") + std::to_string(n);
    }
    v.expected = "zero or more of " + list;
    return v;
}

Vocabulary ScoreWords() {
    Vocabulary v{{}, "scores h-a with h and a from 0 to 3", true};
    for (int i = 0; i < 16; ++i) v.entries.push_back({ScoreText(i), i});
    return v;
}

// Parity templates e-o over `total` goal counts, e from `high` down to `low`; the flag is at e.
Vocabulary ParityWords(int total, int high, int low) {
    Vocabulary v{{}, "", true};
    std::string list;
    for (int e = high; e >= low; --e) {
        const std::string text = std::to_string(e) + "-" + std::to_string(total - e);
        v.entries.push_back({text, e});
        list += (e == high ? "" : " ") + text;
    }
    v.expected = "zero or more of " + list;
    return v;
}

// RW boxes stand in rows by away goals and columns by home goals, three patterns each.
Vocabulary RwWords() {
    static constexpr const char* PatternNames[3] = {"adjacent", "separate", "single"};
    Vocabulary v{{}, "h-a:adjacent, h-a:separate or h-a:single with h and a from 0 to 3", true};
    for (int away = 0; away < 4; ++away)
        for (int home = 0; home < 4; ++home)
            for (int k = 0; k < 3; ++k)
                v.entries.push_back({ScoreText(4 * home + away) + ":" + PatternNames[k], 3 * (4 * home + away) + k});
    return v;
}

enum class ValueKind { Switch, TypeMarks, List, Bounds };

struct KeySpec {
    KeySpec(std::string n, ValueKind k) : name(std::move(n)), kind(k) {}
    std::string name;
    ValueKind kind;
    std::function<Flag&(FilterSettings&)> flag;                       // Switch
    const Vocabulary* vocabulary = nullptr;                           // List
    std::function<Flag&(FilterSettings&, int slot)> slot;             // List
    std::function<std::uint8_t&(FilterSettings&, int i)> bound;       // Bounds
    int boundCount = 0;                                               // Bounds: 2 or 6
};

KeySpec Switch(std::string name, std::function<Flag&(FilterSettings&)> flag) {
    KeySpec k{std::move(name), ValueKind::Switch};
    k.flag = std::move(flag);
    return k;
}
KeySpec List(std::string name, const Vocabulary& vocabulary, std::function<Flag&(FilterSettings&, int)> slot) {
    KeySpec k{std::move(name), ValueKind::List};
    k.vocabulary = &vocabulary;
    k.slot = std::move(slot);
    return k;
}
KeySpec Bounds(std::string name, int count, std::function<std::uint8_t&(FilterSettings&, int)> bound) {
    KeySpec k{std::move(name), ValueKind::Bounds};
    k.boundCount = count;
    k.bound = std::move(bound);
    return k;
}

// Every key, in the order the program writes them.
const std::vector<KeySpec>& Keys() {
    static const Vocabulary relations = RelationWords();
    static const Vocabulary riTemplates = TemplateWords(6, 7);
    static const Vocabulary rjTemplates = NumberWords(1, 4);
    static const Vocabulary scores = ScoreWords();
    static const Vocabulary pnOverall = ParityWords(12, 9, 3);
    static const Vocabulary pnBlock = ParityWords(6, 5, 1);
    static const Vocabulary rw = RwWords();
    static const Vocabulary blockCounts = NumberWords(0, 5);
    static const Vocabulary blockSigns = TemplateWords(3, 4);

    static const std::vector<KeySpec> keys = [] {
        std::vector<KeySpec> k;
        k.push_back(KeySpec{"TypeMarks", ValueKind::TypeMarks});
        k.push_back(List("Relations", relations, [](FilterSettings& s, int i) -> Flag& { return s.RelationTicked[i]; }));
        k.push_back(Switch("RI", [](FilterSettings& s) -> Flag& { return s.RiActive; }));
        k.push_back(List("RITemplates", riTemplates,
                         [](FilterSettings& s, int i) -> Flag& { return s.RiTemplate[i / 7][i % 7]; }));
        k.push_back(Switch("RJDraws", [](FilterSettings& s) -> Flag& { return s.RjDrawActive; }));
        k.push_back(List("RJDrawTemplates", rjTemplates,
                         [](FilterSettings& s, int i) -> Flag& { return s.RjDrawTemplate[i]; }));
        k.push_back(Switch("RJTwos", [](FilterSettings& s) -> Flag& { return s.RjTwoActive; }));
        k.push_back(List("RJTwoTemplates", rjTemplates,
                         [](FilterSettings& s, int i) -> Flag& { return s.RjTwoTemplate[i]; }));
        for (int p = 1; p <= 6; ++p) {
            const std::string n = std::to_string(p);
            k.push_back(Switch("Scores" + n, [p](FilterSettings& s) -> Flag& { return s.ScoreFilterActive[p]; }));
            k.push_back(List("Scores" + n + "Allowed", scores,
                             [p](FilterSettings& s, int i) -> Flag& { return s.ScoreAllowed[p][i]; }));
        }
        k.push_back(Bounds("TotalGoals", 2, [](FilterSettings& s, int i) -> std::uint8_t& {
            return i == 0 ? s.TotalGoalsFrom : s.TotalGoalsTo;
        }));
        k.push_back(Bounds("HomeGoals", 2, [](FilterSettings& s, int i) -> std::uint8_t& {
            return i == 0 ? s.HomeGoalsFrom : s.HomeGoalsTo;
        }));
        k.push_back(Bounds("AwayGoals", 2, [](FilterSettings& s, int i) -> std::uint8_t& {
            return i == 0 ? s.AwayGoalsFrom : s.AwayGoalsTo;
        }));
        k.push_back(Switch("PN", [](FilterSettings& s) -> Flag& { return s.PnActive; }));
        k.push_back(List("PNOverall", pnOverall, [](FilterSettings& s, int i) -> Flag& { return s.PnOverall[i]; }));
        k.push_back(List("PNHome", pnBlock, [](FilterSettings& s, int i) -> Flag& { return s.PnHomeBlock[i]; }));
        k.push_back(List("PNAway", pnBlock, [](FilterSettings& s, int i) -> Flag& { return s.PnAwayBlock[i]; }));
        k.push_back(Switch("Preferred", [](FilterSettings& s) -> Flag& { return s.PreferredActive; }));
        for (int set = 0; set < 3; ++set)
            k.push_back(List("Preferred" + std::to_string(set + 1), scores,
                             [set](FilterSettings& s, int i) -> Flag& { return s.PreferredScores[set][i]; }));
        k.push_back(Switch("RW", [](FilterSettings& s) -> Flag& { return s.RwActive; }));
        k.push_back(List("RWTemplate", rw, [](FilterSettings& s, int i) -> Flag& { return s.RwTemplate[i]; }));
        k.push_back(Switch("HomeBlock", [](FilterSettings& s) -> Flag& { return s.HomeBlockActive; }));
        for (int g = 0; g < 4; ++g)
            k.push_back(List("HomeBlock" + std::to_string(g), blockCounts,
                             [g](FilterSettings& s, int n) -> Flag& { return s.HomeBlockCounts[6 * g + n]; }));
        k.push_back(Switch("AwayBlock", [](FilterSettings& s) -> Flag& { return s.AwayBlockActive; }));
        for (int g = 0; g < 4; ++g)
            k.push_back(List("AwayBlock" + std::to_string(g), blockCounts,
                             [g](FilterSettings& s, int n) -> Flag& { return s.AwayBlockCounts[6 * g + n]; }));
        k.push_back(Switch("BlockG", [](FilterSettings& s) -> Flag& { return s.BlockGActive; }));
        k.push_back(List("BlockGSigns", blockSigns, [](FilterSettings& s, int i) -> Flag& { return s.BlockGSigns[i]; }));
        k.push_back(Bounds("BlockGRange", 6, [](FilterSettings& s, int i) -> std::uint8_t& { return s.BlockGRange[i]; }));
        k.push_back(Switch("BlockD", [](FilterSettings& s) -> Flag& { return s.BlockDActive; }));
        k.push_back(List("BlockDSigns", blockSigns, [](FilterSettings& s, int i) -> Flag& { return s.BlockDSigns[i]; }));
        k.push_back(Bounds("BlockDRange", 6, [](FilterSettings& s, int i) -> std::uint8_t& { return s.BlockDRange[i]; }));
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
                key.flag(s) = words[0] == "on" ? 1 : 0;
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
                const int slot = key.vocabulary->Find(word);
                if (slot < 0) return name + ": bad value " + Quote(word) + " (expected " + key.vocabulary->expected + ")";
                key.slot(s, slot) = 1;
            }
            return {};

        case ValueKind::Bounds: {
            const std::string expected =
                key.boundCount == 2
                    ? std::string("two numbers: from to")
                    : std::string("six numbers: total from, total to, home from, home to, away from, away to");
            if (words.size() != static_cast<std::size_t>(key.boundCount))
                return name + ": expected " + expected + ", found " + std::to_string(words.size()) + " values";
            int value[6] = {};
            for (int i = 0; i < key.boundCount; ++i) {
                const std::string digits = DropLeadingZeros(words[i]);
                if (!AllDigits(digits) || digits.size() > 2 || std::stoi(digits) > MaxGoalBound)
                    return name + ": bad value " + Quote(words[i]) + " (expected a number from 0 to 36)";
                value[i] = std::stoi(digits);
            }
            static constexpr const char* PairNames[3] = {"total ", "home ", "away "};
            for (int pair = 0; pair < key.boundCount / 2; ++pair) {
                if (value[2 * pair] > value[2 * pair + 1]) {
                    const std::string prefix = key.boundCount == 2 ? "" : PairNames[pair];
                    return name + ": " + prefix + "from " + std::to_string(value[2 * pair]) + " is above " + prefix +
                           "to " + std::to_string(value[2 * pair + 1]);
                }
            }
            for (int i = 0; i < key.boundCount; ++i) key.bound(s, i) = static_cast<std::uint8_t>(value[i]);
            return {};
        }
    }
    return {};
}

std::string WriteValues(const KeySpec& key, const FilterSettings& settings) {
    // The accessors hand out references into a settings object; reading goes through a copy.
    FilterSettings s = settings;
    std::string out;
    auto add = [&out](const std::string& word) {
        if (!out.empty()) out += ' ';
        out += word;
    };
    switch (key.kind) {
        case ValueKind::Switch:
            add(key.flag(s) != 0 ? "on" : "off");
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
            for (const auto& [text, slot] : key.vocabulary->entries)
                if (key.slot(s, slot) != 0) add(text);
            break;
        case ValueKind::Bounds:
            for (int i = 0; i < key.boundCount; ++i) add(std::to_string(key.bound(s, i)));
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
    const FileResult read = ReadWholeFile(path, bytes);
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
