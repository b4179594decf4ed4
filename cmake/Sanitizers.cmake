# -DTOVIK_SANITIZE=address : AddressSanitizer + UndefinedBehaviorSanitizer
# -DTOVIK_SANITIZE=thread  : ThreadSanitizer
if(TOVIK_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(TOVIK_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT TOVIK_SANITIZE STREQUAL "")
  message(FATAL_ERROR "TOVIK_SANITIZE must be empty, 'address' or 'thread'")
endif()
# A JVM cannot load sanitized libraries without preloading the runtime,
# so sanitizer builds run the native suites only.
if(NOT TOVIK_SANITIZE STREQUAL "")
  set(TOVIK_BUILD_JAVA OFF CACHE BOOL "" FORCE)
endif()
