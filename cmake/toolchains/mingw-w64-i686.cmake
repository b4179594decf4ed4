# Cross-compiles for 32-bit Windows, the original platform, with Debian's
# mingw-w64 (g++-mingw-w64-i686-posix). Compile and link only: nothing built
# here can run on a machine without 32-bit execution, so no emulator is set.
# Warnings are errors: a width or format mistake that only the 32-bit
# compiler sees must stop the build.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOVIK_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_C_FLAGS_INIT "-Wall -Werror")
set(CMAKE_CXX_FLAGS_INIT "-Wall -Wextra -Wno-unused-parameter -Werror")
