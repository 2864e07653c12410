# Packages made by cpack from the installed files: a Debian package of the
# Linux build (installed under /usr) and a zip of the Windows build
# (vexal.exe with its DLLs in bin/).

set(CPACK_PACKAGE_NAME vexal)
set(CPACK_PACKAGE_VENDOR vexal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Plausibility checks for records of the accident-insurance reporting procedure")
# "DSAS_01, DSAS_02, ... and DSLN_02", from the list of record types.
set(record_types_text ${VEXAL_RECORD_TYPES})
list(POP_BACK record_types_text last_record_type)
list(JOIN record_types_text ", " record_types_text)
set(CPACK_PACKAGE_DESCRIPTION
  "vexal checks ${record_types_text} and ${last_record_type} records with the compiled rule sets of libvexal and reports its findings as text, jsonl, csv or json. The package holds the program, libvexal, the rule runtime and the record model, their headers and a CMake package.")
set(CPACK_PACKAGE_CONTACT "vexal maintainers <vexal@localhost>")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME vexal-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  # dpkg-shlibdeps (Debian package dpkg-dev) names the exact library
  # versions; without it, the libraries every C++ program needs.
  find_program(VEXAL_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(VEXAL_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
  endif()
endif()

include(CPack)
