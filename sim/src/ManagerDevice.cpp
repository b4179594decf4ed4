// Manager: pendant, access point and Wi-Fi, self test and configuration
// items.

#include "Manager.h"
#include "Pendant.h"
#include "ResultObjects.h"

namespace tovik::sim {

namespace {

const IID& Iid() { return __uuidof(P::ITovikManager); }

// The state behind a pendant object of this provider (with a reference the
// holder releases); null for a foreign object.
template <class T>
class StateOf {
 public:
  StateOf(IUnknown* object, const IID& iid) {
    void* raw = nullptr;
    if (object != nullptr && SUCCEEDED(object->QueryInterface(iid, &raw))) state_ = static_cast<T*>(raw);
  }
  ~StateOf() {
    if (state_) state_->Release();
  }
  StateOf(const StateOf&) = delete;
  StateOf& operator=(const StateOf&) = delete;
  T* operator->() const { return state_; }
  explicit operator bool() const { return state_ != nullptr; }

 private:
  T* state_ = nullptr;
};

}  // namespace

// ---- pendant

HRESULT Manager::raw_PendantSetLeds(ULONG connection, P::ITovikPendantLeds* leds, LONG* result) {
  ProviderCall call(Key("PendantSetLeds"), Iid(), connection, leds);
  StateOf<PendantLeds> state(leds, IID_SimPendantLedsState);
  if (!call.Failed() && !state) return E_INVALIDARG;
  return Complete(call, result, [&] { return Model().SetLeds(connection, state->Leds()); });
}

HRESULT Manager::raw_PendantGetLeds(ULONG connection, P::ITovikPendantLeds* leds, LONG* result) {
  ProviderCall call(Key("PendantGetLeds"), Iid(), connection, leds);
  StateOf<PendantLeds> state(leds, IID_SimPendantLedsState);
  if (!call.Failed() && !state) return E_INVALIDARG;
  return Complete(call, result, [&] {
    std::vector<LedData> values;
    const LONG code = Model().GetLeds(connection, &values);
    if (code == 0) state->Assign(values);
    return code;
  });
}

HRESULT Manager::raw_PendantSetSegDisp(ULONG connection, P::ITovikPendantDisp* display, ULONG first, ULONG second,
                                       LONG* result) {
  ProviderCall call(Key("PendantSetSegDisp"), Iid(), connection, display, first, second);
  StateOf<PendantDisp> state(display, IID_SimPendantDispState);
  if (!call.Failed() && !state) return E_INVALIDARG;
  return Complete(call, result, [&] { return Model().SetSegments(connection, state->Segments(), first, second); });
}

HRESULT Manager::raw_PendantGetSegDisp(ULONG connection, ULONG* first, ULONG* second, P::ITovikPendantDisp** display,
                                       LONG* result) {
  ProviderCall call(Key("PendantGetSegDisp"), Iid(), connection);
  return Complete(call, result, [&] {
    SegmentData segments;
    const LONG code = Model().GetSegments(connection, &segments, first, second);
    if (code == 0) call.Hand(display, Create<PendantDisp>(segments));
    return code;
  }, first, second, display);
}

HRESULT Manager::raw_PendantSetAudio(ULONG connection, ULONG first, ULONG second, ULONG third, ULONG fourth,
                                     LONG* result) {
  ProviderCall call(Key("PendantSetAudio"), Iid(), connection, first, second, third, fourth);
  return Complete(call, result, [&] { return Model().SetAudio(connection, {first, second, third, fourth}); });
}

HRESULT Manager::raw_PendantGetAudio(ULONG connection, ULONG* first, ULONG* second, LONG* result) {
  ProviderCall call(Key("PendantGetAudio"), Iid(), connection);
  return Complete(call, result, [&] { return Model().GetAudio(connection, first, second); }, first, second);
}

// ---- access point and Wi-Fi

HRESULT Manager::raw_GetAccessPointState(ULONG connection, ULONG selector, P::ITovikApStateItem** item,
                                         LONG* result) {
  ProviderCall call(Key("GetAccessPointState"), Iid(), connection, selector);
  return Complete(call, result, [&] {
    ApStateData state;
    const LONG code = Model().AccessPoint(connection, &state);
    if (code == 0) call.Hand(item, Create<ApStateItem>(state));
    return code;
  }, item);
}

HRESULT Manager::raw_EnableManualScan(VARIANT_BOOL enable, LONG* result) {
  ProviderCall call(Key("EnableManualScan"), Iid(), enable);
  return Complete(call, result, [&] {
    Model().SetManualScan(enable);
    return LONG{0};
  });
}

HRESULT Manager::raw_EnableAutoWifi(VARIANT_BOOL enable, LONG* result) {
  ProviderCall call(Key("EnableAutoWifi"), Iid(), enable);
  return Complete(call, result, [&] {
    Model().SetAutoWifi(enable);
    return LONG{0};
  });
}

HRESULT Manager::raw_GetAutoWifiInfo(P::ITovikAdaptInfoList** list, VARIANT_BOOL* first, VARIANT_BOOL* second,
                                     VARIANT_BOOL* third, LONG* result) {
  ProviderCall call(Key("GetAutoWifiInfo"), Iid());
  return Complete(call, result, [&] {
    VARIANT_BOOL flags[3] = {};
    std::vector<AdapterData> adapters = Model().Adapters(flags);
    *first = flags[0];
    *second = flags[1];
    *third = flags[2];
    call.Hand(list, Create<AdaptInfoList>(std::move(adapters)));
    return LONG{0};
  }, list, first, second, third);
}

// ---- diagnostics

HRESULT Manager::raw_RunSelfTest(ULONG connection, P::ITovikByteBuffer** buffer, LONG* result) {
  ProviderCall call(Key("RunSelfTest"), Iid(), connection);
  return Complete(call, result, [&] {
    Bytes bytes;
    const LONG code = Model().SelfTest(connection, &bytes);
    if (code == 0) call.Hand(buffer, Create<ByteBuffer>(std::move(bytes)));
    return code;
  }, buffer);
}

HRESULT Manager::raw_GetConfigItems(ULONG connection, P::ITovikConfigItemList** items, LONG* result) {
  ProviderCall call(Key("GetConfigItems"), Iid(), connection);
  return Complete(call, result, [&] {
    std::vector<ConfigItemData> list;
    const LONG code = Model().ConfigItems(connection, &list);
    if (code == 0) call.Hand(items, Create<ConfigItemList>(std::move(list)));
    return code;
  }, items);
}

}  // namespace tovik::sim
