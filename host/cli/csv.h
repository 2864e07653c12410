// CSV fields as RFC 4180 writes them.

#ifndef VEXAL_HOST_CLI_CSV_H_
#define VEXAL_HOST_CLI_CSV_H_

#include <string>
#include <string_view>

namespace vexal::cli {

// Appends one field: in double quotes, with inner quotes doubled, when it
// holds a comma, a double quote, CR or LF, or starts or ends with a blank;
// as it is otherwise.
void appendCsvField(std::string& out, std::string_view text);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_CSV_H_
