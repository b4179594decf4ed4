# Cross-compiles for 64-bit Windows with Debian's mingw-w64
# (g++-mingw-w64-x86-64-posix). The test executables run through Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOVIK_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Test executables run through Wine (CTest and gtest_discover_tests use it),
# by way of wine-run.sh, which keeps CTest's pipe away from the processes Wine
# and COM start for them.
find_program(TOVIK_WINE NAMES wine wine64)
if(TOVIK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${TOVIK_WINE})
endif()
