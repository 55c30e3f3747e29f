#include "abilitycodes/skill_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tablecore/errors.h"
#include "tablecore/utf16.h"

namespace abilitycodes {
namespace {

using tablecore::ErrorKind;
using tablecore::RunError;

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

std::string Utf8(std::u16string_view text) { return tablecore::Utf16ToUtf8(text); }

// Runs `action` and checks that it raises the given error.
template <typename Action>
void ExpectRunError(Action action, ErrorKind kind, std::string_view message) {
  try {
    action();
    ADD_FAILURE() << "no error raised";
  } catch (const RunError& error) {
    EXPECT_EQ(error.kind(), kind) << error.message();
    EXPECT_EQ(error.message(), message);
  }
}

// ---------------------------------------------------------------- integers

TEST(ParseIntegerTest, AcceptedForms) {
  const struct {
    std::u16string_view text;
    std::int32_t value;
  } cases[] = {
      {u"0", 0},
      {u"7", 7},
      {u"+7", 7},
      {u"007", 7},
      {u"-7", -7},
      {u"-0", 0},
      {u"   12", 12},
      {u"2147483647", kInt32Max},
      {u"+2147483647", kInt32Max},
      {u"-2147483648", kInt32Min},
      {u"-0000002147483648", kInt32Min},
      {u"$10", 16},
      {u"x10", 16},
      {u"X10", 16},
      {u"0x10", 16},
      {u"0X1f", 31},
      {u"$aBcD", 0xABCD},
      {u"-$10", -16},
      {u"+x10", 16},
      {u"$7FFFFFFF", kInt32Max},
      {u"$FFFFFFFF", -1},
      {u"$80000000", kInt32Min},
      {u"-$80000000", kInt32Min},
      {u"-$FFFFFFFF", 1},
      {u"$00000000000000001", 1},  // leading zeros carry no bits
      {u"0x000000000FFFFFFFF", -1},
      {std::u16string_view(u"5\0junk", 6), 5},  // a NUL ends the text
      {std::u16string_view(u"-12\0", 4), -12},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseInteger(c.text), c.value) << Utf8(c.text);
  }
}

TEST(ParseIntegerTest, RejectedForms) {
  const std::u16string_view cases[] = {
      u"",
      u"   ",
      u"+",
      u"-",
      u"+-1",
      u"--1",
      u"2147483648",
      u"+2147483648",
      u"-2147483649",
      u"99999999999999999999999",
      u"1.0",
      u"1e3",
      u"7 ",   // trailing space
      u"\t7",  // only spaces are skipped at the start
      u"1,000",
      u"$",
      u"x",
      u"0x",
      u"-$",
      u"$100000000",  // 33 significant bits
      u"$1FFFFFFFF",
      u"$G",
      u"0x-1",
      u"$ 1",
      u"00x1",
      u"0b1",
      u"\uFF11",  // FULLWIDTH DIGIT ONE
      u"1\u00A0",
      std::u16string_view(u"\0"
                          u"5",
                          2),  // empty before the NUL
  };
  for (const std::u16string_view text : cases) {
    SCOPED_TRACE(Utf8(text));
    ExpectRunError([text] { static_cast<void>(ParseInteger(text)); }, ErrorKind::ConvertError,
                   "'" + Utf8(text.substr(0, text.find(u'\0'))) + "' is not a valid integer value");
  }
}

TEST(ParseIntegerTest, MessageShowsTheTextAsUtf8UpToANul) {
  ExpectRunError([] { static_cast<void>(ParseInteger(u"abc")); }, ErrorKind::ConvertError,
                 "'abc' is not a valid integer value");
  ExpectRunError([] { static_cast<void>(ParseInteger(u"\u00E41\u30B9")); }, ErrorKind::ConvertError,
                 "'\xC3\xA4"
                 "1\xE3\x82\xB9' is not a valid integer value");
  ExpectRunError([] { static_cast<void>(ParseInteger(std::u16string_view(u"1x\0tail", 7))); },
                 ErrorKind::ConvertError, "'1x' is not a valid integer value");
}

// ------------------------------------------------------------------- reals

// A literal's text next to the value the compiler reads from it, which is
// correctly rounded.
#define REAL_CASE(literal) \
  { u"" #literal, literal##L }
#define SINGLE_CASE(literal) \
  { u"" #literal, literal##f }

TEST(ParseRealTest, AcceptedFormsWithExactValues) {
  const struct {
    std::u16string_view text;
    long double value;
  } cases[] = {
      {u"1.5", 1.5L},
      {u".5", 0.5L},
      {u"5.", 5.0L},
      {u"+5", 5.0L},
      {u"-5", -5.0L},
      {u"1e3", 1000.0L},
      {u"1E+3", 1000.0L},
      {u"-1.25e2", -125.0L},
      {u"1e", 1.0L},
      {u"1e+", 1.0L},
      {u"2E-", 2.0L},
      {u".", 0.0L},
      {u".e1", 0.0L},
      {u"0", 0.0L},
      {u"000.000", 0.0L},
      {u"  2.5  ", 2.5L},
      {std::u16string_view(u"2.5\0junk", 8), 2.5L},
      {u"1e0000000005", 1e5L},  // zeros keep the exponent below 500
      {u"0e4999", 0.0L},
      {u"1e-4999", 0.0L},  // below the extended range: zero
      {u"123456789012345678", 123456789012345678.0L},
      {u"18446744073709551615", 18446744073709551615.0L},  // 2^64 - 1
      {u"1e27", 1e27L},
      {u"1e-27", 1e-27L},
      {u"1E-3", 1e-3L},
      {u"0.1", 0.1L},
      {u"1.08", 1.08L},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.text));
    const long double value = ParseReal(c.text);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(std::signbit(value), std::signbit(c.value));
  }
  EXPECT_TRUE(std::signbit(ParseReal(u"-.")));
  EXPECT_TRUE(std::signbit(ParseReal(u"-0e10")));
}

TEST(ParseRealTest, StaysWithinAFewUnitsInTheLastPlace) {
  const struct {
    std::u16string_view text;
    long double value;
  } cases[] = {
      REAL_CASE(3.14159265358979323846264338327950288),
      REAL_CASE(0.000000000000000000000000000000123456789),
      REAL_CASE(123456789012345678901234567890.5),
      REAL_CASE(9.87654321e100),
      REAL_CASE(1e499),
      REAL_CASE(1e500),
      REAL_CASE(1.18e4932),
      REAL_CASE(3.6451995318824746025e-4950),
      REAL_CASE(2.2250738585072014e-308),
      REAL_CASE(6.02214076e23),
      REAL_CASE(1.00000001),
      REAL_CASE(0.333333333333333333333333333333333333),
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.text));
    const long double value = ParseReal(c.text);
    const long double ulp = std::nextafter(std::fabs(c.value), HUGE_VALL) - std::fabs(c.value);
    EXPECT_LE(std::fabs(value - c.value), 4 * ulp) << static_cast<double>(value);
  }
}

