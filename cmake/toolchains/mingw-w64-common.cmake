# What both mingw-w64 toolchains share; they set TOVIK_MINGW_TRIPLET and
# CMAKE_SYSTEM_PROCESSOR first. Debian's posix-threads flavour: the win32
# flavour has no std::thread / std::mutex. Everything is linked statically
# against the compiler's runtime, so that the DLLs and test executables need
# nothing beside themselves and the system's DLLs.
set(CMAKE_SYSTEM_NAME Windows)

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

# scripts/test-windows.sh builds Release: no debug information (nothing is
# debugged in these builds here, and -g is most of the compile time of the
# template-heavy sources) at the Linux build's -O2 rather than -O3. (Cache
# entries: the compiler's defaults would be appended to *_INIT flags.)
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
