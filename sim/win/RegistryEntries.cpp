#include "RegistryEntries.h"

namespace tovik::sim::win {

namespace {

std::wstring ServerKeyName(REFCLSID clsid, const wchar_t* server) {
  return L"Software\\Classes\\CLSID\\" + GuidText(clsid) + L"\\" + server;
}

bool SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool WriteUnder(HKEY root, const std::wstring& name, const std::wstring& command, const wchar_t* threadingModel) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, name.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const bool done = SetText(key, nullptr, command) && (threadingModel == nullptr || SetText(key, L"ThreadingModel", threadingModel));
  RegCloseKey(key);
  return done;
}

}  // namespace

std::wstring GuidText(REFGUID id) {
  wchar_t text[40] = {};
  StringFromGUID2(id, text, 40);
  return text;
}

std::wstring ModulePathOf(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCWSTR>(address), &module))
    return {};
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool WriteServerKey(REFCLSID clsid, const wchar_t* server, const std::wstring& command, const wchar_t* threadingModel) {
  const std::wstring name = ServerKeyName(clsid, server);
  return WriteUnder(HKEY_LOCAL_MACHINE, name, command, threadingModel) ||
         WriteUnder(HKEY_CURRENT_USER, name, command, threadingModel);
}

void DeleteServerKey(REFCLSID clsid, const wchar_t* server) {
  const std::wstring name = ServerKeyName(clsid, server);
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, name.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, name.c_str());
}

}  // namespace tovik::sim::win