// The single-precision value held for a typical text is the nearest one.
TEST(ParseRealTest, TypicalValuesGiveTheNearestSingle) {
  const struct {
    std::u16string_view text;
    float value;
  } cases[] = {
      SINGLE_CASE(1.08),
      SINGLE_CASE(0.1),
      SINGLE_CASE(0.4),
      SINGLE_CASE(1.1),
      SINGLE_CASE(0.6),
      SINGLE_CASE(0.3),
      SINGLE_CASE(0.5),
      SINGLE_CASE(1.00000001),
      SINGLE_CASE(123456.789),
      SINGLE_CASE(0.0001),
      SINGLE_CASE(16777217.0),
      SINGLE_CASE(3.4028234e38),
      SINGLE_CASE(1.17549435e-38),
      SINGLE_CASE(1e-45),
      {u"8e-46", std::numeric_limits<float>::denorm_min()},
      {u"7e-46", 0.0f},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StoreSingle(ParseReal(c.text)), c.value) << Utf8(c.text);
  }
}

TEST(ParseRealTest, RejectedForms) {
  const std::u16string_view cases[] = {
      u"",
      u"   ",
      u"+",
      u"-",
      u"+-1",
      u"e5",
      u"E",
      u"1,5",
      u"1.5.",
      u"..5",
      u"1 5",
      u"1e5 x",
      u"1e1.5",
      u"1e--5",
      u"1e+-5",
      u"1.5f",
      u"\t1",
      u"1\t",
      u"inf",
      u"nan",
      u"0x10",
      u"$10",
      u"\uFF11",  // FULLWIDTH DIGIT ONE
      u"1\u00A0",
      u"1e5000",   // the digit after 500 is left over
      u"1e-5000",  // the same, though the value would be tiny
      u"0e5000",
      u"1e4990",  // beyond the extended range
      u"1.2e4932",
      u"-1e4933",
      std::u16string_view(u"\0"
                          u"5",
                          2),
  };
  for (const std::u16string_view text : cases) {
    SCOPED_TRACE(Utf8(text));
    ExpectRunError(
        [text] { static_cast<void>(ParseReal(text)); }, ErrorKind::ConvertError,
        "'" + Utf8(text.substr(0, text.find(u'\0'))) + "' is not a valid floating point value");
  }
}

