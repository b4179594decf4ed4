// _com_error and the functions that raise it.
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "internal.h"

namespace {
struct Message {
  HRESULT hr;
  const char* text;
};
// The system's message texts, as FormatMessage gives them (without the line end).
constexpr Message kMessages[] = {
    {S_OK, "The operation completed successfully."},
    {E_NOTIMPL, "Not implemented"},
    {E_NOINTERFACE, "No such interface supported"},
    {E_POINTER, "Invalid pointer"},
    {E_ABORT, "Operation aborted"},
    {E_FAIL, "Unspecified error"},
    {E_UNEXPECTED, "Catastrophic failure"},
    {E_ACCESSDENIED, "Access is denied."},
    {E_HANDLE, "The handle is invalid."},
    {E_OUTOFMEMORY, "Not enough memory resources are available to complete this operation."},
    {E_INVALIDARG, "The parameter is incorrect."},
    {CLASS_E_NOAGGREGATION, "Class does not support aggregation (or class object is remote)"},
    {REGDB_E_CLASSNOTREG, "Class not registered"},
    {CO_E_NOTINITIALIZED, "CoInitialize has not been called."},
    {RPC_E_CHANGED_MODE, "Cannot change thread mode after it is set."},
    {DISP_E_MEMBERNOTFOUND, "Member not found."},
    {DISP_E_TYPEMISMATCH, "Type mismatch."},
    {DISP_E_UNKNOWNNAME, "Unknown name."},
    {DISP_E_EXCEPTION, "Exception occurred."},
    {DISP_E_BADINDEX, "Invalid index."},
    {DISP_E_ARRAYISLOCKED, "Memory is locked."},
    {DISP_E_BADPARAMCOUNT, "Invalid number of parameters."},
};

char* Duplicate(const char* s) {
  const std::size_t n = std::strlen(s) + 1;
  char* copy = new (std::nothrow) char[n];
  if (copy) std::memcpy(copy, s, n);
  return copy;
}
}  // namespace

_com_error::_com_error(HRESULT hr, IErrorInfo* perrinfo, bool fAddRef) noexcept
    : m_hresult(hr), m_perrinfo(perrinfo), m_pszMsg(nullptr) {
  if (m_perrinfo && fAddRef) m_perrinfo->AddRef();
}

_com_error::_com_error(const _com_error& that) noexcept
    : m_hresult(that.m_hresult), m_perrinfo(that.m_perrinfo), m_pszMsg(nullptr) {
  if (m_perrinfo) m_perrinfo->AddRef();
}

_com_error& _com_error::operator=(const _com_error& that) noexcept {
  if (this != &that) {
    if (that.m_perrinfo) that.m_perrinfo->AddRef();
    if (m_perrinfo) m_perrinfo->Release();
    m_hresult = that.m_hresult;
    m_perrinfo = that.m_perrinfo;
    delete[] std::exchange(m_pszMsg, nullptr);
  }
  return *this;
}

_com_error::~_com_error() {
  if (m_perrinfo) m_perrinfo->Release();
  delete[] m_pszMsg;
}

IErrorInfo* _com_error::ErrorInfo() const noexcept {
  if (m_perrinfo) m_perrinfo->AddRef();
  return m_perrinfo;
}

const TCHAR* _com_error::ErrorMessage() const noexcept {
  if (m_pszMsg == nullptr) {
    const char* known = nullptr;
    for (const Message& m : kMessages)
      if (m.hr == m_hresult) known = m.text;
    char buffer[64];
    if (known == nullptr) {
      if (const WORD wCode = WCode(); wCode != 0)
        std::snprintf(buffer, sizeof buffer, "IDispatch error #%d", static_cast<int>(wCode));
      else
        std::snprintf(buffer, sizeof buffer, "Unknown error 0x%0X", static_cast<unsigned int>(m_hresult));
      known = buffer;
    }
    m_pszMsg = Duplicate(known);
  }
  return m_pszMsg;
}

namespace {
_bstr_t TakeText(IErrorInfo* info, HRESULT (STDMETHODCALLTYPE IErrorInfo::*get)(BSTR*)) {
  BSTR text = nullptr;
  if (info == nullptr || FAILED((info->*get)(&text))) return _bstr_t();
  return _bstr_t(text, false);
}
}  // namespace

_bstr_t _com_error::Description() const { return TakeText(m_perrinfo, &IErrorInfo::GetDescription); }
_bstr_t _com_error::Source() const { return TakeText(m_perrinfo, &IErrorInfo::GetSource); }
_bstr_t _com_error::HelpFile() const { return TakeText(m_perrinfo, &IErrorInfo::GetHelpFile); }

DWORD _com_error::HelpContext() const noexcept {
  DWORD context = 0;
  if (m_perrinfo) m_perrinfo->GetHelpContext(&context);
  return context;
}

::GUID _com_error::GUID() const noexcept {
  ::GUID guid = GUID_NULL;
  if (m_perrinfo) m_perrinfo->GetGUID(&guid);
  return guid;
}

void _com_raise_error(HRESULT hr, IErrorInfo* perrinfo) { throw _com_error(hr, perrinfo); }

void _com_issue_error(HRESULT hr) { _com_raise_error(hr, nullptr); }

void _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid) {
  IErrorInfo* perrinfo = nullptr;
  if (punk != nullptr) {
    ISupportErrorInfo* psei = nullptr;
    if (SUCCEEDED(punk->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&psei)))) {
      const HRESULT supported = psei->InterfaceSupportsErrorInfo(riid);
      psei->Release();
      if (supported == S_OK && GetErrorInfo(0, &perrinfo) != S_OK) perrinfo = nullptr;
    }
  }
  _com_raise_error(hr, perrinfo);
}

namespace _com_util {

BSTR ConvertStringToBSTR(const char* pSrc) {
  if (pSrc == nullptr) return nullptr;
  const int needed = MultiByteToWideChar(CP_ACP, 0, pSrc, -1, nullptr, 0);
  if (needed <= 0) _com_issue_error(HRESULT_FROM_WIN32(GetLastError()));
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(needed - 1));
  if (result == nullptr) _com_issue_error(E_OUTOFMEMORY);
  MultiByteToWideChar(CP_ACP, 0, pSrc, -1, result, needed);
  return result;
}

char* ConvertBSTRToString(BSTR pSrc) {
  if (pSrc == nullptr) return nullptr;
  const int chars = static_cast<int>(SysStringLen(pSrc)) + 1;  // with the terminator
  const int needed = WideCharToMultiByte(CP_ACP, 0, pSrc, chars, nullptr, 0, nullptr, nullptr);
  char* result = new (std::nothrow) char[needed > 0 ? needed : 1];
  if (result == nullptr) _com_issue_error(E_OUTOFMEMORY);
  result[0] = '\0';
  if (needed > 0) WideCharToMultiByte(CP_ACP, 0, pSrc, chars, result, needed, nullptr, nullptr);
  return result;
}

}  // namespace _com_util
