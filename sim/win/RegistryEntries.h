#pragma once
// Registry entries of the virtual provider's COM servers (Windows only): the
// class keys under Software\Classes\CLSID, in HKLM where it is writable and
// in HKCU otherwise, and the path of the module that serves them.

#include <string>

#include "tovik/platform.h"

namespace tovik::sim::win {

// "{1F59BB30-E0AC-46AB-9EAA-587284DEEA6D}"
std::wstring GuidText(REFGUID id);

// Full path of the module (DLL or EXE) that contains `address`.
std::wstring ModulePathOf(const void* address);

// Sets the default value of Software\Classes\CLSID\{clsid}\<server> to
// `command` and, when given, its ThreadingModel value.
bool WriteServerKey(REFCLSID clsid, const wchar_t* server, const std::wstring& command,
                    const wchar_t* threadingModel = nullptr);

// Removes Software\Classes\CLSID\{clsid}\<server> from HKLM and HKCU.
void DeleteServerKey(REFCLSID clsid, const wchar_t* server);

}  // namespace tovik::sim::win