TEST(ParseRealTest, DigitStringsOfAnyLength) {
  // 5000 digits: the value, not the text, decides.
  EXPECT_EQ(ParseReal(u"0." + std::u16string(4999, u'0') + u"1"), 0.0L);
  EXPECT_EQ(ParseReal(u"1" + std::u16string(4000, u'0') + u"e-4000"), 1.0L);
  EXPECT_EQ(StoreSingle(ParseReal(u"0." + std::u16string(3000, u'3') + u"e1")), 3.3333333f);
  const std::u16string too_large = u"1" + std::u16string(5000, u'0');
  ExpectRunError([&] { static_cast<void>(ParseReal(too_large)); }, ErrorKind::ConvertError,
                 "'" + Utf8(too_large) + "' is not a valid floating point value");
}

// ---------------------------------------------------- single precision

TEST(StoreSingleTest, OverflowOnlyBeyondTheLargestSingle) {
  constexpr long double kHalfwayToInfinity = 0x1p128L - 0x1p103L;
  const long double just_below = std::nextafter(kHalfwayToInfinity, 0.0L);
  EXPECT_EQ(StoreSingle(just_below), std::numeric_limits<float>::max());
  EXPECT_EQ(StoreSingle(-just_below), -std::numeric_limits<float>::max());
  for (const long double value : {kHalfwayToInfinity, -kHalfwayToInfinity, 1e39L, 1e500L}) {
    SCOPED_TRACE(static_cast<double>(value));
    ExpectRunError([value] { static_cast<void>(StoreSingle(value)); },
                   ErrorKind::FloatOverflowError, "Floating point overflow");
  }
  // Too small is no error: subnormal, then zero.
  EXPECT_EQ(StoreSingle(1e-40L), 1e-40f);
  EXPECT_EQ(StoreSingle(1e-50L), 0.0f);
  EXPECT_EQ(StoreSingle(-1e-4000L), 0.0f);
}

// ---------------------------------------------------------------- rounding

TEST(RoundHalfEvenTest, TiesGoToTheEvenNeighbour) {
  const struct {
    long double x;
    std::int64_t result;
  } cases[] = {
      {2.5L, 2},
      {3.5L, 4},
      {-2.5L, -2},
      {-3.5L, -4},
      {0.5L, 0},
      {-0.5L, 0},
      {1.5L, 2},
      {2.4999999999L, 2},
      {2.5000000001L, 3},
      {-2.5000000001L, -3},
      {0.0L, 0},
      {-0.0L, 0},
      {9.4199999571L, 9},
      {0x1p62L + 0.5L, 0x4000000000000000},
      {0x1p63L - 1.0L, kInt64Max},
      {-0x1p63L, kInt64Min},
      {-0x1p63L + 0.5L, kInt64Min},  // tie: ...808 is even
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundHalfEven(c.x), c.result) << static_cast<double>(c.x);
  }
}

TEST(RoundHalfEvenTest, OutsideTheSigned64BitRangeIsAnInvalidOperation) {
  const long double cases[] = {
      0x1p63L,
      0x1p63L - 0.5L,  // tie: the even neighbour is 2^63
      -0x1p63L - 1.0L,
      1e19L,
      -1e30L,
      std::numeric_limits<long double>::infinity(),
      std::numeric_limits<long double>::quiet_NaN(),
  };
  for (const long double x : cases) {
    SCOPED_TRACE(static_cast<double>(x));
    ExpectRunError([x] { static_cast<void>(RoundHalfEven(x)); }, ErrorKind::FloatInvalidError,
                   "Invalid floating point operation");
  }
}

