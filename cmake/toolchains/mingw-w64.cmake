# Shared part of the MinGW-w64 toolchain files: Debian's cross compilers. ZELKRA_MINGW_TARGET names the
# target; ZELKRA_MINGW_THREADS the thread model: "win32" (the default; packages g++-mingw-w64-x86-64-win32,
# g++-mingw-w64-i686-win32) for the plug-in, which uses no threads and no C runtime, or "posix"
# (g++-mingw-w64-*-posix) for the host programs, whose std::thread and std::mutex need it.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT ZELKRA_MINGW_THREADS)
  set(ZELKRA_MINGW_THREADS win32)
endif()

set(CMAKE_C_COMPILER ${ZELKRA_MINGW_TARGET}-gcc-${ZELKRA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${ZELKRA_MINGW_TARGET}-g++-${ZELKRA_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${ZELKRA_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZELKRA_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
