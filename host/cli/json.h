// JSON string literals for the host's machine-readable output.

#ifndef VEXAL_HOST_CLI_JSON_H_
#define VEXAL_HOST_CLI_JSON_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace vexal::cli {

// Appends Windows-1252 text as a quoted JSON string in UTF-8. Escapes '"'
// and '\\'; control characters (U+0000-U+001F, U+007F and the C1 controls
// U+0080-U+009F) become \b \f \n \r \t or \u00XX. Everything else is
// written as its UTF-8 character.
void appendJsonString1252(std::string& out, std::string_view text1252);

// The same for text that is valid UTF-8 already (file names).
void appendJsonStringUtf8(std::string& out, std::string_view utf8);

// The room the writers below need for a text of the given length: its
// longest escaping (6 bytes a byte), the quotes, and 8 bytes they may
// write past their end.
constexpr std::size_t jsonStringBound(std::size_t length) { return 6 * length + 2 + 8; }

// Write the quoted string to out, which has jsonStringBound(text.size())
// bytes of room, and return the end of what they wrote. For output made
// into a buffer sized once for a whole object.
char* writeJsonString1252(char* out, std::string_view text1252);
char* writeJsonStringUtf8(char* out, std::string_view utf8);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_JSON_H_
