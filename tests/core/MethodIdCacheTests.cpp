// The method ids a Java class wrapper keeps (java/MethodIdCache.h): one lookup per name and
// signature for the wrapper's life, failures never kept, so that a missing method is raised
// with the virtual machine's own exception every time it is used.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "java/MethodIdCache.h"

namespace {

struct FakeMethod {};
using Id = const FakeMethod*;

// A lookup that records what it was asked and answers from a table (null when absent).
class Lookups {
 public:
  void Provide(std::string name, std::string signature, Id id) { m_known.push_back({name + signature, id}); }
  void Forget() { m_known.clear(); }

  auto For(const char* name, const char* signature) {
    return [this, name, signature] {
      const std::string key = std::string(name ? name : "<null>") + (signature ? signature : "<null>");
      m_asked.push_back(key);
      for (const auto& [known, id] : m_known) {
        if (known == key) return id;
      }
      return Id{nullptr};
    };
  }
  const std::vector<std::string>& Asked() const { return m_asked; }

 private:
  std::vector<std::pair<std::string, Id>> m_known;
  std::vector<std::string> m_asked;
};

const FakeMethod kConstructor{}, kSetData{}, kSetDataOther{}, kSet{};

TEST(MethodIdCache, LooksEachNameAndSignatureUpOnceForTheWrappersLife) {
  CMethodIdCache<Id> cache;
  Lookups lookups;
  lookups.Provide("<init>", "()V", &kConstructor);
  lookups.Provide("setData", "(JLjava/lang/String;JJJ)V", &kSetData);

  for (int element = 0; element < 3; ++element) {
    // Texts with the same content in other buffers are the same key.
    const std::string setData = "setData";
    const std::string signature = "(JLjava/lang/String;JJJ)V";
    EXPECT_EQ(cache.Get("<init>", "()V", lookups.For("<init>", "()V")), &kConstructor);
    EXPECT_EQ(cache.Get(setData.c_str(), signature.c_str(), lookups.For(setData.c_str(), signature.c_str())),
              &kSetData);
  }
  EXPECT_EQ(lookups.Asked(), (std::vector<std::string>{"<init>()V", "setData(JLjava/lang/String;JJJ)V"}));

  // Kept ids are answered even when a new lookup would now find something else.
  lookups.Forget();
  EXPECT_EQ(cache.Get("<init>", "()V", lookups.For("<init>", "()V")), &kConstructor);
  EXPECT_EQ(lookups.Asked().size(), 2u);
}

TEST(MethodIdCache, NameAndSignatureBothMakeTheKey) {
  CMethodIdCache<Id> cache;
  Lookups lookups;
  lookups.Provide("setData", "(Ljava/lang/String;JJ)V", &kSetData);
  lookups.Provide("setData", "(Ljava/lang/String;JJJJ)V", &kSetDataOther);
  lookups.Provide("set", "(Ljava/lang/String;JJ)V", &kSet);

  EXPECT_EQ(cache.Get("setData", "(Ljava/lang/String;JJ)V", lookups.For("setData", "(Ljava/lang/String;JJ)V")),
            &kSetData);
  EXPECT_EQ(cache.Get("setData", "(Ljava/lang/String;JJJJ)V", lookups.For("setData", "(Ljava/lang/String;JJJJ)V")),
            &kSetDataOther);
  EXPECT_EQ(cache.Get("set", "(Ljava/lang/String;JJ)V", lookups.For("set", "(Ljava/lang/String;JJ)V")), &kSet);
  // A signature that starts like a kept one is another key.
  EXPECT_EQ(cache.Get("setData", "(Ljava/lang/String;J)V", lookups.For("setData", "(Ljava/lang/String;J)V")),
            nullptr);
  EXPECT_EQ(lookups.Asked().size(), 4u);
}

TEST(MethodIdCache, MissingMethodsAndNullTextsAreLookedUpEveryTime) {
  CMethodIdCache<Id> cache;
  Lookups lookups;
  EXPECT_EQ(cache.Get("<init>", "(J)V", lookups.For("<init>", "(J)V")), nullptr);
  EXPECT_EQ(cache.Get("<init>", "(J)V", lookups.For("<init>", "(J)V")), nullptr);
  EXPECT_EQ(lookups.Asked().size(), 2u) << "a failed lookup is not kept: each use raises anew";

  // Once the lookup succeeds, its id is kept.
  lookups.Provide("<init>", "(J)V", &kConstructor);
  EXPECT_EQ(cache.Get("<init>", "(J)V", lookups.For("<init>", "(J)V")), &kConstructor);
  EXPECT_EQ(cache.Get("<init>", "(J)V", lookups.For("<init>", "(J)V")), &kConstructor);
  EXPECT_EQ(lookups.Asked().size(), 3u);

  // Null texts go to the lookup (which raises for them) and are never kept.
  lookups.Provide("<null>", "()V", &kSet);
  EXPECT_EQ(cache.Get(nullptr, "()V", lookups.For(nullptr, "()V")), &kSet);
  EXPECT_EQ(cache.Get(nullptr, "()V", lookups.For(nullptr, "()V")), &kSet);
  EXPECT_EQ(cache.Get("setData", nullptr, lookups.For("setData", nullptr)), nullptr);
  EXPECT_EQ(lookups.Asked().size(), 6u);
}

TEST(MethodIdCache, ALookupThatThrowsKeepsNothing) {
  CMethodIdCache<Id> cache;
  struct Raised {};
  EXPECT_THROW(cache.Get("setData", "(JJ)V", []() -> Id { throw Raised{}; }), Raised);
  int lookups = 0;
  EXPECT_EQ(cache.Get("setData", "(JJ)V",
                      [&] {
                        ++lookups;
                        return &kSetData;
                      }),
            &kSetData);
  EXPECT_EQ(lookups, 1);
}

}  // namespace