TEST(CeilAwayTest, NextWholeNumberAwayFromZero) {
  const struct {
    double x;
    std::int32_t result;
  } cases[] = {
      {static_cast<double>(1.08f), 2},
      {static_cast<double>(0.3f), 1},
      {static_cast<double>(0.6f), 1},
      {static_cast<double>(1.00000001f), 1},
      {1.0, 1},
      {-0.3, -1},
      {-1.0, -1},
      {0.0, 0},
      {-0.0, 0},
      {2.5, 3},
      {-2.5, -3},
      {0x1p-149, 1},
      {2147483647.5, kInt32Min},  // 2^31 in its low 32 bits
      {4294967296.5, 1},
      {5e9, 705032704},
      {-5e9, -705032704},
      {-0x1p63, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CeilAway(c.x), c.result) << c.x;
  }
  for (const double x : {0x1p63, 1e19, -1e19}) {
    SCOPED_TRACE(x);
    ExpectRunError([x] { static_cast<void>(CeilAway(x)); }, ErrorKind::FloatInvalidError,
                   "Invalid floating point operation");
  }
}

TEST(SkillCodeTest, Wraps32Bits) {
  EXPECT_EQ(SkillCode(3, 2), 770);
  EXPECT_EQ(SkillCode(3, 1), 769);
  EXPECT_EQ(SkillCode(3, 256), 1024);
  EXPECT_EQ(SkillCode(4, 0), 1024);
  EXPECT_EQ(SkillCode(8388608, 0), kInt32Min);
  EXPECT_EQ(SkillCode(8388607, 256), kInt32Min);
  EXPECT_EQ(SkillCode(kInt32Max, 1), -255);
  EXPECT_EQ(SkillCode(-1, 0), -256);
  EXPECT_EQ(SkillCode(0, -1), -1);
  EXPECT_EQ(SkillCode(kInt32Min, kInt32Min), kInt32Min);
}

// ---------------------------------------------------------------- records

// Builds skill records from fields; starts from the fields of a typical
// record, which a test changes or removes.
class ConvertSkillRecordTest : public ::testing::Test {
 protected:
  std::map<std::string, std::u16string> fields_ = {
      {"skill_name", u"[s_test]"},
      {"skill_id", u"3"},
      {"level", u"2"},
      {"operate_type", u"A1"},
      {"cast_range", u"40"},
      {"hp_consume", u"0"},
      {"mp_consume1", u"0"},
      {"mp_consume2", u"10"},
      {"effect_point", u"-100"},
      {"abnormal_lv", u"1"},
      {"is_magic", u"0"},
      {"target_type", u"enemy"},
      {"attribute", u"attr_fire"},
      {"abnormal_type", u"stun"},
      {"skill_hit_time", u"1.08"},
      {"reuse_delay", u"11"},
      {"skill_hit_cancel_time", u"0.5"},
      {"skill_cool_time", u"0"},
  };

  [[nodiscard]] std::u16string Record() const {
    std::u16string record = u"skill_begin";
    for (const auto& [key, value] : fields_) {
      record += u'\t';
      record.append(key.begin(), key.end());
      record += u'=';
      record += value;
    }
    return record + u"\tskill_end";
  }

  SkillLines Convert() const {
    SkillLines lines;
    ConvertSkillRecord(Record(), lines);
    return lines;
  }

  // The ParamLine's fields, split at the spaces.
  std::vector<std::u16string> ParamFields() const {
    std::vector<std::u16string> result(1);
    for (const char16_t c : Convert().param_line) {
      if (c == u' ') {
        result.emplace_back();
      } else {
        result.back() += c;
      }
    }
    return result;
  }

  void ExpectError(ErrorKind kind, std::string_view message) const {
    ExpectRunError([this] { static_cast<void>(Convert()); }, kind, message);
  }
};

TEST_F(ConvertSkillRecordTest, TypicalRecord) {
  const SkillLines lines = Convert();
  EXPECT_EQ(lines.name_line, u"[s_test] = 770");
  EXPECT_EQ(lines.param_line, u"770 40 0 10 3 -100 12 41 1 2 9 0 -12345");
}

