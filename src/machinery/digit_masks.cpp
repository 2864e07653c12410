#include <array>

#include "machinery/catalogue.h"

namespace vexal::machinery {
namespace {

using MaskTable =
    std::array<std::array<char, DigitMasks::kMaxDigits + 2>, DigitMasks::kMaxDigits + 1>;

constexpr MaskTable makeMasks() {
  MaskTable masks{};
  for (unsigned digits = 0; digits <= DigitMasks::kMaxDigits; ++digits) {
    masks[digits][0] = '0';
    for (unsigned i = 1; i <= digits; ++i) masks[digits][i] = '#';
    masks[digits][digits + 1] = '\0';
  }
  return masks;
}

constexpr MaskTable kMasks = makeMasks();

}  // namespace

const char* DigitMasks::forLength(unsigned digits) {
  return kMasks[digits <= kMaxDigits ? digits : kMaxDigits].data();
}

}  // namespace vexal::machinery
