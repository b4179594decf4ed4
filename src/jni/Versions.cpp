// Version information: vtxGetVersionInformation (name, version number, date number) and
// vtxGetVersionInformation2 (name, version text, branch, date text). The target receives the
// server list first and the client list second.

#include <jni.h>

#include <memory>
#include <span>

#include "facade/CTovikManagerIF.h"
#include "core/LogStream.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "jni/NativeFrame.h"
#include "wrappers/VersionWrappers.h"

namespace {

constexpr char kVersionInfoSetData[] =
    "([Lcom/holm/zep/tovik/api/jni/TovikVersionItem;[Lcom/holm/zep/tovik/api/jni/TovikVersionItem;)V";
constexpr char kNumericItemSetData[] = "(Ljava/lang/String;JJ)V";
constexpr char kTextItemSetData[] = "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)V";

// What tells the two methods apart.
struct VersionForm {
  const char* function;
  const char* entryText;
  const char* exitText;
  bool texts;  // the four-text TovikVersionItem
  LONG (CTovikManagerIF::*operation)(ULONG, ULONG, CTovikVersionInfoIF**);
};

const VersionForm kNumericForm = {"Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetVersionInformation",
                                  "Get Version Information ", "Get Version Information done", false,
                                  &CTovikManagerIF::GetVersionInformation};
const VersionForm kTextForm = {"Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetVersionInformation2",
                               "Get Version Information 2 ", "Get Version Information 2 done", true,
                               &CTovikManagerIF::GetVersionInformation_2};

// The properties of a version entry in setData order; the numeric form reads the date before
// the version, as it always has.
constexpr VersionItemField kNumericFields[] = {VersionItemField::Name, VersionItemField::Date,
                                               VersionItemField::Version};
constexpr VersionItemField kTextFields[] = {VersionItemField::Name, VersionItemField::VersionStr,
                                            VersionItemField::BranchName, VersionItemField::DateStr};

CLocalRef<jstring> Text(const BulkText& text) { return JavaText(BulkTextBytes(text), NullText::AsEmpty); }

CLocalRef<jobject> NewVersionItem(const VersionForm& form, CJClassWrapper& itemClass, const VersionItemValues& item) {
  CLocalRef<jstring> name = Text(item.name);
  if (!form.texts) return NewWithData(itemClass, kNumericItemSetData, name.get(), item.version, item.date);
  CLocalRef<jstring> version = Text(item.versionStr);
  CLocalRef<jstring> branch = Text(item.branchName);
  CLocalRef<jstring> date = Text(item.dateStr);
  return NewWithData(itemClass, kTextItemSetData, name.get(), version.get(), branch.get(), date.get());
}

// Adds the entries of one source list (0 server, 1 client) to `items`, read in bulk, logging
// each missing entry, and deletes the list wrapper.
void CollectVersions(const VersionForm& form, CJClassWrapper& itemClass, int source,
                     std::unique_ptr<CTovikVersionItemListIF> list, CJObjectArrayBuilder& items) {
  if (!list) return;
  const ULONG count = list->Count();
  const std::span<const VersionItemField> fields =
      form.texts ? std::span<const VersionItemField>(kTextFields) : std::span<const VersionItemField>(kNumericFields);
  ULONG next = 0;  // the index after the last entry seen
  const auto logMissingUpTo = [&](ULONG end) {
    for (; next < end; ++next) {
      NATIVE_LOG(form.function) << "Null item, list " << source << " " << next << LogEnd;
      CJavaEnvironment::CheckException();
    }
  };
  ForEachListItem<VersionItemValues>(*list, count, fields, [&](const VersionItemValues& item) {
    logMissingUpTo(item.index);
    items.Add(NewVersionItem(form, itemClass, item));
    next = item.index + 1;
  });
  logMissingUpTo(count);
}

void FillVersionInfo(const VersionForm& form, CTovikVersionInfoIF& info, jobject target) {
  CJClassWrapper itemClass(JavaClass::TovikVersionItem);
  CJavaEnvironment::CheckException();
  std::unique_ptr<CTovikVersionItemListIF> server(info.ServerVersionList());
  std::unique_ptr<CTovikVersionItemListIF> client(info.ClientVersionList());
  CJObjectArrayBuilder serverItems(itemClass, 0);
  CJObjectArrayBuilder clientItems(itemClass, 0);
  CollectVersions(form, itemClass, 0, std::move(server), serverItems);
  CollectVersions(form, itemClass, 1, std::move(client), clientItems);
  CLocalRef<jobjectArray> clientArray(clientItems.Finish());
  CLocalRef<jobjectArray> serverArray(serverItems.Finish());
  SetDataOn(JavaClass::TovikVersionInfo, target, kVersionInfoSetData, serverArray.get(), clientArray.get());
}

void RunGetVersionInformation(JNIEnv* env, const VersionForm& form, jlong manager, jlong handle, jlong second,
                              jobject target, jobject result) {
  RunNativeFrame(env, [&] {
    NATIVE_LOG(form.function) << form.entryText << handle << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) {
      const ULONG handleValue = static_cast<ULONG>(handle);
      const ULONG secondValue = static_cast<ULONG>(second);
      NATIVE_LOG(form.function) << "Calling with " << handleValue << " " << secondValue << LogEnd;
      CJavaEnvironment::CheckException();
      CTovikVersionInfoIF* infoOut = nullptr;
      code = ((*facade).*form.operation)(handleValue, secondValue, &infoOut);
      std::unique_ptr<CTovikVersionInfoIF> info(infoOut);
      CJavaEnvironment::CheckException();  // the operation logs on this thread
      if (form.texts) {
        NATIVE_LOG(form.function) << "Calling with " << code << "  pVersionInfo=" << static_cast<const void*>(infoOut)
                                  << LogEnd;
        CJavaEnvironment::CheckException();
      }
      if (info && code == 0) FillVersionInfo(form, *info, target);
    }
    SetLongValue(result, code);
    NATIVE_LOG(form.function) << form.exitText << LogEnd;
    CJavaEnvironment::CheckException();
  });
}

}  // namespace

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetVersionInformation(
    JNIEnv* env, jobject, jlong manager, jlong handle, jlong second, jobject info, jobject result) {
  RunGetVersionInformation(env, kNumericForm, manager, handle, second, info, result);
}

extern "C" JNIEXPORT void JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetVersionInformation2(
    JNIEnv* env, jobject, jlong manager, jlong handle, jlong second, jobject info, jobject result) {
  RunGetVersionInformation(env, kTextForm, manager, handle, second, info, result);
}
