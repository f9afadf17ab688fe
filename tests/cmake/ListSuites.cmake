# Writes OUTPUT: one add_test per GoogleTest suite of PROGRAM, running just that suite's cases
# (the suite's name is the test's name), or one per case for the suites listed in CASES.
# COSTS is "suite,cost,suite,cost,...", CASES "suite,suite,...".
cmake_minimum_required(VERSION 3.20)
execute_process(
  COMMAND ${PROGRAM} --gtest_list_tests
  WORKING_DIRECTORY ${WORKING_DIR}
  TIMEOUT 60
  OUTPUT_VARIABLE listing
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --gtest_list_tests failed (${result}):\n${listing}")
endif()

string(REPLACE "," ";" costs "${COSTS}")
string(REPLACE "," ";" cases "${CASES}")
set(script "")

function(add_one name filter cost)
  string(APPEND script
         "add_test([==[${name}]==] [==[${PROGRAM}]==] [==[--gtest_filter=${filter}]==])\n"
         "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIR}]==]"
         " COST ${cost})\n")
  set(script "${script}" PARENT_SCOPE)
endfunction()

string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  # Suite lines start in the first column ("Suite." or "Instance/Suite.  # TypeParam = ...");
  # their cases follow, indented ("  Case" or "  Case/0  # GetParam() = ...").
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.( +#.*)?$")
    set(suite ${CMAKE_MATCH_1})
    set(cost 0)
    list(FIND costs ${suite} at)
    if(at GREATER_EQUAL 0)
      math(EXPR at "${at} + 1")
      list(GET costs ${at} cost)
    endif()
    if(NOT suite IN_LIST cases)
      add_one(${suite} "${suite}.*" ${cost})
    endif()
  elseif(line MATCHES "^  ([A-Za-z0-9_/]+)( +#.*)?$" AND suite IN_LIST cases)
    add_one(${suite}.${CMAKE_MATCH_1} "${suite}.${CMAKE_MATCH_1}" ${cost})
  endif()
endforeach()
file(WRITE ${OUTPUT} "${script}")
