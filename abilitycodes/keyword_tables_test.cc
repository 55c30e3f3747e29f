#include "abilitycodes/keyword_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <string_view>

namespace abilitycodes {
namespace {

struct CodeCase {
  std::u16string_view value;
  std::int32_t code;
};

TEST(KeywordTablesTest, TargetTypeCodes) {
  const CodeCase cases[] = {
      {u"self", 0},
      {u"target", 1},
      {u"enemy", 3},
      {u"door_treasure", 8},
      {u"pc_body", 10},
      {u"npc_body", 11},
      // Not found: the same code as "self".
      {u"SELF", 0},
      {u"0", 0},
      {u"enemy_only2", 0},
      {u"enemy ", 0},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(TargetTypeCode(c.value), c.code) << std::string(c.value.begin(), c.value.end());
  }
}

TEST(KeywordTablesTest, AttributeCodes) {
  const CodeCase cases[] = {
      {u"0", 0},
      {u"8", 8},
      {u"attr_earth", 9},
      {u"14", 14},
      {u"attr_hold", 15},
      {u"16", 16},
      {u"attr_unholy", 20},
      {u"25", 25},
      {u"attr_paralyze", 26},
      {u"28", 28},
      {u"attr_none", 29},
      // Not found: slot 9 holds a keyword, not "9"; letter case counts.
      {u"9", -1},
      {u"29", -1},
      {u"Attr_fire", -1},
      {u"attr_fire_", -1},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(AttributeCode(c.value), c.code) << std::string(c.value.begin(), c.value.end());
  }
}

TEST(KeywordTablesTest, AbnormalTypeCodes) {
  const CodeCase cases[] = {
      {u"0", -1},
      {u"pa_up", 0},  // slot 1, never the repeated slot 73
      {u"pa_up_special", 1},
      {u"cancel_prob_down", 26},
      {u"27", 27},
      {u"max_breath_up", 28},
      {u"33", 33},
      {u"stun", 41},
      {u"md_down", 46},
      {u"47", 47},
      {u"54", 54},
      {u"turn_passive", 55},
      {u"turn_flee", 56},
      {u"hp_recover", 60},
      {u"mp_recover", 61},
      {u"root", 63},
      {u"berserker", 71},
      {u"life_force", 73},
      {u"gara", 95},
      // Not found.
      {u"28", -2},
      {u"Stun", -2},
      {u"55", -2},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(AbnormalTypeCode(c.value), c.code) << std::string(c.value.begin(), c.value.end());
  }
}

TEST(KeywordTablesTest, EmptySlotsHoldTheirPlaceAndMatchOnlyTheEmptyText) {
  EXPECT_EQ(kTargetTypeNames.size(), 12u);
  EXPECT_EQ(kAttributeNames.size(), 30u);
  EXPECT_EQ(kAbnormalTypeNames.size(), 97u);

  EXPECT_EQ(IndexOfKeyword(u"", kTargetTypeNames), 2);
  EXPECT_EQ(IndexOfKeyword(u"", kAbnormalTypeNames), 58);
  EXPECT_EQ(IndexOfKeyword(u"", kAttributeNames), -1);
  EXPECT_EQ(IndexOfKeyword(u"x", std::span<const std::u16string_view>{}), -1);

  // The keywords around the empty slots keep their numbers.
  EXPECT_EQ(IndexOfKeyword(u"door_treasure", kTargetTypeNames), 8);
  EXPECT_EQ(IndexOfKeyword(u"pc_body", kTargetTypeNames), 10);
  EXPECT_EQ(IndexOfKeyword(u"mp_recover", kAbnormalTypeNames), 62);
  EXPECT_EQ(IndexOfKeyword(u"root", kAbnormalTypeNames), 64);
}

// Apart from the empty slots and the second "pa_up", every entry is found at
// its own slot; a repeated entry elsewhere would shadow a later keyword.
TEST(KeywordTablesTest, OnlyTheKnownEntriesRepeat) {
  const auto repeated_slots = [](std::span<const std::u16string_view> table) {
    std::set<std::size_t> slots;
    for (std::size_t slot = 0; slot < table.size(); ++slot) {
      if (IndexOfKeyword(table[slot], table) != static_cast<std::int32_t>(slot)) {
        slots.insert(slot);
      }
    }
    return slots;
  };
  EXPECT_EQ(repeated_slots(kTargetTypeNames), (std::set<std::size_t>{9}));
  EXPECT_EQ(repeated_slots(kAttributeNames), (std::set<std::size_t>{}));
  EXPECT_EQ(repeated_slots(kAbnormalTypeNames), (std::set<std::size_t>{59, 60, 63, 73}));
}

}  // namespace
}  // namespace abilitycodes
