# Windows i686 (32-bit) with MinGW-w64 (posix thread model: std::thread and std::mutex work).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUILBAR_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${QUILBAR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILBAR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${QUILBAR_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUILBAR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# 32-bit code cannot run on these build machines: the i686 build is compiled and linked only.
