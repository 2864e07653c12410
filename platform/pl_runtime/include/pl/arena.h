// The bump allocator behind a RuntimeContext.

#ifndef VEXAL_RUNTIME_PL_ARENA_H_
#define VEXAL_RUNTIME_PL_ARENA_H_

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace pl {

// Hands out memory from large blocks and takes it all back in one step.
// reset() keeps the blocks, so a context that checks record after record
// stops allocating once the largest record has been seen. Objects placed in
// the arena are never destroyed; they must have trivial destructors. Not
// thread-safe.
class Arena {
 public:
  static constexpr std::size_t kBlockSize = 64 * 1024;

  Arena() = default;
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;

  void* allocate(std::size_t size, std::size_t align = alignof(std::max_align_t)) {
    std::size_t start = (used_ + align - 1) & ~(align - 1);
    if (current_ < blocks_.size() && start + size <= blocks_[current_].size) {
      used_ = start + size;
      return blocks_[current_].data.get() + start;
    }
    return allocateSlow(size, align);
  }

  template <class T, class... Args>
  T* make(Args&&... args) {
    return new (allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
  }

  // Copies size bytes and adds a NUL.
  char* copyText(const char* data, std::size_t size);

  void reset() {
    current_ = 0;
    used_ = 0;
  }

  // Whether nothing was handed out since the last reset().
  bool empty() const { return current_ == 0 && used_ == 0; }

  // Bytes in blocks held, for benchmarks and tests.
  std::size_t capacity() const;

 private:
  struct Block {
    std::unique_ptr<char[]> data;
    std::size_t size;
  };
  void* allocateSlow(std::size_t size, std::size_t align);

  std::vector<Block> blocks_;
  std::size_t current_ = 0;
  std::size_t used_ = 0;
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_ARENA_H_
