# Cross build for 64-bit Windows (x64) with Debian's MinGW-w64 toolchain.
set(QUELB_MINGW_TRIPLO x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-comum.cmake)
