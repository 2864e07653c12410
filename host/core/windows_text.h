// UTF-8 and UTF-16 at the Windows API (Windows builds only).

#ifndef VEXAL_HOST_CORE_WINDOWS_TEXT_H_
#define VEXAL_HOST_CORE_WINDOWS_TEXT_H_

#ifdef _WIN32

#include <string>
#include <vector>

namespace vexal::core {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);
// The text of GetLastError().
std::string lastErrorText();
// The program's arguments (without the program name) as UTF-8, from the
// wide command line.
std::vector<std::string> wideArguments();

}  // namespace vexal::core

#endif  // _WIN32
#endif  // VEXAL_HOST_CORE_WINDOWS_TEXT_H_
