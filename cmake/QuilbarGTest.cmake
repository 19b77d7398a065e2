# GoogleTest from Debian's googletest package sources, built with whatever compiler this build
# uses (g++ natively, MinGW-w64 for Windows), so both tiers use the same framework.
set(QUILBAR_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${QUILBAR_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# State of the Wine harness (prefix, display, COM port pairs) for this build tree.
set(QUILBAR_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(QUILBAR_WINE_HARNESS ${PROJECT_SOURCE_DIR}/tests/harness/quilbar-wine)

if(QUILBAR_WINDOWS AND CMAKE_CROSSCOMPILING_EMULATOR)
  add_test(NAME wine_harness_up COMMAND ${QUILBAR_WINE_HARNESS} up)
  add_test(NAME wine_harness_down COMMAND ${QUILBAR_WINE_HARNESS} down)
  set_tests_properties(wine_harness_up PROPERTIES FIXTURES_SETUP wine
    ENVIRONMENT "QUILBAR_WINE_DIR=${QUILBAR_WINE_DIR}" TIMEOUT 300)
  set_tests_properties(wine_harness_down PROPERTIES FIXTURES_CLEANUP wine
    ENVIRONMENT "QUILBAR_WINE_DIR=${QUILBAR_WINE_DIR}" TIMEOUT 60)
endif()

#   quilbar_add_test(name SOURCES a.cpp ... DEPS lib ... [WINDOWS_ONLY] [NATIVE_ONLY] [TIMEOUT s])
# One executable a suite; under the Windows build it runs in Wine through the harness.
function(quilbar_add_test name)
  cmake_parse_arguments(ARG "WINDOWS_ONLY;NATIVE_ONLY" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(ARG_WINDOWS_ONLY AND NOT QUILBAR_WINDOWS)
    return()
  endif()
  if(ARG_NATIVE_ONLY AND QUILBAR_WINDOWS)
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} quilbar_testsupport GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  if(QUILBAR_WINDOWS)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine
      ENVIRONMENT "QUILBAR_WINE_DIR=${QUILBAR_WINE_DIR}")
  endif()
endfunction()
