# Cross build for 32-bit Windows (x86) with Debian's MinGW-w64 toolchain.
set(QUELB_MINGW_TRIPLO i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-comum.cmake)
