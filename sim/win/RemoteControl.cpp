// tovik/sim/VirtualProvider.h for a test process whose provider is the
// out-of-process server: every function is a call of the server's control
// object (RemoteSession.h). Texts cross as UTF-16, unsigned numbers as LONG.

#include <string>
#include <vector>

#include "RemoteSession.h"
#include "Text.h"
#include "tovik/sim/VirtualProvider.h"

namespace tovik::sim {

namespace {

using win::CallServer;

// Owns a BSTR made from UTF-8 text, or received from the server.
class Text {
 public:
  Text() = default;
  explicit Text(const std::string& utf8) : text_(NewBstr(utf8)) {}
  ~Text() { SysFreeString(text_); }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  BSTR get() const { return text_; }
  BSTR* out() { return &text_; }
  std::string Utf8() const { return Utf8FromBstr(text_); }

 private:
  BSTR text_ = nullptr;
};

// Owns a SAFEARRAY received from the server.
class Array {
 public:
  Array() = default;
  ~Array() {
    if (array_ != nullptr) SafeArrayDestroy(array_);
  }
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;
  SAFEARRAY** out() { return &array_; }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (LONG i = 0; i < Count(); ++i) {
      BSTR text = nullptr;
      if (SUCCEEDED(SafeArrayGetElement(array_, &i, &text))) {
        texts.push_back(Utf8FromBstr(text));
        SysFreeString(text);
      }
    }
    return texts;
  }
  std::vector<std::uint32_t> Numbers() const {
    std::vector<std::uint32_t> numbers;
    for (LONG i = 0; i < Count(); ++i) {
      LONG value = 0;
      if (SUCCEEDED(SafeArrayGetElement(array_, &i, &value))) numbers.push_back(static_cast<std::uint32_t>(value));
    }
    return numbers;
  }

 private:
  LONG Count() const {
    if (array_ == nullptr) return 0;
    LONG low = 0, high = -1;
    if (FAILED(SafeArrayGetLBound(array_, 1, &low)) || FAILED(SafeArrayGetUBound(array_, 1, &high))) return 0;
    return high - low + 1;
  }
  SAFEARRAY* array_ = nullptr;
};

std::vector<std::uint8_t> FromHex(const std::string& text) {
  auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(digit(text[i]) * 16 + digit(text[i + 1])));
  return bytes;
}

template <class Call>
bool Loaded(const char* what, Call call, std::string* error) {
  VARIANT_BOOL loaded = VARIANT_FALSE;
  Text problem;
  CallServer(what, [&](ITovikSimControl* control) { return call(control, problem.out(), &loaded); });
  if (loaded == VARIANT_FALSE && error != nullptr) *error = problem.Utf8();
  return loaded != VARIANT_FALSE;
}

LONG Count(const char* what, HRESULT (STDMETHODCALLTYPE ITovikSimControl::*method)(LONG*)) {
  LONG count = 0;
  CallServer(what, [&](ITovikSimControl* control) { return (control->*method)(&count); });
  return count;
}

std::vector<std::uint32_t> Numbers(const char* what,
                                   HRESULT (STDMETHODCALLTYPE ITovikSimControl::*method)(LONG, SAFEARRAY**),
                                   std::uint32_t serial) {
  Array values;
  CallServer(what, [&](ITovikSimControl* control) { return (control->*method)(static_cast<LONG>(serial), values.out()); });
  return values.Numbers();
}

}  // namespace

void Reset() {
  CallServer("Reset", [](ITovikSimControl* control) { return control->Reset(); });
}

bool LoadScenarioJson(const std::string& json, std::string* error) {
  Text text(json);
  return Loaded("LoadScenarioJson",
                [&](ITovikSimControl* control, BSTR* problem, VARIANT_BOOL* loaded) {
                  return control->LoadScenarioJson(text.get(), problem, loaded);
                },
                error);
}

bool LoadScenarioFile(const std::string& path, std::string* error) {
  Text text(path);
  return Loaded("LoadScenarioFile",
                [&](ITovikSimControl* control, BSTR* problem, VARIANT_BOOL* loaded) {
                  return control->LoadScenarioFile(text.get(), problem, loaded);
                },
                error);
}

