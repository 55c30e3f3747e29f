#include "abilitycodes/skill_record.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>

#include "abilitycodes/field_value.h"
#include "abilitycodes/keyword_tables.h"
#include "tablecore/errors.h"
#include "tablecore/utf16.h"

namespace abilitycodes {
namespace {

using tablecore::ErrorKind;
using tablecore::RaiseError;

// A NUL ends a number's text; what follows it is never looked at.
std::u16string_view UpToNul(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

[[noreturn]] void RaiseConvertError(std::u16string_view text, std::string_view what) {
  std::string message = "'";
  message += tablecore::Utf16ToUtf8(UpToNul(text));
  message += "' is not a valid ";
  message += what;
  message += " value";
  RaiseError(ErrorKind::ConvertError, std::move(message));
}

[[noreturn]] void RaiseInvalidOperation() {
  RaiseError(ErrorKind::FloatInvalidError, "Invalid floating point operation");
}

constexpr bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

constexpr int DigitValue(char16_t c) { return c - u'0'; }

// The value of a hexadecimal digit, or -1.
constexpr int HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Reads text from a position on; every accessor is safe past the end.
class Scanner {
 public:
  explicit Scanner(std::u16string_view text) : text_(text) {}

  [[nodiscard]] bool AtEnd() const { return at_ == text_.size(); }
  [[nodiscard]] char16_t Peek(std::size_t ahead = 0) const {
    return at_ + ahead < text_.size() ? text_[at_ + ahead] : u'\0';
  }
  void Advance(std::size_t count = 1) { at_ += count; }
  bool Take(char16_t c) {
    if (AtEnd() || text_[at_] != c) return false;
    ++at_;
    return true;
  }
  void SkipSpaces() {
    while (Take(u' ')) {
    }
  }
  // Takes "+" or "-" if present; true for "-".
  bool TakeSign() {
    if (Take(u'-')) return true;
    Take(u'+');
    return false;
  }

 private:
  std::u16string_view text_;
  std::size_t at_ = 0;
};

// The digits of a decimal number, kept in two exact 64-bit parts: the
// leading digits as long as they fit, then up to 19 more. Further digits,
// beyond the 38th significant one, are below extended precision and only
// shift the decimal exponent. Leading zeros carry no value.
class DecimalDigits {
 public:
  void Add(int digit, bool after_point) {
    if (after_point) --exponent_;
    const auto d = static_cast<std::uint64_t>(digit);
    if (!high_full_) {
      if (high_ <= (kMax - d) / 10) {
        high_ = high_ * 10 + d;
        return;
      }
      high_full_ = true;
    }
    if (low_digits_ < kLowDigits) {
      low_ = low_ * 10 + d;
      ++low_digits_;
      return;
    }
    ++exponent_;
  }

  // The kept digits as one number, within about one unit in the last place.
  [[nodiscard]] long double Mantissa() const;
  // The power of ten that Mantissa() is to be multiplied by, before any
  // written exponent.
  [[nodiscard]] std::int64_t exponent() const { return exponent_; }

 private:
  static constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  static constexpr int kLowDigits = 19;

  std::uint64_t high_ = 0;
  bool high_full_ = false;
  std::uint64_t low_ = 0;
  int low_digits_ = 0;
  std::int64_t exponent_ = 0;
};

// 10^n for 0 <= n <= 27 is exact in extended precision (5^27 < 2^64).
constexpr int kLargestExactPower = 27;

long double ExactPowerOfTen(int n) {
  static const std::array<long double, kLargestExactPower + 1> powers = [] {
    std::array<long double, kLargestExactPower + 1> p{};
    p[0] = 1.0L;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10.0L;
    return p;
  }();
  return powers[static_cast<std::size_t>(n)];
}

// 10^n for n >= 0: exact up to 10^27, otherwise the exact 10^(n mod 16)
// times the correctly rounded powers 10^16, 10^32, ... for the other bits of
// n, so a few units in the last place at most. Infinite when 10^n is beyond
// the extended range.
long double PowerOfTen(std::int64_t n) {
  if (n <= kLargestExactPower) return ExactPowerOfTen(static_cast<int>(n));
  static constexpr std::array<long double, 9> kBinaryPowers = {
      1e16L, 1e32L, 1e64L, 1e128L, 1e256L, 1e512L, 1e1024L, 1e2048L, 1e4096L};
  constexpr std::int64_t kBeyondRange = 8192;  // 10^8192 is beyond the range
  if (n >= kBeyondRange) return std::numeric_limits<long double>::infinity();
  long double result = ExactPowerOfTen(static_cast<int>(n % 16));
  std::int64_t rest = n / 16;
  for (const long double power : kBinaryPowers) {
    if (rest % 2 != 0) result *= power;
    rest /= 2;
  }
  return result;
}

long double DecimalDigits::Mantissa() const {
  // Both parts and the power are exact (a 64-bit significand holds any
  // 64-bit integer); only the product and the sum round.
  const auto high = static_cast<long double>(high_);
  if (low_digits_ == 0) return high;
  return high * ExactPowerOfTen(low_digits_) + static_cast<long double>(low_);
}

// mantissa * 10^exponent in extended precision, infinite beyond its range.
long double ScaleByPowerOfTen(long double mantissa, std::int64_t exponent) {
  if (mantissa == 0.0L) return 0.0L;
  if (exponent >= 0) return mantissa * PowerOfTen(exponent);
  // 10^4932 is the largest power of ten below the extended range; dividing
  // in two steps keeps tiny but representable values from becoming zero.
  constexpr std::int64_t kLargestFinitePower = 4932;
  const std::int64_t divisor_exponent = -exponent;
  if (divisor_exponent <= kLargestFinitePower) return mantissa / PowerOfTen(divisor_exponent);
  return mantissa / 1e4096L / PowerOfTen(divisor_exponent - 4096);
}

// The decimal text of an integer, appended as UTF-16.
void AppendDecimal(std::int64_t value, std::u16string& out) {
  std::array<char, 24> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  for (const char* c = digits.data(); c != result.ptr; ++c)
    out.push_back(static_cast<char16_t>(*c));
}

}  // namespace

std::int32_t ParseInteger(std::u16string_view field_text) {
  Scanner scan(UpToNul(field_text));
  scan.SkipSpaces();
  const bool negative = scan.TakeSign();

  bool hexadecimal = false;
  if (scan.Take(u'$') || scan.Take(u'x') || scan.Take(u'X')) {
    hexadecimal = true;
  } else if (scan.Peek() == u'0' && (scan.Peek(1) == u'x' || scan.Peek(1) == u'X')) {
    scan.Advance(2);
    hexadecimal = true;
  }

  std::uint32_t bits = 0;
  if (hexadecimal) {
    int significant_digits = 0;
    bool any_digit = false;
    for (int digit = HexDigitValue(scan.Peek()); !scan.AtEnd() && digit >= 0;
         digit = HexDigitValue(scan.Peek())) {
      any_digit = true;
      if (significant_digits > 0 || digit != 0) ++significant_digits;
      if (significant_digits > 8) RaiseConvertError(field_text, "integer");
      bits = (bits << 4) | static_cast<std::uint32_t>(digit);
      scan.Advance();
    }
    if (!any_digit) RaiseConvertError(field_text, "integer");
    // The 32 bits are a two's-complement number; "-" negates it modulo 2^32.
    if (negative) bits = 0u - bits;
  } else {
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    std::uint64_t value = 0;
    bool any_digit = false;
    while (!scan.AtEnd() && IsDigit(scan.Peek())) {
      any_digit = true;
      value = value * 10 + static_cast<std::uint64_t>(DigitValue(scan.Peek()));
      if (value > limit) RaiseConvertError(field_text, "integer");
      scan.Advance();
    }
    if (!any_digit) RaiseConvertError(field_text, "integer");
    bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
  }
  if (!scan.AtEnd()) RaiseConvertError(field_text, "integer");
  return static_cast<std::int32_t>(bits);
}

long double ParseReal(std::u16string_view field_text) {
  Scanner scan(UpToNul(field_text));
  scan.SkipSpaces();
  const bool negative = scan.TakeSign();

  DecimalDigits digits;
  bool any_digit_or_point = false;
  while (!scan.AtEnd() && IsDigit(scan.Peek())) {
    any_digit_or_point = true;
    digits.Add(DigitValue(scan.Peek()), false);
    scan.Advance();
  }
  if (scan.Take(u'.')) {
    any_digit_or_point = true;
    while (!scan.AtEnd() && IsDigit(scan.Peek())) {
      digits.Add(DigitValue(scan.Peek()), true);
      scan.Advance();
    }
  }
  if (!any_digit_or_point) RaiseConvertError(field_text, "floating point");

  std::int64_t written_exponent = 0;
  if (scan.Take(u'e') || scan.Take(u'E')) {
    const bool negative_exponent = scan.TakeSign();
    // Digits are taken only while the exponent is below 500; a further digit
    // is left over and so makes the text invalid below.
    while (!scan.AtEnd() && IsDigit(scan.Peek()) && written_exponent < 500) {
      written_exponent = written_exponent * 10 + DigitValue(scan.Peek());
      scan.Advance();
    }
    if (negative_exponent) written_exponent = -written_exponent;
  }
  scan.SkipSpaces();
  if (!scan.AtEnd()) RaiseConvertError(field_text, "floating point");

  const long double magnitude =
      ScaleByPowerOfTen(digits.Mantissa(), digits.exponent() + written_exponent);
  if (std::isinf(magnitude)) RaiseConvertError(field_text, "floating point");
  return negative ? -magnitude : magnitude;
}

float StoreSingle(long double value) {
  // Halfway between the largest finite single, 2^128 - 2^104, and 2^128:
  // from here on, rounding to nearest gives infinity.
  constexpr long double kOverflowThreshold = 0x1p128L - 0x1p103L;
  if (std::fabs(value) >= kOverflowThreshold) {
    RaiseError(ErrorKind::FloatOverflowError, "Floating point overflow");
  }
  return static_cast<float>(value);
}

std::int64_t RoundHalfEven(long double x) {
  // Done by hand rather than with the current rounding mode. Splitting off
  // the fraction is exact.
  long double whole = std::trunc(x);
  const long double fraction = std::fabs(x - whole);
  const long double away = std::signbit(x) ? -1.0L : 1.0L;
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0.0L)) whole += away;
  // Also false for NaN.
  if (!(whole >= -0x1p63L && whole < 0x1p63L)) RaiseInvalidOperation();
  return static_cast<std::int64_t>(whole);
}

