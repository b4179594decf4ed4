// Module discovery: vtxGetModuleIds, vtxGetModuleInfo, vtxGetModuleInfo3.
//
// Every wrapper (the list, the info object, each client) is deleted before the method returns;
// the arrays are built element by element so that a list of any length holds only a handful of
// local references at a time. The module list is read in bulk (CTovikVciItemsIF::ReadItems):
// the same provider reads as one command per property, a few hundred entries a command.

#include <jni.h>

#include <algorithm>
#include <memory>

#include "facade/CTovikManagerIF.h"
#include "jni/FacadeMethod.h"
#include "wrappers/ModuleWrappers.h"

namespace {

constexpr char kVciItemSetData[] = "(JLjava/lang/String;JJJ)V";
constexpr char kClientInfoSetData[] = "(ZJJLjava/lang/String;Ljava/lang/String;)V";
constexpr char kVciInfoSetData[] =
    "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;"
    "[Lcom/holm/zep/tovik/api/jni/TovikClientInfo;)V";
constexpr char kVciInfo3SetData[] =
    "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;JJJJ"
    "[Lcom/holm/zep/tovik/api/jni/TovikClientInfo;)V";

// Expected element count for an array builder: the provider's count, but no huge allocation
// up front on its word alone (the builder grows when more elements come).
jsize ExpectedCount(ULONG count) { return static_cast<jsize>(std::min<ULONG>(count, 1024)); }

// A getter's LocalAlloc'ed text as a Java string; the copy is freed at once.
CLocalRef<jstring> TakeText(char* text, NullText nullText) {
  CLocalText owned(text);
  return JavaText(owned.get(), nullText);
}

// The properties of a module entry, read in this order (name, type, interface, serial number,
// state): the order of the reads is part of what the provider is given, so it is kept exactly.
constexpr VciItemField kModuleFields[] = {VciItemField::ModuleName, VciItemField::ModuleType,
                                          VciItemField::VCIInterface, VciItemField::SerialNumber,
                                          VciItemField::ModuleState};

// One TovikVciItem from a module entry; an empty name stays a null string.
CLocalRef<jobject> NewVciItem(CJClassWrapper& itemClass, const VciItemValues& module) {
  CLocalRef<jstring> name = JavaText(BulkTextBytes(module.moduleName), NullText::AsNull);
  return NewWithData(itemClass, kVciItemSetData, module.moduleState, name.get(), module.serialNumber,
                     module.vciInterface, module.moduleType);
}

// The TovikClientInfo array of a module, missing clients skipped.
CLocalRef<jobjectArray> ClientArray(const char* function, CTovikVciInfoIF& info) {
  CJClassWrapper clientClass(JavaClass::TovikClientInfo);
  CJavaEnvironment::CheckException();
  const ULONG count = info.NumClients();
  NATIVE_LOG(function) << "Number of client items " << count << LogEndCheck;
  CJObjectArrayBuilder clients(clientClass, ExpectedCount(count));
  for (ULONG i = 0; i < count; ++i) {
    std::unique_ptr<CTovikClientInfoIF> client(info.ClientAt(i));
    if (!client) continue;
    CLocalRef<jstring> name = TakeText(client->ClientName(), NullText::AsEmpty);
    CLocalRef<jstring> time = TakeText(client->ConnectTime(), NullText::AsEmpty);
    const bool owner = client->IsOwner();
    const ULONG connectionInterface = client->ConnectionInterface();
    const ULONG connectionType = client->ConnectionType();
    clients.Add(NewWithData(clientClass, kClientInfoSetData, owner, connectionType, connectionInterface, name.get(),
                            time.get()));
  }
  return CLocalRef<jobjectArray>(clients.Finish());
}

// The four address texts, read in this order by both info methods.
struct Addresses {
  CLocalRef<jstring> ethernet;
  CLocalRef<jstring> wireless;
  CLocalRef<jstring> usb;
  CLocalRef<jstring> bluetooth;
};

Addresses ReadAddresses(CTovikVciInfoIF& info) {
  Addresses addresses;
  addresses.ethernet = TakeText(info.EthernetAddress(), NullText::AsEmpty);
  addresses.wireless = TakeText(info.WirelessAddress(), NullText::AsEmpty);
  addresses.usb = TakeText(info.USBAddress(), NullText::AsEmpty);
  addresses.bluetooth = TakeText(info.BluetoothAddress(), NullText::AsEmpty);
  return addresses;
}

// Fills the TovikVciInfo Java passed in.
void FillVciInfo(const char* function, CTovikVciInfoIF& info, jobject target) {
  const Addresses a = ReadAddresses(info);
  CLocalRef<jobjectArray> clients = ClientArray(function, info);
  SetDataOn(JavaClass::TovikVciInfo, target, kVciInfoSetData, a.ethernet.get(), a.wireless.get(), a.bluetooth.get(),
            a.usb.get(), clients.get());
}

// Fills the TovikVciInfo3 Java passed in: the addresses, the alias and the four flag words.
void FillVciInfo3(const char* function, CTovikVciInfoIF& info, jobject target) {
  const Addresses a = ReadAddresses(info);
  CLocalRef<jstring> alias = TakeText(info.VciAlias(), NullText::AsEmpty);
  const ULONG wifiFlags = info.WifiFlags();
  const ULONG btFlags = info.BtFlags();
  const ULONG usbFlags = info.UsbFlags();
  const ULONG ethFlags = info.EthFlags();
  CLocalRef<jobjectArray> clients = ClientArray(function, info);
  SetDataOn(JavaClass::TovikVciInfo3, target, kVciInfo3SetData, a.ethernet.get(), a.wireless.get(), a.bluetooth.get(),
            a.usb.get(), alias.get(), wifiFlags, btFlags, usbFlags, ethFlags, clients.get());
}

// `fetch(&info)` calls the facade's module info operation; an info that came with result 0
// is handed to `fill`.
template <typename Fetch, typename Fill>
LONG ReadModuleInfo(Fetch fetch, Fill fill) {
  CTovikVciInfoIF* infoOut = nullptr;
  const LONG code = fetch(&infoOut);
  std::unique_ptr<CTovikVciInfoIF> info(infoOut);
  if (info && code == 0) fill(*info);
  return code;
}

}  // namespace

