#pragma once
// The widths the library and the provider rely on, checked where they are
// compiled: on the stand-in, on 64-bit Windows and on 32-bit Windows (the
// original platform). A type that changes width on one of them breaks the
// build here instead of corrupting a value that crosses the provider, the
// command slots or a log line.
//
// Included by tovik/platform.h after the platform's own types.

#include <climits>
#include <cstdint>

namespace tovik::widths {

// Windows long: 32-bit on every Windows (LLP64 and ILP32) and in the stand-in,
// whatever the C++ long of the compiler is.
static_assert(sizeof(LONG) == 4 && sizeof(ULONG) == 4 && sizeof(DWORD) == 4, "LONG, ULONG and DWORD are 32-bit");
static_assert(static_cast<LONG>(-1) < 0 && static_cast<ULONG>(-1) > 0 && static_cast<DWORD>(-1) > 0,
              "LONG is signed, ULONG and DWORD unsigned");
static_assert(sizeof(HRESULT) == 4 && sizeof(UINT) == 4 && sizeof(INT) == 4, "HRESULT, UINT and INT are 32-bit");
static_assert(sizeof(SHORT) == 2 && sizeof(WORD) == 2 && sizeof(BYTE) == 1, "SHORT, WORD and BYTE");

// Command argument slots and results hold a pointer as well as a number.
static_assert(sizeof(INT_PTR) == sizeof(void*) && sizeof(UINT_PTR) == sizeof(void*), "INT_PTR is pointer-wide");
static_assert(sizeof(LONG_PTR) == sizeof(void*) && sizeof(ULONG_PTR) == sizeof(void*), "LONG_PTR is pointer-wide");
static_assert(static_cast<INT_PTR>(-1) < 0, "INT_PTR is signed");

// Automation types as they cross the provider's interfaces.
static_assert(sizeof(VARIANT_BOOL) == 2, "VARIANT_BOOL is 16-bit");
static_assert(VARIANT_TRUE == -1 && VARIANT_FALSE == 0, "VARIANT_BOOL values");
static_assert(sizeof(OLECHAR) == 2 && sizeof(WCHAR) == 2, "OLECHAR is 16-bit");
static_assert(sizeof(VARTYPE) == 2, "VARTYPE is 16-bit");
#if defined(_WIN32)
// The system's VARIANT (the stand-in's has no record member and is smaller).
static_assert(sizeof(VARIANT) == (sizeof(void*) == 8 ? 24 : 16), "VARIANT: 16 bytes on 32-bit, 24 on 64-bit");
#endif
// A BSTR carries its byte length in the 32-bit UINT in front of the text;
// SysStringByteLen hands out exactly that prefix.
static_assert(sizeof(decltype(SysStringByteLen(nullptr))) == 4, "the BSTR length prefix is 32-bit");
static_assert(sizeof(BSTR) == sizeof(void*), "BSTR is a pointer to the text");

// Handles and pointers are written to log lines in upper-case hex padded to
// the pointer's width ("%0*llX" with 2 * sizeof(void*) digits): 8 digits on
// 32-bit Windows, 16 on 64-bit; the value always fits unsigned long long.
inline constexpr int kPointerHexDigits = static_cast<int>(2 * sizeof(void*));
static_assert(kPointerHexDigits == 8 || kPointerHexDigits == 16, "pointers are 32 or 64 bits");
static_assert(sizeof(unsigned long long) >= sizeof(std::uintptr_t), "a pointer fits the log's hex conversion");
static_assert(sizeof(HANDLE) == sizeof(void*), "a HANDLE is pointer-wide and logged like a pointer");
static_assert(sizeof(std::uintptr_t) * CHAR_BIT == 4 * kPointerHexDigits, "one hex digit per four bits");

}  // namespace tovik::widths
