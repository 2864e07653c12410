// Trace and error lines of a check run.

#ifndef VEXAL_RUNTIME_PL_LOGGER_H_
#define VEXAL_RUNTIME_PL_LOGGER_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pl {

enum class LogLevel { kTrace, kError };

// Where a Logger delivers its lines. Each call is one complete line of
// Latin-1 text without a line end.
class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void write(LogLevel level, std::string_view line) = 0;
};

// Collects the pieces of one line and hands the line to its sink when it
// goes out of scope, so that `logger.trace() << "a" << b;` is one line.
// Without a sink every operation is a pointer test and nothing else. Lines
// longer than kCapacity bytes are cut.
class LogStream {
 public:
  static constexpr std::size_t kCapacity = 2048;

  LogStream(LogSink* sink, LogLevel level) : sink_(sink), level_(level) {}
  LogStream(const LogStream&) = delete;
  LogStream& operator=(const LogStream&) = delete;
  ~LogStream();

  LogStream& operator<<(std::string_view text);
  LogStream& operator<<(const char* text) { return *this << std::string_view(text ? text : ""); }
  LogStream& operator<<(long long number);

  bool enabled() const { return sink_ != nullptr; }

 private:
  LogSink* sink_;
  LogLevel level_;
  std::size_t size_ = 0;
  char buffer_[kCapacity];
};

// The logger of one RuntimeContext. Trace lines are discarded unless the
// host sets a trace sink. Error lines go to the error sink when one is set;
// otherwise they are kept until the context is reset (keptErrors()).
// Not thread-safe; belongs to one context.
class Logger {
 public:
  Logger();

  LogStream trace() { return LogStream(trace_sink_, LogLevel::kTrace); }
  LogStream error() { return LogStream(error_sink_ ? error_sink_ : &keeper_, LogLevel::kError); }

  // The sinks are not owned; null switches back to the default.
  void setTraceSink(LogSink* sink) { trace_sink_ = sink; }
  void setErrorSink(LogSink* sink) { error_sink_ = sink; }

  const std::vector<std::string>& keptErrors() const { return keeper_.lines; }
  void clearKeptErrors() { keeper_.lines.clear(); }

 private:
  struct Keeper final : LogSink {
    void write(LogLevel level, std::string_view line) override;
    std::vector<std::string> lines;
  };

  LogSink* trace_sink_ = nullptr;
  LogSink* error_sink_ = nullptr;
  Keeper keeper_;
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_LOGGER_H_
