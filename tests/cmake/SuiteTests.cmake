# One CTest test per GoogleTest suite: a suite's cases run together in one process, so what a
# suite builds once for all its cases (SetUpTestSuite: generated content, terrains) is built once
# per run instead of once per case. The suites are listed from the built program after each link
# (ListSuites.cmake); ctest reads that list through the directory's TEST_INCLUDE_FILES.
set(QORVEX_LIST_SUITES ${CMAKE_CURRENT_LIST_DIR}/ListSuites.cmake)

# qorvex_add_suite_tests(TARGET [COSTS suite cost ...] [CASES suite ...])
# COSTS gives the suites known to be slow a head start: ctest -j starts the costliest first
# when it has no timings of its own yet (a fresh build tree). The suites named in CASES share
# no setup and have long cases: each case is a test of its own ("Suite.Case"), so they can run
# side by side.
function(qorvex_add_suite_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "COSTS;CASES")
  set(ctest_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  string(REPLACE ";" "," costs "${arg_COSTS}")
  string(REPLACE ";" "," cases "${arg_CASES}")
  add_custom_command(
    TARGET ${target}
    POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D PROGRAM=$<TARGET_FILE:${target}> -D OUTPUT=${ctest_file}
            -D WORKING_DIR=${CMAKE_CURRENT_BINARY_DIR} -D COSTS=${costs}
            -D CASES=${cases} -P ${QORVEX_LIST_SUITES}
    BYPRODUCTS ${ctest_file}
    VERBATIM)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake)
  file(WRITE ${include_file}
       "if(EXISTS \"${ctest_file}\")\n"
       "  include(\"${ctest_file}\")\n"
       "else()\n"
       "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
