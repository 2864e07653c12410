#include "cli/printers.h"

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/encoding.h"

namespace vexal::cli {
namespace {

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// Writes the escape of a character JSON does not take as it is: \" \\ \b
// \f \n \r \t or \u00XX. At most 6 bytes.
char* writeEscape(char* out, char32_t c) {
  char short_form = 0;
  switch (c) {
    case '"':
      short_form = '"';
      break;
    case '\\':
      short_form = '\\';
      break;
    case '\b':
      short_form = 'b';
      break;
    case '\f':
      short_form = 'f';
      break;
    case '\n':
      short_form = 'n';
      break;
    case '\r':
      short_form = 'r';
      break;
    case '\t':
      short_form = 't';
      break;
    default:
      break;
  }
  *out++ = '\\';
  if (short_form != 0) {
    *out++ = short_form;
    return out;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  *out++ = 'u';
  *out++ = '0';
  *out++ = '0';
  *out++ = kHex[(c >> 4) & 0xF];
  *out++ = kHex[c & 0xF];
  return out;
}

bool needsEscape(char32_t c) { return c == '"' || c == '\\' || isControl(c); }

// One code point below U+10000 (Windows-1252 has no other) as UTF-8.
char* writeCodePoint(char* out, char32_t c) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

bool isPlain(unsigned char byte) {
  return byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\';
}

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;
std::uint64_t zeroBytes(std::uint64_t word) { return (word - kOnes) & ~word & kHighBits; }

// The high bit of every byte of a little-endian word that a JSON string
// cannot hold as it is: below 0x20, 0x7F, from 0x80 on, '"' and '\\'.
// Borrows may mark bytes after a marked one too, never one before it, so
// the lowest mark is exact.
std::uint64_t specialBytes(std::uint64_t word) {
  return (((word - 0x20 * kOnes) | word) & kHighBits) | zeroBytes(word ^ (0x7F * kOnes)) |
         zeroBytes(word ^ ('"' * kOnes)) | zeroBytes(word ^ ('\\' * kOnes));
}

// Copies text to out up to its first byte that is not plain; returns that
// byte's offset (text.size() if none). Copies sixteen or eight bytes a
// round and may write up to fifteen bytes past the copied ones, which the caller's bound
// allows for. Little-endian byte order, as on every target we build for.
std::size_t copyPlain(char*& out, std::string_view text) {
  const char* const begin = text.data();
  const char* in = begin;
  const char* const end = begin + text.size();
#ifdef __SSE2__
  // Sixteen bytes a round: a signed compare below 0x20 marks the control
  // bytes and every byte from 0x80 on at once.
  const __m128i space = _mm_set1_epi8(0x20);
  const __m128i del = _mm_set1_epi8(0x7F);
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  while (end - in >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
    const __m128i special =
        _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(bytes, space), _mm_cmpeq_epi8(bytes, del)),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, backslash)));
    if (const int mask = _mm_movemask_epi8(special); mask != 0) {
      const auto plain = static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
      out += plain;
      return static_cast<std::size_t>(in - begin) + plain;
    }
    in += 16;
    out += 16;
  }
#endif
  while (end - in >= 8) {
    std::uint64_t word;
    std::memcpy(&word, in, sizeof word);
    std::memcpy(out, &word, sizeof word);
    if (const std::uint64_t special = specialBytes(word); special != 0) {
      const auto plain = static_cast<std::size_t>(__builtin_ctzll(special) / 8);
      out += plain;
      return static_cast<std::size_t>(in - begin) + plain;
    }
    in += 8;
    out += 8;
  }
  while (in != end && isPlain(static_cast<unsigned char>(*in))) *out++ = *in++;
  return static_cast<std::size_t>(in - begin);
}

}  // namespace

char* writeJsonString1252(char* out, std::string_view text) {
  *out++ = '"';
  for (;;) {
    const std::size_t plain = copyPlain(out, text);
    if (plain == text.size()) break;
    const char32_t c = core::codePointOf1252(static_cast<unsigned char>(text[plain]));
    out = needsEscape(c) ? writeEscape(out, c) : writeCodePoint(out, c);
    text.remove_prefix(plain + 1);
  }
  *out++ = '"';
  return out;
}

char* writeJsonStringUtf8(char* out, std::string_view text) {
  *out++ = '"';
  for (;;) {
    const std::size_t plain = copyPlain(out, text);
    if (plain == text.size()) break;
    text.remove_prefix(plain);
    const auto byte = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (byte < 0x80) {
      out = writeEscape(out, byte);  // '"', '\\' or a control character
    } else if (byte == 0xC2 && text.size() > 1 && static_cast<unsigned char>(text[1]) >= 0x80 &&
               static_cast<unsigned char>(text[1]) <= 0x9F) {
      out = writeEscape(out, static_cast<unsigned char>(text[1]));  // U+0080-U+009F
      length = 2;
    } else {
      *out++ = text[0];
    }
    text.remove_prefix(length);
  }
  *out++ = '"';
  return out;
}

void appendJsonString1252(std::string& out, std::string_view text) {
  const std::size_t size = out.size();
  out.resize(size + jsonStringBound(text.size()));
  out.resize(static_cast<std::size_t>(writeJsonString1252(out.data() + size, text) - out.data()));
}

void appendJsonStringUtf8(std::string& out, std::string_view text) {
  const std::size_t size = out.size();
  out.resize(size + jsonStringBound(text.size()));
  out.resize(static_cast<std::size_t>(writeJsonStringUtf8(out.data() + size, text) - out.data()));
}

}  // namespace vexal::cli
