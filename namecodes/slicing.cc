#include "namecodes/slicing.h"

#include <cstdint>

#include "tablecore/byte_strings.h"

namespace namecodes {
namespace {

using namespace std::string_view_literals;
using tablecore::FindBytes;
using tablecore::TakeLeft;
using tablecore::TakeRight;

constexpr std::string_view kNameEnd = "\x5D\x00\x09"sv;         // ] and a TAB's low byte
constexpr std::string_view kNameStart = "\x00\x09\x00\x5B"sv;   // high byte, TAB, [
constexpr std::string_view kField = "\x00\x09\x00"sv;           // high byte and a TAB

std::int64_t Length(std::string_view s) { return static_cast<std::int64_t>(s.size()); }

}  // namespace

std::optional<NameAndId> SliceNameAndId(std::string_view line) {
  std::string_view w = line;

  // Up to the byte 5D of the first "]" that a TAB follows.
  std::int64_t p = FindBytes(kNameEnd, w);
  if (p == 0) return std::nullopt;
  w = TakeLeft(w, p);

  // The name starts at the "[" behind the first TAB that is followed by "[".
  p = FindBytes(kNameStart, w);
  if (p == 0) return std::nullopt;
  const std::string_view name_piece = TakeRight(w, Length(w) - p - 2);
  w = TakeLeft(w, p);

  // Drop field 1 and then field 2; what is left is the id piece.
  for (int field = 0; field < 2; ++field) {
    p = FindBytes(kField, w);
    if (p == 0) return std::nullopt;
    w = TakeRight(w, Length(w) - p - 1);
  }
  return NameAndId{name_piece, w};
}

bool PiecesKeepStep(const NameAndId& pieces) {
  return pieces.name_piece.size() % 2 == 1 && pieces.id_piece.size() % 2 == 1;
}

}  // namespace namecodes
