#include "filters/filter_table.h"

#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace kombinator {
namespace {

// A typo in one entry shows here: a control numbered twice, two boxes on one byte, a key twice.
TEST(FilterTable, EveryControlByteAndKeyIsDescribedExactlyOnce) {
    std::map<int, std::string> boxes, groups, upDowns, maskEdits;
    std::set<std::string> keys;
    std::map<std::pair<int, std::pair<int, int>>, std::string> bytes;
    auto claim = [](std::map<int, std::string>& seen, int number, const std::string& by) {
        EXPECT_TRUE(seen.emplace(number, by).second) << number << " of " << by << " also in " << seen[number];
    };
    for (const FilterFamily& family : FilterFamilies()) {
        if (!family.marksKey.empty()) {
            EXPECT_TRUE(keys.insert(family.marksKey).second);
        }
        if (family.onOff) {
            claim(groups, family.onOff->radioGroup, family.onOff->key);
            EXPECT_TRUE(keys.insert(family.onOff->key).second) << family.onOff->key;
        }
        for (const FlagList& list : family.lists) {
            EXPECT_TRUE(keys.insert(list.key).second) << list.key;
            std::set<std::string> tokens;
            for (int i = 0; i < list.count; ++i) {
                const std::string box = list.key + " box " + std::to_string(i);
                claim(boxes, list.firstBox + i, box);
                EXPECT_TRUE(tokens.insert(BoxToken(list, i)).second) << box;
                const SettingsByte b = BoxByte(list, i);
                const auto at = std::make_pair(static_cast<int>(b.field), std::make_pair(b.row, b.slot));
                EXPECT_TRUE(bytes.emplace(at, box).second) << box << " shares its byte with " << bytes[at];
                // The byte is one of its own in the settings, not one an accessor folds onto another.
                FilterSettings s;
                ByteOf(s, b) = 1;
                EXPECT_NE(s, FilterSettings{}) << box;
                ByteOf(s, b) = 0;
                EXPECT_EQ(s, FilterSettings{}) << box;
            }
        }
        for (const BoundsList& bounds : family.bounds) {
            EXPECT_TRUE(keys.insert(bounds.key).second) << bounds.key;
            ASSERT_EQ(bounds.upDowns.size(), bounds.maskEdits.size()) << bounds.key;
            for (int i = 0; i < bounds.Count(); ++i) {
                claim(upDowns, bounds.upDowns[static_cast<std::size_t>(i)], bounds.key);
                claim(maskEdits, bounds.maskEdits[static_cast<std::size_t>(i)], bounds.key);
            }
        }
    }
    // The window's design: CheckBox1..320, RadioGroup1..16, UpDown1..18, MaskEdit1..12 and 83..88.
    ASSERT_EQ(boxes.size(), 320u);
    EXPECT_EQ(boxes.begin()->first, 1);
    EXPECT_EQ(boxes.rbegin()->first, 320);
    ASSERT_EQ(groups.size(), 16u);
    EXPECT_EQ(groups.rbegin()->first, 16);
    ASSERT_EQ(upDowns.size(), 18u);
    EXPECT_EQ(upDowns.rbegin()->first, 18);
    ASSERT_EQ(maskEdits.size(), 18u);
    EXPECT_EQ(maskEdits.begin()->first, 1);
    EXPECT_EQ(maskEdits.rbegin()->first, 88);
}

}  // namespace
}  // namespace kombinator
