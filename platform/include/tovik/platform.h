#pragma once
// The one platform header of the library and the provider: the Windows SDK on
// Windows, the stand-in everywhere else.

#if defined(_WIN32)

// std::min/std::max must stay usable next to <windows.h>.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <comdef.h>

// What the stand-in provides beyond these headers comes from the Windows-side
// layer (TovikPlatform.dll): the compiler-support functions that mingw-w64
// lacks and the test counters as far as Windows lets them be seen.
#include "tovik/win/counters.h"

#if defined(__MINGW32__)
#define TOVIK_DECLARE_UUID(Type, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
  __CRT_UUID_DECL(Type, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)
#else
// MSVC attaches ids with __declspec(uuid("...")), which needs the id as text;
// declare `struct __declspec(uuid("1F59BB30-E0AC-46AB-9EAA-587284DEEA6D")) Type;`
// next to the interface instead. Here the declaration is a no-op.
#define TOVIK_DECLARE_UUID(Type, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) static_assert(true, "")
#endif

#else

#include "standin/types.h"
#include "standin/com.h"
#include "standin/oleauto.h"
#include "standin/codepage.h"
#include "standin/win32.h"
#include "standin/comsupport.h"
#include "standin/counters.h"
// The stand-in counts and can limit BSTR, safe-array and LocalAlloc allocations.
#define TOVIK_PLATFORM_TRACKS_ALLOCATIONS 1

#endif

// The widths every platform must give the Windows types (compile-time checks).
#include "tovik/widths.h"

// On both: the hosting framework's thread and lock classes and ATL's global
// interface table holder, built into TovikPlatform from platform/common.
#include "tovik/gitptr.h"
#include "tovik/mfc.h"
