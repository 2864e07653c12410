#include "cli/stderr_log.h"

#include "cli/encoding.h"

namespace vexal::cli {

void StderrLog::write(pl::LogLevel level, std::string_view line) {
  std::string& out = out_.text();
  if (where_ != nullptr && !where_->file.empty()) {
    out.append(where_->file);
    if (where_->line > 0) out.append(":").append(std::to_string(where_->line));
    out.append(": ");
  }
  out.append(level == pl::LogLevel::kTrace ? "trace: " : "error: ");
  appendUtf8(out, line);
  out.push_back('\n');
  out_.written();
}

}  // namespace vexal::cli
