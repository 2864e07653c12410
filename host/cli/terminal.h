// Terminals: whether a stream is one, and the colours of the text format.

#ifndef VEXAL_HOST_CLI_TERMINAL_H_
#define VEXAL_HOST_CLI_TERMINAL_H_

#include <cstddef>
#include <cstdio>

namespace vexal::cli {

enum class ColorMode { kAuto, kAlways, kNever };

// Whether the stream is an interactive terminal (on Windows: a console;
// the NUL device and pipes are none).
bool isTerminal(std::FILE* stream);

// The columns of the terminal the stream writes to; 80 when it cannot be
// told.
std::size_t terminalWidth(std::FILE* stream);

// The decision behind useColor(): always and never as asked; auto colours
// a terminal unless NO_COLOR is set to a non-empty value or TERM is "dumb".
// no_color and term are the variables' values, null when unset.
bool colorWanted(ColorMode mode, bool terminal, const char* no_color, const char* term);

// Whether to colour what goes to the stream, from the environment. On a
// Windows console it also switches on the handling of escape sequences
// and declines colour under auto when that fails.
bool useColor(ColorMode mode, std::FILE* stream);

// The escape sequences of the text format, one per role; all empty for
// plain text, so that writers append them without asking.
struct Palette {
  const char* location = "";  // FILE:LINE:
  const char* place = "";     // the field or check a finding concerns
  const char* code = "";      // the error identifier
  const char* warning = "";
  const char* error = "";
  const char* reset = "";

  static Palette plain() { return {}; }
  static Palette ansi();
  bool colored() const { return *reset != '\0'; }
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_TERMINAL_H_
