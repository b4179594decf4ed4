#pragma once
// Building blocks of the result objects: a snapshot of plain data with
// property accessors, and a list of snapshots with Count and an element
// method.

#include <mutex>
#include <vector>

#include "ComObject.h"
#include "Data.h"
#include "Faults.h"
#include "Text.h"

namespace tovik::sim {

template <class I, class D>
class Snapshot : public ComObject<I> {
 public:
  explicit Snapshot(D data) : data_(std::move(data)) {}

 protected:
  D Data() const {
    std::lock_guard guard(lock_);
    return data_;
  }

  mutable std::mutex lock_;
  D data_;
};

template <class IList, class D>
class SnapshotList : public ComObject<IList> {
 public:
  explicit SnapshotList(std::vector<D> items) : items_(std::move(items)) {}

 protected:
  HRESULT CountImpl(ULONG* count) {
    return this->Get("Count", count, [&] { return static_cast<ULONG>(items_.size()); });
  }

  // The element method: a new snapshot object of class Item for the entry
  // at `index` (null when a test made that entry missing).
  template <class Item, class IItem>
  HRESULT ElementImpl(const char* method, ULONG index, IItem** element) {
    ProviderCall call(this->Key(method), __uuidof(IList), index);
    if (call.Failed()) return call.Hr();
    if (element == nullptr) return E_POINTER;
    *element = nullptr;
    if (index >= items_.size()) return E_INVALIDARG;
    if (Faults::Instance().Missing(InterfaceName<IList>::value, index)) return S_OK;
    call.Hand(element, Create<Item>(items_[index]));
    return S_OK;
  }

  const std::vector<D> items_;
};

// Property accessors of a Snapshot: read-only number, read/write number,
// read-only text, read/write text.
#define SIM_FIELD(Type, Name, member)                                                  \
  HRESULT STDMETHODCALLTYPE get_##Name(Type* value) override {                         \
    return this->Get(#Name, value, [&] { return static_cast<Type>(this->Data().member); }); \
  }
#define SIM_FIELD_RW(Type, Name, member)                                               \
  SIM_FIELD(Type, Name, member)                                                        \
  HRESULT STDMETHODCALLTYPE put_##Name(Type value) override {                          \
    return this->Put(#Name, value, [&](Type v) {                                       \
      std::lock_guard guard(this->lock_);                                              \
      this->data_.member = v;                                                          \
    });                                                                                \
  }
#define SIM_TEXT(Name, member)                                                         \
  HRESULT STDMETHODCALLTYPE get_##Name(BSTR* value) override {                         \
    return this->Get(#Name, value, [&] { return NewBstr(this->Data().member); });      \
  }
#define SIM_TEXT_RW(Name, member)                                                      \
  SIM_TEXT(Name, member)                                                               \
  HRESULT STDMETHODCALLTYPE put_##Name(BSTR value) override {                          \
    return this->Put(#Name, value, [&](BSTR v) {                                       \
      std::lock_guard guard(this->lock_);                                              \
      this->data_.member = Utf8FromBstr(v);                                            \
    });                                                                                \
  }

// A list class: Count, the element method named `Element` creating `Item`
// objects, and whatever `extra` adds (the enumerator slot).
#define SIM_LIST(Class, IList, IItem, Item, D, Element, extra)                           \
  class Class : public SnapshotList<TovikApiProviderLib::IList, D> {                     \
   public:                                                                               \
    using SnapshotList::SnapshotList;                                                    \
    HRESULT STDMETHODCALLTYPE get_Count(ULONG* count) override { return CountImpl(count); } \
    HRESULT STDMETHODCALLTYPE raw_##Element(ULONG index, TovikApiProviderLib::IItem** element) override { \
      return ElementImpl<Item>(#Element, index, element);                                \
    }                                                                                    \
    extra                                                                                \
  };

#define SIM_NEWENUM                                                                      \
  HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** enumerator) override {               \
    return NoEnumerator(enumerator);                                                     \
  }

}  // namespace tovik::sim
