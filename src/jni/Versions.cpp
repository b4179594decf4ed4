// Version information: vtxGetVersionInformation (name, version number, date number) and
// vtxGetVersionInformation2 (name, version text, branch, date text). The target receives the
// server list first and the client list second.

#include <jni.h>

#include <memory>
#include <span>

#include "facade/CTovikManagerIF.h"
#include "jni/FacadeMethod.h"
#include "wrappers/VersionWrappers.h"

namespace {

constexpr char kVersionInfoSetData[] =
    "([Lcom/holm/zep/tovik/api/jni/TovikVersionItem;[Lcom/holm/zep/tovik/api/jni/TovikVersionItem;)V";
constexpr char kNumericItemSetData[] = "(Ljava/lang/String;JJ)V";
constexpr char kTextItemSetData[] = "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)V";

// The properties of a version entry. The numeric form reads the date before the version, not in
// setData order: the order of the reads is part of what the provider is given (a provider that
// keeps state between calls may depend on it), so it is kept exactly.
constexpr VersionItemField kNumericFields[] = {VersionItemField::Name, VersionItemField::Date,
                                               VersionItemField::Version};
constexpr VersionItemField kTextFields[] = {VersionItemField::Name, VersionItemField::VersionStr,
                                            VersionItemField::BranchName, VersionItemField::DateStr};

CLocalRef<jstring> Text(const BulkText& text) { return JavaText(BulkTextBytes(text), NullText::AsEmpty); }

// The two layouts of TovikVersionItem: name, version and date numbers; or name and three texts.
CLocalRef<jobject> NewNumericItem(CJClassWrapper& itemClass, const VersionItemValues& item) {
  CLocalRef<jstring> name = Text(item.name);
  return NewWithData(itemClass, kNumericItemSetData, name.get(), item.version, item.date);
}

CLocalRef<jobject> NewTextItem(CJClassWrapper& itemClass, const VersionItemValues& item) {
  CLocalRef<jstring> name = Text(item.name);
  CLocalRef<jstring> version = Text(item.versionStr);
  CLocalRef<jstring> branch = Text(item.branchName);
  CLocalRef<jstring> date = Text(item.dateStr);
  return NewWithData(itemClass, kTextItemSetData, name.get(), version.get(), branch.get(), date.get());
}

using NewVersionItem = CLocalRef<jobject> (*)(CJClassWrapper&, const VersionItemValues&);

// The fields an item is read with, in setData order, and the maker of its Java object.
struct VersionLayout {
  std::span<const VersionItemField> fields;
  NewVersionItem newItem;
};

// Adds the entries of one source list (0 server, 1 client) to `items`, read in bulk, logging
// each missing entry, and deletes the list wrapper.
void CollectVersions(const char* function, const VersionLayout& layout, CJClassWrapper& itemClass, int source,
                     std::unique_ptr<CTovikVersionItemListIF> list, CJObjectArrayBuilder& items) {
  if (!list) return;
  ULONG next = 0;  // the index after the last entry seen
  const auto logMissingUpTo = [&](ULONG end) {
    for (; next < end; ++next) NATIVE_LOG(function) << "Null item, list " << source << " " << next << LogEndCheck;
  };
  // The count comes with the first entries. The wrapper is deleted on return, after the last
  // missing entry is logged.
  const ULONG count = ReadList<VersionItemValues>(list, std::nullopt, ListEnd::Keep, Visits::Logged, layout.fields,
                                                  [](ULONG) {}, [&](const VersionItemValues& item) {
                                                    logMissingUpTo(item.index);
                                                    items.Add(layout.newItem(itemClass, item));
                                                    next = item.index + 1;
                                                  });
  logMissingUpTo(count);
}

void FillVersionInfo(const char* function, const VersionLayout& layout, CTovikVersionInfoIF& info, jobject target) {
  CJClassWrapper itemClass(JavaClass::TovikVersionItem);
  CJavaEnvironment::CheckException();
  std::unique_ptr<CTovikVersionItemListIF> server;
  std::unique_ptr<CTovikVersionItemListIF> client;
  RunAsOneCommand([&] {
    server.reset(info.ServerVersionList());
    client.reset(info.ClientVersionList());
  });
  CJObjectArrayBuilder serverItems(itemClass, 0);
  CJObjectArrayBuilder clientItems(itemClass, 0);
  CollectVersions(function, layout, itemClass, 0, std::move(server), serverItems);
  CollectVersions(function, layout, itemClass, 1, std::move(client), clientItems);
  CLocalRef<jobjectArray> clientArray(clientItems.Finish());
  CLocalRef<jobjectArray> serverArray(serverItems.Finish());
  SetDataOn(JavaClass::TovikVersionInfo, target, kVersionInfoSetData, serverArray.get(), clientArray.get());
}

// The shared body: `fetch(handle, second, &info)` calls the facade; `reported(code, info)` logs
// what the method logs after the call; a version info that came with result 0 is read into the
// target.
template <typename Fetch, typename Reported>
LONG ReadVersionInfo(const char* function, const VersionLayout& layout, jlong handle, jlong second, jobject target,
                     Fetch fetch, Reported reported) {
  const ULONG handleValue = static_cast<ULONG>(handle);
  const ULONG secondValue = static_cast<ULONG>(second);
  NATIVE_LOG(function) << "Calling with " << handleValue << " " << secondValue << LogEndCheck;
  CTovikVersionInfoIF* infoOut = nullptr;
  const LONG code = fetch(handleValue, secondValue, &infoOut);
  std::unique_ptr<CTovikVersionInfoIF> info(infoOut);
  CJavaEnvironment::CheckException();  // the operation logs on this thread
  reported(code, infoOut);
  if (info && code == 0) FillVersionInfo(function, layout, *info, target);
  return code;
}

}  // namespace

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetVersionInformation(
    JNIEnv* env, jobject, jlong manager, jlong handle, jlong second, jobject info, jobject result) {
  RunFacadeMethod(
      env,
      FACADE_METHOD(vtxGetVersionInformation, (EntryWithValue{"Get Version Information ", handle}),
                    "Get Version Information done"),
      manager, result, [&](CTovikManagerIF& facade) {
        return ReadVersionInfo(
            TOVIK_NATIVE_NAME(vtxGetVersionInformation), VersionLayout{kNumericFields, NewNumericItem}, handle, second,
            info, [&](ULONG h, ULONG s, CTovikVersionInfoIF** out) { return facade.GetVersionInformation(h, s, out); },
            [](LONG, const CTovikVersionInfoIF*) {});
      });
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetVersionInformation2(
    JNIEnv* env, jobject, jlong manager, jlong handle, jlong second, jobject info, jobject result) {
  static const char kFn[] = TOVIK_NATIVE_NAME(vtxGetVersionInformation2);
  RunFacadeMethod(
      env,
      FACADE_METHOD(vtxGetVersionInformation2, (EntryWithValue{"Get Version Information 2 ", handle}),
                    "Get Version Information 2 done"),
      manager, result, [&](CTovikManagerIF& facade) {
        return ReadVersionInfo(
            kFn, VersionLayout{kTextFields, NewTextItem}, handle, second, info,
            [&](ULONG h, ULONG s, CTovikVersionInfoIF** out) { return facade.GetVersionInformation_2(h, s, out); },
            [](LONG code, const CTovikVersionInfoIF* read) {
              NATIVE_LOG(kFn) << "Calling with " << code << "  pVersionInfo=" << static_cast<const void*>(read)
                              << LogEndCheck;
            });
      });
}
