#pragma once
// What every provider method does first: write its journal line and apply
// the faults injected for it.

#include <string>

#include "Faults.h"
#include "Journal.h"
#include "PausePoints.h"
#include "tovik/platform.h"

namespace tovik::sim {

// Delivers `failure` as the thread's error information (or clears it).
void RaiseErrorInfo(const Failure& failure, const IID& iid);

class ProviderCall {
 public:
  template <class... A>
  ProviderCall(std::string key, const IID& iid, const A&... args) : key_(std::move(key)) {
    Journal::Instance().Add(FormatCall(key_, args...));
    if (auto failure = Faults::Instance().TakeFailure(key_)) {
      hr_ = failure->hr;
      RaiseErrorInfo(*failure, iid);
    }
    PausePoints::Instance().Reach(key_);
  }
  ~ProviderCall() { PausePoints::Instance().Reach(key_, ":done"); }
  ProviderCall(const ProviderCall&) = delete;
  ProviderCall& operator=(const ProviderCall&) = delete;

  bool Failed() const { return FAILED(hr_); }
  HRESULT Hr() const { return hr_; }
  const std::string& Key() const { return key_; }

  // The method's own result value, unless a test replaced it.
  template <class T>
  T Result(T natural) const {
    if (auto forced = Faults::Instance().Result(key_)) return static_cast<T>(*forced);
    return natural;
  }

  // Hands `object` (holding one reference) out through `out`, unless the
  // output is withheld; then the object is released and `out` gets null.
  template <class I, class T>
  void Hand(I** out, T* object) const {
    if (object != nullptr && Faults::Instance().Withheld(key_)) {
      object->Release();
      object = nullptr;
    }
    *out = object;
  }

 private:
  std::string key_;
  HRESULT hr_ = S_OK;
};

}  // namespace tovik::sim
