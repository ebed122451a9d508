# Cross build for 32-bit Windows (x86) with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZELKRA_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
