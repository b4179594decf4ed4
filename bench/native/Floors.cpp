// Floors of the benchmarks (see Floors.h).
#include "Floors.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace P = TovikApiProviderLib;

namespace tovik::bench {

namespace {

// Text property as the wrappers hand it out: ANSI in a LocalAlloc block.
char* AnsiCopy(const _bstr_t& text) {
  const UINT length = text.length();
  if (length == 0) return nullptr;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, static_cast<const OLECHAR*>(text), static_cast<int>(length),
                                        nullptr, 0, nullptr, nullptr);
  char* block = static_cast<char*>(LocalAlloc(LPTR, static_cast<SIZE_T>(bytes) + 1));
  if (block != nullptr)
    WideCharToMultiByte(CP_ACP, 0, static_cast<const OLECHAR*>(text), static_cast<int>(length), block, bytes,
                        nullptr, nullptr);
  return block;
}

std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

struct LocalText {
  char* p;
  ~LocalText() { LocalFree(p); }
};

template <class I>
struct Owned {
  I* p = nullptr;
  ~Owned() {
    if (p != nullptr) p->Release();
  }
  I* operator->() const { return p; }
};

}  // namespace

std::string Scenario(int modules, int apps, std::size_t selfTestBytes) {
  std::string json = "{\"modules\":[";
  static const char kHex[] = "0123456789abcdef";
  for (int i = 0; i < modules; ++i) {
    char module[160];
    std::snprintf(module, sizeof module,
                  "%s{\"serial\":%d,\"name\":\"VCI %05d\",\"type\":%d,\"interface\":%d,\"state\":%d", i ? "," : "",
                  i + 1, i + 1, 3 + i % 2, 1 + i % 4, 1);
    json += module;
    if (i == 0 && selfTestBytes > 0) {
      json += ",\"selfTest\":\"";
      for (std::size_t b = 0; b < selfTestBytes; ++b) {
        json += kHex[(b >> 4) & 15];
        json += kHex[b & 15];
      }
      json += '"';
    }
    json += '}';
  }
  json += "],\"appsPc\":[";
  for (int i = 0; i < apps; ++i) {
    char app[200];
    std::snprintf(app, sizeof app,
                  "%s{\"name\":\"Application %d\",\"app\":%d,\"version\":%d,\"date\":20240514,\"moduleType\":3,"
                  "\"versionText\":\"1.%d\",\"branch\":\"main\",\"dateText\":\"2024-05-14\"}",
                  i ? "," : "", i + 1, i + 1, 100 + i, i);
    json += app;
  }
  json += "]}";
  return json;
}

// ---- ping-pongs

EventPingPong::EventPingPong()
    : m_ping(CreateEventA(nullptr, FALSE, FALSE, nullptr)), m_pong(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
  m_partner = std::thread([this] {
    for (;;) {
      WaitForSingleObject(m_ping, INFINITE);
      if (m_stop.load()) return;
      SetEvent(m_pong);
    }
  });
}

EventPingPong::~EventPingPong() {
  m_stop.store(true);
  SetEvent(m_ping);
  m_partner.join();
  CloseHandle(m_ping);
  CloseHandle(m_pong);
}

void EventPingPong::RoundTrip() {
  SetEvent(m_ping);
  WaitForSingleObject(m_pong, INFINITE);
}

SpinPingPong::SpinPingPong() {
  m_partner = std::thread([this] {
    std::uint64_t seen = 0;
    while (!m_stop.load(std::memory_order_relaxed)) {
      const std::uint64_t now = m_ping.load(std::memory_order_acquire);
      if (now != seen) {
        seen = now;
        m_pong.store(now, std::memory_order_release);
      }
    }
  });
}

SpinPingPong::~SpinPingPong() {
  m_stop.store(true);
  m_partner.join();
}

void SpinPingPong::RoundTrip() {
  const std::uint64_t next = m_ping.load(std::memory_order_relaxed) + 1;
  m_ping.store(next, std::memory_order_release);
  while (m_pong.load(std::memory_order_acquire) != next) {
  }
}

// ---- event relay

