// Terminals: whether a stream is one, the colours of the text format and
// the progress line of a long check.

#ifndef VEXAL_HOST_CLI_TERMINAL_H_
#define VEXAL_HOST_CLI_TERMINAL_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

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

// What the progress line shows at one moment.
struct ProgressState {
  std::string file;    // UTF-8
  int file_index = 1;  // 1-based, of file_count
  int file_count = 1;
  std::int64_t size = -1;   // bytes of the file; -1 when not known (a pipe)
  std::uint64_t bytes = 0;  // bytes of the file checked
  double file_seconds = 0;  // time spent on the file
  long lines = 0;           // lines checked in the whole run
  double run_seconds = 0;   // time since the run began
};

// The line for a state, at most width characters: file, share of its
// bytes, records per second and the time left for the file (or the bytes
// read, when the size is not known). A long file name is shortened at its
// start.
std::string progressText(const ProgressState& state, std::size_t width);

// Draws one self-overwriting line on a terminal stream: from delay seconds
// after it was made on, redrawn at most four times a second, removed by
// clear() before anything else is written to the terminal. It writes only
// CR, blanks and text, so every terminal shows it alike. Cheap per line:
// it looks at the clock every few lines. Borrows the stream; not
// thread-safe.
class ProgressMeter {
 public:
  // Seconds from any fixed start; steadySeconds() unless a test sets one.
  using Clock = std::function<double()>;
  static double steadySeconds();

  ProgressMeter(std::FILE* terminal, std::size_t width, double delay_seconds,
                Clock clock = &ProgressMeter::steadySeconds);
  ProgressMeter(const ProgressMeter&) = delete;
  ProgressMeter& operator=(const ProgressMeter&) = delete;
  ~ProgressMeter() { clear(); }

  void startFile(std::string_view name, std::int64_t size, int index, int count);
  // After each line, with the bytes of the file read up to its end.
  void lineDone(std::uint64_t bytes) {
    ++state_.lines;
    state_.bytes = bytes;
    if (--countdown_ == 0) tick();
  }
  // Takes the line off the terminal; the next tick draws it again.
  void clear();

 private:
  static constexpr int kLinesPerLook = 64;

  void tick();

  std::FILE* terminal_;
  std::size_t width_;
  double delay_;
  Clock clock_;
  double run_start_;
  double file_start_ = 0;
  double last_drawn_ = -1;
  std::size_t shown_ = 0;  // characters on the terminal now
  int countdown_ = kLinesPerLook;
  ProgressState state_;
};

// The delay before progress shows: VEXAL_PROGRESS_DELAY in seconds when
// it holds a number 0 or greater, else one second.
double progressDelay();

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_TERMINAL_H_
