#include "cli/csv.h"

namespace vexal::cli {

void appendCsvField(std::string& out, std::string_view text) {
  bool quote = !text.empty() && (text.front() == ' ' || text.back() == ' ');
  for (std::size_t i = 0; i < text.size() && !quote; ++i) {
    const char c = text[i];
    quote = c == ',' || c == '"' || c == '\r' || c == '\n';
  }
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
