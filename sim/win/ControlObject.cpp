#include "ControlObject.h"

#include <string>
#include <vector>

#include "ClassFactories.h"
#include "ComObject.h"
#include "ServerLifetime.h"
#include "Text.h"
#include "TovikSimControl.h"
#include "tovik/sim/VirtualProvider.h"

namespace tovik::sim::win {

namespace {

std::string Utf8(BSTR text) { return Utf8FromBstr(text); }

VARIANT_BOOL Bool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// A SAFEARRAY(BSTR) of UTF-16 copies of `texts`.
HRESULT TextArray(const std::vector<std::string>& texts, SAFEARRAY** out) {
  if (out == nullptr) return E_POINTER;
  *out = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(texts.size()));
  if (*out == nullptr) return E_OUTOFMEMORY;
  for (LONG i = 0; i < static_cast<LONG>(texts.size()); ++i) {
    BSTR text = NewBstr(texts[i]);
    const HRESULT hr = SafeArrayPutElement(*out, &i, text);  // copies the BSTR
    SysFreeString(text);
    if (FAILED(hr)) {
      SafeArrayDestroy(*out);
      *out = nullptr;
      return hr;
    }
  }
  return S_OK;
}

// A SAFEARRAY(long) of `values` (unsigned values keep their bits).
template <class T>
HRESULT NumberArray(const std::vector<T>& values, SAFEARRAY** out) {
  if (out == nullptr) return E_POINTER;
  *out = SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(values.size()));
  if (*out == nullptr) return E_OUTOFMEMORY;
  for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) {
    LONG value = static_cast<LONG>(values[i]);
    SafeArrayPutElement(*out, &i, &value);
  }
  return S_OK;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (std::uint8_t byte : bytes) {
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0xF]);
  }
  return text;
}

