#pragma once
// CObjectManager<I, W>: the registry of one class W. It maps the address of a
// native object of class W to the cookie under which the provider interface I
// stands for it in the global interface table, so that any apartment can
// fetch a pointer of its own. The registry owns one GIT registration (and
// thereby one reference to the provider object) per entry; it owns no native
// object. A lock guards the map; every operation takes it.
//
// Log lines use the operation's full name for the instantiation, e.g.
// "CObjectManager<struct TovikApiProviderLib::ITovikManager,class CTovikManagerIF>::Get";
// the names come from CObjectManagerNames<I, W> (core/Registries.h).

#include <map>

#include "core/LogStream.h"
#include "tovik/platform.h"

// Written-out function names of one instantiation: Add, Get, Remove, RemoveAll.
template <class I, class W>
struct CObjectManagerNames;

template <class I, class W>
class CObjectManager {
 public:
  explicit CObjectManager(const char* name) : m_name(name) {}
  CObjectManager(const CObjectManager&) = delete;
  CObjectManager& operator=(const CObjectManager&) = delete;
  ~CObjectManager() { RemoveAll(); }

  // Registers itf for object. The caller keeps (and releases) its own reference.
  void Add(W* object, I* itf) {
    using Names = CObjectManagerNames<I, W>;
    CSingleLock lock(&m_lock, TRUE);
    try {
      CComGITPtr<I> git;
      const HRESULT hr = git.Attach(itf);
      if (FAILED(hr)) {
        CORE_LOG(Names::Add) << "Failed to attach to GIT for " << m_name << LogEnd;
        return;
      }
      m_entries[object] = git.Detach();
    } catch (_com_error& e) {
      LogComError(Names::Add, e);
    }
  }

  // A new reference valid in the calling thread's apartment, or null. The
  // caller releases it.
  I* Get(W* object) {
    using Names = CObjectManagerNames<I, W>;
    CSingleLock lock(&m_lock, TRUE);
    try {
      const auto entry = m_entries.find(object);
      if (entry == m_entries.end() || entry->second == 0) return nullptr;
      CComGITPtr<I> git;
      if (FAILED(git.Attach(entry->second))) {
        CORE_LOG(Names::Get) << "Could not attach to GIT cookie - " << m_name << LogEnd;
        return nullptr;
      }
      I* result = nullptr;
      const HRESULT hr = git.CopyTo(&result);
      git.Detach();  // the registration stays
      if (FAILED(hr)) {
        CORE_LOG(Names::Get) << "Failed to copy interface " << static_cast<LONG>(hr) << " - " << m_name << LogEnd;
        return nullptr;
      }
      return result;
    } catch (_com_error& e) {
      LogComError(Names::Get, e);
      return nullptr;
    }
  }

  // Takes object out of the registry and revokes its registration. Returns a
  // new reference to the interface (normally the library's last), or null.
  I* Remove(W* object) {
    using Names = CObjectManagerNames<I, W>;
    CSingleLock lock(&m_lock, TRUE);
    I* result = nullptr;
    try {
      const auto entry = m_entries.find(object);
      if (entry == m_entries.end()) return nullptr;
      const DWORD cookie = entry->second;
      m_entries.erase(entry);
      if (cookie != 0) {
        CComGITPtr<I> git;
        if (FAILED(git.Attach(cookie))) {
          CORE_LOG(Names::Remove) << m_name << " Could not attach to GIT object " << LogEnd;
        } else {
          if (FAILED(git.CopyTo(&result))) result = nullptr;
          git.Revoke();
        }
      }
    } catch (_com_error& e) {
      LogComError(Names::Remove, e);
    }
    return result;
  }

  // Revokes every registration and empties the map.
  void RemoveAll() {
    using Names = CObjectManagerNames<I, W>;
    CSingleLock lock(&m_lock, TRUE);
    try {
      for (const auto& entry : m_entries) {
        if (entry.second == 0) continue;
        CComGITPtr<I> git;
        if (SUCCEEDED(git.Attach(entry.second))) git.Revoke();
      }
    } catch (_com_error& e) {
      LogComError(Names::RemoveAll, e);
    }
    m_entries.clear();
  }

  unsigned int Size() {
    CSingleLock lock(&m_lock, TRUE);
    return static_cast<unsigned int>(m_entries.size());
  }

  const char* Name() const { return m_name; }

 private:
  void LogComError(const char* function, const _com_error& e) {
    CORE_LOG(function) << m_name << " - com error: " << static_cast<LONG>(e.Error()) << " - " << e.ErrorMessage()
                       << LogEnd;
  }

  std::map<W*, DWORD> m_entries;
  const char* m_name;
  CCriticalSection m_lock;
};
