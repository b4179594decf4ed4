// _bstr_t: a shared, reference-counted BSTR with a lazily built ANSI form.
#include <cstring>
#include <new>
#include <utility>

#include "internal.h"

_bstr_t::Data_t* _bstr_t::_NewData(BSTR owned) {
  auto* data = new (std::nothrow) Data_t{owned, nullptr, {1}};
  if (data == nullptr) {
    SysFreeString(owned);
    _com_issue_error(E_OUTOFMEMORY);
  }
  return data;
}

void _bstr_t::_AddRef() const noexcept {
  if (m_Data) m_Data->refs.fetch_add(1, std::memory_order_relaxed);
}

void _bstr_t::_Free() noexcept {
  Data_t* data = std::exchange(m_Data, nullptr);
  if (data && data->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    SysFreeString(data->wstr);
    delete[] data->str;
    delete data;
  }
}

_bstr_t::_bstr_t(const char* s) : m_Data(_NewData(_com_util::ConvertStringToBSTR(s))) {}

_bstr_t::_bstr_t(const OLECHAR* s) : m_Data(nullptr) {
  BSTR copy = SysAllocString(s);
  if (copy == nullptr && s != nullptr) _com_issue_error(E_OUTOFMEMORY);
  m_Data = _NewData(copy);
}

_bstr_t::_bstr_t(BSTR bstr, bool fCopy) : m_Data(nullptr) {
  BSTR held = bstr;
  if (fCopy && bstr != nullptr) {
    held = SysAllocStringByteLen(reinterpret_cast<const char*>(bstr), SysStringByteLen(bstr));
    if (held == nullptr) _com_issue_error(E_OUTOFMEMORY);
  }
  m_Data = _NewData(held);
}

_bstr_t& _bstr_t::operator=(const _bstr_t& s) noexcept {
  if (m_Data != s.m_Data) {
    s._AddRef();
    _Free();
    m_Data = s.m_Data;
  }
  return *this;
}

_bstr_t& _bstr_t::operator=(_bstr_t&& s) noexcept {
  if (this != &s) {
    _Free();
    m_Data = std::exchange(s.m_Data, nullptr);
  }
  return *this;
}

_bstr_t& _bstr_t::operator=(const char* s) { return *this = _bstr_t(s); }

_bstr_t& _bstr_t::operator=(const OLECHAR* s) { return *this = _bstr_t(s); }

_bstr_t& _bstr_t::operator+=(const _bstr_t& s) { return *this = *this + s; }

_bstr_t _bstr_t::operator+(const _bstr_t& s) const {
  const UINT l1 = length();
  const UINT l2 = s.length();
  BSTR joined = SysAllocStringLen(nullptr, l1 + l2);
  if (joined == nullptr) _com_issue_error(E_OUTOFMEMORY);
  if (l1) std::memcpy(joined, static_cast<const OLECHAR*>(*this), l1 * sizeof(OLECHAR));
  if (l2) std::memcpy(joined + l1, static_cast<const OLECHAR*>(s), l2 * sizeof(OLECHAR));
  return _bstr_t(joined, false);
}

_bstr_t::operator const char*() const {
  if (m_Data == nullptr) return nullptr;
  if (m_Data->str == nullptr) m_Data->str = _com_util::ConvertBSTRToString(m_Data->wstr);
  return m_Data->str;
}

_bstr_t::operator char*() const { return const_cast<char*>(static_cast<const char*>(*this)); }

BSTR _bstr_t::copy(bool fCopy) const {
  if (m_Data == nullptr || m_Data->wstr == nullptr) return nullptr;
  if (!fCopy) return m_Data->wstr;
  BSTR result = SysAllocStringByteLen(reinterpret_cast<const char*>(m_Data->wstr), SysStringByteLen(m_Data->wstr));
  if (result == nullptr) _com_issue_error(E_OUTOFMEMORY);
  return result;
}

void _bstr_t::Assign(BSTR s) { *this = _bstr_t(s, true); }

BSTR& _bstr_t::GetBSTR() {
  if (m_Data == nullptr) m_Data = _NewData(nullptr);
  return m_Data->wstr;
}

BSTR* _bstr_t::GetAddress() {
  Attach(nullptr);
  return &m_Data->wstr;
}

void _bstr_t::Attach(BSTR s) {
  _Free();
  m_Data = _NewData(s);
}

BSTR _bstr_t::Detach() {
  if (m_Data == nullptr) return nullptr;
  if (m_Data->refs.load() != 1) _com_issue_error(E_POINTER);
  BSTR result = std::exchange(m_Data->wstr, nullptr);
  _Free();
  return result;
}

int _bstr_t::_Compare(const _bstr_t& s) const noexcept {
  const OLECHAR* a = m_Data ? m_Data->wstr : nullptr;
  const OLECHAR* b = s.m_Data ? s.m_Data->wstr : nullptr;
  if (a == b) return 0;
  if (a == nullptr) return -1;
  if (b == nullptr) return 1;
  const UINT la = SysStringLen(const_cast<BSTR>(a));
  const UINT lb = SysStringLen(const_cast<BSTR>(b));
  for (UINT i = 0; i < la && i < lb; ++i)
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  return la == lb ? 0 : (la < lb ? -1 : 1);
}
