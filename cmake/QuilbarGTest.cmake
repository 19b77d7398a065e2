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
  # DesktopHolder (tests/tools) keeps Wine's desktop process up between the test programs.
  add_test(NAME wine_harness_up COMMAND ${QUILBAR_WINE_HARNESS} up $<TARGET_FILE:DesktopHolder>)
  add_test(NAME wine_harness_down COMMAND ${QUILBAR_WINE_HARNESS} down)
  set_tests_properties(wine_harness_up PROPERTIES FIXTURES_SETUP wine
    ENVIRONMENT "QUILBAR_WINE_DIR=${QUILBAR_WINE_DIR}" TIMEOUT 300)
  set_tests_properties(wine_harness_down PROPERTIES FIXTURES_CLEANUP wine
    ENVIRONMENT "QUILBAR_WINE_DIR=${QUILBAR_WINE_DIR}" TIMEOUT 60)
endif()

# A contract check (QB_ASSERT) ends the process with exit code 0 on purpose, so a check that
# fires outside a death test would end a test binary "successfully" with its remaining tests
# silently skipped. Its text fails the run instead: natively the check prints "Fatal Error: ...",
# in Windows binaries the watcher of unexpected boxes prints "Fatal Error box in ...". A passing
# death test prints nothing of its child's output (GoogleTest captures the child's stderr and
# shows it only when the death test fails), so death tests do not trip this.
set(QUILBAR_TEST_FAILURE_TEXTS "Fatal Error" "Assertion failed")

# Suites a test source declares: TEST(Suite, ...), TEST_F, TEST_P, TYPED_TEST, and the suites it
# instantiates (INSTANTIATE_TEST_SUITE_P(Prefix, Suite, ...), also of typed tests).
function(quilbar_test_suites out)
  set(suites)
  set(name "[A-Za-z_][A-Za-z0-9_]*")
  foreach(src ${ARGN})
    file(STRINGS ${src} lines REGEX "^[ \t]*(TEST|TEST_F|TEST_P|TYPED_TEST|INSTANTIATE_TEST_SUITE_P|INSTANTIATE_TYPED_TEST_SUITE_P)[ \t]*\\(")
    foreach(line ${lines})
      if(line MATCHES "^[ \t]*INSTANTIATE_")
        string(REGEX REPLACE "^[^(]*\\([ \t]*${name}[ \t]*,[ \t]*(${name}).*" "\\1" suite "${line}")
      else()
        string(REGEX REPLACE "^[^(]*\\([ \t]*(${name}).*" "\\1" suite "${line}")
      endif()
      list(APPEND suites ${suite})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  set(${out} ${suites} PARENT_SCOPE)
endfunction()

# The gtest filter of one suite, whatever prefix or type index parameterised and typed tests add.
function(quilbar_suite_filter out suite)
  set(${out} "${suite}.*:${suite}/*:*/${suite}.*:*/${suite}/*" PARENT_SCOPE)
endfunction()

#   quilbar_add_test(name SOURCES a.cpp ... DEPS lib ... [WINDOWS_ONLY] [NATIVE_ONLY] [TIMEOUT s]
#                    [LOCKS resource ...])
# One executable a suite; under the Windows build it runs in Wine through the harness.
#
# Windows tests share one Wine desktop and run two at a time, so LOCKS names what a test may not
# share (ctest RESOURCE_LOCK): "com1-com2" and "com3-com4" (the harness's null-modem pairs),
# "clipboard", and "desktop" (the foreground window and the keyboard: keystrokes, caps lock, and
# any window or box that takes the focus). A death test that expects a failed check shows the
# "Fatal Error" box in its child (answered through testsupport::answerFatalErrorBoxes), and the
# box takes the focus, so a binary with such tests takes "desktop" by itself.
#
# A WINDOWS_ONLY binary exercises the real system (ports, windows, other processes) and is slow
# and may hang, so it gets one ctest entry per suite ("binary.Suite", found in the sources): a
# time-out names the suite, and no entry runs long. The last suite's entry also runs whatever the
# scan did not find, so no test is left out. Editing such a source re-runs the configuration.
function(quilbar_add_test name)
  cmake_parse_arguments(ARG "WINDOWS_ONLY;NATIVE_ONLY" "TIMEOUT" "SOURCES;DEPS;LOCKS" ${ARGN})
  if(ARG_WINDOWS_ONLY AND NOT QUILBAR_WINDOWS)
    return()
  endif()
  if(ARG_NATIVE_ONLY AND QUILBAR_WINDOWS)
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  if(QUILBAR_WINDOWS)
    set(main quilbar_testmain)
  else()
    set(main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} quilbar_testsupport GTest::gmock ${main})

  set(suites)
  if(ARG_WINDOWS_ONLY)
    set(sources)
    foreach(src ${ARG_SOURCES})
      get_filename_component(src ${src} ABSOLUTE)
      list(APPEND sources ${src})
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${sources})
    quilbar_test_suites(suites ${sources})
  endif()
  list(LENGTH suites nSuites)
  set(entries)
  if(nSuites LESS 2)
    add_test(NAME ${name} COMMAND ${name})
    list(APPEND entries ${name})
  else()
    set(others)
    math(EXPR nLast "${nSuites} - 1")
    foreach(i RANGE ${nLast})
      list(GET suites ${i} suite)
      quilbar_suite_filter(filter ${suite})
      if(i LESS nLast)
        add_test(NAME ${name}.${suite} COMMAND ${name} --gtest_filter=${filter})
        list(APPEND others ${filter})
      else()
        string(JOIN ":" others ${others})
        add_test(NAME ${name}.${suite} COMMAND ${name} --gtest_filter=*-${others})
      endif()
      list(APPEND entries ${name}.${suite})
    endforeach()
  endif()

  set_tests_properties(${entries} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
    FAIL_REGULAR_EXPRESSION "${QUILBAR_TEST_FAILURE_TEXTS}")
  if(QUILBAR_WINDOWS)
    set(locks ${ARG_LOCKS})
    foreach(src ${ARG_SOURCES})
      file(STRINGS ${src} boxAnswers REGEX "answerFatalErrorBoxes")
      if(boxAnswers)
        list(APPEND locks desktop)
      endif()
    endforeach()
    set_tests_properties(${entries} PROPERTIES FIXTURES_REQUIRED wine
      ENVIRONMENT "QUILBAR_WINE_DIR=${QUILBAR_WINE_DIR}")
    if(locks)
      list(REMOVE_DUPLICATES locks)
      set_tests_properties(${entries} PROPERTIES RESOURCE_LOCK "${locks}")
    endif()
  endif()
endfunction()
