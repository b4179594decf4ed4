// The application catalogues: vtxGetAppsPc, vtxGetAppsPc2, vtxGetAppsPc3 (applications known on
// the PC, three generations of the item layout) and vtxGetAppsVci, vtxGetAppsVci2 (applications
// on a module, two generations).
//
// All five read their list with ReadCatalogue: the entries of the list the facade returned are
// read in bulk (ReadItems: the fields a method needs, in its setData order, a few hundred
// entries a command), each becomes a Java object through its setData, and the objects come
// back as a dense array. A method gives its texts, its facade call, the Java item class, the
// setData signature and its columns (CatalogueFields).

#include <jni.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <tuple>
#include <type_traits>

#include "facade/CTovikManagerIF.h"
#include "jni/FacadeMethod.h"
#include "wrappers/AppWrappers.h"

namespace {

// What an entry's value becomes on the way to setData: a text a Java string (nothing an empty
// string); numbers stay as their C++ type, so the argument builder zero-extends them into J and
// cuts them into I.
template <typename T>
struct FieldValue {
  using Type = T;
  static T From(T value) { return value; }
  static T Arg(T value) { return value; }
};
template <>
struct FieldValue<BulkText> {
  using Type = CLocalRef<jstring>;
  static CLocalRef<jstring> From(const BulkText& text) { return JavaText(BulkTextBytes(text), NullText::AsEmpty); }
  static jobject Arg(const CLocalRef<jstring>& text) { return text.get(); }
};

// One setData argument: the entry field to read and the member of the values it lands in.
template <auto FieldId, auto Member>
struct Column {
  static constexpr auto kField = FieldId;
  static constexpr auto kMember = Member;
};

template <auto Member>
struct MemberType;
template <typename V, typename T, T V::*Member>
struct MemberType<Member> {
  using Type = T;
};

// The columns of one item class, in the order of the setData arguments; the provider reads
// follow the same order.
template <typename... Columns>
struct CatalogueFields {
  static constexpr std::array kFields{Columns::kField...};

  template <typename Values>
  static CLocalRef<jobject> NewItem(CJClassWrapper& itemClass, const char* signature, const Values& entry) {
    std::tuple<typename FieldValue<typename MemberType<Columns::kMember>::Type>::Type...> values{
        FieldValue<typename MemberType<Columns::kMember>::Type>::From(entry.*Columns::kMember)...};
    return std::apply(
        [&](auto&... value) {
          return NewWithData(itemClass, signature,
                             FieldValue<typename MemberType<Columns::kMember>::Type>::Arg(value)...);
        },
        values);
  }
};

// Upper bound of the first allocation of the result array; a larger count lets it grow.
constexpr ULONG kInitialCapacity = 256;

// Whether the method logs the provider's count of entries.
enum class CountLine { Logged, None };

// The body all five share. `fetch(&list)` calls the facade; a list that came back is read into
// `array`, whatever the result code.
template <typename Fields, typename Values, typename List, typename Fetch>
LONG ReadCatalogue(const char* function, CountLine countLine, const char* itemClassName, const char* signature,
                   jobjectArray& array, Fetch fetch) {
  List* listOut = nullptr;
  const LONG code = fetch(&listOut);
  std::unique_ptr<List> list(listOut);
  if (list) {
    CJClassWrapper itemClass(itemClassName);
    CJavaEnvironment::CheckException();
    // Without a count line the count comes with the first entries, in one command, and the
    // array is sized once it is known. The list wrapper ends with the last entries. A missing
    // entry is not among the values: no gap.
    std::optional<ULONG> count;
    if (countLine == CountLine::Logged) {
      count = list->Count();
      NATIVE_LOG(function) << "Number of client items " << *count << LogEndCheck;
    }
    CJObjectArrayBuilder items(itemClass, static_cast<jsize>(std::min(count.value_or(0), kInitialCapacity)));
    ReadList<Values>(
        list, count, ListEnd::Delete, Visits::Silent, Fields::kFields,
        [&](ULONG known) { items.Reserve(static_cast<jsize>(std::min(known, kInitialCapacity))); },
        [&](const Values& entry) { items.Add(Fields::NewItem(itemClass, signature, entry)); });
    array = items.Finish();
  }
  return code;
}

template <typename Fields, typename Fetch>
LONG ReadPcCatalogue(const char* function, const char* signature, jobjectArray& array, Fetch fetch) {
  return ReadCatalogue<Fields, AppPcItemValues, CTovikAppPcItemListIF>(
      function, CountLine::Logged, JavaClass::TovikAppPcItem, signature, array, fetch);
}

template <typename Fields, typename Fetch>
LONG ReadVciCatalogue(const char* function, const char* itemClassName, const char* signature, jobjectArray& array,
                      Fetch fetch) {
  return ReadCatalogue<Fields, AppVciItemValues, CTovikAppVciItemListIF>(function, CountLine::None, itemClassName,
                                                                         signature, array, fetch);
}

using AppsPcColumns = CatalogueFields<Column<AppPcItemField::AppName, &AppPcItemValues::appName>,
                                      Column<AppPcItemField::AppVersion, &AppPcItemValues::appVersion>,
                                      Column<AppPcItemField::AppDate, &AppPcItemValues::appDate>>;
using AppsPc2Columns = CatalogueFields<Column<AppPcItemField::AppName, &AppPcItemValues::appName>,
                                       Column<AppPcItemField::AppVersion, &AppPcItemValues::appVersion>,
                                       Column<AppPcItemField::AppDate, &AppPcItemValues::appDate>,
                                       Column<AppPcItemField::ModuleType, &AppPcItemValues::moduleType>,
                                       Column<AppPcItemField::App, &AppPcItemValues::app>>;
using AppsPc3Columns = CatalogueFields<Column<AppPcItemField::AppName, &AppPcItemValues::appName>,
                                       Column<AppPcItemField::AppVersionStr, &AppPcItemValues::appVersionStr>,
                                       Column<AppPcItemField::BranchName, &AppPcItemValues::branchName>,
                                       Column<AppPcItemField::AppDateStr, &AppPcItemValues::appDateStr>,
                                       Column<AppPcItemField::ModuleType, &AppPcItemValues::moduleType>,
                                       Column<AppPcItemField::App, &AppPcItemValues::app>>;
using AppsVciColumns = CatalogueFields<Column<AppVciItemField::App, &AppVciItemValues::app>,
                                       Column<AppVciItemField::AppName, &AppVciItemValues::appName>,
                                       Column<AppVciItemField::AppVersion, &AppVciItemValues::appVersion>,
                                       Column<AppVciItemField::AppDate, &AppVciItemValues::appDate>,
                                       Column<AppVciItemField::State, &AppVciItemValues::state>,
                                       Column<AppVciItemField::License, &AppVciItemValues::license>,
                                       Column<AppVciItemField::LicenseState, &AppVciItemValues::licenseState>,
                                       Column<AppVciItemField::DaysRemaining, &AppVciItemValues::daysRemaining>,
                                       Column<AppVciItemField::TimesRemaining, &AppVciItemValues::timesRemaining>>;
using AppsVci2Columns = CatalogueFields<Column<AppVciItemField::App, &AppVciItemValues::app>,
                                        Column<AppVciItemField::AppName, &AppVciItemValues::appName>,
                                        Column<AppVciItemField::AppVersionStr, &AppVciItemValues::appVersionStr>,
                                        Column<AppVciItemField::BranchName, &AppVciItemValues::branchName>,
                                        Column<AppVciItemField::AppDateStr, &AppVciItemValues::appDateStr>,
                                        Column<AppVciItemField::State, &AppVciItemValues::state>>;

ULONG Low32(jlong value) { return static_cast<ULONG>(value); }

}  // namespace

extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsPc(JNIEnv* env,
                                                                                                       jobject,
                                                                                                       jlong manager,
                                                                                                       jobject result) {
  return RunFacadeMethod(env, FACADE_METHOD(vtxGetAppsPc, "Getting APPS-PC", "Getting APPS-DONE"), manager, result,
                         jobjectArray{}, [&](CTovikManagerIF& facade, jobjectArray& array) {
                           return ReadPcCatalogue<AppsPcColumns>(
                               TOVIK_NATIVE_NAME(vtxGetAppsPc), "(Ljava/lang/String;JJ)V", array,
                               [&](CTovikAppPcItemListIF** list) { return facade.GetAppsPC(list); });
                         });
}

extern "C" JNIEXPORT jobjectArray JNICALL
Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsPc2(JNIEnv* env, jobject, jlong manager, jobject result) {
  return RunFacadeMethod(env, FACADE_METHOD(vtxGetAppsPc2, "Getting APPS-PC_2", "Getting APPS_2-DONE"), manager, result,
                         jobjectArray{}, [&](CTovikManagerIF& facade, jobjectArray& array) {
                           return ReadPcCatalogue<AppsPc2Columns>(
                               TOVIK_NATIVE_NAME(vtxGetAppsPc2), "(Ljava/lang/String;JJJJ)V", array,
                               [&](CTovikAppPcItemListIF** list) { return facade.GetAppsPC_2(list); });
                         });
}

extern "C" JNIEXPORT jobjectArray JNICALL
Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsPc3(JNIEnv* env, jobject, jlong manager, jobject result) {
  return RunFacadeMethod(env, FACADE_METHOD(vtxGetAppsPc3, "Getting APPS-PC_3", "Getting APPS_3-DONE"), manager, result,
                         jobjectArray{}, [&](CTovikManagerIF& facade, jobjectArray& array) {
                           return ReadPcCatalogue<AppsPc3Columns>(
                               TOVIK_NATIVE_NAME(vtxGetAppsPc3),
                               "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;JJ)V", array,
                               [&](CTovikAppPcItemListIF** list) { return facade.GetAppsPC_3(list); });
                         });
}

// The last setData argument is an int: the low 32 bits of TimesRemaining.
extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsVci(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jlong third, jobject result) {
  return RunFacadeMethod(env, FACADE_METHOD(vtxGetAppsVci, "Getting APPS-VCI", "Getting APPS-VCI-DONE"), manager,
                         result, jobjectArray{}, [&](CTovikManagerIF& facade, jobjectArray& array) {
                           return ReadVciCatalogue<AppsVciColumns>(
                               TOVIK_NATIVE_NAME(vtxGetAppsVci), JavaClass::TovikAppVciItem,
                               "(JLjava/lang/String;JJJLjava/lang/String;JJI)V", array,
                               [&](CTovikAppVciItemListIF** list) {
                                 return facade.GetAppsVCI(Low32(first), Low32(second), Low32(third), list);
                               });
                         });
}

extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsVci2(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jlong third, jobject result) {
  return RunFacadeMethod(env, FACADE_METHOD(vtxGetAppsVci2, "Getting APPS-VCI2", "Getting APPS-VCI2-DONE"), manager,
                         result, jobjectArray{}, [&](CTovikManagerIF& facade, jobjectArray& array) {
                           return ReadVciCatalogue<AppsVci2Columns>(
                               TOVIK_NATIVE_NAME(vtxGetAppsVci2), JavaClass::TovikAppVciItem2,
                               "(JLjava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;J)V", array,
                               [&](CTovikAppVciItemListIF** list) {
                                 return facade.GetAppsVCI_2(Low32(first), Low32(second), Low32(third), list);
                               });
                         });
}
