#pragma once
// One owner for the per-call resources a native method holds: JNI local references and the
// blocks that wrapper getters and facade operations allocate with LocalAlloc. A method that
// returns early (a pending Java exception unwinds it through CAbortJniException*) must give
// each of them back on every path, and the virtual machine's local reference table is small,
// so each has an owner that gives it back when it goes.
//
//   CLocalRef<jstring> name = JavaText(text, NullText::AsEmpty);   // DeleteLocalRef
//   CLocalText value(item->GetConfigValue());                       // LocalFree

#include <jni.h>

#include <utility>

#include "java/CJavaEnvironment.h"
#include "tovik/platform.h"

// Owns one handle H and gives it back with Free::Release(H) when it goes.
template <typename H, typename Free>
class CLocalOwner {
 public:
  CLocalOwner() = default;
  explicit CLocalOwner(H handle) : m_handle(handle) {}
  CLocalOwner(CLocalOwner&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
  CLocalOwner& operator=(CLocalOwner&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_handle, nullptr));
    return *this;
  }
  CLocalOwner(const CLocalOwner&) = delete;
  CLocalOwner& operator=(const CLocalOwner&) = delete;
  ~CLocalOwner() { Reset(); }

  H get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }
  // Hands the handle over (a local reference that becomes the method's return value).
  H release() { return std::exchange(m_handle, nullptr); }
  // For operations that hand a block out through a pointer parameter; gives a held one back
  // first.
  H* Receive() {
    Reset();
    return &m_handle;
  }
  void Reset(H handle = nullptr) {
    if (m_handle) Free::Release(m_handle);
    m_handle = handle;
  }

 private:
  H m_handle = nullptr;
};

struct DeleteLocalReference {
  static void Release(jobject reference) { CJavaEnvironment::DeleteLocalRef(reference); }
};

struct FreeLocalBlock {
  static void Release(void* block) { LocalFree(static_cast<HLOCAL>(block)); }
};

// A JNI local reference of the calling thread.
template <typename T>
using CLocalRef = CLocalOwner<T, DeleteLocalReference>;

// A block from LocalAlloc: texts as char*, data as unsigned char*.
template <typename T>
using CLocalBlock = CLocalOwner<T*, FreeLocalBlock>;

using CLocalText = CLocalBlock<char>;
using CLocalBytes = CLocalBlock<unsigned char>;
