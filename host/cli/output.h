// Buffered output, standard streams, program arguments and where the
// program finds libvexal, the same on Linux and Windows.

#ifndef VEXAL_HOST_CLI_OUTPUT_H_
#define VEXAL_HOST_CLI_OUTPUT_H_

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/open_file.h"

namespace vexal::cli {

// Collects output in a large buffer and writes it to the stream in big
// blocks. Callers append to text() and call written() after each complete
// piece. Without a stream it only collects: the text stays in text() for
// its owner to take (a worker of a parallel check). Does not own the
// stream; not thread-safe. Flushes when destroyed.
class Output {
 public:
  static constexpr std::size_t kFlushSize = std::size_t{256} << 10;

  // A null stream collects only.
  explicit Output(std::FILE* stream);
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;
  ~Output();

  std::string& text() { return buffer_; }
  void append(std::string_view text) { buffer_.append(text); }
  // A complete piece made elsewhere (a chunk of a parallel check): a large
  // one goes to the stream as it is, after what the buffer holds, instead
  // of being copied into the buffer first.
  void write(std::string_view text);
  // Writes the buffer out once it is large.
  void written() {
    if (buffer_.size() >= kFlushSize) flush();
  }
  // Writes the buffer to the stream and flushes it; nothing without one.
  void flush();
  std::FILE* stream() const { return stream_; }
  // Whether a write to the stream failed.
  bool failed() const { return failed_; }
  // Why the first failed write failed ("No space left on device"), or "".
  std::string failure() const;
  // Called before each write to the stream, e.g. to take a progress line
  // off a terminal both share.
  void setBeforeWrite(std::function<void()> before_write) {
    before_write_ = std::move(before_write);
  }

 private:
  std::FILE* stream_;
  std::function<void()> before_write_;
  std::string buffer_;
  bool failed_ = false;
  int error_ = 0;  // errno of the first failed write

  void fail();
};

// Writes UTF-8 text to the stream. A Windows console gets it as UTF-16
// (WriteConsoleW), which shows German text whatever the console's code
// page; files, pipes and every stream elsewhere get the bytes as they are.
// False when the write failed, with errno set.
bool writeText(std::FILE* stream, std::string_view text);

// Switches standard input, output and error to binary mode, so that bytes
// pass unchanged (Windows; nothing to do elsewhere).
void useBinaryStandardStreams();

// The program's arguments after its name, as UTF-8.
std::vector<std::string> programArguments(int argc, char** argv);

// The library next to the running program, or, when the program is
// installed, in the library folder beside its own.
std::string defaultLibraryPath();

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_OUTPUT_H_