std::string DefaultScenarioJson() {
  Text json;
  CallServer("DefaultScenarioJson", [&](ITovikSimControl* control) { return control->DefaultScenarioJson(json.out()); });
  return json.Utf8();
}

void FailMethod(const std::string& key, std::int32_t hr, bool once, const std::string& description) {
  Text keyText(key), descriptionText(description);
  CallServer("FailMethod", [&](ITovikSimControl* control) {
    return control->FailMethod(keyText.get(), hr, once ? VARIANT_TRUE : VARIANT_FALSE, descriptionText.get());
  });
}

void SetResult(const std::string& key, std::int32_t result) {
  Text keyText(key);
  CallServer("SetResult", [&](ITovikSimControl* control) { return control->SetResult(keyText.get(), result); });
}

void WithholdOutput(const std::string& key) {
  Text keyText(key);
  CallServer("WithholdOutput", [&](ITovikSimControl* control) { return control->WithholdOutput(keyText.get()); });
}

void SetMissingItem(const std::string& listInterface, std::uint32_t index) {
  Text name(listInterface);
  CallServer("SetMissingItem",
             [&](ITovikSimControl* control) { return control->SetMissingItem(name.get(), static_cast<LONG>(index)); });
}

void SetByteBufferLength(std::int32_t claimedLength) {
  CallServer("SetByteBufferLength",
             [&](ITovikSimControl* control) { return control->SetByteBufferLength(claimedLength); });
}

void ClearFaults() {
  CallServer("ClearFaults", [](ITovikSimControl* control) { return control->ClearFaults(); });
}

void PostEvent(std::uint32_t first, std::uint32_t second, std::uint32_t third) {
  CallServer("PostEvent", [&](ITovikSimControl* control) {
    return control->PostEvent(static_cast<LONG>(first), static_cast<LONG>(second), static_cast<LONG>(third));
  });
}

int WaitingCount() { return static_cast<int>(Count("WaitingCount", &ITovikSimControl::WaitingCount)); }

bool WaitForWaiters(int count, int timeoutMs) {
  VARIANT_BOOL reached = VARIANT_FALSE;
  CallServer("WaitForWaiters",
             [&](ITovikSimControl* control) { return control->WaitForWaiters(count, timeoutMs, &reached); });
  return reached != VARIANT_FALSE;
}

int QueuedEventCount() { return static_cast<int>(Count("QueuedEventCount", &ITovikSimControl::QueuedEventCount)); }

std::vector<std::string> Journal() {
  Array lines;
  CallServer("Journal", [&](ITovikSimControl* control) { return control->Journal(lines.out()); });
  return lines.Texts();
}

void ClearJournal() {
  CallServer("ClearJournal", [](ITovikSimControl* control) { return control->ClearJournal(); });
}

std::vector<std::string> JournalWithPrefix(const std::string& prefix) {
  std::vector<std::string> lines;
  for (std::string& line : Journal())
    if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(std::move(line));
  return lines;
}

void SetJournalCapacity(std::size_t lines) {
  const LONG capped = lines > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(lines);
  CallServer("SetJournalCapacity", [&](ITovikSimControl* control) { return control->SetJournalCapacity(capped); });
}

std::uint64_t JournalDropped() {
  return static_cast<std::uint64_t>(Count("JournalDropped", &ITovikSimControl::JournalDropped));
}

void ArmPausePoint(const std::string& point) {
  Text name(point);
  CallServer("ArmPausePoint", [&](ITovikSimControl* control) { return control->ArmPausePoint(name.get()); });
}

bool WaitPaused(const std::string& point, int timeoutMs) {
  Text name(point);
  VARIANT_BOOL paused = VARIANT_FALSE;
  CallServer("WaitPaused", [&](ITovikSimControl* control) { return control->WaitPaused(name.get(), timeoutMs, &paused); });
  return paused != VARIANT_FALSE;
}

