#include "RemoteSession.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "RegistryEntries.h"

namespace tovik::sim::win {

namespace {

[[noreturn]] void Fail(const char* what, HRESULT hr) {
  std::fprintf(stderr, "TovikSimRemote: %s failed with 0x%08lX; the out-of-process provider is not usable\n", what,
               static_cast<unsigned long>(hr));
  std::fflush(stderr);
  std::_Exit(3);
}

// TovikProviderServer.exe next to this DLL.
std::wstring ServerPath() {
  std::wstring path = ModulePathOf(reinterpret_cast<const void*>(&ServerPath));
  path.erase(path.find_last_of(L"\\/") + 1);
  return path + L"TovikProviderServer.exe";
}

// Enters the server of this build in the registry (classes and type
// libraries), so that the test process reaches this build's server.
HRESULT RegisterServer() {
  std::wstring command = L"\"" + ServerPath() + L"\" /RegServer";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return HRESULT_FROM_WIN32(GetLastError());
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode == 0 ? S_OK : E_FAIL;
}

// The thread that keeps the multithreaded apartment and the control object.
// It is never stopped: at process exit the system ends it, and the server
// notices that this process has gone.
class Session {
 public:
  static Session& Instance() {
    static Session* session = new Session;  // never destroyed: see above
    return *session;
  }
  ITovikSimControl* Control() const { return control_; }

 private:
  Session() {
    std::thread([this] { Keep(); }).detach();
    std::unique_lock guard(lock_);
    ready_.wait(guard, [this] { return done_; });
    if (FAILED(hr_)) Fail(what_, hr_);
  }

  void Keep() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const char* what = "CoInitializeEx";
    if (SUCCEEDED(hr)) {
      what = "registering TovikProviderServer.exe";
      hr = RegisterServer();
    }
    if (SUCCEEDED(hr)) {
      what = "connecting to TovikProviderServer.exe";
      hr = Connect();
    }
    {
      std::lock_guard guard(lock_);
      hr_ = hr;
      what_ = what;
      done_ = true;
    }
    ready_.notify_all();
    if (FAILED(hr)) return;
    for (;;) Sleep(INFINITE);
  }

  // A server that is just stopping refuses to attach; COM then starts a new
  // one once the old one's classes are gone.
  HRESULT Connect() {
    HRESULT hr = E_FAIL;
    for (int attempt = 0; attempt < 50; ++attempt) {
      ITovikSimControl* control = nullptr;
      hr = CoCreateInstance(__uuidof(TovikSimControl), nullptr, CLSCTX_LOCAL_SERVER, __uuidof(ITovikSimControl),
                            reinterpret_cast<void**>(&control));
      if (SUCCEEDED(hr)) {
        hr = control->Attach(static_cast<LONG>(GetCurrentProcessId()));
        if (SUCCEEDED(hr)) {
          control_ = control;
          return S_OK;
        }
        control->Release();
      }
      Sleep(200);
    }
    return hr;
  }

  std::mutex lock_;
  std::condition_variable ready_;
  bool done_ = false;
  HRESULT hr_ = S_OK;
  const char* what_ = "";
  ITovikSimControl* control_ = nullptr;
};

}  // namespace

void CallServer(const char* what, const std::function<HRESULT(ITovikSimControl*)>& call) {
  ITovikSimControl* control = Session::Instance().Control();
  HRESULT hr = S_OK;
  std::thread caller([&] {
    hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(hr)) return;
    hr = call(control);
    CoUninitialize();
  });
  caller.join();
  if (FAILED(hr)) Fail(what, hr);
}

}  // namespace tovik::sim::win
