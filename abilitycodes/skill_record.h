// Conversion of one skill record into its name-table line and its
// parameter-table line, with the number readers and rounding rules it uses.
#ifndef ABILITYCODES_SKILL_RECORD_H_
#define ABILITYCODES_SKILL_RECORD_H_

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace abilitycodes {

// Reals are read and combined in the x87 extended format. The rounding of
// every derived parameter depends on it, so a platform whose long double is
// narrower (or wider) must not build this program.
static_assert(std::numeric_limits<long double>::digits == 64,
              "abilitycodes needs long double with a 64-bit significand "
              "(the x86 80-bit extended format, as on x86-64 with GCC or Clang)");
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559,
              "abilitycodes needs IEEE 754 single and double precision");

// A 32-bit signed integer: optional leading spaces, at most one sign, then
// decimal digits (-2147483648 to 2147483647) or a hexadecimal number after
// "$", "x", "X", "0x" or "0X" with at most 32 significant bits, read as two's
// complement and then negated for "-". Nothing may follow; a NUL ends the
// text. Anything else raises ConvertError "'<text>' is not a valid integer
// value".
[[nodiscard]] std::int32_t ParseInteger(std::u16string_view text);

// A real in extended precision: optional leading spaces, at most one sign,
// digits with an optional "." and fraction digits (at least one digit or the
// "."), an optional exponent ("e"/"E", optional sign, digits taken while the
// exponent is below 500; no digits means 0), optional trailing spaces, then
// the end (a NUL ends the text). "." is the only decimal separator. The
// result is within a few units in the last place of the exact decimal
// value. Anything else, and a value beyond the extended range, raises
// ConvertError "'<text>' is not a valid floating point value".
[[nodiscard]] long double ParseReal(std::u16string_view text);

// The value rounded to single precision (to nearest, ties to even). A value
// that rounds beyond the largest finite single raises FloatOverflowError
// "Floating point overflow"; a value too small becomes a subnormal or zero.
[[nodiscard]] float StoreSingle(long double value);

// The integer nearest to x, ties to the even one. A result outside the
// 64-bit signed range raises FloatInvalidError "Invalid floating point
// operation".
[[nodiscard]] std::int64_t RoundHalfEven(long double x);

// The next whole number away from zero when x has a fractional part, x
// itself otherwise; the same range rule as RoundHalfEven, then reduced to
// the low 32 bits as a signed number.
[[nodiscard]] std::int32_t CeilAway(double x);

// The low 32 bits of a 64-bit value, taken as a signed number.
[[nodiscard]] constexpr std::int32_t LowWord(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

// skill_id * 256 + level with 32-bit wrap-around.
[[nodiscard]] constexpr std::int32_t SkillCode(std::int32_t skill_id, std::int32_t level) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(skill_id) << 8) +
                                   static_cast<std::uint32_t>(level));
}

// The latest pair of table lines, without line breaks. Both start empty.
struct SkillLines {
  std::u16string name_line;   // "<skill_name> = <SkillCode>"
  std::u16string param_line;  // thirteen numbers separated by single spaces
};

// Reads the 17 fields of `record` (the whole record line as UTF-16) in their
// fixed order, converting each before the next is read, and replaces both
// lines of `lines`. On any error (raised as a tablecore::RunError) `lines`
// is left as it was.
void ConvertSkillRecord(std::u16string_view record, SkillLines& lines);

}  // namespace abilitycodes

#endif  // ABILITYCODES_SKILL_RECORD_H_
