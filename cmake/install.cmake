# What `cmake --install` puts where: the program in bin, the libraries in
# lib/vexal (on Windows the DLLs next to vexal.exe, with the toolchain's
# runtime, and the import libraries in lib), the public headers in
# include/vexal, the Python package beside libvexalcheck, and a CMake
# package beside the libraries, so that a host project writes
#   find_package(vexal 1.0 REQUIRED)
#   target_link_libraries(host PRIVATE vexal::vexalcheck)
# Imported targets: vexal::vexalcheck (the C API, vexal/check.h),
# vexal::pl_runtime (the rule runtime), vexal::vexal-mod (the record model),
# vexal::vexal (libvexal with its twenty exports), vexal::host_support
# (cutting record lines into data records) and vexal::cli (the program).

include(CMakePackageConfigHelpers)

set(VEXAL_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/vexal)
if(WIN32)
  set(VEXAL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/vexal)
else()
  set(VEXAL_INSTALL_CMAKEDIR ${VEXAL_INSTALL_LIBDIR}/cmake)
endif()

# Installed, a header is found by the path it has in the build ("pl/value.h",
# "frame/exports.h", "record_input.h").
target_include_directories(pl_runtime INTERFACE $<INSTALL_INTERFACE:${VEXAL_INSTALL_INCLUDEDIR}>)
target_include_directories(vexal-mod INTERFACE $<INSTALL_INTERFACE:${VEXAL_INSTALL_INCLUDEDIR}>)
target_include_directories(vexal_host_support INTERFACE
  $<INSTALL_INTERFACE:${VEXAL_INSTALL_INCLUDEDIR}/host>)
# A host that links libvexal instead of loading it declares the exports with
# frame/exports.h and uses the runtime's and the model's types.
target_include_directories(vexal INTERFACE $<INSTALL_INTERFACE:${VEXAL_INSTALL_INCLUDEDIR}>)
target_link_libraries(vexal INTERFACE pl_runtime vexal-mod)

set_target_properties(vexal_host_support PROPERTIES EXPORT_NAME host_support)
set_target_properties(vexal_cli PROPERTIES EXPORT_NAME cli)

install(TARGETS pl_runtime vexal-mod vexal vexal_host_support vexalcheck vexal_cli
  EXPORT vexalTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${VEXAL_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${VEXAL_INSTALL_LIBDIR})
if(WIN32)
  install(FILES ${VEXAL_MINGW_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The toolchain's DLLs carry their debug information (libstdc++-6.dll
  # 23 MB of which 4 MB are code); an install with --strip, as cpack makes
  # it, drops it from them as from our own.
  foreach(dll IN LISTS VEXAL_MINGW_RUNTIME_DLLS)
    get_filename_component(name "${dll}" NAME)
    install(CODE "
      if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${name}\"
          COMMAND_ERROR_IS_FATAL ANY)
      endif()")
  endforeach()
endif()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/pl_runtime/include/pl
  ${PROJECT_SOURCE_DIR}/platform/vexal_mod/include/model
  DESTINATION ${VEXAL_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h")
install(FILES ${PROJECT_SOURCE_DIR}/src/frame/exports.h ${PROJECT_SOURCE_DIR}/src/frame/export.h
  ${PROJECT_SOURCE_DIR}/src/frame/record_types.h
  DESTINATION ${VEXAL_INSTALL_INCLUDEDIR}/frame)
install(FILES ${PROJECT_SOURCE_DIR}/host/record_input.h DESTINATION ${VEXAL_INSTALL_INCLUDEDIR}/host)
# The C API: #include <vexal/check.h>.
install(FILES ${PROJECT_SOURCE_DIR}/include/vexal/check.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vexal)

# The Python package stands beside libvexalcheck, where it looks first:
# PYTHONPATH=/usr/lib/vexal python3 -c "import vexal".
if(WIN32)
  set(VEXAL_INSTALL_PYTHONDIR ${CMAKE_INSTALL_BINDIR})
else()
  set(VEXAL_INSTALL_PYTHONDIR ${VEXAL_INSTALL_LIBDIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/python/vexal DESTINATION ${VEXAL_INSTALL_PYTHONDIR}
  FILES_MATCHING PATTERN "*.py" PATTERN "__pycache__" EXCLUDE)

# The documents keep the source tree's shape (README.md, docs/, examples/)
# so that their links between each other hold; their links to headers and
# the Python package are pointed at the installed ones.
file(RELATIVE_PATH VEXAL_INCLUDE_FROM_DOCS "/p/${CMAKE_INSTALL_DOCDIR}/docs"
  "/p/${CMAKE_INSTALL_INCLUDEDIR}")
file(RELATIVE_PATH VEXAL_PYTHON_FROM_DOCS "/p/${CMAKE_INSTALL_DOCDIR}/docs"
  "/p/${VEXAL_INSTALL_PYTHONDIR}")
install(CODE "
  set(SOURCE_DIR \"${PROJECT_SOURCE_DIR}\")
  set(DOC_DIR \"${CMAKE_INSTALL_DOCDIR}\")
  set(INCLUDE_FROM_DOCS \"${VEXAL_INCLUDE_FROM_DOCS}\")
  set(PYTHON_FROM_DOCS \"${VEXAL_PYTHON_FROM_DOCS}\")
  set(STAGE_DIR \"${CMAKE_CURRENT_BINARY_DIR}/installed-docs\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/install_docs.cmake\")")
install(FILES ${PROJECT_SOURCE_DIR}/examples/transmission.txt
  DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/examples/c/check_file.c
  ${PROJECT_SOURCE_DIR}/examples/c/CMakeLists.txt
  DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples/c)

install(EXPORT vexalTargets
  NAMESPACE vexal::
  FILE vexalTargets.cmake
  DESTINATION ${VEXAL_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/vexalConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/vexalConfig.cmake
  INSTALL_DESTINATION ${VEXAL_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/vexalConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vexalConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/vexalConfigVersion.cmake
  DESTINATION ${VEXAL_INSTALL_CMAKEDIR})
