// Cuts the bracketed name and the id out of an item or NPC record, by byte
// searches on the raw line.
#ifndef NAMECODES_SLICING_H_
#define NAMECODES_SLICING_H_

#include <optional>
#include <string_view>

namespace namecodes {

// Views into the sliced line.
struct NameAndId {
  // From the low byte 5B of "[" through the low byte 5D of "]": 2k - 1 bytes
  // for a name of k code units.
  std::string_view name_piece;
  // The high byte 00 of the TAB in front of the id, then the id's bytes:
  // 2n + 1 bytes for an id of n code units.
  std::string_view id_piece;
};

// Slices a record line; no result when one of the four searches fails.
[[nodiscard]] std::optional<NameAndId> SliceNameAndId(std::string_view line);

// True when both pieces have the odd lengths of whole code units plus the
// byte that their neighbour supplies. A match off the code-unit boundary, or
// a 0D dropped inside the name or the id, gives an even length, and such
// pieces would shift the table out of step with its code units.
[[nodiscard]] bool PiecesKeepStep(const NameAndId& pieces);

}  // namespace namecodes

#endif  // NAMECODES_SLICING_H_
