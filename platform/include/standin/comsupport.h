#pragma once
// The compiler's COM support classes: _com_error, _bstr_t, _com_ptr_t and the
// functions that raise _com_error.

#include <atomic>
#include <cstddef>
#include <memory>
#include <utility>

#include "standin/codepage.h"
#include "standin/oleauto.h"

class _bstr_t;

class STANDIN_API _com_error {
 public:
  _com_error(HRESULT hr, IErrorInfo* perrinfo = nullptr, bool fAddRef = false) noexcept;
  _com_error(const _com_error& that) noexcept;
  _com_error& operator=(const _com_error& that) noexcept;
  virtual ~_com_error();

  HRESULT Error() const noexcept { return m_hresult; }
  WORD WCode() const noexcept { return HRESULTToWCode(m_hresult); }
  // AddRef'ed error information, or null.
  IErrorInfo* ErrorInfo() const noexcept;
  // The system's text for the HRESULT; "IDispatch error #n" for a mapped wCode,
  // "Unknown error 0x%0lX" for anything else. Owned by the object.
  const TCHAR* ErrorMessage() const noexcept;
  _bstr_t Description() const;
  _bstr_t Source() const;
  _bstr_t HelpFile() const;
  DWORD HelpContext() const noexcept;
  ::GUID GUID() const noexcept;

  static HRESULT WCodeToHRESULT(WORD wCode) noexcept {
    return wCode >= 0xFE00 ? static_cast<HRESULT>(0x80040200u) : static_cast<HRESULT>(0x80040200u + wCode);
  }
  static WORD HRESULTToWCode(HRESULT hr) noexcept {
    const auto u = static_cast<std::uint32_t>(hr);
    return (u >= 0x80040200u && u <= 0x8004FFFFu) ? static_cast<WORD>(u - 0x80040200u) : 0;
  }

 private:
  HRESULT m_hresult;
  IErrorInfo* m_perrinfo;
  mutable TCHAR* m_pszMsg;
};

extern "C++" {
// Throws _com_error(hr, perrinfo); perrinfo's reference passes to the exception.
[[noreturn]] STANDIN_API void _com_raise_error(HRESULT hr, IErrorInfo* perrinfo = nullptr);
[[noreturn]] STANDIN_API void _com_issue_error(HRESULT hr);
// Takes the thread's error information when punk supports ISupportErrorInfo for riid.
[[noreturn]] STANDIN_API void _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid);
}

namespace _com_util {
// Through CP_ACP; null stays null. Raise E_OUTOFMEMORY when memory runs out.
STANDIN_API BSTR ConvertStringToBSTR(const char* pSrc);
// Result allocated with new[]; the caller deletes it with delete[].
STANDIN_API char* ConvertBSTRToString(BSTR pSrc);
}  // namespace _com_util

// ---- _bstr_t ----------------------------------------------------------------
// Reference-counted BSTR with a cached ANSI form, shared by copies.

class STANDIN_API _bstr_t {
 public:
  _bstr_t() noexcept : m_Data(nullptr) {}
  _bstr_t(const _bstr_t& s) noexcept : m_Data(s.m_Data) { _AddRef(); }
  _bstr_t(_bstr_t&& s) noexcept : m_Data(std::exchange(s.m_Data, nullptr)) {}
  _bstr_t(const char* s);
  _bstr_t(const OLECHAR* s);
  _bstr_t(BSTR bstr, bool fCopy);
  ~_bstr_t() { _Free(); }

  _bstr_t& operator=(const _bstr_t& s) noexcept;
  _bstr_t& operator=(_bstr_t&& s) noexcept;
  _bstr_t& operator=(const char* s);
  _bstr_t& operator=(const OLECHAR* s);
  _bstr_t& operator+=(const _bstr_t& s);
  _bstr_t operator+(const _bstr_t& s) const;

  operator const OLECHAR*() const noexcept { return m_Data ? m_Data->wstr : nullptr; }
  operator OLECHAR*() const noexcept { return m_Data ? m_Data->wstr : nullptr; }
  operator const char*() const;
  operator char*() const;

