// A folder of its own under /tmp for a test's files, removed with all it
// holds when the test ends.

#ifndef VEXAL_TESTS_SUPPORT_SCRATCH_FOLDER_H_
#define VEXAL_TESTS_SUPPORT_SCRATCH_FOLDER_H_

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace vexal::test {

// Meant as a base of a test fixture: the fixture's files go to folder_.
class ScratchFolder {
 public:
  // The folder is /tmp/NAME.XXXXXX.
  explicit ScratchFolder(const std::string& name) {
    std::string pattern = "/tmp/" + name + ".XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp " + pattern);
    folder_ = pattern;
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() { std::filesystem::remove_all(folder_); }

  // Writes the bytes as the file `name` of the folder.
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder_ + "/" + name, std::ios::binary) << bytes;
  }

 protected:
  std::string folder_;
};

}  // namespace vexal::test

#endif  // VEXAL_TESTS_SUPPORT_SCRATCH_FOLDER_H_
