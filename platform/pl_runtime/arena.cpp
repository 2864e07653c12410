#include "pl/arena.h"

#include <algorithm>
#include <cstring>

namespace pl {

void* Arena::allocateSlow(std::size_t size, std::size_t align) {
  // Move on to the next held block that fits, or add one.
  while (true) {
    if (current_ + 1 < blocks_.size()) {
      ++current_;
      used_ = 0;
    } else {
      std::size_t block_size = std::max(kBlockSize, size + align);
      if (!blocks_.empty()) blocks_.reserve(blocks_.size() + 1);
      Block block{std::unique_ptr<char[]>(new char[block_size]), block_size};
      blocks_.push_back(std::move(block));
      current_ = blocks_.size() - 1;
      used_ = 0;
    }
    Block& block = blocks_[current_];
    std::uintptr_t base = reinterpret_cast<std::uintptr_t>(block.data.get());
    std::size_t start = ((base + align - 1) & ~(std::uintptr_t{align} - 1)) - base;
    if (start + size <= block.size) {
      used_ = start + size;
      return block.data.get() + start;
    }
  }
}

char* Arena::copyText(const char* data, std::size_t size) {
  char* text = static_cast<char*>(allocate(size + 1, 1));
  if (size != 0) std::memcpy(text, data, size);
  text[size] = '\0';
  return text;
}

std::size_t Arena::capacity() const {
  std::size_t total = 0;
  for (const Block& block : blocks_) total += block.size;
  return total;
}

}  // namespace pl
