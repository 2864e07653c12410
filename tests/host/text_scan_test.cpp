// The eight-bytes-at-a-time scans of the output's text paths against a
// byte-by-byte reading: every special byte at every place of texts longer
// and shorter than a word gives what the plain definition gives.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/printers.h"
#include "core/encoding.h"

namespace vexal::cli {
namespace {

// What appendJsonString1252 writes, by its definition, one byte at a time.
std::string referenceJson1252(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const char32_t code_point = core::codePointOf1252(static_cast<unsigned char>(c));
    if (code_point == '"' || code_point == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(code_point));
    } else if (code_point == '\n') {
      out += "\\n";
    } else if (code_point == '\r') {
      out += "\\r";
    } else if (code_point == '\t') {
      out += "\\t";
    } else if (code_point == '\b') {
      out += "\\b";
    } else if (code_point == '\f') {
      out += "\\f";
    } else if (code_point < 0x20 || (code_point >= 0x7F && code_point <= 0x9F)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(code_point));
      out += escape;
    } else {
      core::appendCodePoint(out, code_point);
    }
  }
  return out + "\"";
}

// Bytes that the scans must stop at, and some they must pass.
const std::vector<char> kBytes = {'"',    '\\',   '\n',   '\x01', '\x1F', '\x7F', '\x80', '\x81',
                                  '\x9F', '\xA0', '\xE4', '\xFF', ' ',    '~',    'A',    '\x20'};

TEST(TextScanTest, AsciiPrefixStopsAtTheFirstHighByteWherever) {
  for (std::size_t length = 0; length <= 70; ++length) {
    for (std::size_t at = 0; at <= length; ++at) {
      for (char byte : kBytes) {
        std::string text(length, 'x');
        if (at < length) text[at] = byte;
        const bool high = at < length && static_cast<unsigned char>(byte) >= 0x80;
        EXPECT_EQ(core::asciiPrefix(text), high ? at : length)
            << "length " << length << " at " << at << " byte " << int(byte);
      }
    }
  }
}

TEST(TextScanTest, JsonAndUtf8OfEveryEscapedByteAtEveryPlace) {
  for (std::size_t length = 1; length <= 70; ++length) {
    for (std::size_t at = 0; at < length; ++at) {
      for (char byte : kBytes) {
        std::string text(length, 'k');
        text[at] = byte;
        if (length > 10) text[length - 1] = '"';  // a second stop after the first
        std::string json;
        appendJsonString1252(json, text);
        EXPECT_EQ(json, referenceJson1252(text)) << "length " << length << " at " << at;

        std::string utf8;
        core::appendUtf8(utf8, text);
        std::string expected;
        for (char c : text)
          core::appendCodePoint(expected, core::codePointOf1252(static_cast<unsigned char>(c)));
        EXPECT_EQ(utf8, expected) << "length " << length << " at " << at;

        // Into a buffer of the bound's size, filled with a mark beforehand:
        // the same bytes, and nothing beyond the bound touched.
        std::string room(core::utf8Bound(text.size()) + 8, '\x5A');
        const char* end = core::writeUtf8(room.data(), text);
        EXPECT_EQ(std::string(static_cast<const char*>(room.data()), end), expected) << "length " << length << " at " << at;
        EXPECT_EQ(room.substr(room.size() - 8), std::string(8, '\x5A'));

        // Valid UTF-8 goes through appendJsonStringUtf8 as the UTF-8 of
        // the same Windows-1252 text goes through appendJsonString1252.
        std::string from_utf8;
        appendJsonStringUtf8(from_utf8, expected);
        EXPECT_EQ(from_utf8, json) << "length " << length << " at " << at;
      }
    }
  }
}

}  // namespace
}  // namespace vexal::cli
