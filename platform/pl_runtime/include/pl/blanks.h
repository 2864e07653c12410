// Finding the blanks at either end of a text, eight bytes at a time (a
// text's last partial word is read as the word that ends it, or starts
// it, overlapping bytes already known to be blanks): text values and the
// text functions F_Trim, F_IstLeerzeichen and F_IstLinksbündig ask this of
// fields that are mostly padding.

#ifndef VEXAL_RUNTIME_PL_BLANKS_H_
#define VEXAL_RUNTIME_PL_BLANKS_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace pl {

namespace blanks_internal {

inline constexpr std::uint64_t kBlanks = 0x2020202020202020u;

inline std::uint64_t load(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

}  // namespace blanks_internal

// The position of the first byte that is no blank; text.size() when there
// is none.
inline std::size_t firstNonBlank(std::string_view text) {
  using namespace blanks_internal;
  const char* p = text.data();
  std::size_t i = 0;
  const std::size_t size = text.size();
  if constexpr (std::endian::native == std::endian::little) {
    if (size >= 8) {
      for (; i + 8 <= size; i += 8) {
        const std::uint64_t differs = load(p + i) ^ kBlanks;
        if (differs != 0) return i + static_cast<std::size_t>(std::countr_zero(differs)) / 8;
      }
      if (i == size) return size;
      // The last word ends with the text; its bytes before i are blanks.
      const std::uint64_t differs = load(p + size - 8) ^ kBlanks;
      if (differs == 0) return size;
      return size - 8 + static_cast<std::size_t>(std::countr_zero(differs)) / 8;
    }
  }
  while (i < size && p[i] == ' ') ++i;
  return i;
}

// One past the last byte that is no blank; 0 when there is none.
inline std::size_t endOfNonBlank(std::string_view text) {
  using namespace blanks_internal;
  const char* p = text.data();
  std::size_t end = text.size();
  if constexpr (std::endian::native == std::endian::little) {
    if (end >= 8) {
      for (; end >= 8; end -= 8) {
        const std::uint64_t differs = load(p + end - 8) ^ kBlanks;
        if (differs != 0) return end - static_cast<std::size_t>(std::countl_zero(differs)) / 8;
      }
      if (end == 0) return 0;
      // The first word starts the text; its bytes from end on are blanks.
      const std::uint64_t differs = load(p) ^ kBlanks;
      if (differs == 0) return 0;
      return 8 - static_cast<std::size_t>(std::countl_zero(differs)) / 8;
    }
  }
  while (end > 0 && p[end - 1] == ' ') --end;
  return end;
}

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_BLANKS_H_
