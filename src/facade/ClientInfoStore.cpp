// Storing and deleting client information, access status and free client
// space: the public operations and their command members.
#include <cstring>

#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "wrappers/ClientInfoWrappers.h"

using TovikApiProviderLib::ITovikClientAccessItemPtr;
using TovikApiProviderLib::ITovikClientSpacePtr;

namespace {

// A VARIANT owned for the length of one provider call; VariantClear frees
// whatever it holds (for VT_ARRAY | VT_UI1 the safe array).
class CVariantHolder {
 public:
  CVariantHolder() { VariantInit(&m_value); }
  ~CVariantHolder() { VariantClear(&m_value); }
  CVariantHolder(const CVariantHolder&) = delete;
  CVariantHolder& operator=(const CVariantHolder&) = delete;

  const VARIANT& Get() const { return m_value; }
  // Takes ownership of the array.
  void AttachByteArray(SAFEARRAY* array) {
    VariantClear(&m_value);
    m_value.vt = VT_ARRAY | VT_UI1;
    m_value.parray = array;
  }

 private:
  VARIANT m_value;
};

// Copies `length` bytes into a new one-dimensional VT_UI1 safe array (lower
// bound 0) held by `variant`. False when the array cannot be created or its
// data cannot be locked; nothing is left allocated then.
bool BuildByteArray(const unsigned char* data, ULONG length, CVariantHolder& variant) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, length);
  if (array == nullptr) return false;
  void* cells = nullptr;
  if (FAILED(SafeArrayAccessData(array, &cells))) {
    SafeArrayDestroy(array);
    return false;
  }
  if (length > 0) std::memcpy(cells, data, length);
  SafeArrayUnaccessData(array);
  variant.AttachByteArray(array);
  return true;
}

}  // namespace

// ---- public operations ------------------------------------------------------

LONG CTovikManagerIF::StoreClientInfo(ULONG connection, const char* id, ULONG location, unsigned char* data,
                                      ULONG length, ULONG option, CTovikClientAccessItemIF** item) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdStoreClientInfo, connection, id, location, data,
                                         length, option, item));
}

LONG CTovikManagerIF::StoreClientInfoFile(ULONG connection, const char* id, ULONG location, const char* fileName,
                                          ULONG option, CTovikClientAccessItemIF** item) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdStoreClientInfoFile, connection, id, location,
                                         fileName, option, item));
}

LONG CTovikManagerIF::DeleteClientInfo(ULONG connection, const char* id, ULONG location) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdDeleteClientInfo, connection, id, location));
}

LONG CTovikManagerIF::GetClientAccessStatus(ULONG connection, ULONG accessId, CTovikClientAccessItemIF** item) {
  return static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdGetClientAccessStatus, connection, accessId, item));
}

LONG CTovikManagerIF::GetAvailableClientSpace(ULONG connection, CTovikClientSpaceIF** space) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetAvailableClientSpace, connection, space));
}

// ---- command members (command thread) -----------------------------------------
// Arguments: connection, id, location, data, length, option, item.

INT_PTR CTovikManagerIF::CmdStoreClientInfo(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(7)) return kResultNoInterface;
  const unsigned char* data = manager.Out<const unsigned char>(3);
  const ULONG length = manager.Ulong(4);
  if (data == nullptr && length > 0) return kResultNoInterface;  // bytes announced, none given

  const _bstr_t id = AnsiToBstr(manager.Text(1));
  CVariantHolder bytes;
  if (!BuildByteArray(data, length, bytes)) return kResultNoByteArray;

  ITovikClientAccessItemPtr item;
  const LONG result = manager->StoreClientInfo(manager.Ulong(0), id, manager.Ulong(2), bytes.Get(),
                                               manager.Ulong(5), &item);
  HandOut<CTovikClientAccessItemIF>(item, manager.Slot(6));
  return result;
}

// Arguments: connection, id, location, file name, option, item.
INT_PTR CTovikManagerIF::CmdStoreClientInfoFile(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(6)) return kResultNoInterface;
  const _bstr_t id = AnsiToBstr(manager.Text(1));
  const _bstr_t fileName = AnsiToBstr(manager.Text(3));

  ITovikClientAccessItemPtr item;
  const LONG result =
      manager->StoreClientInfoFile(manager.Ulong(0), id, manager.Ulong(2), fileName, manager.Ulong(4), &item);
  HandOut<CTovikClientAccessItemIF>(item, manager.Slot(5));
  return result;
}

// Arguments: connection, id, location.
INT_PTR CTovikManagerIF::CmdDeleteClientInfo(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(3)) return kResultNoInterface;
  const _bstr_t id = AnsiToBstr(manager.Text(1));
  return manager->DeleteClientInfo(manager.Ulong(0), id, manager.Ulong(2));
}

// Arguments: connection, access id, item.
INT_PTR CTovikManagerIF::CmdGetClientAccessStatus(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(3)) return kResultNoInterface;
  ITovikClientAccessItemPtr item;
  const LONG result = manager->GetClientAccessStatus(manager.Ulong(0), manager.Ulong(1), &item);
  HandOut<CTovikClientAccessItemIF>(item, manager.Slot(2));
  return result;
}

// Arguments: connection, space.
INT_PTR CTovikManagerIF::CmdGetAvailableClientSpace(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(2)) return kResultNoInterface;
  ITovikClientSpacePtr space;
  const LONG result = manager->GetAvailableClientSpace(manager.Ulong(0), &space);
  HandOut<CTovikClientSpaceIF>(space, manager.Slot(1));
  return result;
}
