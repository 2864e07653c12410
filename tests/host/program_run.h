// Running a program for end-to-end tests.

#ifndef VEXAL_TESTS_HOST_PROGRAM_RUN_H_
#define VEXAL_TESTS_HOST_PROGRAM_RUN_H_

#include <string>
#include <vector>

namespace vexal::testing {

struct ProgramResult {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs program with the arguments in folder, standard input read from
// input_path, and collects standard output, standard error and exit status.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const std::string& input_path = "/dev/null");

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_HOST_PROGRAM_RUN_H_
