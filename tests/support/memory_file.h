// A stdio stream that writes into memory, for tests of code that writes to
// a FILE*.

#ifndef VEXAL_TESTS_SUPPORT_MEMORY_FILE_H_
#define VEXAL_TESTS_SUPPORT_MEMORY_FILE_H_

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vexal::test {

// Owns the stream and its memory; closes and frees both when destroyed.
class MemoryFile {
 public:
  MemoryFile() : file_(open_memstream(&data_, &size_)) {}
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  ~MemoryFile() {
    std::fclose(file_);
    std::free(data_);
  }
  std::FILE* get() { return file_; }
  // What was written so far.
  std::string text() {
    std::fflush(file_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};

}  // namespace vexal::test

#endif  // VEXAL_TESTS_SUPPORT_MEMORY_FILE_H_
