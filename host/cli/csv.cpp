#include "cli/csv.h"

namespace vexal::cli {

void appendCsvField(std::string& out, std::string_view text) {
  bool quote = !text.empty() && (text.front() == ' ' || text.back() == ' ');
  if (!quote) quote = text.find_first_of(",\"\r\n") != std::string_view::npos;
  if (!quote) {
    out.append(text);
    return;
  }
  out.push_back('"');
  for (char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace vexal::cli
