# Cross-compiles for 32-bit Windows, the original platform, with Debian's
# mingw-w64 (g++-mingw-w64-i686-posix). Compile and link only: nothing built
# here can run on a machine without 32-bit execution, so no emulator is set.
# Warnings are errors: a width or format mistake that only the 32-bit
# compiler sees must stop the build.
set(CMAKE_SYSTEM_PROCESSOR i686)
# Nothing built here runs, so the optimiser is kept to -O1: the width and
# format checks this build is for come from the front end, and -O1 still runs
# the flow analysis behind -Wmaybe-uninitialized. (Set before the common part,
# whose -O2 would otherwise be the cache's.)
set(CMAKE_C_FLAGS_RELEASE "-O1 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O1 -DNDEBUG" CACHE STRING "")
set(TOVIK_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_C_FLAGS_INIT "-Wall -Werror")
set(CMAKE_CXX_FLAGS_INIT "-Wall -Wextra -Wno-unused-parameter -Werror")
