// native_example: a native caller of TovikApi4J, no Java involved.
//
// It loads a provider (by default the virtual provider, libTovikProviderSim.so,
// which registers its classes with the COM runtime when loaded), creates a
// CTovikManagerIF, lists the modules with the result wrappers, reads each
// module's details, connects to the first module, reads the connection state
// and disconnects.
//
//   native_example [-v] [provider library]
//
// -v prints the library's core log on standard error. Exit code 0 when every
// step succeeded, 1 when one failed, 2 when the provider cannot be loaded.

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "facade/CTovikManagerIF.h"
#include "wrappers/ModuleWrappers.h"

namespace {

bool g_verbose = false;

// Receives the library's core log lines, from the command thread too.
void PrintLog(const char* line) {
  static std::mutex lock;
  if (g_verbose) {
    std::lock_guard<std::mutex> guard(lock);
    std::fprintf(stderr, "log: %s\n", line);
  }
}

// Wrapper getters hand out text as LocalAlloc blocks that the caller frees.
std::string Take(char* text) {
  std::string copy = text ? text : "";
  if (text) LocalFree(text);
  return copy;
}

// Prints the step and its result code; true when it succeeded.
bool Report(const char* step, LONG result) {
  std::printf("%s: result 0x%08X\n", step, static_cast<unsigned>(result));
  return result == 0;
}

int Run() {
  CTovikManagerIF manager(&PrintLog);
  bool ok = Report("initialize", manager.InitializeRuntime("native example", "", false));

  // The module list: one wrapper for the list, one per item; every property
  // read is a call into the provider on the library's command thread.
  ULONG firstModule = 0;
  CTovikVciItemsIF* itemsOut = nullptr;
  ok = Report("modules", manager.GetModuleIds(&itemsOut)) && ok;
  std::unique_ptr<CTovikVciItemsIF> items(itemsOut);
  const ULONG count = items ? items->Count() : 0;
  std::printf("module count: %u\n", static_cast<unsigned>(count));
  for (ULONG i = 0; i < count; ++i) {
    std::unique_ptr<CTovikVciItemIF> item(items->Item(i));
    if (!item) {
      std::printf("module %u: missing\n", static_cast<unsigned>(i));
      ok = false;
      continue;
    }
    const ULONG serial = item->GetSerialNumber();
    const std::string name = Take(item->GetModuleName());
    const ULONG state = item->GetModuleState();
    if (i == 0) firstModule = serial;

    CTovikVciInfoIF* infoOut = nullptr;
    const LONG infoResult = manager.GetModuleInfo(serial, &infoOut);
    std::unique_ptr<CTovikVciInfoIF> info(infoOut);
    const std::string alias = info ? Take(info->VciAlias()) : "";
    const std::string usb = info ? Take(info->USBAddress()) : "";
    std::printf("module %u \"%s\" state %u alias \"%s\" usb \"%s\"\n", static_cast<unsigned>(serial),
                name.c_str(), static_cast<unsigned>(state), alias.c_str(), usb.c_str());
    ok = infoResult == 0 && info && ok;
  }
  items.reset();
  if (count == 0) return 1;

  ULONG connection = 0xFFFFFFFF;
  ok = Report("connect", manager.Connect(firstModule, 1, &connection)) && ok;
  std::printf("connected to %u: handle %u\n", static_cast<unsigned>(firstModule),
              static_cast<unsigned>(connection));
  ULONG status = 0;
  ok = Report("status", manager.GetConStatus(connection, &status)) && ok;
  std::printf("connection status: %u\n", static_cast<unsigned>(status));
  ok = Report("disconnect", manager.Disconnect(connection)) && ok;
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const char* provider = "libTovikProviderSim.so";
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-v") == 0) {
      g_verbose = true;
    } else {
      provider = argv[i];
    }
  }
  // The provider's class factories stay registered for the life of the
  // process, so the library stays loaded: no dlclose.
  if (!dlopen(provider, RTLD_NOW)) {
    std::fprintf(stderr, "native_example: cannot load the provider: %s\n", dlerror());
    return 2;
  }
  const int code = Run();
  std::printf("%s\n", code == 0 ? "done" : "failed");
  return code;
}
