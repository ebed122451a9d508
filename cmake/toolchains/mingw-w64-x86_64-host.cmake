# Cross build of the host programs (fxhost) for 64-bit Windows (x86-64): MinGW-w64 with the posix
# thread model, which std::thread and std::mutex need.
set(ZELKRA_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
