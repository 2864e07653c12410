#include "cli/json.h"

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

}  // namespace

void appendJsonString1252(std::string& out, std::string_view text) {
  out.push_back('"');
  std::size_t run = 0;  // start of the pending run of plain ASCII
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') continue;
    out.append(text.data() + run, i - run);
    run = i + 1;
    char32_t c = codePointOf1252(byte);
    if (needsEscape(c)) {
      appendEscape(out, c);
    } else {
      appendCodePoint(out, c);
    }
  }
  out.append(text.data() + run, text.size() - run);
  out.push_back('"');
}

void appendJsonStringUtf8(std::string& out, std::string_view text) {
  out.push_back('"');
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    char32_t c = byte;
    std::size_t length = 1;
    // U+0080-U+009F are C2 80 .. C2 9F.
    if (byte == 0xC2 && i + 1 < text.size()) {
      auto next = static_cast<unsigned char>(text[i + 1]);
      if (next >= 0x80 && next <= 0x9F) c = next, length = 2;
    }
    if (!needsEscape(c) || (byte >= 0x80 && length == 1)) continue;
    out.append(text.data() + run, i - run);
    appendEscape(out, c);
    i += length - 1;
    run = i + 1;
  }
  out.append(text.data() + run, text.size() - run);
  out.push_back('"');
}

}  // namespace vexal::cli