extern "C" JNIEXPORT jobjectArray JNICALL
Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetModuleIds(JNIEnv* env, jobject, jlong manager, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxGetModuleIds);
  return RunFacadeMethod(env, FACADE_METHOD(vtxGetModuleIds, "Getting module IDs", "Getting module IDs done"), manager,
                         result, jobjectArray{}, [&](CTovikManagerIF& facade, jobjectArray& array) {
                           // The list and its count come in one command; an empty list also ends
                           // there. A list that came back is read whatever the result code.
                           LONG code = 0;
                           ULONG count = 0;
                           std::unique_ptr<CTovikVciItemsIF> list;
                           RunAsOneCommand([&] {
                             CTovikVciItemsIF* listOut = nullptr;
                             code = facade.GetModuleIds(&listOut);
                             list.reset(listOut);
                             count = list ? list->Count() : 0;
                             if (count == 0) list.reset();
                           });
                           if (count > 0) {
                             CJClassWrapper itemClass(JavaClass::TovikVciItem);
                             CJavaEnvironment::CheckException();
                             NATIVE_LOG(kFn) << "Number of modules is " << count << LogEndCheck;
                             CJObjectArrayBuilder items(itemClass, ExpectedCount(count));
                             // Missing modules are not among the values: a dense array without gaps.
                             ReadList<VciItemValues>(
                                 list, count, ListEnd::Delete, Visits::Silent, kModuleFields, [](ULONG) {},
                                 [&](const VciItemValues& module) { items.Add(NewVciItem(itemClass, module)); });
                             array = items.Finish();
                           }
                           return code;
                         });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetModuleInfo(
    JNIEnv* env, jobject, jlong manager, jlong moduleId, jobject info, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxGetModuleInfo, "Getting module info", "Getting module info done"), manager,
                  result, [&](CTovikManagerIF& facade) {
                    return ReadModuleInfo(
                        [&](CTovikVciInfoIF** out) { return facade.GetModuleInfo(static_cast<ULONG>(moduleId), out); },
                        [&](CTovikVciInfoIF& read) { FillVciInfo(TOVIK_NATIVE_NAME(vtxGetModuleInfo), read, info); });
                  });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetModuleInfo3(
    JNIEnv* env, jobject, jlong manager, jlong moduleId, jobject info, jobject result) {
  RunFacadeMethod(env, FACADE_METHOD(vtxGetModuleInfo3, "Getting module info3", "Getting module info3 done"), manager,
                  result, [&](CTovikManagerIF& facade) {
                    return ReadModuleInfo(
                        [&](CTovikVciInfoIF** out) { return facade.GetModuleInfo3(static_cast<ULONG>(moduleId), out); },
                        [&](CTovikVciInfoIF& read) { FillVciInfo3(TOVIK_NATIVE_NAME(vtxGetModuleInfo3), read, info); });
                  });
}
