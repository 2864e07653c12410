// Texts joined at compile time: section titles and log lines of the checks.

#ifndef VEXAL_MACHINERY_FIXED_TEXT_H_
#define VEXAL_MACHINERY_FIXED_TEXT_H_

#include <cstddef>

namespace vexal::machinery {

// A NUL-terminated text of at most N - 1 bytes, built by consteval code;
// too long a text fails to compile.
template <std::size_t N>
struct FixedText {
  char text[N] = {};
  std::size_t size = 0;

  constexpr void append(const char* piece) {
    for (; *piece != '\0'; ++piece) {
      if (size + 1 >= N) throw "text too long";  // not a constant expression: compile error
      text[size++] = *piece;
    }
    text[size] = '\0';
  }
  constexpr const char* c_str() const { return text; }
};

template <std::size_t N = 64>
constexpr FixedText<N> joinText(const char* a, const char* b, const char* c = "") {
  FixedText<N> result;
  result.append(a);
  result.append(b);
  result.append(c);
  return result;
}

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_FIXED_TEXT_H_
