#include "abilitycodes/field_value.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tablecore/errors.h"

namespace abilitycodes {
namespace {

using tablecore::ErrorKind;
using tablecore::RunError;

// A record line as the converter hands it over: the keyword, the fields
// (already TAB-separated in `fields`) and the closing word.
std::u16string Record(std::u16string_view fields) {
  return u"skill_begin\t" + std::u16string(fields) + u"\tskill_end";
}

struct ValueCase {
  const char* rule;
  std::string_view key;
  std::u16string record;
  std::u16string_view value;
};

TEST(GetFieldValueTest, SearchAndCutRules) {
  const ValueCase cases[] = {
      {"no spaces", "skill_id", Record(u"skill_id=7"), u"7"},
      {"spaces on both sides", "skill_id", Record(u"skill_id = 7"), u"7"},
      {"space before the equals sign", "skill_id", Record(u"skill_id =7"), u"7"},
      {"space after the equals sign", "skill_id", Record(u"skill_id= 7"), u"7"},
      {"two spaces match neither pattern", "skill_id", Record(u"skill_id  = 7"), u"0"},
      {"absent key", "level", Record(u"skill_id=7"), u"0"},
      {"key without equals sign", "skill_id", Record(u"skill_id 7"), u"0"},
      {"spaced pattern wins over an earlier unspaced one", "level",
       Record(u"level=3\tskill_id=1\tlevel =4"), u"4"},
      {"first spaced match may lie inside a longer key", "level",
       Record(u"skill_level = 9\tlevel = 2"), u"9"},
      {"first unspaced match may lie inside a longer key", "skill_id",
       Record(u"myskill_id=9\tskill_id=3"), u"9"},
      {"a space ends the value when a TAB follows", "skill_name", Record(u"skill_name = a b"),
       u"a"},
      {"further equals signs belong to the value", "skill_name", Record(u"skill_name = [x=y]"),
       u"[x=y]"},
      {"only the first equals sign separates", "skill_id", Record(u"skill_id==5"), u"=5"},
      {"blanks after the equals sign reach into the next field", "skill_id",
       Record(u"skill_id=\tlevel=2"), u"level=2"},
      {"control characters are trimmed", "skill_id",
       Record(u"skill_id=\x01\x1F"
              u"7\x01"),
       u"7"},
      {"characters above U+0020 are not trimmed", "skill_name", Record(u"skill_name=\u00A0x\u3000"),
       u"\u00A0x\u3000"},
      {"unicode value comes out unchanged", "skill_name",
       Record(u"skill_name=[\u30B9\u30AD\u30EB\U0001F5E1]"), u"[\u30B9\u30AD\u30EB\U0001F5E1]"},
      {"the last field ends at a TAB before the end", "is_magic", u"skill_begin\tis_magic=1\t\tx",
       u"1"},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.rule);
    EXPECT_EQ(GetFieldValue(c.key, c.record), c.value);
  }
}

TEST(GetFieldValueTest, ValueWithoutTerminatorStopsTheRun) {
  const struct {
    const char* rule;
    std::u16string record;
  } cases[] = {
      {"last field of the record", u"skill_begin\tskill_id=3\tis_magic=1"},
      {"last field followed by a TAB only", u"skill_begin\tskill_id=3\tis_magic=1\t"},
      {"last field followed by blanks", u"skill_begin\tis_magic=1 \t \r"},
      {"a space but no TAB after the value", u"skill_begin\tis_magic=1 2"},
      {"equals sign as last non-blank", u"skill_begin\tis_magic = \t"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rule);
    try {
      static_cast<void>(GetFieldValue("is_magic", c.record));
      ADD_FAILURE() << "no error raised";
    } catch (const RunError& error) {
      EXPECT_EQ(error.kind(), ErrorKind::GeneralError);
      EXPECT_EQ(error.message(), "Error in parsing skilldata.");
    }
  }
}

}  // namespace
}  // namespace abilitycodes
