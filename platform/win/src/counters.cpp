// The test counters that the Windows-side layer can observe.
#include "tovik/platform.h"

#include <atomic>
#include <map>
#include <mutex>

namespace {
std::atomic<long long> g_gitEntries{0};
std::atomic<std::size_t> g_takenMessages{0};
HHOOK g_messageHook = nullptr;
HMODULE g_module = nullptr;

// Called in every thread of the process that takes a message from its queue.
LRESULT CALLBACK CountTakenMessages(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) ++g_takenMessages;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::once_flag g_hookOnce;

// Cookies whose revocation failed and never succeeded, with the first
// failure (a table may drop the entry and still fail: a second attempt then
// fails for another reason).
std::mutex g_refusedLock;
std::map<DWORD, HRESULT> g_refused;
}  // namespace

namespace standin {
std::size_t LiveBstrCount() { return 0; }
std::size_t LiveSafeArrayCount() { return 0; }
std::size_t LiveLocalAllocCount() { return 0; }
std::size_t GitEntryCount() {
  const long long entries = g_gitEntries.load();
  return entries > 0 ? static_cast<std::size_t>(entries) : 0;
}
std::size_t RefusedGitRevocationCount(HRESULT failure) {
  std::lock_guard lock(g_refusedLock);
  std::size_t count = 0;
  for (const auto& entry : g_refused)
    if (entry.second == failure) ++count;
  return count;
}
std::size_t DispatchedMessageCount() {
  std::call_once(g_hookOnce, [] {
    g_messageHook = SetWindowsHookExA(WH_GETMESSAGE, &CountTakenMessages, g_module, 0);
  });
  return g_takenMessages.load();
}
}  // namespace standin

namespace tovik {
void CountGitRegistration(int delta) { g_gitEntries += delta; }
void NoteGitRevocation(DWORD cookie, HRESULT hr) {
  std::lock_guard lock(g_refusedLock);
  if (SUCCEEDED(hr)) g_refused.erase(cookie);
  else g_refused.emplace(cookie, hr);
}
}  // namespace tovik

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  if (reason == DLL_PROCESS_DETACH && g_messageHook != nullptr) UnhookWindowsHookEx(g_messageHook);
  return TRUE;
}
