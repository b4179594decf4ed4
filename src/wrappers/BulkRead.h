#pragma once
// The command side of ReadItems (wrappers/BulkValues.h): one mechanism for
// every list wrapper that reads its entries in bulk.
//
// A kind of entry is described by a table of property readers, one per
// field of its enum, in the enum's order. The tables are made from the
// element wrapper's operation table (TOVIK_BULK_READERS, wrappers/
// WrapperDefine.h), so a field, its member and its reader never disagree:
//
//   ReadInto<&ITovikVciItem::GetModuleState, &VciItemValues::moduleState>, ...
//
//   INT_PTR CTovikVciItemsIF::CmdReadItems(Args& args) {
//     return ReadItemValues<CTovikVciItemIF>(this, args, &ITovikVciItems::Item, VciItemValuesReaders);
//   }
//
// The public operation packs first, count, a pointer to the field span and a
// pointer to the output vector, in this order (PackReadItems).

#include <new>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "wrappers/BulkValues.h"
#include "wrappers/WrapperPattern.h"

// Reads one property of an element interface into its member of the values.
template <class I, class V>
using PropertyReader = void (*)(I* element, V& values);

namespace bulk_detail {

template <class M>
struct MemberOf;
template <class C, class T>
struct MemberOf<T C::*> {
  using Class = C;
  using Type = T;
};

inline void Store(ULONG& member, ULONG value) { member = value; }
inline void Store(LONG& member, LONG value) { member = value; }
inline void Store(bool& member, VARIANT_BOOL value) { member = value != 0; }

// The text as ReadText hands it out, kept in a string: converted with the
// same call, nothing for an empty text or a failed conversion.
inline void Store(BulkText& member, const _bstr_t& value) {
  const OLECHAR* text = value;
  const int length = static_cast<int>(value.length());
  if (text == nullptr || length == 0) return;
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, bytes.data(), size, nullptr, nullptr);
  member = std::move(bytes);
}

}  // namespace bulk_detail

// The reader of one property: calls Getter on the element and stores the
// value into Member. A provider error is logged as the command thread logs
// it and leaves the member at its default.
template <auto Getter, auto Member>
void ReadInto(typename bulk_detail::MemberOf<decltype(Getter)>::Class* element,
              typename bulk_detail::MemberOf<decltype(Member)>::Class& values) {
  try {
    bulk_detail::Store(values.*Member, (element->*Getter)());
  } catch (_com_error& e) {
    CThreadManager::ReportComError(e);
  }
}

// Public side of ReadItems: one command with the four slots.
template <class W, class V>
ULONG PackReadItems(W* self, INT_PTR (W::*command)(std::vector<INT_PTR>&), ULONG first, ULONG count,
                    std::span<const typename V::Field> fields, std::vector<V>& items) {
  return WrapperCall<ULONG>(self, command, first, count, &fields, &items);
}

// Command side of ReadItems: for each index of the range the element (an
// element the provider fails to hand out is logged and counts as missing),
// skipped when missing, else the fields in order into a new values entry.
// Returns the number of entries appended; 0 without interface or slots.
// Running out of memory ends the range early with what was read.
template <class E, class W, class I, class EI, class V, std::size_t N>
INT_PTR ReadItemValues(W* self, const std::vector<INT_PTR>& args, EI* (I::*element)(ULONG),
                       const PropertyReader<EI, V> (&properties)[N]) {
  static_assert(std::is_same_v<I, WrapperInterface<W>> && std::is_same_v<EI, WrapperInterface<E>>);
  if (args.size() < 4) return 0;
  WrapperInterfacePtr<W> list = FetchInterface(self);
  if (!list) return 0;
  const ULONG first = static_cast<ULONG>(args[0]);
  const ULONG count = static_cast<ULONG>(args[1]);
  const auto& fields = *reinterpret_cast<const std::span<const typename V::Field>*>(args[2]);
  auto& items = *reinterpret_cast<std::vector<V>*>(args[3]);
  ULONG appended = 0;
  try {
    for (ULONG k = 0; k < count; ++k) {
      const ULONG index = first + k;
      EI* fetched = nullptr;
      try {
        fetched = (list.GetInterfacePtr()->*element)(index);
      } catch (_com_error& e) {
        CThreadManager::ReportComError(e);
      }
      const WrapperInterfacePtr<E> item(fetched, false);  // released when the entry is read
      if (!item) continue;
      V& values = items.emplace_back();
      ++appended;
      values.index = index;
      for (const typename V::Field field : fields) {
        const auto slot = static_cast<std::size_t>(field);
        if (slot < N) properties[slot](item.GetInterfacePtr(), values);
      }
    }
  } catch (const std::bad_alloc&) {
    // The entries appended so far stand; the rest of the range is not read.
  }
  return appended;
}
