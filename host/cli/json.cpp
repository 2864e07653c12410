#include "cli/json.h"

#include <cstdint>
#include <cstring>

#include "cli/encoding.h"

namespace vexal::cli {
namespace {

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

void appendEscape(std::string& out, char32_t c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\b':
      out += "\\b";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      break;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u00";
  out.push_back(kHex[(c >> 4) & 0xF]);
  out.push_back(kHex[c & 0xF]);
}

bool needsEscape(char32_t c) { return c == '"' || c == '\\' || isControl(c); }

bool isPlain(unsigned char byte) {
  return byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\';
}

// Whether any byte of the word is zero.
constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;
std::uint64_t zeroBytes(std::uint64_t word) { return (word - kOnes) & ~word & kHighBits; }

// The length of the leading run of bytes that a JSON string holds as they
// are: printable ASCII but '"' and '\\'. Eight bytes at a time, as most
// texts of the output are such runs.
std::size_t plainPrefix(std::string_view text) {
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    // Bytes below 0x20 or from 0x80 on (the subtraction borrows or the
    // high bit is set), 0x7F, '"' and '\\'.
    const std::uint64_t special = ((word - 0x20 * kOnes) | word) & kHighBits;
    if ((special | zeroBytes(word ^ (0x7F * kOnes)) | zeroBytes(word ^ ('"' * kOnes)) |
         zeroBytes(word ^ ('\\' * kOnes))) != 0) {
      break;
    }
  }
  while (i < text.size() && isPlain(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

}  // namespace

void appendJsonString1252(std::string& out, std::string_view text) {
  out.push_back('"');
  for (;;) {
    const std::size_t plain = plainPrefix(text);
    out.append(text.data(), plain);
    if (plain == text.size()) break;
    const char32_t c = codePointOf1252(static_cast<unsigned char>(text[plain]));
    if (needsEscape(c)) {
      appendEscape(out, c);
    } else {
      appendCodePoint(out, c);
    }
    text.remove_prefix(plain + 1);
  }
  out.push_back('"');
}

void appendJsonStringUtf8(std::string& out, std::string_view text) {
  out.push_back('"');
  for (;;) {
    const std::size_t plain = plainPrefix(text);
    out.append(text.data(), plain);
    if (plain == text.size()) break;
    text.remove_prefix(plain);
    const auto byte = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (byte < 0x80) {
      appendEscape(out, byte);  // '"', '\\' or a control character
    } else if (byte == 0xC2 && text.size() > 1 && static_cast<unsigned char>(text[1]) >= 0x80 &&
               static_cast<unsigned char>(text[1]) <= 0x9F) {
      appendEscape(out, static_cast<unsigned char>(text[1]));  // U+0080-U+009F
      length = 2;
    } else {
      out.push_back(text[0]);
    }
    text.remove_prefix(length);
  }
  out.push_back('"');
}

}  // namespace vexal::cli
