// JSON string literals for the host's machine-readable output.

#ifndef VEXAL_HOST_CLI_JSON_H_
#define VEXAL_HOST_CLI_JSON_H_

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

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_JSON_H_
