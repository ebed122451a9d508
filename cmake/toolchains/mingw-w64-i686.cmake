# Cross build for 32-bit Windows (x86) with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZELKRA_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# SSE2 arithmetic, not the x87 unit: x87's extended precision would change the last bits of the
# effect's double and float results, which must equal the other builds' bit for bit.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
