// The method ids a Java class wrapper keeps (java/MethodIdCache.h): one lookup per name and
// signature for the wrapper's life, failures never kept, so that a missing method is raised
// with the virtual machine's own exception every time it is used.

#include <gtest/gtest.h>

#include <string>

#include "java/MethodIdCache.h"

namespace {

// Stand-ins for method ids: only their addresses matter.
const int kConstructor = 0, kSetData = 0, kSetDataOther = 0;

TEST(MethodIdCache, KeepsFoundIdsByNameAndSignatureAndNothingElse) {
  CMethodIdCache<const int*> cache;
  int lookups = 0;
  auto answer = [&](const int* id) {
    return [&lookups, id] {
      ++lookups;
      return id;
    };
  };
  // Same texts in other buffers are the same key; a kept id wins over what a lookup would say.
  const std::string setData = "setData", signature = "(Ljava/lang/String;JJ)V";
  EXPECT_EQ(cache.Get("<init>", "()V", answer(&kConstructor)), &kConstructor);
  EXPECT_EQ(cache.Get(setData.c_str(), signature.c_str(), answer(&kSetData)), &kSetData);
  EXPECT_EQ(cache.Get("setData", "(Ljava/lang/String;JJ)V", answer(nullptr)), &kSetData);
  EXPECT_EQ(cache.Get("<init>", "()V", answer(nullptr)), &kConstructor);
  EXPECT_EQ(lookups, 2);

  // Either text differing (or only a prefix of a kept one) is another key.
  EXPECT_EQ(cache.Get("setData", "(Ljava/lang/String;JJJJ)V", answer(&kSetDataOther)), &kSetDataOther);
  EXPECT_EQ(cache.Get("set", "(Ljava/lang/String;JJ)V", answer(nullptr)), nullptr);
  EXPECT_EQ(cache.Get("setData", "(Ljava/lang/String;J)V", answer(nullptr)), nullptr);
  EXPECT_EQ(lookups, 5);

  // A failed lookup, a throwing one and null texts keep nothing: every use asks again.
  EXPECT_EQ(cache.Get("set", "(Ljava/lang/String;JJ)V", answer(&kSetData)), &kSetData);
  EXPECT_THROW(cache.Get("<init>", "(J)V", []() -> const int* { throw 1; }), int);
  EXPECT_EQ(cache.Get("<init>", "(J)V", answer(&kConstructor)), &kConstructor);
  EXPECT_EQ(cache.Get(nullptr, "()V", answer(&kSetData)), &kSetData);
  EXPECT_EQ(cache.Get(nullptr, "()V", answer(nullptr)), nullptr);
  EXPECT_EQ(cache.Get("setData", nullptr, answer(nullptr)), nullptr);
  EXPECT_EQ(lookups, 10);
}

}  // namespace
