# Shared part of the MinGW-w64 cross toolchains. The including file sets
# QUELB_MINGW_TRIPLO (the GNU target triplet) and CMAKE_SYSTEM_PROCESSOR.
# The "-posix" compilers are Debian's MinGW-w64 build with the POSIX thread
# model, which the C++ standard library's threads and locks need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${QUELB_MINGW_TRIPLO}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUELB_MINGW_TRIPLO}-g++-posix)
set(CMAKE_RC_COMPILER ${QUELB_MINGW_TRIPLO}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUELB_MINGW_TRIPLO})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
