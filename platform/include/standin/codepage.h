#pragma once
// Code-page conversion (CP_ACP is Windows-1252) and the local heap.

#include "standin/types.h"

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_THREAD_ACP 3
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400
#define WC_ERR_INVALID_CHARS 0x00000080

#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)

extern "C" {
// Supported code pages: CP_ACP/CP_THREAD_ACP/1252 and CP_UTF8. A length of -1
// includes the terminating zero; an output size of 0 asks for the size needed.
STANDIN_API int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                                    LPWSTR lpWideCharStr, int cchWideChar);
STANDIN_API int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                    LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                    LPBOOL lpUsedDefaultChar);
STANDIN_API UINT GetACP();

// Only fixed blocks (LMEM_FIXED, optionally LMEM_ZEROINIT); the handle is the
// block's address. LocalFree returns NULL on success.
STANDIN_API HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes);
STANDIN_API HLOCAL LocalFree(HLOCAL hMem);
STANDIN_API SIZE_T LocalSize(HLOCAL hMem);
}
