// UTF-8 and UTF-16 at the Windows API (Windows builds only).

#ifndef VEXAL_HOST_CORE_WINDOWS_TEXT_H_
#define VEXAL_HOST_CORE_WINDOWS_TEXT_H_

#ifdef _WIN32

#include <string>
#include <string_view>
#include <vector>

namespace vexal::core {

std::wstring widen(std::string_view utf8);
std::string narrow(const std::wstring& utf16);
// The text of GetLastError().
std::string lastErrorText();
// The program's arguments (without the program name) as UTF-8, from the
// wide command line.
std::vector<std::string> wideArguments();
// Writes UTF-8 text to a console (a HANDLE) as UTF-16, which the console
// shows whatever its code page; bytes that are not UTF-8 show as U+FFFD.
// False when the console refused the text.
bool writeConsole(void* console, std::string_view utf8);

}  // namespace vexal::core

#endif  // _WIN32
#endif  // VEXAL_HOST_CORE_WINDOWS_TEXT_H_
