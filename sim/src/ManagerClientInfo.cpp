// Manager: storing, listing, reading back and deleting client information.

#include "Manager.h"
#include "ResultObjects.h"
#include "Text.h"

namespace tovik::sim {

namespace {

const IID& Iid() { return __uuidof(P::ITovikManager); }

// The bytes of a VT_ARRAY | VT_UI1 variant with one dimension.
bool BytesOf(const VARIANT& data, Bytes* bytes) {
  if (data.vt != (VT_ARRAY | VT_UI1) || data.parray == nullptr || SafeArrayGetDim(data.parray) != 1) return false;
  LONG lower = 0, upper = -1;
  if (FAILED(SafeArrayGetLBound(data.parray, 1, &lower)) || FAILED(SafeArrayGetUBound(data.parray, 1, &upper)))
    return false;
  void* raw = nullptr;
  if (FAILED(SafeArrayAccessData(data.parray, &raw))) return false;
  const auto* first = static_cast<const std::uint8_t*>(raw);
  bytes->assign(first, first + (upper >= lower ? upper - lower + 1 : 0));
  SafeArrayUnaccessData(data.parray);
  return true;
}

}  // namespace

HRESULT Manager::raw_StoreClientInfo(ULONG connection, BSTR id, ULONG location, VARIANT data, ULONG option,
                                     P::ITovikClientAccessItem** item, LONG* result) {
  ProviderCall call(Key("StoreClientInfo"), Iid(), connection, id, location, data, option);
  Bytes bytes;
  if (!call.Failed() && !BytesOf(data, &bytes)) return DISP_E_TYPEMISMATCH;
  return Complete(call, result, [&] {
    AccessData access;
    bool withItem = false;
    const LONG code = Model().Store(connection, Utf8FromBstr(id), location, bytes, &access, &withItem);
    if (withItem) call.Hand(item, Create<ClientAccessItem>(access));
    return code;
  }, item);
}

HRESULT Manager::raw_StoreClientInfoFile(ULONG connection, BSTR id, ULONG location, BSTR fileName, ULONG option,
                                         P::ITovikClientAccessItem** item, LONG* result) {
  ProviderCall call(Key("StoreClientInfoFile"), Iid(), connection, id, location, fileName, option);
  return Complete(call, result, [&] {
    AccessData access;
    bool withItem = false;
    const LONG code =
        Model().StoreFile(connection, Utf8FromBstr(id), location, Utf8FromBstr(fileName), &access, &withItem);
    if (withItem) call.Hand(item, Create<ClientAccessItem>(access));
    return code;
  }, item);
}

HRESULT Manager::raw_DeleteClientInfo(ULONG connection, BSTR id, ULONG location, LONG* result) {
  ProviderCall call(Key("DeleteClientInfo"), Iid(), connection, id, location);
  return Complete(call, result, [&] { return Model().Delete(connection, Utf8FromBstr(id), location); });
}

HRESULT Manager::raw_GetClientAccessStatus(ULONG connection, ULONG accessId, P::ITovikClientAccessItem** item,
                                           LONG* result) {
  ProviderCall call(Key("GetClientAccessStatus"), Iid(), connection, accessId);
  return Complete(call, result, [&] {
    AccessData access;
    const LONG code = Model().AccessStatus(connection, accessId, &access);
    if (code == 0) call.Hand(item, Create<ClientAccessItem>(access));
    return code;
  }, item);
}

HRESULT Manager::raw_GetAvailableClientSpace(ULONG connection, P::ITovikClientSpace** space, LONG* result) {
  ProviderCall call(Key("GetAvailableClientSpace"), Iid(), connection);
  return Complete(call, result, [&] {
    SpaceData data;
    const LONG code = Model().Space(connection, &data);
    if (code == 0) call.Hand(space, Create<ClientSpace>(data));
    return code;
  }, space);
}

HRESULT Manager::raw_GetClientInfoList(ULONG connection, P::ITovikClientInfoList** list, LONG* result) {
  ProviderCall call(Key("GetClientInfoList"), Iid(), connection);
  return Complete(call, result, [&] {
    std::vector<ClientInfoItemData> items;
    const LONG code = Model().BlockList(connection, &items);
    if (code == 0) call.Hand(list, Create<ClientInfoList>(std::move(items)));
    return code;
  }, list);
}

HRESULT Manager::raw_GetClientInfo(ULONG connection, BSTR id, ULONG location, ULONG option,
                                   P::ITovikClientAccessItem** item, LONG* result) {
  ProviderCall call(Key("GetClientInfo"), Iid(), connection, id, location, option);
  return Complete(call, result, [&] {
    AccessData access;
    const LONG code = Model().Read(connection, Utf8FromBstr(id), location, &access);
    if (code == 0) call.Hand(item, Create<ClientAccessItem>(access));
    return code;
  }, item);
}

HRESULT Manager::raw_GetClientInfoResult(ULONG connection, ULONG accessId, P::ITovikByteBuffer** buffer,
                                         LONG* result) {
  ProviderCall call(Key("GetClientInfoResult"), Iid(), connection, accessId);
  return Complete(call, result, [&] {
    Bytes bytes;
    const LONG code = Model().ReadResult(connection, accessId, &bytes);
    if (code == 0) call.Hand(buffer, Create<ByteBuffer>(std::move(bytes)));
    return code;
  }, buffer);
}

HRESULT Manager::raw_GetClientInfoFile(ULONG connection, BSTR id, ULONG location, BSTR fileName,
                                       P::ITovikClientAccessItem** item, LONG* result) {
  ProviderCall call(Key("GetClientInfoFile"), Iid(), connection, id, location, fileName);
  return Complete(call, result, [&] {
    AccessData access;
    bool withItem = false;
    const LONG code =
        Model().ReadToFile(connection, Utf8FromBstr(id), location, Utf8FromBstr(fileName), &access, &withItem);
    if (withItem) call.Hand(item, Create<ClientAccessItem>(access));
    return code;
  }, item);
}

}  // namespace tovik::sim
