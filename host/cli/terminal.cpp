// Terminals, colours and the progress line.

#include "cli/terminal.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "cli/output.h"
#include "core/encoding.h"

namespace vexal::cli {

#ifdef _WIN32

namespace {

HANDLE handleOf(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

bool enableEscapeSequences(std::FILE* stream) {
  DWORD mode = 0;
  HANDLE handle = handleOf(stream);
  if (!GetConsoleMode(handle, &mode)) return false;
  if ((mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0) return true;
  return SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace

std::size_t terminalWidth(std::FILE* stream) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(handleOf(stream), &info)) return 80;
  const int columns = info.srWindow.Right - info.srWindow.Left + 1;
  return columns > 0 ? static_cast<std::size_t>(columns) : 80;
}

bool isTerminal(std::FILE* stream) {
  // _isatty() also says yes to NUL; a console has a console mode.
  DWORD mode = 0;
  return GetConsoleMode(handleOf(stream), &mode) != 0;
}

#else

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

std::size_t terminalWidth(std::FILE* stream) {
  winsize size{};
  if (ioctl(fileno(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
  return size.ws_col;
}

#endif

bool colorWanted(ColorMode mode, bool terminal, const char* no_color, const char* term) {
  switch (mode) {
    case ColorMode::kAlways:
      return true;
    case ColorMode::kNever:
      return false;
    case ColorMode::kAuto:
      break;
  }
  if (!terminal) return false;
  if (no_color != nullptr && *no_color != '\0') return false;
  return term == nullptr || std::strcmp(term, "dumb") != 0;
}

bool useColor(ColorMode mode, std::FILE* stream) {
  const bool terminal = mode == ColorMode::kAuto && isTerminal(stream);
  if (!colorWanted(mode, terminal, std::getenv("NO_COLOR"), std::getenv("TERM"))) return false;
#ifdef _WIN32
  // Under always the sequences are wanted even where they are not shown.
  if (!enableEscapeSequences(stream) && mode == ColorMode::kAuto) return false;
#endif
  return true;
}

Palette Palette::ansi() {
  Palette palette;
  palette.location = "\x1b[1m";
  palette.place = "\x1b[36m";
  palette.code = "\x1b[1;31m";
  palette.warning = "\x1b[1;33m";
  palette.error = "\x1b[1;31m";
  palette.reset = "\x1b[0m";
  return palette;
}

namespace {

// 12345678 as "12,345,678".
std::string grouped(std::uint64_t value) {
  std::string digits = std::to_string(value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return digits;
}

std::string clockTime(double seconds) {
  const long total = static_cast<long>(seconds + 0.5);
  char text[32];
  if (total >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
  }
  return text;
}

std::size_t characters(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// The end of the UTF-8 text that keeps its last `keep` characters.
std::string lastCharacters(std::string_view utf8, std::size_t keep) {
  std::size_t skip = characters(utf8) - keep;
  std::size_t at = 0;
  while (skip > 0 || (at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80)) {
    if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80) --skip;
    ++at;
  }
  return std::string(utf8.substr(at));
}

}  // namespace

std::string progressText(const ProgressState& s, std::size_t width) {
  std::string tail;
  if (s.file_count > 1) {
    tail += " (" + std::to_string(s.file_index) + " of " + std::to_string(s.file_count) + ")";
  }
  if (s.size > 0) {
    const double share = std::min(1.0, static_cast<double>(s.bytes) / static_cast<double>(s.size));
    tail += "  " + std::to_string(static_cast<int>(share * 100)) + "%";
  } else {
    tail += "  " + grouped(s.bytes / 1000000) + " MB";
  }
  if (s.run_seconds > 0) {
    tail += "  " + grouped(static_cast<std::uint64_t>(s.lines / s.run_seconds)) + " records/s";
  }
  if (s.size > 0 && s.bytes > 0 && s.file_seconds > 0 &&
      static_cast<std::uint64_t>(s.size) > s.bytes) {
    const double rate = static_cast<double>(s.bytes) / s.file_seconds;
    tail += "  " + clockTime(static_cast<double>(s.size - s.bytes) / rate) + " left";
  }
  const std::string head = "vexal: ";
  std::string name = s.file;
  const std::size_t fixed = head.size() + tail.size();
  if (fixed + characters(name) > width) {
    const std::size_t room = width > fixed + 3 ? width - fixed - 3 : 0;
    name = "..." + lastCharacters(name, std::min(room, characters(name)));
  }
  return head + name + tail;
}

double ProgressMeter::steadySeconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double>(since).count();
}

ProgressMeter::ProgressMeter(std::FILE* terminal, std::size_t width, double delay_seconds,
                             Clock clock)
    : terminal_(terminal),
      width_(width > 1 ? width - 1 : 1),
      delay_(delay_seconds),
      clock_(std::move(clock)),
      run_start_(clock_()) {}

void ProgressMeter::startFile(std::string_view name, std::int64_t size, int index, int count) {
  state_.file = core::shownName(name);
  state_.size = size;
  state_.file_index = index;
  state_.file_count = count;
  state_.bytes = 0;
  file_start_ = clock_();
  last_drawn_ = -1;
  tick();
}

void ProgressMeter::tick() {
  countdown_ = kLinesPerLook;
  const double now = clock_();
  if (now - run_start_ < delay_) return;
  if (last_drawn_ >= 0 && now - last_drawn_ < 0.25) return;
  last_drawn_ = now;
  state_.file_seconds = now - file_start_;
  state_.run_seconds = now - run_start_;
  std::string line = "\r" + progressText(state_, width_);
  const std::size_t shown = characters(line) - 1;
  if (shown < shown_) line.append(shown_ - shown, ' ');
  shown_ = shown;
  writeText(terminal_, line);
  std::fflush(terminal_);
}

void ProgressMeter::clear() {
  if (shown_ == 0) return;
  std::string blank = "\r" + std::string(shown_, ' ') + "\r";
  writeText(terminal_, blank);
  std::fflush(terminal_);
  shown_ = 0;
  last_drawn_ = -1;
}

double progressDelay() {
  const char* text = std::getenv("VEXAL_PROGRESS_DELAY");
  if (text == nullptr || *text == '\0') return 1.0;
  char* end = nullptr;
  const double seconds = std::strtod(text, &end);
  return *end == '\0' && seconds >= 0 ? seconds : 1.0;
}

}  // namespace vexal::cli
