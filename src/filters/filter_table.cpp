#include "filters/filter_table.h"

#include <stdexcept>

namespace kombinator {
namespace {

template <class Settings>
auto& ByteIn(Settings& s, const SettingsByte& b) {
    const auto row = static_cast<std::size_t>(b.row);
    const auto slot = static_cast<std::size_t>(b.slot);
    switch (b.field) {
        case SettingsField::RelationTicked: return s.RelationTicked[slot];
        case SettingsField::RiActive: return s.RiActive;
        case SettingsField::RiTemplate: return s.RiTemplate[slot / 7][slot % 7];
        case SettingsField::RjDrawActive: return s.RjDrawActive;
        case SettingsField::RjDrawTemplate: return s.RjDrawTemplate[slot];
        case SettingsField::RjTwoActive: return s.RjTwoActive;
        case SettingsField::RjTwoTemplate: return s.RjTwoTemplate[slot];
        case SettingsField::ScoreFilterActive: return s.ScoreFilterActive[row];
        case SettingsField::ScoreAllowed: return s.ScoreAllowed[row][slot];
        case SettingsField::TotalGoals: return slot == 0 ? s.TotalGoalsFrom : s.TotalGoalsTo;
        case SettingsField::HomeGoals: return slot == 0 ? s.HomeGoalsFrom : s.HomeGoalsTo;
        case SettingsField::AwayGoals: return slot == 0 ? s.AwayGoalsFrom : s.AwayGoalsTo;
        case SettingsField::PnActive: return s.PnActive;
        case SettingsField::PnOverall: return s.PnOverall[slot];
        case SettingsField::PnHomeBlock: return s.PnHomeBlock[slot];
        case SettingsField::PnAwayBlock: return s.PnAwayBlock[slot];
        case SettingsField::PreferredActive: return s.PreferredActive;
        case SettingsField::PreferredScores: return s.PreferredScores[row][slot];
        case SettingsField::RwActive: return s.RwActive;
        case SettingsField::RwTemplate: return s.RwTemplate[slot];
        case SettingsField::HomeBlockActive: return s.HomeBlockActive;
        case SettingsField::AwayBlockActive: return s.AwayBlockActive;
        case SettingsField::HomeBlockCounts: return s.HomeBlockCounts[6 * row + slot];
        case SettingsField::AwayBlockCounts: return s.AwayBlockCounts[6 * row + slot];
        case SettingsField::BlockGActive: return s.BlockGActive;
        case SettingsField::BlockDActive: return s.BlockDActive;
        case SettingsField::BlockGSigns: return s.BlockGSigns[slot];
        case SettingsField::BlockDSigns: return s.BlockDSigns[slot];
        case SettingsField::BlockGRange: return s.BlockGRange[slot];
        case SettingsField::BlockDRange: return s.BlockDRange[slot];
    }
    throw std::logic_error("unknown settings field");
}

// Box i of a template list: x signs "1", y signs "0", x then y counting down.
void TemplateOf(int total, int i, int& x, int& y) {
    for (x = total; x >= 0; --x)
        for (y = total - x; y >= 0; --y)
            if (i-- == 0) return;
    throw std::logic_error("template box out of range");
}

// RW box i: its ScoreIndex (home goals x 4 + away goals) and its pattern.
int RwScore(int i) {
    const int j = i / 3;
    return 4 * (j % 4) + j / 4;
}

std::string Pair(int a, int b, const char* between) { return std::to_string(a) + between + std::to_string(b); }

std::string Words(const FlagList& list, int i, bool caption) {
    const char* dash = caption ? " - " : "-";
    switch (list.rule) {
        case BoxRule::Relation: return Pair(6 - i, i, dash);
        case BoxRule::Number: return std::to_string(list.first + i);
        case BoxRule::Score: return Pair(i / 4, i % 4, dash);
        case BoxRule::Parity: return Pair(list.first - i, list.total - (list.first - i), dash);
        case BoxRule::Template: {
            int x = 0, y = 0;
            TemplateOf(list.first, i, x, y);
            const char* gap = caption ? " " : "";
            return std::to_string(x) + gap + std::to_string(y) + gap + std::to_string(list.first - x - y);
        }
        case BoxRule::RwPattern: {
            static constexpr const char* PatternNames[3] = {"adjacent", "separate", "single"};
            const int score = RwScore(i);
            return Pair(score / 4, score % 4, "-") + ":" + PatternNames[i % 3];
        }
    }
    return {};
}

FamilySwitch Switch(std::string key, int group, std::string off, std::string on, SettingsByte active,
                    std::string caption = {}) {
    return {std::move(key), group, std::move(caption), std::move(off), std::move(on), active};
}

FilterFamily ScoresEntry(int p) {
    const std::string n = std::to_string(p);
    return {static_cast<FamilyId>(static_cast<int>(FamilyId::Scores1) + p - 1), {},
            Switch("Scores" + n, 3 + p, "Wszystkie", "Wybrane ", {SettingsField::ScoreFilterActive, p},
                   std::string(20, ' ') + "Pozycja " + n + std::string(23, ' ')),
            {{"Scores" + n + "Allowed", 44 + 16 * (p - 1), 16, SettingsField::ScoreAllowed, p, BoxRule::Score}},
            {}};
}

FilterFamily CountBlockEntry(FamilyId id, const std::string& name, int group, int firstBox, SettingsField active,
                             SettingsField counts) {
    FilterFamily f{id, {}, Switch(name, group, "Dowolny", "Ustalony", {active}), {}, {}};
    for (int g = 0; g < 4; ++g)
        f.lists.push_back({name + std::to_string(g), firstBox + 6 * g, 6, counts, g, BoxRule::Number, 0});
    return f;
}

std::vector<FilterFamily> BuildFamilies() {
    using F = SettingsField;
    std::vector<FilterFamily> t;
    t.push_back({FamilyId::TypeGrid, "TypeMarks", std::nullopt,
                 {{"Relations", 1, 7, F::RelationTicked, 0, BoxRule::Relation, 0, 0, true, false}}, {}});
    t.push_back({FamilyId::Ri, {}, Switch("RI", 1, "Dowolny", "Ustalony", {F::RiActive}),
                 {{"RITemplates", 8, 28, F::RiTemplate, 0, BoxRule::Template, 6}}, {}});
    t.push_back({FamilyId::RjDraws, {}, Switch("RJDraws", 2, "Dowolny", "Ustalony", {F::RjDrawActive}, " Remisy "),
                 {{"RJDrawTemplates", 36, 4, F::RjDrawTemplate, 0, BoxRule::Number, 1, 0, false}}, {}});
    t.push_back({FamilyId::RjTwos, {}, Switch("RJTwos", 3, "Dowolny", "Ustalony", {F::RjTwoActive}, " Dwójki "),
                 {{"RJTwoTemplates", 40, 4, F::RjTwoTemplate, 0, BoxRule::Number, 1, 0, false}}, {}});
    for (int p = 1; p <= 6; ++p) t.push_back(ScoresEntry(p));
    t.push_back({FamilyId::GoalRanges, {}, std::nullopt, {},
                 {{"TotalGoals", F::TotalGoals, {3, 4}, {83, 84}},
                  {"HomeGoals", F::HomeGoals, {5, 6}, {85, 86}},
                  {"AwayGoals", F::AwayGoals, {7, 8}, {87, 88}}}});
    t.push_back({FamilyId::Pn, {}, Switch("PN", 16, "Dowolne", "Ustalone", {F::PnActive}),
                 {{"PNOverall", 304, 7, F::PnOverall, 0, BoxRule::Parity, 9, 12},
                  {"PNHome", 311, 5, F::PnHomeBlock, 0, BoxRule::Parity, 5, 6},
                  {"PNAway", 316, 5, F::PnAwayBlock, 0, BoxRule::Parity, 5, 6}},
                 {}});
    t.push_back({FamilyId::Preferred, {}, Switch("Preferred", 10, "Bez preferencji", "Z preferencjami", {F::PreferredActive}),
                 {{"Preferred1", 140, 16, F::PreferredScores, 0, BoxRule::Score},
                  {"Preferred2", 156, 16, F::PreferredScores, 1, BoxRule::Score},
                  {"Preferred3", 172, 16, F::PreferredScores, 2, BoxRule::Score}},
                 {}});
    t.push_back({FamilyId::Rw, {}, Switch("RW", 11, "Dowolny", "Ustalony", {F::RwActive}),
                 {{"RWTemplate", 188, 48, F::RwTemplate, 0, BoxRule::RwPattern, 0, 0, false}}, {}});
    t.push_back(CountBlockEntry(FamilyId::HomeBlock, "HomeBlock", 12, 236, F::HomeBlockActive, F::HomeBlockCounts));
    t.push_back(CountBlockEntry(FamilyId::AwayBlock, "AwayBlock", 13, 260, F::AwayBlockActive, F::AwayBlockCounts));
    t.push_back({FamilyId::BlockG, {}, Switch("BlockG", 14, "Dowolny", "Ustalony", {F::BlockGActive}),
                 {{"BlockGSigns", 284, 10, F::BlockGSigns, 0, BoxRule::Template, 3}},
                 {{"BlockGRange", F::BlockGRange, {1, 2, 9, 10, 11, 12}, {1, 2, 3, 4, 5, 6}}}});
    t.push_back({FamilyId::BlockD, {}, Switch("BlockD", 15, "Dowolny", "Ustalony", {F::BlockDActive}),
                 {{"BlockDSigns", 294, 10, F::BlockDSigns, 0, BoxRule::Template, 3}},
                 {{"BlockDRange", F::BlockDRange, {13, 14, 15, 16, 17, 18}, {7, 8, 9, 10, 11, 12}}}});
    return t;
}

}  // namespace

std::uint8_t& ByteOf(FilterSettings& s, const SettingsByte& byte) { return ByteIn(s, byte); }
std::uint8_t ByteOf(const FilterSettings& s, const SettingsByte& byte) { return ByteIn(s, byte); }

int BoxSlot(const FlagList& list, int i) {
    switch (list.rule) {
        case BoxRule::Relation: return i + 1;
        case BoxRule::Number: return list.first + i;
        case BoxRule::Score: return i;
        case BoxRule::Parity: return list.first - i;
        case BoxRule::Template: {
            int x = 0, y = 0;
            TemplateOf(list.first, i, x, y);
            return (list.first + 1) * x + y;
        }
        case BoxRule::RwPattern: return 3 * RwScore(i) + i % 3;
    }
    return 0;
}

std::string BoxToken(const FlagList& list, int i) { return Words(list, i, false); }

std::string BoxCaption(const FlagList& list, int i) { return list.captioned ? Words(list, i, true) : std::string(); }

const std::vector<FilterFamily>& FilterFamilies() {
    static const std::vector<FilterFamily> families = BuildFamilies();
    return families;
}

const FilterFamily& Family(FamilyId id) {
    for (const FilterFamily& f : FilterFamilies())
        if (f.id == id) return f;
    throw std::logic_error("unknown filter family");
}

}  // namespace kombinator
