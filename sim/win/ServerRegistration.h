#pragma once
// The out-of-process server's registry entries: its classes (the provider's
// three and the control class) as LocalServer32 of this EXE, and its two type
// libraries (TovikApiProviderLib and TovikSimControlLib, resources 1 and 2 of
// the EXE), which give every interface the system's type-library marshaler.

#include <string>

namespace tovik::sim::win {

// Registers classes and type libraries for the EXE at `serverPath`; removes
// in-process entries of the same classes, so that CLSCTX_ALL reaches this
// server. False if an entry could not be written.
bool RegisterServer(const std::wstring& serverPath);

// Registers the two type libraries only (a server started by hand).
bool RegisterTypeLibraries(const std::wstring& serverPath);

void UnregisterServer(const std::wstring& serverPath);

}  // namespace tovik::sim::win
