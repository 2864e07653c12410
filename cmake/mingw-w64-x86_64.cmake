# Cross-build for 64-bit Windows with the mingw-w64 toolchain
# (Debian package g++-mingw-w64-x86-64).
#
# All modules (vexal.dll, pl_runtime.dll, vexal-mod.dll and the programs)
# link the shared C++ runtime of the toolchain (libstdc++-6.dll,
# libgcc_s_seh-1.dll): one copy of the unwinder, of the exception
# machinery and of the allocator for the whole process, so exceptions and
# std::string values cross the module boundaries. tests/windows copies the
# runtime DLLs next to the binaries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VEXAL_MINGW_PREFIX x86_64-w64-mingw32)

# Debian ships the compilers in two thread models; prefer the win32 one
# (no libwinpthread) and fall back to whatever the plain name points at.
find_program(VEXAL_MINGW_CXX NAMES ${VEXAL_MINGW_PREFIX}-g++-win32 ${VEXAL_MINGW_PREFIX}-g++)
find_program(VEXAL_MINGW_CC NAMES ${VEXAL_MINGW_PREFIX}-gcc-win32 ${VEXAL_MINGW_PREFIX}-gcc)
if(NOT VEXAL_MINGW_CXX)
  message(FATAL_ERROR "${VEXAL_MINGW_PREFIX}-g++ not found; install g++-mingw-w64-x86-64")
endif()
set(CMAKE_CXX_COMPILER ${VEXAL_MINGW_CXX})
if(VEXAL_MINGW_CC)
  set(CMAKE_C_COMPILER ${VEXAL_MINGW_CC})
endif()
set(CMAKE_RC_COMPILER ${VEXAL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VEXAL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Runs Windows programs (try_run, ctest). Debian's "wine" wrapper looks for
# a 32-bit wine first and complains when there is none; call the 64-bit
# loader directly when it is there.
find_program(VEXAL_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT VEXAL_WINE)
  find_program(VEXAL_WINE NAMES wine64 wine)
endif()
if(VEXAL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXAL_WINE})
endif()
