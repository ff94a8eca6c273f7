#pragma once
// Every filter family described once: its on/off switch, its lists of check boxes (the box
// numbers, the byte each box owns, the captions and the profile words), its spinner bounds and
// its profile keys. The filter profile reader and writer and the window's filter editor are
// both built from this table, so a new family or a changed box is one entry here.
// Start-up values are those of a default FilterSettings (filter_settings.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/filter_settings.h"

namespace kombinator {

// The members of FilterSettings a control or a profile key stands for.
enum class SettingsField : std::uint8_t {
    RelationTicked,
    RiActive,
    RiTemplate,         // slot 7 x + y
    RjDrawActive,
    RjDrawTemplate,
    RjTwoActive,
    RjTwoTemplate,
    ScoreFilterActive,  // row: the Position
    ScoreAllowed,       // row: the Position, slot: the ScoreIndex
    TotalGoals,         // slot 0 from, 1 to
    HomeGoals,
    AwayGoals,
    PnActive,
    PnOverall,
    PnHomeBlock,
    PnAwayBlock,
    PreferredActive,
    PreferredScores,    // row: the set 0..2
    RwActive,
    RwTemplate,
    HomeBlockActive,
    AwayBlockActive,
    HomeBlockCounts,    // row: the goal number, slot: the number of positions
    AwayBlockCounts,
    BlockGActive,
    BlockDActive,
    BlockGSigns,
    BlockDSigns,
    BlockGRange,
    BlockDRange,
};

// One byte of a FilterSettings.
struct SettingsByte {
    SettingsField field;
    int row = 0;
    int slot = 0;
};

std::uint8_t& ByteOf(FilterSettings& s, const SettingsByte& byte);
std::uint8_t ByteOf(const FilterSettings& s, const SettingsByte& byte);

// How a list names its boxes and which slot each box's byte has; i is the box's place in the list.
enum class BoxRule : std::uint8_t {
    Relation,   // "6 - 0" .. "0 - 6": 6 - i basic against i additional types; slot i + 1
    Number,     // the number first + i; slot that number
    Score,      // the score i / 4 - i % 4 (home - away); slot i
    Parity,     // "e - o" with e counting down from first and o = total - e; slot e
    Template,   // "x y z" adding up to first, x then y counting down; slot (first + 1) x + y
    RwPattern,  // boxes by away goals, then home goals, three patterns each; slot 3 ScoreIndex + pattern
};

// The boxes of one profile key: CheckBox(firstBox) .. CheckBox(firstBox + count - 1).
struct FlagList {
    std::string key;
    int firstBox;
    int count;
    SettingsField field;
    int row;
    BoxRule rule;
    int first = 0;           // Number, Parity, Template: see BoxRule
    int total = 0;           // Parity: the number of goal counts
    bool captioned = true;   // false: the box has digits beside it in place of a caption
    bool ownsByte = true;    // false: the run reads the box itself when it starts
};

int BoxSlot(const FlagList& list, int i);
inline SettingsByte BoxByte(const FlagList& list, int i) { return {list.field, list.row, BoxSlot(list, i)}; }
// The word of box i in a profile: "6-0", "3", "1-0", "9-3", "411", "1-0:adjacent".
std::string BoxToken(const FlagList& list, int i);
// The caption of box i on screen: "6 - 0", "3", "1 - 0", "9 - 3", "4 1 1"; empty when not captioned.
std::string BoxCaption(const FlagList& list, int i);

// A family's RadioGroupN: item 0 off, item 1 on.
struct FamilySwitch {
    std::string key;
    int radioGroup;
    std::string caption;
    std::string off;
    std::string on;
    SettingsByte active;
};

// Spinner bounds of one profile key, in pairs from / to: UpDownN and MaskEditN of each bound.
struct BoundsList {
    std::string key;
    SettingsField field;
    std::vector<int> upDowns;
    std::vector<int> maskEdits;

    int Count() const { return static_cast<int>(upDowns.size()); }
    SettingsByte Bound(int i) const { return {field, 0, i}; }
};

enum class FamilyId : std::uint8_t {
    TypeGrid,
    Ri,
    RjDraws,
    RjTwos,
    Scores1,  // .. Scores6, one per Position
    Scores2,
    Scores3,
    Scores4,
    Scores5,
    Scores6,
    GoalRanges,
    Pn,
    Preferred,
    Rw,
    HomeBlock,
    AwayBlock,
    BlockG,
    BlockD,
};

struct FilterFamily {
    FamilyId id;
    std::string marksKey;               // the type grid only: its type marks, before its lists
    std::optional<FamilySwitch> onOff;  // none: always in force
    std::vector<FlagList> lists;
    std::vector<BoundsList> bounds;
};

// Every family, in the order of the profile's keys (switch, lists, bounds within a family).
const std::vector<FilterFamily>& FilterFamilies();
const FilterFamily& Family(FamilyId id);
inline FamilyId ScoresFamily(int position) { return static_cast<FamilyId>(static_cast<int>(FamilyId::Scores1) + position - 1); }

}  // namespace kombinator
