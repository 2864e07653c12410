#include "pl/util.h"

namespace pl {

int Util::countIndices(const long* indices) {
  int n = 0;
  if (indices != nullptr) {
    while (indices[n] != -1) ++n;
  }
  return n;
}

long Util::getHashCode(const long* indices) {
  if (indices == nullptr || indices[0] == -1) return 0;
  if (indices[1] == -1) return indices[0];
  // Several indices: a polynomial over the (small) occurrence numbers.
  unsigned long hash = 0;
  for (int i = 0; indices[i] != -1; ++i)
    hash = hash * 100003ul + static_cast<unsigned long>(indices[i] + 1);
  return static_cast<long>(hash);
}

bool Util::isValidElementAccess(int dimension, const long* indices) {
  if (indices == nullptr) return dimension == 0;
  int n = 0;
  for (; indices[n] != -1; ++n) {
    if (indices[n] < 0) return false;
  }
  return n == dimension;
}

}  // namespace pl
