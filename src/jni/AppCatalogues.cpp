// The application catalogues: vtxGetAppsPc, vtxGetAppsPc2, vtxGetAppsPc3 (applications known on
// the PC, three generations of the item layout) and vtxGetAppsVci, vtxGetAppsVci2 (applications
// on a module, two generations).
//
// All five run one walk, WalkCatalogue: call the facade, read the entries of the returned list
// in bulk (ReadItems: the fields a method needs, in its setData order, a few hundred entries a
// command), turn each entry into a Java object through its setData, and hand the objects back
// as a dense array. A method is only a row of its own: a descriptor naming the facade
// operation, the Java item class, the setData signature, the entry fields in setData order
// (CatalogueFields) and the log texts.

#include <jni.h>

#include <algorithm>
#include <array>
#include <memory>
#include <tuple>
#include <type_traits>

#include "facade/CTovikManagerIF.h"
#include "core/LogStream.h"
#include "jni/HandleTable.h"
#include "jni/JniValues.h"
#include "jni/NativeFrame.h"
#include "wrappers/AppWrappers.h"

namespace {

// The three selector values of the module catalogue, cut to 32 bits (unused by the PC one).
struct Selectors {
  ULONG first = 0;
  ULONG second = 0;
  ULONG third = 0;
};

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

// The walk all five methods share.
template <typename D>
jobjectArray WalkCatalogue(JNIEnv* env, jlong manager, const Selectors& selectors, jobject result) {
  using List = typename D::List;
  using Values = typename D::Values;
  return RunNativeFrame(env, jobjectArray{}, [&](jobjectArray& array) {
    NATIVE_LOG(D::kFunction) << D::kOpening << LogEnd;
    CJavaEnvironment::CheckException();
    jlong code = kResultNoFacade;
    if (FacadeRef facade = FindFacade(manager)) {
      List* listOut = nullptr;
      code = D::Fetch(*facade, selectors, &listOut);  // LONG: sign-extended
      std::unique_ptr<List> list(listOut);
      if (list) {
        CJClassWrapper itemClass(D::kItemClass);
        CJavaEnvironment::CheckException();
        const ULONG count = list->Count();
        if (D::kLogsCount) {
          NATIVE_LOG(D::kFunction) << "Number of client items " << count << LogEnd;
          CJavaEnvironment::CheckException();
        }
        CJObjectArrayBuilder items(itemClass, static_cast<jsize>(std::min(count, kInitialCapacity)));
        // A missing entry is not among the values: it leaves no gap.
        ForEachListItem<Values>(*list, count, D::Fields::kFields, [&](const Values& entry) {
          items.Add(D::Fields::NewItem(itemClass, D::kSignature, entry));
        });
        array = items.Finish();
      }
    }
    SetLongValue(result, code);
    NATIVE_LOG(D::kFunction) << D::kClosing << LogEnd;
    CJavaEnvironment::CheckException();
  });
}

#define TOVIK_APPS_FN(name) "Java_com_holm_zep_tovik_api_jni_TovikApiManager_" name

struct AppsPc {
  using List = CTovikAppPcItemListIF;
  using Values = AppPcItemValues;
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsPc");
  static constexpr const char* kOpening = "Getting APPS-PC";
  static constexpr const char* kClosing = "Getting APPS-DONE";
  static constexpr bool kLogsCount = true;
  static constexpr const char* kItemClass = JavaClass::TovikAppPcItem;
  static constexpr const char* kSignature = "(Ljava/lang/String;JJ)V";
  using Fields = CatalogueFields<Column<AppPcItemField::AppName, &AppPcItemValues::appName>,
                                 Column<AppPcItemField::AppVersion, &AppPcItemValues::appVersion>,
                                 Column<AppPcItemField::AppDate, &AppPcItemValues::appDate>>;
  static LONG Fetch(CTovikManagerIF& facade, const Selectors&, List** list) { return facade.GetAppsPC(list); }
};

struct AppsPc2 {
  using List = CTovikAppPcItemListIF;
  using Values = AppPcItemValues;
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsPc2");
  static constexpr const char* kOpening = "Getting APPS-PC_2";
  static constexpr const char* kClosing = "Getting APPS_2-DONE";
  static constexpr bool kLogsCount = true;
  static constexpr const char* kItemClass = JavaClass::TovikAppPcItem;
  static constexpr const char* kSignature = "(Ljava/lang/String;JJJJ)V";
  using Fields = CatalogueFields<Column<AppPcItemField::AppName, &AppPcItemValues::appName>,
                                 Column<AppPcItemField::AppVersion, &AppPcItemValues::appVersion>,
                                 Column<AppPcItemField::AppDate, &AppPcItemValues::appDate>,
                                 Column<AppPcItemField::ModuleType, &AppPcItemValues::moduleType>,
                                 Column<AppPcItemField::App, &AppPcItemValues::app>>;
  static LONG Fetch(CTovikManagerIF& facade, const Selectors&, List** list) { return facade.GetAppsPC_2(list); }
};

struct AppsPc3 {
  using List = CTovikAppPcItemListIF;
  using Values = AppPcItemValues;
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsPc3");
  static constexpr const char* kOpening = "Getting APPS-PC_3";
  static constexpr const char* kClosing = "Getting APPS_3-DONE";
  static constexpr bool kLogsCount = true;
  static constexpr const char* kItemClass = JavaClass::TovikAppPcItem;
  static constexpr const char* kSignature =
      "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;JJ)V";
  using Fields = CatalogueFields<Column<AppPcItemField::AppName, &AppPcItemValues::appName>,
                                 Column<AppPcItemField::AppVersionStr, &AppPcItemValues::appVersionStr>,
                                 Column<AppPcItemField::BranchName, &AppPcItemValues::branchName>,
                                 Column<AppPcItemField::AppDateStr, &AppPcItemValues::appDateStr>,
                                 Column<AppPcItemField::ModuleType, &AppPcItemValues::moduleType>,
                                 Column<AppPcItemField::App, &AppPcItemValues::app>>;
  static LONG Fetch(CTovikManagerIF& facade, const Selectors&, List** list) { return facade.GetAppsPC_3(list); }
};

struct AppsVci {
  using List = CTovikAppVciItemListIF;
  using Values = AppVciItemValues;
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsVci");
  static constexpr const char* kOpening = "Getting APPS-VCI";
  static constexpr const char* kClosing = "Getting APPS-VCI-DONE";
  static constexpr bool kLogsCount = false;
  static constexpr const char* kItemClass = JavaClass::TovikAppVciItem;
  // The last argument is an int: the low 32 bits of TimesRemaining.
  static constexpr const char* kSignature = "(JLjava/lang/String;JJJLjava/lang/String;JJI)V";
  using Fields = CatalogueFields<Column<AppVciItemField::App, &AppVciItemValues::app>,
                                 Column<AppVciItemField::AppName, &AppVciItemValues::appName>,
                                 Column<AppVciItemField::AppVersion, &AppVciItemValues::appVersion>,
                                 Column<AppVciItemField::AppDate, &AppVciItemValues::appDate>,
                                 Column<AppVciItemField::State, &AppVciItemValues::state>,
                                 Column<AppVciItemField::License, &AppVciItemValues::license>,
                                 Column<AppVciItemField::LicenseState, &AppVciItemValues::licenseState>,
                                 Column<AppVciItemField::DaysRemaining, &AppVciItemValues::daysRemaining>,
                                 Column<AppVciItemField::TimesRemaining, &AppVciItemValues::timesRemaining>>;
  static LONG Fetch(CTovikManagerIF& facade, const Selectors& s, List** list) {
    return facade.GetAppsVCI(s.first, s.second, s.third, list);
  }
};

struct AppsVci2 {
  using List = CTovikAppVciItemListIF;
  using Values = AppVciItemValues;
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsVci2");
  static constexpr const char* kOpening = "Getting APPS-VCI2";
  static constexpr const char* kClosing = "Getting APPS-VCI2-DONE";
  static constexpr bool kLogsCount = false;
  static constexpr const char* kItemClass = JavaClass::TovikAppVciItem2;
  static constexpr const char* kSignature =
      "(JLjava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;J)V";
  using Fields = CatalogueFields<Column<AppVciItemField::App, &AppVciItemValues::app>,
                                 Column<AppVciItemField::AppName, &AppVciItemValues::appName>,
                                 Column<AppVciItemField::AppVersionStr, &AppVciItemValues::appVersionStr>,
                                 Column<AppVciItemField::BranchName, &AppVciItemValues::branchName>,
                                 Column<AppVciItemField::AppDateStr, &AppVciItemValues::appDateStr>,
                                 Column<AppVciItemField::State, &AppVciItemValues::state>>;
  static LONG Fetch(CTovikManagerIF& facade, const Selectors& s, List** list) {
    return facade.GetAppsVCI_2(s.first, s.second, s.third, list);
  }
};

#undef TOVIK_APPS_FN

Selectors Low32(jlong first, jlong second, jlong third) {
  return {static_cast<ULONG>(first), static_cast<ULONG>(second), static_cast<ULONG>(third)};
}

}  // namespace

extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsPc(
    JNIEnv* env, jobject, jlong manager, jobject result) {
  return WalkCatalogue<AppsPc>(env, manager, Selectors{}, result);
}

extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsPc2(
    JNIEnv* env, jobject, jlong manager, jobject result) {
  return WalkCatalogue<AppsPc2>(env, manager, Selectors{}, result);
}

extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsPc3(
    JNIEnv* env, jobject, jlong manager, jobject result) {
  return WalkCatalogue<AppsPc3>(env, manager, Selectors{}, result);
}

extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsVci(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jlong third, jobject result) {
  return WalkCatalogue<AppsVci>(env, manager, Low32(first, second, third), result);
}

extern "C" JNIEXPORT jobjectArray JNICALL Java_com_holm_zep_tovik_api_jni_TovikApiManager_vtxGetAppsVci2(
    JNIEnv* env, jobject, jlong manager, jlong first, jlong second, jlong third, jobject result) {
  return WalkCatalogue<AppsVci2>(env, manager, Low32(first, second, third), result);
}
