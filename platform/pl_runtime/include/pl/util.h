// Index lists of topic-array elements.

#ifndef VEXAL_RUNTIME_PL_UTIL_H_
#define VEXAL_RUNTIME_PL_UTIL_H_

namespace pl {

// Index lists are arrays of zero-based longs that end with -1.
class Util {
 public:
  // The key of an element. Distinct for distinct one-index lists (the index
  // itself); 0 for a null list.
  static long getHashCode(const long* indices);
  // True when the list holds exactly `dimension` indices, none negative.
  static bool isValidElementAccess(int dimension, const long* indices);
  // Number of indices before the -1; 0 for null.
  static int countIndices(const long* indices);
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_UTIL_H_
