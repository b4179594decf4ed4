# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix-threads
# flavour: the win32 flavour has no std::thread / std::mutex). Everything is
# linked statically against the compiler's runtime, so that the DLLs and test
# executables need nothing beside themselves and the system's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOVIK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOVIK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVIK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVIK_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOVIK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Test executables run through Wine (CTest and gtest_discover_tests use it).
find_program(TOVIK_WINE NAMES wine wine64)
if(TOVIK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TOVIK_WINE})
endif()
