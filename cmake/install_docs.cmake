# Installs the documents into DOC_DIR (README.md there, the pages in
# DOC_DIR/docs, as in the source tree) with their links to the source
# tree's folders pointed at the installed ones: ../include to the headers,
# ../python/vexal to the Python package; links to source folders that are
# not installed lose their link and keep their text. Runs at install time (cmake
# -DSOURCE_DIR=... in install(CODE)), so that DESTDIR and --prefix apply.
#
# Expects SOURCE_DIR, DOC_DIR, INCLUDE_FROM_DOCS and PYTHON_FROM_DOCS
# (paths relative to DOC_DIR/docs) and STAGE_DIR (a scratch folder).

file(INSTALL "${SOURCE_DIR}/README.md" DESTINATION "${CMAKE_INSTALL_PREFIX}/${DOC_DIR}")
file(GLOB pages "${SOURCE_DIR}/docs/*.md")
file(GLOB pictures "${SOURCE_DIR}/docs/*.png")
file(MAKE_DIRECTORY "${STAGE_DIR}")
set(staged)
foreach(page IN LISTS pages)
  get_filename_component(name "${page}" NAME)
  file(READ "${page}" text)
  string(REPLACE "](../include/" "](${INCLUDE_FROM_DOCS}/" text "${text}")
  string(REPLACE "](../python/vexal)" "](${PYTHON_FROM_DOCS}/vexal)" text "${text}")
  # Source folders that are not installed (the bindings' sources, say)
  # keep their name without the link.
  string(REGEX REPLACE "\\[([^]]*)\\]\\(\\.\\./(bindings|bench|tests|src|host|platform)/[^)]*\\)"
                       "\\1" text "${text}")
  file(WRITE "${STAGE_DIR}/${name}" "${text}")
  list(APPEND staged "${STAGE_DIR}/${name}")
endforeach()
file(INSTALL ${staged} ${pictures} DESTINATION "${CMAKE_INSTALL_PREFIX}/${DOC_DIR}/docs")
