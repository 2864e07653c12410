#include "core/encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vexal::core {
namespace {

// 0x80-0x9F of Windows-1252; the undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The Windows-1252 byte of a code point, or -1.
int byteOf1252(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<int>(code_point);
  }
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == code_point) return static_cast<int>(0x80 + k);
  }
  return -1;
}

}  // namespace

void appendShownName(std::string& out, std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const bool c1 = byte == 0xC2 && i + 1 < utf8.size() &&
                    static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
    if (c1) {
      const auto code = static_cast<unsigned char>(utf8[++i]);
      out.append("\\u00").push_back(kHex[code >> 4]);
      out.push_back(kHex[code & 0x0F]);
    } else if (byte < 0x20 || byte == 0x7F) {
      out.append("\\x").push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0x0F]);
    } else {
      out.push_back(static_cast<char>(byte));
    }
  }
}

std::string shownName(std::string_view utf8) {
  std::string out;
  appendShownName(out, utf8);
  return out;
}

std::string escapeInvalidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    char32_t code_point;
    if (decodeUtf8(text, i, code_point)) {
      out.append(text.substr(start, i - start));
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(text[i++]);
      out.append("\\x").push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0x0F]);
    }
  }
  return out;
}

bool decodeUtf8(std::string_view text, std::size_t& i, char32_t& code_point) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  if (lead < 0x80) {
    code_point = lead;
    ++i;
    return true;
  }
  int extra;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, minimum = 0x80, code_point = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, minimum = 0x800, code_point = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, minimum = 0x10000, code_point = lead & 0x07;
  } else {
    return false;
  }
  if (text.size() - i <= static_cast<std::size_t>(extra)) return false;
  for (int k = 1; k <= extra; ++k) {
    unsigned char next = byte(i + k);
    if ((next & 0xC0) != 0x80) return false;
    code_point = (code_point << 6) | (next & 0x3F);
  }
  if (code_point < minimum || code_point > 0x10FFFF ||
      (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    return false;
  }
  i += extra + 1;
  return true;
}

char32_t codePointOf1252(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

void appendCodePoint(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::size_t asciiPrefix(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t i = 0;
#ifdef __SSE2__
  // 64 bytes a round while all are ASCII, then 16 at a time: the high bit
  // of each byte is what movemask gathers.
  const char* const data = text.data();
  for (; i + 64 <= text.size(); i += 64) {
    const auto* at = reinterpret_cast<const __m128i*>(data + i);
    const __m128i any =
        _mm_or_si128(_mm_or_si128(_mm_loadu_si128(at), _mm_loadu_si128(at + 1)),
                     _mm_or_si128(_mm_loadu_si128(at + 2), _mm_loadu_si128(at + 3)));
    if (_mm_movemask_epi8(any) != 0) break;
  }
  for (; i + 16 <= text.size(); i += 16) {
    const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i)));
    if (high != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(high)));
  }
#endif
  // 32 bytes a round while all are ASCII, then word by word.
  for (; i + 32 <= text.size(); i += 32) {
    std::uint64_t words[4];
    std::memcpy(words, text.data() + i, sizeof words);
    if (((words[0] | words[1] | words[2] | words[3]) & kHighBits) != 0) break;
  }
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

void appendUtf8(std::string& out, std::string_view text) {
  while (!text.empty()) {
    const std::size_t ascii = asciiPrefix(text);
    out.append(text.data(), ascii);
    if (ascii == text.size()) break;
    appendCodePoint(out, codePointOf1252(static_cast<unsigned char>(text[ascii])));
    text.remove_prefix(ascii + 1);
  }
}

char* writeUtf8(char* out, std::string_view text) {
  const char* in = text.data();
  const char* const end = in + text.size();
  while (in != end) {
#ifdef __SSE2__
    // Sixteen bytes are copied a round; those up to the first high one
    // count.
    while (end - in >= 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
      const int high = _mm_movemask_epi8(bytes);
      if (high != 0) {
        const int ascii = __builtin_ctz(static_cast<unsigned>(high));
        in += ascii;
        out += ascii;
        break;
      }
      in += 16;
      out += 16;
    }
#endif
    while (in != end && static_cast<unsigned char>(*in) < 0x80) *out++ = *in++;
    if (in == end) break;
    const char32_t c = codePointOf1252(static_cast<unsigned char>(*in++));
    if (c < 0x800) {
      *out++ = static_cast<char>(0xC0 | (c >> 6));
      *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      *out++ = static_cast<char>(0xE0 | (c >> 12));
      *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string toUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  appendUtf8(out, text);
  return out;
}

std::size_t utf8PieceSize(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  // Back from the limit over continuation bytes to the lead byte of the
  // sequence the limit cuts; a sequence is at most four bytes.
  std::size_t size = limit;
  for (int back = 0; back < 3 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80; ++back) {
    --size;
  }
  const auto lead = static_cast<unsigned char>(text[size]);
  return (lead & 0xC0) == 0xC0 ? size : limit;
}

bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  char32_t code_point;
  while (i < text.size()) {
    if (!decodeUtf8(text, i, code_point)) return false;
  }
  return true;
}

std::string argumentTo1252(std::string_view argument) {
  std::string out;
  out.reserve(argument.size());
  std::size_t i = 0;
  char32_t code_point;
  while (i < argument.size()) {
    if (!decodeUtf8(argument, i, code_point)) return std::string(argument);
    int byte = byteOf1252(code_point);
    if (byte < 0) return std::string(argument);
    out.push_back(static_cast<char>(byte));
  }
  return out;
}

std::string nameToUtf8(std::string_view name) {
  return isValidUtf8(name) ? std::string(name) : toUtf8(name);
}

}  // namespace vexal::core
