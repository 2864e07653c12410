#include "core/input_encoding.h"

#include <cstdio>

#include "core/encoding.h"

namespace vexal::core {
namespace {

constexpr char kConvert[] = "; convert the file to Windows-1252";

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The byte-order mark the line starts with, or null.
const char* byteOrderMark(std::string_view line) {
  if (startsWith(line, "\xEF\xBB\xBF")) return "UTF-8";
  if (startsWith(line, "\xFF\xFE") || startsWith(line, "\xFE\xFF")) return "UTF-16";
  return nullptr;
}

// A character for a warning: its code point, and itself in quotes when
// Windows-1252 has it.
std::string characterName(char32_t code_point, std::string_view utf8) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(code_point));
  const std::string latin = argumentTo1252(utf8);
  return latin.size() == 1 ? "\"" + latin + "\" (" + hex + ")" : std::string(hex);
}

// Whether the line starts like UTF-16 text of Latin letters: every other
// byte zero. Records hold no zero bytes.
bool looksLikeUtf16(std::string_view line) {
  if (line.size() < 4) return false;
  const bool little_endian =
      line[0] != '\0' && line[1] == '\0' && line[2] != '\0' && line[3] == '\0';
  const bool big_endian = line[0] == '\0' && line[1] != '\0' && line[2] == '\0' && line[3] != '\0';
  return little_endian || big_endian;
}

}  // namespace

std::string EncodingWatch::inspect(std::string_view line, long line_number) {
  if (warned_) return {};
  if (line_number == 1) {
    if (const char* mark = byteOrderMark(line)) {
      warned_ = true;
      return std::string("file starts with a ") + mark +
             " byte-order mark: records are Latin-1 (Windows-1252), not " + mark + kConvert;
    }
    if (looksLikeUtf16(line)) {
      warned_ = true;
      return std::string(
                 "file looks like UTF-16 without a byte-order mark (every other byte "
                 "is zero): records are Latin-1 (Windows-1252), not UTF-16") +
             kConvert;
    }
  }
  const std::size_t first = asciiPrefix(line);
  if (first == line.size() || !isValidUtf8(line.substr(first))) return {};
  warned_ = true;
  std::size_t end = first;
  char32_t code_point = 0;
  decodeUtf8(line, end, code_point);
  return "first line with UTF-8 characters, " +
         characterName(code_point, line.substr(first, end - first)) + " at character " +
         std::to_string(first + 1) +
         ": records are Latin-1 (Windows-1252), so field positions shift after each such "
         "character" +
         kConvert;
}

}  // namespace vexal::core
