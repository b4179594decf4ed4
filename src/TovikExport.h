#pragma once
// Marks the classes and functions that libTovikApi4J exports to native callers.
#if defined(_WIN32)
#  if defined(TOVIK_API_BUILD)
#    define TOVIK_API __declspec(dllexport)
#  else
#    define TOVIK_API __declspec(dllimport)
#  endif
#else
#  define TOVIK_API __attribute__((visibility("default")))
#endif
