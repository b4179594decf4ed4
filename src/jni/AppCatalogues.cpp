// The application catalogues: vtxGetAppsPc, vtxGetAppsPc2, vtxGetAppsPc3 (applications known on
// the PC, three generations of the item layout) and vtxGetAppsVci, vtxGetAppsVci2 (applications
// on a module, two generations).
//
// All five run one walk, WalkCatalogue: call the facade, turn each item of the returned list
// into a Java object through its setData, and hand the objects back as a dense array. A method
// is only a row of its own: a descriptor naming the facade operation, the Java item class, the
// setData signature, the item getters in setData order (CatalogueFields) and the log texts.

#include <jni.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <type_traits>

#include "facade/CTovikManagerIF.h"
#include "java/LogStream.h"
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

// What an item getter yields on the way to setData: texts become Java strings at once (a null
// text an empty string) and their LocalAlloc copy is freed; numbers stay as their C++ type, so
// the argument builder zero-extends them into J and cuts them into I.
template <typename T>
struct FieldValue {
  using Type = T;
  static T From(T value) { return value; }
  static T Arg(T value) { return value; }
};
template <>
struct FieldValue<char*> {
  using Type = CLocalRef<jstring>;
  static CLocalRef<jstring> From(char* text) {
    CLocalText owned(text);
    return JavaText(owned.get(), NullText::AsEmpty);
  }
  static jobject Arg(const CLocalRef<jstring>& text) { return text.get(); }
};

// The getters of one item class, in the order of the setData arguments.
template <auto... Getters>
struct CatalogueFields {
  template <typename Item>
  static CLocalRef<jobject> NewItem(CJClassWrapper& itemClass, const char* signature, Item& item) {
    // A braced list reads the getters left to right, one command each.
    std::tuple<typename FieldValue<std::invoke_result_t<decltype(Getters), Item&>>::Type...> values{
        FieldValue<std::invoke_result_t<decltype(Getters), Item&>>::From((item.*Getters)())...};
    return std::apply(
        [&](auto&... value) {
          return NewWithData(itemClass, signature,
                             FieldValue<std::invoke_result_t<decltype(Getters), Item&>>::Arg(value)...);
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
  using Item = std::remove_pointer_t<decltype(std::declval<List&>().Item(0))>;
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
        for (ULONG i = 0; i < count; ++i) {
          std::unique_ptr<Item> item(list->Item(i));
          if (!item) continue;  // a missing entry leaves no gap
          items.Add(D::Fields::NewItem(itemClass, D::kSignature, *item));
        }
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
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsPc");
  static constexpr const char* kOpening = "Getting APPS-PC";
  static constexpr const char* kClosing = "Getting APPS-DONE";
  static constexpr bool kLogsCount = true;
  static constexpr const char* kItemClass = JavaClass::TovikAppPcItem;
  static constexpr const char* kSignature = "(Ljava/lang/String;JJ)V";
  using Fields = CatalogueFields<&CTovikAppPcItemIF::AppName, &CTovikAppPcItemIF::AppVersion,
                                 &CTovikAppPcItemIF::AppDate>;
  static LONG Fetch(CTovikManagerIF& facade, const Selectors&, List** list) { return facade.GetAppsPC(list); }
};

struct AppsPc2 {
  using List = CTovikAppPcItemListIF;
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsPc2");
  static constexpr const char* kOpening = "Getting APPS-PC_2";
  static constexpr const char* kClosing = "Getting APPS_2-DONE";
  static constexpr bool kLogsCount = true;
  static constexpr const char* kItemClass = JavaClass::TovikAppPcItem;
  static constexpr const char* kSignature = "(Ljava/lang/String;JJJJ)V";
  using Fields = CatalogueFields<&CTovikAppPcItemIF::AppName, &CTovikAppPcItemIF::AppVersion,
                                 &CTovikAppPcItemIF::AppDate, &CTovikAppPcItemIF::ModuleType,
                                 &CTovikAppPcItemIF::App>;
  static LONG Fetch(CTovikManagerIF& facade, const Selectors&, List** list) { return facade.GetAppsPC_2(list); }
};

struct AppsPc3 {
  using List = CTovikAppPcItemListIF;
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsPc3");
  static constexpr const char* kOpening = "Getting APPS-PC_3";
  static constexpr const char* kClosing = "Getting APPS_3-DONE";
  static constexpr bool kLogsCount = true;
  static constexpr const char* kItemClass = JavaClass::TovikAppPcItem;
  static constexpr const char* kSignature =
      "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;JJ)V";
  using Fields = CatalogueFields<&CTovikAppPcItemIF::AppName, &CTovikAppPcItemIF::AppVersionStr,
                                 &CTovikAppPcItemIF::BranchName, &CTovikAppPcItemIF::AppDateStr,
                                 &CTovikAppPcItemIF::ModuleType, &CTovikAppPcItemIF::App>;
  static LONG Fetch(CTovikManagerIF& facade, const Selectors&, List** list) { return facade.GetAppsPC_3(list); }
};

struct AppsVci {
  using List = CTovikAppVciItemListIF;
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsVci");
  static constexpr const char* kOpening = "Getting APPS-VCI";
  static constexpr const char* kClosing = "Getting APPS-VCI-DONE";
  static constexpr bool kLogsCount = false;
  static constexpr const char* kItemClass = JavaClass::TovikAppVciItem;
  // The last argument is an int: the low 32 bits of TimesRemaining.
  static constexpr const char* kSignature = "(JLjava/lang/String;JJJLjava/lang/String;JJI)V";
  using Fields = CatalogueFields<&CTovikAppVciItemIF::App, &CTovikAppVciItemIF::AppName,
                                 &CTovikAppVciItemIF::AppVersion, &CTovikAppVciItemIF::AppDate,
                                 &CTovikAppVciItemIF::State, &CTovikAppVciItemIF::License,
                                 &CTovikAppVciItemIF::LicenseState, &CTovikAppVciItemIF::DaysRemaining,
                                 &CTovikAppVciItemIF::TimesRemaining>;
  static LONG Fetch(CTovikManagerIF& facade, const Selectors& s, List** list) {
    return facade.GetAppsVCI(s.first, s.second, s.third, list);
  }
};

struct AppsVci2 {
  using List = CTovikAppVciItemListIF;
  static constexpr const char* kFunction = TOVIK_APPS_FN("vtxGetAppsVci2");
  static constexpr const char* kOpening = "Getting APPS-VCI2";
  static constexpr const char* kClosing = "Getting APPS-VCI2-DONE";
  static constexpr bool kLogsCount = false;
  static constexpr const char* kItemClass = JavaClass::TovikAppVciItem2;
  static constexpr const char* kSignature =
      "(JLjava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;J)V";
  using Fields = CatalogueFields<&CTovikAppVciItemIF::App, &CTovikAppVciItemIF::AppName,
                                 &CTovikAppVciItemIF::AppVersionStr, &CTovikAppVciItemIF::BranchName,
                                 &CTovikAppVciItemIF::AppDateStr, &CTovikAppVciItemIF::State>;
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