EventRelay::EventRelay()
    : m_post(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_waiterWake(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_commandWake(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_request(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_answer(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      m_back(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
  m_eventThread = std::thread([this] {
    for (;;) {
      WaitForSingleObject(m_post, INFINITE);
      if (m_stop.load()) return;
      SetEvent(m_waiterWake);
      SetEvent(m_commandWake);
    }
  });
  m_commandThread = std::thread([this] {
    for (;;) {
      WaitForSingleObject(m_commandWake, INFINITE);
      if (m_stop.load()) return;
      WaitForSingleObject(m_request, INFINITE);
      SetEvent(m_answer);
    }
  });
  m_waiter = std::thread([this] {
    for (;;) {
      WaitForSingleObject(m_waiterWake, INFINITE);
      if (m_stop.load()) return;
      SetEvent(m_request);
      WaitForSingleObject(m_answer, INFINITE);
      m_sample.store(NowNs() - m_postedAt.load());
      SetEvent(m_back);
    }
  });
}

EventRelay::~EventRelay() {
  m_stop.store(true);
  for (HANDLE event : {m_post, m_waiterWake, m_commandWake}) SetEvent(event);
  m_eventThread.join();
  m_commandThread.join();
  m_waiter.join();
  for (HANDLE event : {m_post, m_waiterWake, m_commandWake, m_request, m_answer, m_back}) CloseHandle(event);
}

std::int64_t EventRelay::Deliver() {
  m_postedAt.store(NowNs());
  SetEvent(m_post);
  WaitForSingleObject(m_back, INFINITE);
  return m_sample.load();
}

// ---- direct provider

DirectProvider::DirectProvider() {
  m_comInitialised = SUCCEEDED(CoInitialize(nullptr));
  const HRESULT hr = CoCreateInstance(P::CLSID_TovikManager, nullptr, CLSCTX_ALL, __uuidof(P::ITovikManager),
                                      reinterpret_cast<void**>(&m_manager));
  if (FAILED(hr) || m_manager == nullptr) throw std::runtime_error("no provider manager (is the provider loaded?)");
}

DirectProvider::~DirectProvider() {
  if (m_manager != nullptr) m_manager->Release();
  if (m_comInitialised) CoUninitialize();
}

ULONG DirectProvider::Connect(ULONG serial) {
  ULONG handle = 0;
  m_manager->Connect(serial, 1, &handle);
  return handle;
}

ULONG DirectProvider::GetConStatus(ULONG handle) {
  ULONG status = 0;
  m_manager->GetConStatus(handle, &status);
  return status;
}

std::size_t DirectProvider::ReadModuleList(const std::function<void(const Module&)>& each) {
  Owned<P::ITovikVciItems> items;
  m_manager->GetModuleIds(&items.p);
  if (items.p == nullptr) return 0;
  const ULONG count = items->GetCount();
  std::size_t read = 0;
  for (ULONG i = 0; i < count; ++i) {
    Owned<P::ITovikVciItem> item{items->Item(i)};
    if (item.p == nullptr) continue;
    const LocalText name{AnsiCopy(item->GetModuleName())};
    const ULONG type = item->GetModuleType();
    const ULONG vciInterface = item->GetVCIInterface();
    const ULONG serialNumber = item->GetSerialNumber();
    const ULONG state = item->GetModuleState();
    if (each) each(Module{name.p, type, vciInterface, serialNumber, state, count});
    ++read;
  }
  return read;
}

std::size_t DirectProvider::ReadAppsPc(const std::function<void(const AppPc&)>& each) {
  Owned<P::ITovikAppPcItemList> list;
  m_manager->GetAppsPC_3(&list.p);
  if (list.p == nullptr) return 0;
  const ULONG count = list->GetCount();
  std::size_t read = 0;
  for (ULONG i = 0; i < count; ++i) {
    Owned<P::ITovikAppPcItem> item{list->Item(i)};
    if (item.p == nullptr) continue;
    const LocalText name{AnsiCopy(item->GetAppName())};
    const LocalText versionText{AnsiCopy(item->GetAppVersionStr())};
    const LocalText branch{AnsiCopy(item->GetBranchName())};
    const LocalText dateText{AnsiCopy(item->GetAppDateStr())};
    const ULONG moduleType = item->GetModuleType();
    const ULONG app = item->GetApp();
    if (each) each(AppPc{name.p, versionText.p, branch.p, dateText.p, moduleType, app, count});
    ++read;
  }
  return read;
}

std::size_t DirectProvider::ReadSelfTest(ULONG handle) {
  Owned<P::ITovikByteBuffer> buffer;
  m_manager->RunSelfTest(handle, &buffer.p);
  if (buffer.p == nullptr) return 0;
  const LONG length = buffer->GetLength();
  if (length <= 0) return 0;
  auto* block = static_cast<unsigned char*>(LocalAlloc(LPTR, static_cast<SIZE_T>(length)));
  for (LONG i = 0; i < length; ++i) block[i] = buffer->Item(i);
  LocalFree(block);
  return static_cast<std::size_t>(length);
}

}  // namespace tovik::bench