  bool operator!() const noexcept { return m_Data == nullptr || m_Data->wstr == nullptr; }
  bool operator==(const _bstr_t& s) const noexcept { return _Compare(s) == 0; }
  bool operator<(const _bstr_t& s) const noexcept { return _Compare(s) < 0; }
  bool operator>(const _bstr_t& s) const noexcept { return _Compare(s) > 0; }

  unsigned int length() const noexcept { return m_Data ? SysStringLen(m_Data->wstr) : 0; }
  // A fresh copy for the caller to free (fCopy), or the held BSTR itself.
  BSTR copy(bool fCopy = true) const;
  void Assign(BSTR s);
  BSTR& GetBSTR();
  // Frees the held string and returns the address of the (null) BSTR, for out parameters.
  BSTR* GetAddress();
  void Attach(BSTR s);
  // Hands the BSTR over; raises E_POINTER when the string is shared.
  BSTR Detach();

 private:
  struct Data_t {
    BSTR wstr;
    mutable char* str;
    std::atomic<unsigned int> refs;
  };
  Data_t* m_Data;

  static Data_t* _NewData(BSTR owned);
  void _AddRef() const noexcept;
  void _Free() noexcept;
  int _Compare(const _bstr_t& s) const noexcept;
};

// ---- _com_ptr_t ---------------------------------------------------------------

template <typename _Interface, const IID* _IID>
class _com_IIID {
 public:
  typedef _Interface Interface;
  static _Interface* GetInterfacePtr() noexcept { return nullptr; }
  static const IID& GetIID() noexcept { return *_IID; }
};

template <typename _IIID>
class _com_ptr_t {
 public:
  typedef _IIID ThisIIID;
  typedef typename _IIID::Interface Interface;

  static const IID& GetIID() noexcept { return ThisIIID::GetIID(); }