TEST_F(ConvertSkillRecordTest, FieldsInTheirPlaces) {
  fields_ = {
      {"skill_name", u"n"},
      {"skill_id", u"1"},
      {"level", u"2"},
      {"cast_range", u"3"},
      {"hp_consume", u"4"},
      {"mp_consume1", u"5.5"},
      {"mp_consume2", u"0"},
      {"target_type", u"item"},
      {"effect_point", u"7"},
      {"attribute", u"attr_unholy"},
      {"abnormal_type", u"hit_down"},
      {"abnormal_lv", u"10"},
      {"skill_hit_time", u"10.5"},
      {"reuse_delay", u"31"},
      {"skill_hit_cancel_time", u"8.5"},
      {"is_magic", u"13"},
  };
  EXPECT_EQ(Convert().name_line, u"n = 258");
  EXPECT_EQ(Convert().param_line, u"258 3 4 6 5 7 20 12 10 11 12 13 -12345");
}

TEST_F(ConvertSkillRecordTest, KeywordAloneReadsEveryKeyAsZero) {
  SkillLines lines;
  ConvertSkillRecord(u"skill_begin", lines);
  EXPECT_EQ(lines.name_line, u"0 = 0");
  EXPECT_EQ(lines.param_line, u"0 0 0 0 0 0 0 -1 0 0 0 0 -12345");
}

TEST_F(ConvertSkillRecordTest, NameKeepsEveryCharacter) {
  fields_["skill_name"] = u"[\u30B9\u30AD\u30EB\U0001F5E1\u00E9]";
  EXPECT_EQ(Convert().name_line, u"[\u30B9\u30AD\u30EB\U0001F5E1\u00E9] = 770");
}

TEST_F(ConvertSkillRecordTest, MpCostIsTheSumRoundedOnceHalfToEven) {
  const struct {
    std::u16string_view mp1, mp2, cost;
  } cases[] = {
      {u"2.5", u"0", u"2"},
      {u"3.5", u"0", u"4"},
      {u"-2.5", u"0", u"-2"},
      {u"1.5", u"1", u"2"},
      {u"0.1", u"0.4", u"1"},  // the singles add up to just over one half
      {u"0.25", u"0.25", u"0"},
      // Beyond 32 bits, written in full.
      {u"4e18", u"4e18", u"7999999874453995520"},
      {u"-9223372036854775808", u"0", u"-9223372036854775808"},
      // Exact in extended precision, lost in double precision.
      {u"1152921504606846976", u"1.5", u"1152921504606846978"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.mp1) + " + " + Utf8(c.mp2));
    fields_["mp_consume1"] = c.mp1;
    fields_["mp_consume2"] = c.mp2;
    EXPECT_EQ(ParamFields().at(3), c.cost);
  }
}

