// Text encodings at the host's edges: the library and the record lines
// speak Windows-1252 (Latin-1), the host writes UTF-8.

#ifndef VEXAL_HOST_CORE_ENCODING_H_
#define VEXAL_HOST_CORE_ENCODING_H_

#include <string>
#include <string_view>

namespace vexal::core {

// The Unicode code point of a Windows-1252 byte. 0x80-0x9F map as
// Windows-1252 does; the five bytes it leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) keep their C1 control code points, so no byte is lost.
char32_t codePointOf1252(unsigned char byte);

// The length of the leading run of ASCII bytes (below 0x80) of text.
// Looks at sixteen bytes at a time (eight without SSE2): record lines and rule texts are mostly
// ASCII, and every line and every text of the output passes here.
std::size_t asciiPrefix(std::string_view text);

// Appends Windows-1252 text as UTF-8.
void appendUtf8(std::string& out, std::string_view text1252);

// The room writeUtf8 needs for a text of the given length: three bytes a
// byte (the euro sign and the other characters of 0x80-0x9F take three)
// and sixteen it may write past its end.
constexpr std::size_t utf8Bound(std::size_t length) { return 3 * length + 16; }
// Writes Windows-1252 text as UTF-8 to out, which has
// utf8Bound(text1252.size()) bytes of room, and returns the end of what it
// wrote. For output made into a buffer sized once for a whole line.
char* writeUtf8(char* out, std::string_view text1252);
std::string toUtf8(std::string_view text1252);

// Appends one code point (at most U+10FFFF) as UTF-8.
void appendCodePoint(std::string& out, char32_t code_point);

bool isValidUtf8(std::string_view text);

// The size of the first piece of UTF-8 text that holds at most `limit`
// bytes (limit >= 4) and does not end inside a multi-byte sequence, for
// writing long text in pieces that each convert on their own. Bytes that
// are no UTF-8 are cut where the limit falls.
std::size_t utf8PieceSize(std::string_view text, std::size_t limit);

// Appends UTF-8 text (a file name) for a line of text output: control
// characters, which could split the line or drive a terminal, are shown
// escaped: C0 controls and DEL as \xNN, C1 controls as \u00NN.
void appendShownName(std::string& out, std::string_view utf8);
std::string shownName(std::string_view utf8);

// The shown form of the last name asked for, made again only when the name
// changes: a report writes the same file name on each of its lines. Not
// thread-safe; one per report.
class ShownNameCache {
 public:
  const std::string& operator()(std::string_view utf8) {
    if (utf8 != name_) {
      name_.assign(utf8);
      shown_.clear();
      appendShownName(shown_, utf8);
    }
    return shown_;
  }

 private:
  std::string name_;
  std::string shown_;
};

// The text with every byte that is not part of a well-formed UTF-8
// sequence shown as "\xNN": valid UTF-8 whatever the input, for messages
// that quote what a caller handed in.
std::string escapeInvalidUtf8(std::string_view text);

// Decodes the UTF-8 sequence at text[i] and advances i past it. False for
// an ill-formed sequence (overlong forms, surrogates and values beyond
// U+10FFFF included); i is then unchanged.
bool decodeUtf8(std::string_view text, std::size_t& i, char32_t& code_point);

// Text given as UTF-8 (command-line arguments) in the library's
// Windows-1252. Returns the bytes unchanged when they are no valid UTF-8 or
// hold a character Windows-1252 cannot represent.
std::string argumentTo1252(std::string_view argument);

// A name from outside (a file name) as UTF-8 for output: unchanged when it
// is valid UTF-8, else read as Windows-1252.
std::string nameToUtf8(std::string_view name);

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_ENCODING_H_
