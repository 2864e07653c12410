// Streaming record lines out of a byte source.

#ifndef VEXAL_HOST_CORE_LINE_READER_H_
#define VEXAL_HOST_CORE_LINE_READER_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace vexal::core {

// Where a LineReader gets its bytes from.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to size bytes into buffer; returns 0 at the end of the input
  // and after an error.
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
  // Whether reading stopped because of an error.
  virtual bool failed() const = 0;
  // Why, when the source can tell; else empty.
  virtual std::string failure() const { return {}; }
};

// A stdio stream, opened in binary mode. Does not own the stream.
class FileSource final : public ByteSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  std::size_t read(char* buffer, std::size_t size) override;
  bool failed() const override;
  std::string failure() const override;

 private:
  std::FILE* file_;
  int error_ = 0;  // errno of the failed read
};

// Splits the bytes of a source into lines. A line ends at LF; a CR right
// before the LF, or as the very last byte of the input, belongs to the line
// end, and a CR alone ends a line too (endedByCr()). A last line without line end counts as a line,
// unless a read error cut it off. Empty lines are returned too, so that line numbers follow the
// input. Reads in large blocks; a line longer than the buffer makes it grow, up to a maximum line
// length: a longer line is skipped to its end and returned empty, with overlong() set, so that no
// input can exhaust memory. Owns its buffer, not the source; not thread-safe.
class LineReader {
 public:
  static constexpr std::size_t kDefaultBufferSize = std::size_t{1} << 20;
  // Far beyond the longest record any layout allows (9999 occurrences of
  // a block).
  static constexpr std::size_t kDefaultMaxLineLength = std::size_t{64} << 20;

  explicit LineReader(ByteSource& source, std::size_t buffer_size = kDefaultBufferSize,
                      std::size_t max_line_length = kDefaultMaxLineLength);

  // The next line without its line end, valid until the next call. False
  // at the end of the input.
  bool next(std::string_view& line);
  // The 1-based number of the line next() returned last; 0 before.
  long lineNumber() const { return line_number_; }
  // Whether the line next() returned last was longer than the maximum; it
  // was then returned empty, and overlongLength() tells its length.
  bool overlong() const { return overlong_length_ > 0; }
  std::size_t overlongLength() const { return overlong_length_; }
  std::size_t maxLineLength() const { return max_line_length_; }
  // Whether the line next() returned last ended with a CR alone (the line
  // ends of old Macintosh files), not with LF or CR LF.
  bool endedByCr() const { return ended_by_cr_; }
  // Bytes of the input up to the end of the line next() returned last, its
  // line end included.
  std::uint64_t offset() const { return offset_; }

 private:
  // Moves the unread rest to the front, grows a full buffer and reads
  // more. False when the source has nothing more.
  bool refill();
  // Returns the next length bytes as the line (or, beyond the maximum, an
  // overlong line) and drops consumed bytes, its line end included.
  bool take(std::string_view& line, std::size_t length, std::size_t consumed);
  bool take(std::string_view& line, std::size_t length) { return take(line, length, length + 1); }
  // Drops the bytes of an overlong line up to and including its LF.
  void skipOverlongLine();

  ByteSource& source_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  std::size_t max_line_length_;
  std::size_t overlong_length_ = 0;
  std::size_t begin_ = 0;       // first unread byte
  std::size_t scanned_ = 0;     // bytes from begin_ known to hold no LF
  std::size_t cr_scanned_ = 0;  // and no CR that ends a line
  bool ended_by_cr_ = false;
  std::size_t end_ = 0;  // end of the bytes read
  bool at_end_ = false;
  long line_number_ = 0;
  std::uint64_t offset_ = 0;
};

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_LINE_READER_H_
