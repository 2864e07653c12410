#include "cli/terminal.h"

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

}  // namespace vexal::cli
