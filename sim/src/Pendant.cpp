#include "Pendant.h"

namespace tovik::sim {

// ---- LED collection

HRESULT PendantLeds::get_Count(ULONG* count) {
  return Get("Count", count, [&] {
    std::lock_guard guard(lock_);
    return static_cast<ULONG>(leds_.size());
  });
}

HRESULT PendantLeds::raw_Item(ULONG index, TovikApiProviderLib::ITovikPendantLed** element) {
  ProviderCall call(Key("Item"), __uuidof(TovikApiProviderLib::ITovikPendantLeds), index);
  if (call.Failed()) return call.Hr();
  if (element == nullptr) return E_POINTER;
  *element = nullptr;
  {
    std::lock_guard guard(lock_);
    if (index >= leds_.size()) return E_INVALIDARG;
  }
  if (Faults::Instance().Missing("ITovikPendantLeds", index)) return S_OK;
  call.Hand(element, Create<PendantLed>(this, index));
  return S_OK;
}

std::vector<LedData> PendantLeds::Leds() const {
  std::lock_guard guard(lock_);
  return leds_;
}

void PendantLeds::Assign(const std::vector<LedData>& leds) {
  std::lock_guard guard(lock_);
  for (std::size_t i = 0; i < leds_.size() && i < leds.size(); ++i) leds_[i] = leds[i];
}

LedData PendantLeds::Led(std::size_t index) const {
  std::lock_guard guard(lock_);
  return index < leds_.size() ? leds_[index] : LedData{};
}

void PendantLeds::Update(std::size_t index, const std::function<void(LedData&)>& change) {
  std::lock_guard guard(lock_);
  if (index < leds_.size()) change(leds_[index]);
}

void* PendantLeds::Implementation(REFIID iid) {
  return iid == IID_SimPendantLedsState ? this : nullptr;
}

// ---- one LED, writing through to its collection

PendantLed::PendantLed(PendantLeds* owner, std::size_t index) : owner_(owner), index_(index) {
  owner_->AddRef();
}

PendantLed::~PendantLed() { owner_->Release(); }

HRESULT PendantLed::get_LedValid(ULONG* value) {
  return Get("LedValid", value, [&] { return owner_->Led(index_).valid; });
}
HRESULT PendantLed::put_LedValid(ULONG value) {
  return Put("LedValid", value, [&](ULONG v) { owner_->Update(index_, [&](LedData& led) { led.valid = v; }); });
}
HRESULT PendantLed::get_LedCtrl(ULONG* value) {
  return Get("LedCtrl", value, [&] { return owner_->Led(index_).control; });
}
HRESULT PendantLed::put_LedCtrl(ULONG value) {
  return Put("LedCtrl", value, [&](ULONG v) { owner_->Update(index_, [&](LedData& led) { led.control = v; }); });
}
HRESULT PendantLed::get_LedBlinkFreq(ULONG* value) {
  return Get("LedBlinkFreq", value, [&] { return owner_->Led(index_).blinkFrequency; });
}
HRESULT PendantLed::put_LedBlinkFreq(ULONG value) {
  return Put("LedBlinkFreq", value, [&](ULONG v) { owner_->Update(index_, [&](LedData& led) { led.blinkFrequency = v; }); });
}

// ---- segment display

SegmentData PendantDisp::Segments() const {
  std::lock_guard guard(lock_);
  return segments_;
}

void* PendantDisp::Implementation(REFIID iid) {
  return iid == IID_SimPendantDispState ? this : nullptr;
}

HRESULT PendantDisp::Read(const char* name, int n, ULONG* value) {
  return Get(name, value, [&] {
    std::lock_guard guard(lock_);
    return segments_.segments[n];
  });
}

HRESULT PendantDisp::Write(const char* name, int n, ULONG value) {
  return Put(name, value, [&](ULONG v) {
    std::lock_guard guard(lock_);
    segments_.segments[n] = v;
  });
}

}  // namespace tovik::sim