std::int32_t CeilAway(double x) {
  double whole = std::trunc(x);
  // A value with a fraction lies below 2^52, so adding 1 is exact.
  if (x != whole) whole += x > 0.0 ? 1.0 : -1.0;
  if (!(whole >= -0x1p63 && whole < 0x1p63)) RaiseInvalidOperation();
  return LowWord(static_cast<std::int64_t>(whole));
}

void ConvertSkillRecord(std::u16string_view record, SkillLines& lines) {
  // Every field is converted before the next one is read, so the first bad
  // field in this order is the one reported.
  const RecordFields fields(record);
  const auto integer = [&fields](std::string_view key) {
    return ParseInteger(fields.Value(key));
  };
  const auto single = [&fields](std::string_view key) {
    return StoreSingle(ParseReal(fields.Value(key)));
  };

  const std::u16string_view name = fields.Value("skill_name");
  const std::int32_t skill_id = integer("skill_id");
  const std::int32_t level = integer("level");
  const std::int32_t cast_range = integer("cast_range");
  const std::int32_t hp_consume = integer("hp_consume");
  const float mp_consume1 = single("mp_consume1");
  const float mp_consume2 = single("mp_consume2");
  const std::int32_t effect_point = integer("effect_point");
  const std::int32_t abnormal_lv = integer("abnormal_lv");
  const std::int32_t is_magic = integer("is_magic");
  const std::u16string_view target_type = fields.Value("target_type");
  const std::u16string_view attribute = fields.Value("attribute");
  const std::u16string_view abnormal_type = fields.Value("abnormal_type");
  const float skill_hit_time = single("skill_hit_time");
  const float reuse_delay = single("reuse_delay");
  const float skill_hit_cancel_time = single("skill_hit_cancel_time");
  // Only checked: its value is not used, and it is never held in single
  // precision, so it cannot overflow.
  static_cast<void>(ParseReal(fields.Value("skill_cool_time")));

  // Sums and differences of the singles in extended precision, rounded once.
  const std::int64_t mp_cost =
      RoundHalfEven(static_cast<long double>(mp_consume1) + static_cast<long double>(mp_consume2));
  const std::int32_t hit_time = CeilAway(static_cast<double>(skill_hit_time));
  const std::int32_t cooldown = LowWord(RoundHalfEven(
      (static_cast<long double>(reuse_delay) - static_cast<long double>(skill_hit_time)) -
      static_cast<long double>(skill_hit_cancel_time)));

  const std::int32_t skill_code = SkillCode(skill_id, level);

  // Nothing below can fail, so the lines change only for a complete record.
  lines.name_line.assign(name);
  lines.name_line += u" = ";
  AppendDecimal(skill_code, lines.name_line);

  std::u16string& param = lines.param_line;
  param.clear();
  const std::int64_t params[] = {
      skill_code,
      cast_range,
      hp_consume,
      mp_cost,
      TargetTypeCode(target_type),
      effect_point,
      AttributeCode(attribute),
      AbnormalTypeCode(abnormal_type),
      abnormal_lv,
      hit_time,
      cooldown,
      is_magic,
  };
  for (const std::int64_t field : params) {
    AppendDecimal(field, param);
    param.push_back(u' ');
  }
  param += u"-12345";
}

}  // namespace abilitycodes