  _com_ptr_t() noexcept : m_pInterface(nullptr) {}
  _com_ptr_t(Interface* pInterface) noexcept : m_pInterface(pInterface) { _AddRef(); }
  _com_ptr_t(Interface* pInterface, bool fAddRef) noexcept : m_pInterface(pInterface) {
    if (fAddRef) _AddRef();
  }
  _com_ptr_t(const _com_ptr_t& cp) noexcept : m_pInterface(cp.m_pInterface) { _AddRef(); }
  _com_ptr_t(_com_ptr_t&& cp) noexcept : m_pInterface(std::exchange(cp.m_pInterface, nullptr)) {}
  // From a smart pointer of another interface: QueryInterface; E_NOINTERFACE
  // leaves this null, any other failure raises.
  template <typename _OtherIID>
  _com_ptr_t(const _com_ptr_t<_OtherIID>& p) : m_pInterface(nullptr) {
    _QueryInterface(static_cast<typename _OtherIID::Interface*>(p));
  }
  template <typename _InterfaceType>
  _com_ptr_t(_InterfaceType* p) : m_pInterface(nullptr) {
    _QueryInterface(p);
  }
  explicit _com_ptr_t(const CLSID& clsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
      : m_pInterface(nullptr) {
    const HRESULT hr = CreateInstance(clsid, pOuter, dwClsContext);
    if (FAILED(hr) && hr != E_NOINTERFACE) _com_issue_error(hr);
  }
  ~_com_ptr_t() { _Release(); }

  _com_ptr_t& operator=(Interface* pInterface) noexcept {
    if (m_pInterface != pInterface) {
      Interface* old = m_pInterface;
      m_pInterface = pInterface;
      _AddRef();
      if (old) old->Release();
    }
    return *this;
  }
  _com_ptr_t& operator=(const _com_ptr_t& cp) noexcept { return operator=(cp.m_pInterface); }
  _com_ptr_t& operator=(_com_ptr_t&& cp) noexcept {
    if (this != std::addressof(cp)) {  // operator& of a _com_ptr_t hands out the slot
      _Release();
      m_pInterface = std::exchange(cp.m_pInterface, nullptr);
    }
    return *this;
  }
  template <typename _OtherIID>
  _com_ptr_t& operator=(const _com_ptr_t<_OtherIID>& p) {
    _QueryInterface(static_cast<typename _OtherIID::Interface*>(p));
    return *this;
  }

  // Takes over the reference (fAddRef false) or adds one; releases the old one.
  void Attach(Interface* pInterface) noexcept {
    _Release();
    m_pInterface = pInterface;
  }
  void Attach(Interface* pInterface, bool fAddRef) noexcept {
    _Release();
    m_pInterface = pInterface;
    if (fAddRef) _AddRef();
  }
  Interface* Detach() noexcept { return std::exchange(m_pInterface, nullptr); }

  void AddRef() {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    m_pInterface->AddRef();
  }
  void Release() {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    m_pInterface->Release();
    m_pInterface = nullptr;
  }

  HRESULT CreateInstance(const CLSID& rclsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) {
    _Release();
    m_pInterface = nullptr;
    HRESULT hr;
    if (dwClsContext & (CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)) {
      // Out-of-process contexts ask for IUnknown first, as the real one does.
      IUnknown* pUnknown = nullptr;
      hr = CoCreateInstance(rclsid, pOuter, dwClsContext, __uuidof(IUnknown), reinterpret_cast<void**>(&pUnknown));
      if (SUCCEEDED(hr)) {
        hr = pUnknown->QueryInterface(GetIID(), reinterpret_cast<void**>(&m_pInterface));
        pUnknown->Release();
      }
    } else {
      hr = CoCreateInstance(rclsid, pOuter, dwClsContext, GetIID(), reinterpret_cast<void**>(&m_pInterface));
    }
    if (FAILED(hr)) m_pInterface = nullptr;
    return hr;
  }

  template <typename _InterfaceType>
  HRESULT QueryInterface(const IID& iid, _InterfaceType*& p) noexcept {
    if (m_pInterface == nullptr) return E_POINTER;
    return m_pInterface->QueryInterface(iid, reinterpret_cast<void**>(&p));
  }
  template <typename _InterfaceType>
  HRESULT QueryInterface(const IID& iid, _InterfaceType** p) noexcept {
    return QueryInterface(iid, *p);
  }

  Interface* GetInterfacePtr() const noexcept { return m_pInterface; }
  Interface*& GetInterfacePtr() noexcept { return m_pInterface; }
  operator Interface*() const noexcept { return m_pInterface; }
  operator bool() const noexcept { return m_pInterface != nullptr; }
  Interface& operator*() const {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    return *m_pInterface;
  }
  Interface* operator->() const {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    return m_pInterface;
  }
  // Releases the held interface and returns the address for an out parameter.
  Interface** operator&() noexcept {
    _Release();
    m_pInterface = nullptr;
    return &m_pInterface;
  }

  bool operator==(Interface* p) const noexcept { return m_pInterface == p; }
  bool operator==(const _com_ptr_t& p) const noexcept { return m_pInterface == p.m_pInterface; }

 private:
  Interface* m_pInterface;

  void _AddRef() noexcept {
    if (m_pInterface) m_pInterface->AddRef();
  }
  void _Release() noexcept {
    if (m_pInterface) m_pInterface->Release();
  }
  template <typename _InterfaceType>
  void _QueryInterface(_InterfaceType* p) {
    Interface* pNew = nullptr;
    HRESULT hr = E_NOINTERFACE;
    if (p != nullptr) hr = p->QueryInterface(GetIID(), reinterpret_cast<void**>(&pNew));
    if (FAILED(hr)) pNew = nullptr;
    Attach(pNew);
    if (FAILED(hr) && hr != E_NOINTERFACE) _com_issue_error(hr);
  }
};

#define _COM_SMARTPTR_TYPEDEF(Interface, IID) \
  typedef _com_ptr_t<_com_IIID<Interface, &(IID)>> Interface##Ptr

_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
_COM_SMARTPTR_TYPEDEF(IClassFactory, __uuidof(IClassFactory));
_COM_SMARTPTR_TYPEDEF(IGlobalInterfaceTable, __uuidof(IGlobalInterfaceTable));
_COM_SMARTPTR_TYPEDEF(IErrorInfo, __uuidof(IErrorInfo));
_COM_SMARTPTR_TYPEDEF(ICreateErrorInfo, __uuidof(ICreateErrorInfo));
_COM_SMARTPTR_TYPEDEF(ISupportErrorInfo, __uuidof(ISupportErrorInfo));
_COM_SMARTPTR_TYPEDEF(ITypeInfo, __uuidof(ITypeInfo));
