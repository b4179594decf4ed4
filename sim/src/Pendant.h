#pragma once
// The pendant objects that the library creates by class id: the LED
// collection (its items write through to it) and the segment display.

#include <functional>
#include <mutex>
#include <vector>

#include "ComObject.h"
#include "Data.h"

namespace tovik::sim {

// Private interface ids through which the manager reaches the state of a
// pendant object it is handed.
inline constexpr IID IID_SimPendantLedsState = {
    0x6B1D2F40, 0x3C55, 0x4E8A, {0x9A, 0x11, 0x5E, 0x70, 0x21, 0x0C, 0x44, 0x01}};
inline constexpr IID IID_SimPendantDispState = {
    0x6B1D2F40, 0x3C55, 0x4E8A, {0x9A, 0x11, 0x5E, 0x70, 0x21, 0x0C, 0x44, 0x02}};

class PendantLeds : public ComObject<TovikApiProviderLib::ITovikPendantLeds> {
 public:
  explicit PendantLeds(std::size_t count) : leds_(count) {}

  HRESULT STDMETHODCALLTYPE get_Count(ULONG* count) override;
  HRESULT STDMETHODCALLTYPE raw_Item(ULONG index, TovikApiProviderLib::ITovikPendantLed** element) override;

  std::vector<LedData> Leds() const;
  void Assign(const std::vector<LedData>& leds);  // up to this collection's count
  LedData Led(std::size_t index) const;
  void Update(std::size_t index, const std::function<void(LedData&)>& change);

 protected:
  void* Implementation(REFIID iid) override;

 private:
  mutable std::mutex lock_;
  std::vector<LedData> leds_;
};

class PendantLed : public ComObject<TovikApiProviderLib::ITovikPendantLed> {
 public:
  PendantLed(PendantLeds* owner, std::size_t index);

  HRESULT STDMETHODCALLTYPE get_LedValid(ULONG* value) override;
  HRESULT STDMETHODCALLTYPE put_LedValid(ULONG value) override;
  HRESULT STDMETHODCALLTYPE get_LedCtrl(ULONG* value) override;
  HRESULT STDMETHODCALLTYPE put_LedCtrl(ULONG value) override;
  HRESULT STDMETHODCALLTYPE get_LedBlinkFreq(ULONG* value) override;
  HRESULT STDMETHODCALLTYPE put_LedBlinkFreq(ULONG value) override;

 protected:
  ~PendantLed() override;

 private:
  PendantLeds* owner_;  // holds a reference
  std::size_t index_;
};

class PendantDisp : public ComObject<TovikApiProviderLib::ITovikPendantDisp> {
 public:
  explicit PendantDisp(SegmentData segments = {}) : segments_(segments) {}

#define SIM_SEGMENT(Name, n)                                                                  \
  HRESULT STDMETHODCALLTYPE get_##Name(ULONG* value) override { return Read(#Name, n, value); } \
  HRESULT STDMETHODCALLTYPE put_##Name(ULONG value) override { return Write(#Name, n, value); }
  SIM_SEGMENT(SegmentA, 0)
  SIM_SEGMENT(SegmentB, 1)
  SIM_SEGMENT(SegmentC, 2)
  SIM_SEGMENT(SegmentD, 3)
  SIM_SEGMENT(SegmentE, 4)
  SIM_SEGMENT(SegmentF, 5)
  SIM_SEGMENT(SegmentG, 6)
  SIM_SEGMENT(SegmentDecimalPoint, 7)
#undef SIM_SEGMENT

  SegmentData Segments() const;

 protected:
  void* Implementation(REFIID iid) override;

 private:
  HRESULT Read(const char* name, int n, ULONG* value);
  HRESULT Write(const char* name, int n, ULONG value);

  mutable std::mutex lock_;
  SegmentData segments_;
};

}  // namespace tovik::sim
