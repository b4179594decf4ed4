#pragma once
// Helpers for the command members of CTovikManagerIF (command thread only).
//
// CManagerCommand holds the facade's ITovikManager, fetched from
// TovikManagerObjects, for the duration of one command member and releases
// it on every path (also when a provider call raises _com_error). It also
// reads the packed argument slots. HandOut<W>() wraps an interface that the
// provider returned in a new registered wrapper and writes the wrapper
// through the caller's output pointer.
//
// A typical command member:
//
//   INT_PTR CTovikManagerIF::CmdGetModuleInfo(Args& args) {
//     CManagerCommand manager(this, args);
//     if (!manager.Ready(2)) return kResultNoInterface;     // no interface / too few arguments
//     TovikApiProviderLib::ITovikVciInfoPtr info;           // the command's own reference
//     const LONG result = manager->GetModuleInfo(manager.Ulong(0), &info);
//     HandOut<CTovikVciInfoIF>(info, manager.Slot(1));      // null interface: output untouched
//     return result;
//   }                                                       // info and the manager released here
//
// and its public operation (any thread):
//
//   LONG CTovikManagerIF::GetModuleInfo(ULONG moduleId, CTovikVciInfoIF** info) {
//     return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetModuleInfo, moduleId, info));
//   }
//
// Commands whose no-interface result differs from their short-argument
// result test `manager` and `manager.HasArgs(n)` separately. Text inputs:
// AnsiToBstr(manager.Text(i)) for const char*, WideToBstr(manager.Wide(i))
// for const OLECHAR* (core/TextConversion.h); both keep a null as null BSTR.

#include <cstddef>
#include <vector>

#include "core/Registries.h"
#include "core/ResultCodes.h"
#include "core/TextConversion.h"
#include "core/ThreadManager.h"
#include "facade/CTovikManagerIF.h"
#include "wrappers/WrapperPattern.h"

class CManagerCommand {
 public:
  CManagerCommand(CTovikManagerIF* facade, const std::vector<INT_PTR>& args)
      : m_manager(TovikManagerObjects.Get(facade), false), m_args(args) {}
  CManagerCommand(const CManagerCommand&) = delete;
  CManagerCommand& operator=(const CManagerCommand&) = delete;

  // The facade has a provider interface.
  explicit operator bool() const { return m_manager.GetInterfacePtr() != nullptr; }
  // At least `count` arguments were packed.
  bool HasArgs(std::size_t count) const { return m_args.size() >= count; }
  // Both of the above.
  bool Ready(std::size_t minArgs) const { return static_cast<bool>(*this) && HasArgs(minArgs); }

  TovikApiProviderLib::ITovikManager* operator->() const { return m_manager.GetInterfacePtr(); }
  TovikApiProviderLib::ITovikManager* Get() const { return m_manager.GetInterfacePtr(); }

  // Gives up the command's reference now; returns the count Release() reported
  // (0 when there was none).
  ULONG Release() {
    TovikApiProviderLib::ITovikManager* manager = m_manager.Detach();
    return manager != nullptr ? manager->Release() : 0;
  }

  // Argument slots (index must be below the packed count; test HasArgs first).
  INT_PTR Slot(std::size_t i) const { return m_args[i]; }
  ULONG Ulong(std::size_t i) const { return static_cast<ULONG>(m_args[i]); }
  LONG Long(std::size_t i) const { return static_cast<LONG>(m_args[i]); }
  // A packed bool: VARIANT_TRUE exactly for 1.
  VARIANT_BOOL Bool(std::size_t i) const { return m_args[i] == 1 ? VARIANT_TRUE : VARIANT_FALSE; }
  const char* Text(std::size_t i) const { return reinterpret_cast<const char*>(m_args[i]); }
  const OLECHAR* Wide(std::size_t i) const { return reinterpret_cast<const OLECHAR*>(m_args[i]); }
  template <class T>
  T* Out(std::size_t i) const {
    return reinterpret_cast<T*>(m_args[i]);
  }

 private:
  TovikApiProviderLib::ITovikManagerPtr m_manager;
  const std::vector<INT_PTR>& m_args;
};

// Wraps itf in a new W registered in W's registry and stores the wrapper
// through the output slot (a W**). With a null itf (or a null output
// pointer) no wrapper is made and the output stays as the caller set it.
// The caller keeps and releases its own reference to itf. Returns the new
// wrapper or null. W must be complete (include its wrapper header).
template <class W>
W* HandOut(typename RegistryOf<W>::Interface* itf, INT_PTR outSlot) {
  W** out = reinterpret_cast<W**>(outSlot);
  if (out == nullptr) return nullptr;
  W* wrapper = NewWrapper<W>(itf);  // the one way a wrapper comes to life
  if (wrapper != nullptr) *out = wrapper;
  return wrapper;
}
