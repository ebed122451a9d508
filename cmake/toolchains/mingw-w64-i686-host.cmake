# Cross build of the host programs (fxhost) for 32-bit Windows (x86): MinGW-w64 with the posix thread
# model, which std::thread and std::mutex need; SSE2 arithmetic like the plug-in.
set(ZELKRA_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-i686.cmake)
