# Writes OUTPUT, a header defining VEXAL_BENCH_COMMIT: the commit of the
# source tree SOURCE_DIR ("-dirty" with changes not committed), or
# "unknown" outside a git checkout. The file keeps its time stamp while the
# commit stays the same, so that nothing rebuilds.
cmake_minimum_required(VERSION 3.25)

execute_process(
  COMMAND git -C "${SOURCE_DIR}" describe --always --dirty --abbrev=12
  OUTPUT_VARIABLE commit
  OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_QUIET)
if(NOT commit)
  set(commit unknown)
endif()
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "#define VEXAL_BENCH_COMMIT \"@commit@\"\n" @ONLY)
