#pragma once
// Marks what TovikPlatform.dll, the Windows-side layer, exports.
#if defined(TOVIK_WIN_BUILD)
#define TOVIK_WIN_API __declspec(dllexport)
#else
#define TOVIK_WIN_API __declspec(dllimport)
#endif