void ResumePoint(const std::string& point) {
  Text name(point);
  CallServer("ResumePoint", [&](ITovikSimControl* control) { return control->ResumePoint(name.get()); });
}

long LiveObjects() { return Count("LiveObjects", &ITovikSimControl::LiveObjects); }

int ConnectionCount() { return static_cast<int>(ConnectionHandles().size()); }

std::vector<std::uint32_t> ConnectionHandles() {
  Array handles;
  CallServer("ConnectionHandles", [&](ITovikSimControl* control) { return control->ConnectionHandles(handles.out()); });
  return handles.Numbers();
}

bool ConnectionModule(std::uint32_t handle, std::uint32_t* serial) {
  LONG module = 0;
  VARIANT_BOOL found = VARIANT_FALSE;
  CallServer("ConnectionModule", [&](ITovikSimControl* control) {
    return control->ConnectionModule(static_cast<LONG>(handle), &module, &found);
  });
  if (found == VARIANT_FALSE) return false;
  if (serial) *serial = static_cast<std::uint32_t>(module);
  return true;
}

std::vector<ClientBlockInfo> StoredBlocks(std::uint32_t serial) {
  Array ids, locations, bytes;
  CallServer("StoredBlocks", [&](ITovikSimControl* control) {
    return control->StoredBlocks(static_cast<LONG>(serial), ids.out(), locations.out(), bytes.out());
  });
  const std::vector<std::string> idTexts = ids.Texts(), byteTexts = bytes.Texts();
  const std::vector<std::uint32_t> places = locations.Numbers();
  std::vector<ClientBlockInfo> blocks;
  for (std::size_t i = 0; i < idTexts.size() && i < places.size() && i < byteTexts.size(); ++i)
    blocks.push_back(ClientBlockInfo{idTexts[i], places[i], FromHex(byteTexts[i])});
  return blocks;
}

bool StoredBlock(std::uint32_t serial, const std::string& id, std::uint32_t location, std::vector<std::uint8_t>* bytes) {
  for (ClientBlockInfo& block : StoredBlocks(serial)) {
    if (block.id == id && block.location == location) {
      if (bytes) *bytes = std::move(block.bytes);
      return true;
    }
  }
  return false;
}

std::vector<LedState> PendantLeds(std::uint32_t serial) {
  const std::vector<std::uint32_t> flat = Numbers("PendantLeds", &ITovikSimControl::PendantLeds, serial);
  std::vector<LedState> leds;
  for (std::size_t i = 0; i + 2 < flat.size(); i += 3) leds.push_back(LedState{flat[i], flat[i + 1], flat[i + 2]});
  return leds;
}

std::vector<std::uint32_t> PendantSegments(std::uint32_t serial) {
  return Numbers("PendantSegments", &ITovikSimControl::PendantSegments, serial);
}

std::vector<std::uint32_t> PendantAudio(std::uint32_t serial) {
  return Numbers("PendantAudio", &ITovikSimControl::PendantAudio, serial);
}

std::vector<std::string> LastInitializeRuntime() {
  Array arguments;
  CallServer("LastInitializeRuntime",
             [&](ITovikSimControl* control) { return control->LastInitializeRuntime(arguments.out()); });
  return arguments.Texts();
}

std::vector<std::uint32_t> LastRegistration() {
  Array values;
  CallServer("LastRegistration", [&](ITovikSimControl* control) { return control->LastRegistration(values.out()); });
  return values.Numbers();
}

std::vector<std::uint32_t> InstalledApps(std::uint32_t serial) {
  return Numbers("InstalledApps", &ITovikSimControl::InstalledApps, serial);
}

std::int16_t AutoWifiSwitch() {
  SHORT value = 0;
  CallServer("AutoWifiSwitch", [&](ITovikSimControl* control) { return control->AutoWifiSwitch(&value); });
  return value;
}

std::int16_t ManualScanSwitch() {
  SHORT value = 0;
  CallServer("ManualScanSwitch", [&](ITovikSimControl* control) { return control->ManualScanSwitch(&value); });
  return value;
}

}  // namespace tovik::sim
