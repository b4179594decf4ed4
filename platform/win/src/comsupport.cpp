// The compiler-support functions that mingw-w64's <comdef.h> and <comutil.h>
// declare but do not implement: the ANSI conversions behind _bstr_t and
// _com_issue_errorex, which raises _com_error with the object's error
// information.
#include <comdef.h>

#include <new>

namespace _com_util {

// Through CP_ACP; null stays null. Raises E_OUTOFMEMORY when memory runs out.
__declspec(dllexport) BSTR WINAPI ConvertStringToBSTR(const char* pSrc) {
  if (pSrc == nullptr) return nullptr;
  const int length = MultiByteToWideChar(CP_ACP, 0, pSrc, -1, nullptr, 0);
  if (length <= 0) _com_issue_error(HRESULT_FROM_WIN32(GetLastError()));
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
  if (result == nullptr) _com_issue_error(E_OUTOFMEMORY);
  if (MultiByteToWideChar(CP_ACP, 0, pSrc, -1, result, length) == 0) {
    const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
    SysFreeString(result);
    _com_issue_error(hr);
  }
  return result;
}

// Through CP_ACP, allocated with new[] (the caller deletes it with delete[]).
__declspec(dllexport) char* WINAPI ConvertBSTRToString(BSTR pSrc) {
  if (pSrc == nullptr) return nullptr;
  const int wide = static_cast<int>(SysStringLen(pSrc)) + 1;  // with the terminator
  const int length = WideCharToMultiByte(CP_ACP, 0, pSrc, wide, nullptr, 0, nullptr, nullptr);
  if (length <= 0) _com_issue_error(HRESULT_FROM_WIN32(GetLastError()));
  char* result = new (std::nothrow) char[length];
  if (result == nullptr) _com_issue_error(E_OUTOFMEMORY);
  if (WideCharToMultiByte(CP_ACP, 0, pSrc, wide, result, length, nullptr, nullptr) == 0) {
    const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
    delete[] result;
    _com_issue_error(hr);
  }
  return result;
}

}  // namespace _com_util

// Takes the thread's error information when punk offers it for riid, and
// raises _com_error with it (the exception owns that reference).
__declspec(dllexport) void WINAPI _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid) {
  IErrorInfo* info = nullptr;
  if (punk != nullptr) {
    ISupportErrorInfo* support = nullptr;
    if (SUCCEEDED(punk->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
      if (support->InterfaceSupportsErrorInfo(riid) == S_OK && GetErrorInfo(0, &info) != S_OK) info = nullptr;
      support->Release();
    }
  }
  _com_raise_error(hr, info);
}