// Reached through the type-library marshaler only; late binding is not
// offered, as on the provider's own objects here. Not a provider object: it
// does not count among the live objects.
class ControlObject final : public DispatchObject<ITovikSimControl> {
 public:
  // ---- ITovikSimControl
  HRESULT STDMETHODCALLTYPE Attach(LONG processId) override {
    return ServerLifetime::Instance().Attach(static_cast<DWORD>(processId));
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    tovik::sim::Reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LoadScenarioJson(BSTR json, BSTR* error, VARIANT_BOOL* loaded) override {
    return Loaded(tovik::sim::LoadScenarioJson, json, error, loaded);
  }
  HRESULT STDMETHODCALLTYPE LoadScenarioFile(BSTR path, BSTR* error, VARIANT_BOOL* loaded) override {
    return Loaded(tovik::sim::LoadScenarioFile, path, error, loaded);
  }
  HRESULT STDMETHODCALLTYPE DefaultScenarioJson(BSTR* json) override {
    if (json == nullptr) return E_POINTER;
    *json = NewBstr(tovik::sim::DefaultScenarioJson());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FailMethod(BSTR key, LONG hr, VARIANT_BOOL once, BSTR description) override {
    tovik::sim::FailMethod(Utf8(key), hr, once != VARIANT_FALSE, Utf8(description));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetResult(BSTR key, LONG result) override {
    tovik::sim::SetResult(Utf8(key), result);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE WithholdOutput(BSTR key) override {
    tovik::sim::WithholdOutput(Utf8(key));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetMissingItem(BSTR listInterface, LONG index) override {
    tovik::sim::SetMissingItem(Utf8(listInterface), static_cast<std::uint32_t>(index));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetByteBufferLength(LONG claimedLength) override {
    tovik::sim::SetByteBufferLength(claimedLength);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ClearFaults() override {
    tovik::sim::ClearFaults();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PostEvent(LONG first, LONG second, LONG third) override {
    tovik::sim::PostEvent(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(second),
                          static_cast<std::uint32_t>(third));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE WaitingCount(LONG* count) override { return Number(tovik::sim::WaitingCount(), count); }
  HRESULT STDMETHODCALLTYPE WaitForWaiters(LONG count, LONG timeoutMs, VARIANT_BOOL* reached) override {
    if (reached == nullptr) return E_POINTER;
    *reached = Bool(tovik::sim::WaitForWaiters(count, timeoutMs));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueuedEventCount(LONG* count) override {
    return Number(tovik::sim::QueuedEventCount(), count);
  }
  HRESULT STDMETHODCALLTYPE Journal(SAFEARRAY** lines) override { return TextArray(tovik::sim::Journal(), lines); }
  HRESULT STDMETHODCALLTYPE ClearJournal() override {
    tovik::sim::ClearJournal();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetJournalCapacity(LONG lines) override {
    tovik::sim::SetJournalCapacity(lines > 0 ? static_cast<std::size_t>(lines) : 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE JournalDropped(LONG* dropped) override {
    if (dropped == nullptr) return E_POINTER;
    const std::uint64_t count = tovik::sim::JournalDropped();
    *dropped = count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(count);  // saturates
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ArmPausePoint(BSTR point) override {
    tovik::sim::ArmPausePoint(Utf8(point));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE WaitPaused(BSTR point, LONG timeoutMs, VARIANT_BOOL* paused) override {
    if (paused == nullptr) return E_POINTER;
    *paused = tovik::sim::WaitPaused(Utf8(point), timeoutMs) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResumePoint(BSTR point) override {
    tovik::sim::ResumePoint(Utf8(point));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE LiveObjects(LONG* count) override { return Number(tovik::sim::LiveObjects(), count); }
  HRESULT STDMETHODCALLTYPE ConnectionHandles(SAFEARRAY** handles) override {
    return NumberArray(tovik::sim::ConnectionHandles(), handles);
  }
  HRESULT STDMETHODCALLTYPE ConnectionModule(LONG handle, LONG* serial, VARIANT_BOOL* found) override {
    if (serial == nullptr || found == nullptr) return E_POINTER;
    std::uint32_t module = 0;
    *found = Bool(tovik::sim::ConnectionModule(static_cast<std::uint32_t>(handle), &module));
    *serial = static_cast<LONG>(module);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE StoredBlocks(LONG serial, SAFEARRAY** ids, SAFEARRAY** locations, SAFEARRAY** bytes) override {
    if (ids == nullptr || locations == nullptr || bytes == nullptr) return E_POINTER;
    std::vector<std::string> idTexts, byteTexts;
    std::vector<std::uint32_t> places;
    for (const ClientBlockInfo& block : tovik::sim::StoredBlocks(static_cast<std::uint32_t>(serial))) {
      idTexts.push_back(block.id);
      places.push_back(block.location);
      byteTexts.push_back(Hex(block.bytes));
    }
    *ids = *locations = *bytes = nullptr;
    HRESULT hr = TextArray(idTexts, ids);
    if (SUCCEEDED(hr)) hr = NumberArray(places, locations);
    if (SUCCEEDED(hr)) hr = TextArray(byteTexts, bytes);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE PendantLeds(LONG serial, SAFEARRAY** values) override {
    std::vector<std::uint32_t> flat;
    for (const LedState& led : tovik::sim::PendantLeds(static_cast<std::uint32_t>(serial))) {
      flat.push_back(led.valid);
      flat.push_back(led.control);
      flat.push_back(led.blinkFrequency);
    }
    return NumberArray(flat, values);
  }
  HRESULT STDMETHODCALLTYPE PendantSegments(LONG serial, SAFEARRAY** values) override {
    return NumberArray(tovik::sim::PendantSegments(static_cast<std::uint32_t>(serial)), values);
  }
  HRESULT STDMETHODCALLTYPE PendantAudio(LONG serial, SAFEARRAY** values) override {
    return NumberArray(tovik::sim::PendantAudio(static_cast<std::uint32_t>(serial)), values);
  }
  HRESULT STDMETHODCALLTYPE LastInitializeRuntime(SAFEARRAY** arguments) override {
    return TextArray(tovik::sim::LastInitializeRuntime(), arguments);
  }
  HRESULT STDMETHODCALLTYPE LastRegistration(SAFEARRAY** values) override {
    return NumberArray(tovik::sim::LastRegistration(), values);
  }
  HRESULT STDMETHODCALLTYPE InstalledApps(LONG serial, SAFEARRAY** apps) override {
    return NumberArray(tovik::sim::InstalledApps(static_cast<std::uint32_t>(serial)), apps);
  }
  HRESULT STDMETHODCALLTYPE AutoWifiSwitch(SHORT* value) override {
    if (value == nullptr) return E_POINTER;
    *value = tovik::sim::AutoWifiSwitch();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ManualScanSwitch(SHORT* value) override {
    if (value == nullptr) return E_POINTER;
    *value = tovik::sim::ManualScanSwitch();
    return S_OK;
  }

 private:
  ~ControlObject() = default;

  template <class N>
  static HRESULT Number(N value, LONG* out) {
    if (out == nullptr) return E_POINTER;
    *out = static_cast<LONG>(value);
    return S_OK;
  }

  template <class Load>
  static HRESULT Loaded(Load load, BSTR source, BSTR* error, VARIANT_BOOL* loaded) {
    if (error == nullptr || loaded == nullptr) return E_POINTER;
    std::string problem;
    *loaded = Bool(load(Utf8(source), &problem));
    *error = NewBstr(problem);
    return S_OK;
  }
};

struct MakeControl {
  static constexpr const char* kKey = nullptr;
  IUnknown* operator()() const { return static_cast<ITovikSimControl*>(new ControlObject); }
};

}  // namespace

IClassFactory* ControlClassFactory() {
  static Factory<MakeControl> factory;
  return &factory;
}

}  // namespace tovik::sim::win
