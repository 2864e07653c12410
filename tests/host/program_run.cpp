#include "host/program_run.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace vexal::testing {
namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The current environment with the changes applied.
std::vector<std::string> environmentWith(const std::vector<std::string>& changes) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) result.emplace_back(*entry);
  for (const std::string& change : changes) {
    const std::string name = change.substr(0, change.find('='));
    std::erase_if(result, [&](const std::string& e) { return e.substr(0, e.find('=')) == name; });
    if (change.find('=') != std::string::npos) result.push_back(change);
  }
  return result;
}

// A pseudo-terminal without output processing, so that bytes pass as
// written.
struct Terminal {
  int master = -1;
  int slave = -1;
  std::string read;

  void open() {
    winsize size{};
    size.ws_row = 24;
    size.ws_col = 100;
    if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
      throw std::runtime_error("cannot open a pseudo-terminal");
    }
    termios modes{};
    tcgetattr(slave, &modes);
    cfmakeraw(&modes);
    tcsetattr(slave, TCSANOW, &modes);
  }
  // Reads what is there; false once the other side is closed.
  bool drain() {
    char buffer[4096];
    for (;;) {
      ssize_t n = ::read(master, buffer, sizeof buffer);
      if (n > 0) {
        read.append(buffer, static_cast<std::size_t>(n));
        continue;
      }
      return n < 0 && errno == EAGAIN;
    }
  }
};

}  // namespace

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const RunOptions& options) {
  // Named by this process, so that tests running side by side in one
  // folder keep apart.
  const std::string suffix = "." + std::to_string(getpid());
  const std::string out_path = folder + "/.stdout" + suffix;
  const std::string err_path = folder + "/.stderr" + suffix;
  Terminal terminals[2];
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, options.input_path.c_str(), O_RDONLY, 0);
  const bool on_terminal[2] = {options.stdout_terminal, options.stderr_terminal};
  const std::string* paths[2] = {&out_path, &err_path};
  for (int k = 0; k < 2; ++k) {
    if (on_terminal[k]) {
      terminals[k].open();
      posix_spawn_file_actions_adddup2(&actions, terminals[k].slave, k + 1);
      posix_spawn_file_actions_addclose(&actions, terminals[k].master);
    } else {
      posix_spawn_file_actions_addopen(&actions, k + 1, paths[k]->c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
  }
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> environment = environmentWith(options.environment);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  pid_t pid = 0;
  int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  for (Terminal& terminal : terminals) {
    if (terminal.slave >= 0) close(terminal.slave);
    if (terminal.master >= 0) fcntl(terminal.master, F_SETFL, O_NONBLOCK);
  }
  if (spawned != 0) throw std::runtime_error("cannot start " + program);

  // Read the terminals while the program runs, so that it never blocks on
  // a full one.
  int wait_status = 0;
  for (;;) {
    pollfd polled[2];
    nfds_t count = 0;
    for (Terminal& terminal : terminals) {
      if (terminal.master >= 0) polled[count++] = pollfd{terminal.master, POLLIN, 0};
    }
    if (count > 0) poll(polled, count, 50);
    for (Terminal& terminal : terminals) {
      if (terminal.master >= 0) terminal.drain();
    }
    if (waitpid(pid, &wait_status, count > 0 ? WNOHANG : 0) == pid) break;
  }
  for (Terminal& terminal : terminals) {
    if (terminal.master < 0) continue;
    terminal.drain();
    close(terminal.master);
  }

  ProgramResult result;
  result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  result.out = options.stdout_terminal ? terminals[0].read : slurp(out_path);
  result.err = options.stderr_terminal ? terminals[1].read : slurp(err_path);
  unlink(out_path.c_str());
  unlink(err_path.c_str());
  return result;
}

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, const std::string& input_path) {
  RunOptions options;
  options.input_path = input_path;
  return runProgram(program, arguments, folder, options);
}

}  // namespace vexal::testing