TEST_F(ConvertSkillRecordTest, HitTimeAndCooldown) {
  const struct {
    std::u16string_view reuse, hit, cancel;
    std::u16string_view hit_time, cooldown;
  } cases[] = {
      {u"11", u"1.08", u"0.5", u"2", u"9"},
      {u"1.1", u"0.6", u"0", u"1", u"0"},  // the singles differ by exactly one half
      {u"10", u"1.5", u"0", u"2", u"8"},
      {u"11", u"1.5", u"0", u"2", u"10"},
      {u"0", u"0.3", u"0", u"1", u"0"},
      {u"0", u"-0.3", u"0", u"-1", u"0"},
      {u"1", u"1", u"0", u"1", u"0"},
      {u"0", u"0", u"1.00000001", u"0", u"-1"},
      {u"0", u"1.00000001", u"0", u"1", u"-1"},
      // Reduced to the low 32 bits.
      {u"5e9", u"0", u"0", u"0", u"705032704"},
      {u"-5e9", u"0", u"0", u"0", u"-705032704"},
      {u"0", u"5e9", u"0", u"705032704", u"-705032704"},
      {u"4294967296", u"-2147483648", u"0", u"-2147483648", u"-2147483648"},
      // Both subtractions in extended precision before the one rounding.
      {u"1152921504606846976", u"0.5", u"1", u"1", u"-2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.reuse) + " - " + Utf8(c.hit) + " - " + Utf8(c.cancel));
    fields_["reuse_delay"] = c.reuse;
    fields_["skill_hit_time"] = c.hit;
    fields_["skill_hit_cancel_time"] = c.cancel;
    const auto params = ParamFields();
    EXPECT_EQ(params.at(9), c.hit_time);
    EXPECT_EQ(params.at(10), c.cooldown);
  }
}

TEST_F(ConvertSkillRecordTest, ArithmeticErrors) {
  const struct {
    const char* key;
    std::u16string_view value;
    ErrorKind kind;
    std::string_view message;
  } cases[] = {
      {"mp_consume1", u"1e39", ErrorKind::FloatOverflowError, "Floating point overflow"},
      {"mp_consume2", u"-1e39", ErrorKind::FloatOverflowError, "Floating point overflow"},
      {"skill_hit_time", u"1e500", ErrorKind::FloatOverflowError, "Floating point overflow"},
      {"reuse_delay", u"1e300", ErrorKind::FloatOverflowError, "Floating point overflow"},
      {"skill_hit_cancel_time", u"3.5e38", ErrorKind::FloatOverflowError,
       "Floating point overflow"},
      {"mp_consume1", u"1e19", ErrorKind::FloatInvalidError, "Invalid floating point operation"},
      {"mp_consume2", u"9223372036854775808", ErrorKind::FloatInvalidError,
       "Invalid floating point operation"},
      {"reuse_delay", u"1e19", ErrorKind::FloatInvalidError, "Invalid floating point operation"},
      {"skill_hit_cancel_time", u"-1e19", ErrorKind::FloatInvalidError,
       "Invalid floating point operation"},
      {"skill_hit_time", u"1e19", ErrorKind::FloatInvalidError, "Invalid floating point operation"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + Utf8(c.value));
    const std::u16string saved = fields_[c.key];
    fields_[c.key] = c.value;
    ExpectError(c.kind, c.message);
    fields_[c.key] = saved;
  }
}

TEST_F(ConvertSkillRecordTest, CoolTimeIsOnlyCheckedForItsForm) {
  fields_["skill_cool_time"] = u"1e300";
  EXPECT_EQ(Convert().param_line, u"770 40 0 10 3 -100 12 41 1 2 9 0 -12345");
  fields_["skill_cool_time"] = u"1e4990";
  ExpectError(ErrorKind::ConvertError, "'1e4990' is not a valid floating point value");
}

TEST_F(ConvertSkillRecordTest, FirstBadFieldInReadingOrderIsReported) {
  // The map writes the fields in key order; the reading order differs.
  fields_["is_magic"] = u"bad_magic";
  fields_["abnormal_lv"] = u"bad_lv";
  fields_["skill_cool_time"] = u"bad_cool";
  fields_["mp_consume1"] = u"1e19";  // only fails once all fields are read
  ExpectError(ErrorKind::ConvertError, "'bad_lv' is not a valid integer value");
  fields_["abnormal_lv"] = u"1";
  ExpectError(ErrorKind::ConvertError, "'bad_magic' is not a valid integer value");
  fields_["is_magic"] = u"1";
  ExpectError(ErrorKind::ConvertError, "'bad_cool' is not a valid floating point value");
  fields_["skill_cool_time"] = u"0";
  ExpectError(ErrorKind::FloatInvalidError, "Invalid floating point operation");

  // The name comes first of all.
  fields_["level"] = u"x";
  fields_.erase("skill_name");
  const std::u16string record = Record() + u"\tskill_name=last";
  SkillLines lines;
  ExpectRunError([&] { ConvertSkillRecord(record, lines); }, ErrorKind::GeneralError,
                 "Error in parsing skilldata.");
}

TEST_F(ConvertSkillRecordTest, FailedRecordLeavesTheCurrentLines) {
  SkillLines lines;
  ConvertSkillRecord(Record(), lines);
  fields_["reuse_delay"] = u"1,5";
  ExpectRunError([&] { ConvertSkillRecord(Record(), lines); }, ErrorKind::ConvertError,
                 "'1,5' is not a valid floating point value");
  EXPECT_EQ(lines.name_line, u"[s_test] = 770");
  EXPECT_EQ(lines.param_line, u"770 40 0 10 3 -100 12 41 1 2 9 0 -12345");
}

}  // namespace
}  // namespace abilitycodes
