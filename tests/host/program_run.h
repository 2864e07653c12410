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

// How a program is started beyond its arguments.
struct RunOptions {
  std::string input_path = "/dev/null";  // standard input
  // NAME=VALUE set in the program's environment; NAME alone removes it.
  std::vector<std::string> environment;
  // Standard output or error on a pseudo-terminal (raw, 100 columns)
  // instead of a file.
  bool stdout_terminal = false;
  bool stderr_terminal = false;
};

// Runs program with the arguments in folder and collects standard output,
// standard error and exit status.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const RunOptions& options);
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const std::string& input_path = "/dev/null");

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_HOST_PROGRAM_RUN_H_
