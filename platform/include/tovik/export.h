#pragma once
// Marks what the platform library exports: TovikPlatform.dll on Windows,
// libTovikPlatform.so (built with hidden visibility) elsewhere.

#if defined(_WIN32)
#if defined(TOVIK_PLATFORM_BUILD)
#define TOVIK_PLATFORM_API __declspec(dllexport)
#else
#define TOVIK_PLATFORM_API __declspec(dllimport)
#endif
#else
#define TOVIK_PLATFORM_API __attribute__((visibility("default")))
#endif
