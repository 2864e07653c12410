# The C++ runtime DLLs of the mingw-w64 toolchain that every module of the
# Windows build links (see mingw-w64-x86_64.cmake): the build copies them
# next to the programs, and the zip package ships them with vexal.exe.
# libwinpthread is needed only by the posix thread model; it is taken when
# it exists. Sets VEXAL_MINGW_RUNTIME_DLLS.
set(VEXAL_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE found
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  # An unknown name comes back unchanged, without a directory.
  if(IS_ABSOLUTE "${found}" AND EXISTS "${found}")
    get_filename_component(found "${found}" REALPATH)
    list(APPEND VEXAL_MINGW_RUNTIME_DLLS "${found}")
  elseif(NOT dll STREQUAL "libwinpthread-1.dll")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know ${dll}")
  endif()
endforeach()
