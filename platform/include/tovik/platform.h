#pragma once
// The one platform header of the library and the provider: the Windows SDK on
// Windows, the stand-in everywhere else.

#if defined(_WIN32)

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <comdef.h>

// Placeholder: the Windows-side layer goes here. It brings in what the stand-in
// provides beyond these four headers (ATL's CComGITPtr, the MFC thread and lock
// classes, which need the MFC headers ahead of <windows.h>) and the stand-in's
// test counters.

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
#include "standin/gitptr.h"
#include "standin/mfc.h"
#include "standin/counters.h"

#endif
