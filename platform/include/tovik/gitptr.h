#pragma once
// ATL's holder of one global interface table registration. Every step that
// needs the table obtains it with CoCreateInstance and releases it again.
//
// Part of tovik/platform.h, which includes it after the COM declarations of
// the system or the stand-in; include tovik/platform.h rather than this.

#include "tovik/export.h"

namespace tovik {
// Told of every registration (+1) and revocation (-1) CComGITPtr makes, for
// the test counter standin::GitEntryCount. Windows counts here, as its table
// cannot be looked into; the stand-in's table counts its entries itself and
// ignores this.
TOVIK_PLATFORM_API void CountGitRegistration(int delta);
// Told of every revocation attempt and its result, so that the Windows test
// counters can tell entries the table refused to give up from entries nobody
// tried to revoke (standin::RefusedGitRevocationCount). The stand-in ignores it.
TOVIK_PLATFORM_API void NoteGitRevocation(DWORD cookie, HRESULT hr);
}  // namespace tovik

template <class T>
class CComGITPtr {
 public:
  CComGITPtr() noexcept : m_dwCookie(0) {}
  // Registers p; a failure raises _com_error.
  CComGITPtr(T* p) : m_dwCookie(0) {
    const HRESULT hr = Attach(p);
    if (FAILED(hr)) _com_issue_error(hr);
  }
  explicit CComGITPtr(DWORD dwCookie) noexcept : m_dwCookie(dwCookie) {}
  CComGITPtr(const CComGITPtr&) = delete;
  CComGITPtr& operator=(const CComGITPtr&) = delete;
  ~CComGITPtr() { Revoke(); }

  // Registers p under a new cookie (revoking the one held). A null p changes nothing.
  HRESULT Attach(T* p) noexcept {
    if (p == nullptr) return S_OK;
    IGlobalInterfaceTable* git = nullptr;
    HRESULT hr = GetGIT(&git);
    if (FAILED(hr)) return hr;
    if (m_dwCookie != 0) hr = RevokeWith(git);
    if (SUCCEEDED(hr)) {
      hr = git->RegisterInterfaceInGlobal(p, __uuidof(T), &m_dwCookie);
      if (SUCCEEDED(hr)) tovik::CountGitRegistration(+1);
      else m_dwCookie = 0;
    }
    git->Release();
    return hr;
  }
  // Takes over an existing cookie after revoking the one held.
  HRESULT Attach(DWORD dwCookie) noexcept {
    const HRESULT hr = Revoke();
    if (FAILED(hr)) return hr;
    m_dwCookie = dwCookie;
    return S_OK;
  }
  // A new reference, valid in the calling thread's apartment.
  HRESULT CopyTo(T** pp) const noexcept {
    if (pp == nullptr) return E_POINTER;
    IGlobalInterfaceTable* git = nullptr;
    HRESULT hr = GetGIT(&git);
    if (FAILED(hr)) return hr;
    hr = git->GetInterfaceFromGlobal(m_dwCookie, __uuidof(T), reinterpret_cast<void**>(pp));
    git->Release();
    return hr;
  }
  HRESULT Revoke() noexcept {
    if (m_dwCookie == 0) return S_OK;
    IGlobalInterfaceTable* git = nullptr;
    HRESULT hr = GetGIT(&git);
    if (SUCCEEDED(hr)) {
      hr = RevokeWith(git);
      git->Release();
    }
    return hr;
  }
  // Gives up the cookie without revoking it.
  DWORD Detach() noexcept {
    const DWORD cookie = m_dwCookie;
    m_dwCookie = 0;
    return cookie;
  }
  DWORD GetCookie() const noexcept { return m_dwCookie; }
  operator DWORD() const noexcept { return m_dwCookie; }

  DWORD m_dwCookie;

 private:
  // Revokes the held cookie through git; the cookie is dropped only when that succeeds.
  HRESULT RevokeWith(IGlobalInterfaceTable* git) noexcept {
    const HRESULT hr = git->RevokeInterfaceFromGlobal(m_dwCookie);
    tovik::NoteGitRevocation(m_dwCookie, hr);
    if (SUCCEEDED(hr)) {
      tovik::CountGitRegistration(-1);
      m_dwCookie = 0;
    }
    return hr;
  }
  static HRESULT GetGIT(IGlobalInterfaceTable** git) noexcept {
    return CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                            IID_IGlobalInterfaceTable, reinterpret_cast<void**>(git));
  }
};
