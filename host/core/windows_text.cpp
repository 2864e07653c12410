#ifdef _WIN32

#include "core/windows_text.h"

#include "core/encoding.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

namespace vexal::core {

std::wstring widen(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string narrow(const std::wstring& utf16) {
  if (utf16.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), text.data(), n,
                      nullptr, nullptr);
  return text;
}

std::string lastErrorText() {
  DWORD code = GetLastError();
  wchar_t* message = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::string text = "error " + std::to_string(code);
  if (n > 0 && message != nullptr) {
    std::wstring wide(message, n);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ')) {
      wide.pop_back();
    }
    text += " (" + narrow(wide) + ")";
  }
  if (message != nullptr) LocalFree(message);
  return text;
}

std::vector<std::string> wideArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

bool writeConsole(void* console, std::string_view utf8) {
  // In pieces, so that no conversion or console write grows large; a piece
  // never ends inside a UTF-8 sequence.
  constexpr std::size_t kPiece = 16 << 10;
  while (!utf8.empty()) {
    const std::size_t size = utf8PieceSize(utf8, kPiece);
    const std::wstring wide = widen(utf8.substr(0, size));
    utf8.remove_prefix(size);
    const wchar_t* rest = wide.data();
    DWORD left = static_cast<DWORD>(wide.size());
    while (left > 0) {
      DWORD written = 0;
      if (!WriteConsoleW(console, rest, left, &written, nullptr) || written == 0) return false;
      rest += written;
      left -= written;
    }
  }
  return true;
}

}  // namespace vexal::core

#endif  // _WIN32
