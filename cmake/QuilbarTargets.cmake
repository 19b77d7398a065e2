# Helpers that keep the per-folder CMakeLists short.
#
# File naming: Foo.cpp is portable C++ (never includes windows.h); Foo_win.cpp is its Windows half,
# compiled only in the Windows builds; Foo_posix.cpp stands in for it in the native build.
#
#   quilbar_add_library(name
#       SOURCES  portable.cpp ...      # every build
#       WINDOWS  thing_win.cpp ...     # Windows builds only
#       NATIVE   thing_posix.cpp ...   # native build only
#       DEPS     other_lib ...         # public link dependencies
#       WIN_LIBS user32 ...)           # Windows system libraries
function(quilbar_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;WINDOWS;NATIVE;DEPS;WIN_LIBS" ${ARGN})
  set(srcs ${ARG_SOURCES})
  if(QUILBAR_WINDOWS)
    list(APPEND srcs ${ARG_WINDOWS})
  else()
    list(APPEND srcs ${ARG_NATIVE})
  endif()
  add_library(${name} STATIC ${srcs})
  # Cross-folder includes name their folder ("base/Registry.h"): only src/ is exported, a
  # library's own folder is private to it.
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(QUILBAR_WINDOWS AND ARG_WIN_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_WIN_LIBS})
  endif()
endfunction()
