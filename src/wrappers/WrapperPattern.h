#pragma once
// The one mechanism behind the 24 result wrappers CTovik...IF.
//
// A wrapper is an empty native object; its address keys the entry of its
// class's registry (RegistryOf<W>, core/Registries.h), which holds the
// provider interface. Every public operation is a command: it submits its
// private Cmd... member with WrapperCall and converts the result; the
// command member runs on the command thread and does its work with one of
// the Read.../Write... templates below, which fetch the interface from the
// registry and release it on every path (also when the provider raises
// _com_error, which the command thread then logs; the command yields 0).
// The two members of an operation are made from its row in the class's table
// (wrappers/WrapperDecl.h, wrappers/WrapperDefine.h); a Number row becomes
//
//   ULONG CTovikVciItemIF::GetSerialNumber() {
//     return WrapperCall<ULONG>(this, &CTovikVciItemIF::CmdGetSerialNumber);
//   }
//   INT_PTR CTovikVciItemIF::CmdGetSerialNumber(Args&) {
//     return ReadNumber(this, &ITovikVciItem::GetSerialNumber);
//   }
//
// Results when no interface is registered: 0, false, null; setters do nothing.

#include <type_traits>
#include <vector>

#include "core/Registries.h"
#include "core/TextConversion.h"
#include "core/ThreadManager.h"

template <class W>
using WrapperInterface = typename RegistryOf<W>::Interface;
template <class W>
using WrapperInterfacePtr = typename RegistryOf<W>::InterfacePtr;

// ---- public side (any thread) ------------------------------------------------

// Submits the command member with the given arguments and converts the
// command's result: bool is true exactly for 1, pointers are cast back,
// numbers are cut to their type; void ignores it.
template <class R, class W, class... A>
R WrapperCall(W* self, INT_PTR (W::*command)(std::vector<INT_PTR>&), A... args) {
  const INT_PTR result = SubmitCommand(self, command, args...);
  if constexpr (std::is_void_v<R>) {
    (void)result;
  } else if constexpr (std::is_same_v<R, bool>) {
    return result == 1;
  } else if constexpr (std::is_pointer_v<R>) {
    return reinterpret_cast<R>(result);
  } else {
    return static_cast<R>(result);
  }
}

// ---- registration (command thread) -------------------------------------------

// A new reference to the interface registered for the wrapper (null when none).
template <class W>
WrapperInterfacePtr<W> FetchInterface(W* self) {
  return WrapperInterfacePtr<W>(RegistryOf<W>::Objects().Get(self), false);
}

// AttachInterface: drops a registration left under this address, then
// registers itf for the wrapper. The caller keeps its own reference.
template <class W>
void AttachWrapperInterface(W* wrapper, WrapperInterface<W>* itf) {
  auto& objects = RegistryOf<W>::Objects();
  WrapperInterfacePtr<W> previous(objects.Remove(wrapper), false);
  objects.Add(wrapper, itf);
}

// CmdDestroyObject: removes the registration and releases the interface.
// Returns false when nothing was registered; *count receives the count
// that Release() returned.
template <class W>
bool ReleaseWrapperInterface(W* wrapper, ULONG* count = nullptr) {
  WrapperInterface<W>* itf = RegistryOf<W>::Objects().Remove(wrapper);
  if (itf == nullptr) return false;
  const ULONG remaining = itf->Release();
  if (count != nullptr) *count = remaining;
  return true;
}

// A new wrapper registered for itf, or null for a null itf. The caller
// keeps its own reference to itf.
template <class W>
W* NewWrapper(WrapperInterface<W>* itf) {
  if (itf == nullptr) return nullptr;
  W* wrapper = new W;
  W::AttachInterface(wrapper, itf);
  return wrapper;
}

// ---- command members (command thread) ----------------------------------------

struct NoAction {
  void operator()() const {}
};

// Numeric getter: the property value, zero-extended (ULONG) or
// sign-extended (LONG) into the slot.
template <class W, class R, class I>
INT_PTR ReadNumber(W* self, R (I::*getter)()) {
  static_assert(std::is_same_v<I, WrapperInterface<W>>);
  WrapperInterfacePtr<W> itf = FetchInterface(self);
  if (!itf) return 0;
  return static_cast<INT_PTR>((itf.GetInterfacePtr()->*getter)());
}

// Bool getter: 1 for any non-zero VARIANT_BOOL, else 0.
template <class W, class I>
INT_PTR ReadBool(W* self, VARIANT_BOOL (I::*getter)()) {
  return ReadNumber(self, getter) != 0 ? 1 : 0;
}

// Bool getter that accepts only VARIANT_TRUE (-1) as true.
template <class W, class I>
INT_PTR ReadVariantTrue(W* self, VARIANT_BOOL (I::*getter)()) {
  return ReadNumber(self, getter) == VARIANT_TRUE ? 1 : 0;
}

// String getter: a LocalAlloc(LPTR) block with the ANSI text (converted
// length + 1 bytes), or null. An empty (or null) text yields null after
// onEmpty() has run, so a class can log its own line there.
template <class W, class I, class OnEmpty = NoAction>
INT_PTR ReadText(W* self, _bstr_t (I::*getter)(), OnEmpty onEmpty = {}) {
  static_assert(std::is_same_v<I, WrapperInterface<W>>);
  WrapperInterfacePtr<W> itf = FetchInterface(self);
  if (!itf) return 0;
  const _bstr_t text = (itf.GetInterfacePtr()->*getter)();
  if (text.length() == 0) {
    onEmpty();
    return 0;
  }
  return reinterpret_cast<INT_PTR>(BstrToLocalAnsi(text));
}

// Element accessor: the element at the index in args[0], wrapped in a new
// registered E; null without interface, without index or without element.
template <class E, class W, class I, class EI>
INT_PTR ReadElement(W* self, const std::vector<INT_PTR>& args, EI* (I::*element)(ULONG)) {
  static_assert(std::is_same_v<I, WrapperInterface<W>> && std::is_same_v<EI, WrapperInterface<E>>);
  WrapperInterfacePtr<W> itf = FetchInterface(self);
  if (!itf || args.empty()) return 0;
  const WrapperInterfacePtr<E> item((itf.GetInterfacePtr()->*element)(static_cast<ULONG>(args[0])), false);
  return reinterpret_cast<INT_PTR>(NewWrapper<E>(item));
}

// Sub-object accessor without index, otherwise as ReadElement.
template <class E, class W, class I, class EI>
INT_PTR ReadSubObject(W* self, EI* (I::*getter)()) {
  static_assert(std::is_same_v<I, WrapperInterface<W>> && std::is_same_v<EI, WrapperInterface<E>>);
  WrapperInterfacePtr<W> itf = FetchInterface(self);
  if (!itf) return 0;
  const WrapperInterfacePtr<E> sub((itf.GetInterfacePtr()->*getter)(), false);
  return reinterpret_cast<INT_PTR>(NewWrapper<E>(sub));
}

// Setter: puts args[0] into the property; nothing without interface or
// without argument. Returns 0.
template <class W, class I, class V>
INT_PTR WriteValue(W* self, const std::vector<INT_PTR>& args, void (I::*put)(V)) {
  static_assert(std::is_same_v<I, WrapperInterface<W>>);
  WrapperInterfacePtr<W> itf = FetchInterface(self);
  if (!itf || args.empty()) return 0;
  (itf.GetInterfacePtr()->*put)(static_cast<V>(args[0]));
  return 0;
}
