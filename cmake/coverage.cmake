# Source-based coverage with clang (VEXAL_COVERAGE=ON, preset coverage):
# every library and program counts the regions and branches it runs, and
# tests/coverage/report.sh turns the counts into line and branch figures
# per folder. clang's branches are the conditions of the source (each
# operand of && and ||, if, loops, ?:), not the jumps of the object code,
# so that a branch not taken names a condition that no test decides both
# ways.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang" OR NOT CMAKE_C_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VEXAL_COVERAGE needs clang (CMAKE_C_COMPILER=clang, CMAKE_CXX_COMPILER=clang++)")
endif()
if(VEXAL_SANITIZERS)
  message(FATAL_ERROR "VEXAL_COVERAGE and VEXAL_SANITIZERS do not go together")
endif()
add_compile_options(-fprofile-instr-generate -fcoverage-mapping)
add_link_options(-fprofile-instr-generate)
