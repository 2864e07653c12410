// vexal: the command-line host of libvexal.

#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "core/library.h"
#include "core/rule_sets.h"

namespace {

using namespace vexal::cli;
namespace core = vexal::core;

int usageError(const CommandLine& line, const std::string& message) {
  std::string hint = "vexal ";
  if (line.command != Command::kNone) hint.append(commandName(line.command)).append(" ");
  writeText(stderr, "vexal: " + message + "\nTry '" + hint + "--help'.\n");
  return kExitUsage;
}

// The subcommand's exit status; a write to standard output that failed is
// reported by the caller.
int dispatch(const CommandLine& line, Output& out) {
  if (line.help) {
    out.append(helpText(line.command));
    return kExitClean;
  }
  if (line.version) {
    out.append(versionText());
    return kExitClean;
  }

  if (line.command == Command::kParams) return runParams(line, out);

  const std::string path = line.library.empty() ? defaultLibraryPath() : line.library;
  std::string error;
  std::unique_ptr<core::Library> library = core::Library::open(path, error);
  if (library == nullptr) {
    writeText(stderr, "vexal: cannot load the library " + path + ": " + error + "\n");
    return kExitUsage;
  }
  if (line.command == Command::kCheck) return runCheck(line, *library, out, stderr);
  core::LibraryRuleSets rule_sets(*library);
  switch (line.command) {
    case Command::kLayout:
      return runLayout(line, rule_sets, out, stderr);
    case Command::kCall:
      return runCall(line, rule_sets, out, stderr);
    case Command::kTypes:
      return runTypes(line, rule_sets, out, stderr);
    case Command::kExplain:
      return runExplain(line, rule_sets, out, stderr);
    case Command::kCheck:
    case Command::kParams:
    case Command::kNone:
      break;
  }
  return kExitUsage;
}

int run(const std::vector<std::string>& arguments) {
  ParseResult parsed = parseCommandLine(arguments);
  const CommandLine& line = parsed.line;
  if (!parsed.error.empty()) return usageError(line, parsed.error);
  Output out(stdout);
  const int status = dispatch(line, out);
  out.flush();
  if (out.failed()) {
    writeText(stderr, "vexal: cannot write the output: " + out.failure() + "\n");
    return kExitUsage;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  useBinaryStandardStreams();
  // Large blocks for piped input; the host buffers its output itself.
  std::setvbuf(stdin, nullptr, _IOFBF, std::size_t{1} << 16);
  try {
    return run(programArguments(argc, argv));
  } catch (const std::bad_alloc&) {
    writeText(stderr, "vexal: out of memory\n");
  } catch (const std::exception& e) {
    writeText(stderr, std::string("vexal: ") + e.what() + "\n");
  }
  return kExitUsage;
}
