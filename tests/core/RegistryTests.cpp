// The interface registries.
#include <atomic>
#include <thread>

#include "CoreTestSupport.h"
#include "core/Registries.h"

using TovikApiProviderLib::ITovikManager;

namespace {

using ManagerRegistry = CObjectManager<ITovikManager, CTovikManagerIF>;

// Keys: only their addresses matter.
CTovikManagerIF* Key(int n) {
  static char storage[16];
  return reinterpret_cast<CTovikManagerIF*>(&storage[n]);
}

class RegistryTest : public ApartmentTest {
 protected:
  // A fresh provider object with one reference.
  ITovikManager* NewProviderObject() {
    ITovikManager* manager = nullptr;
    EXPECT_EQ(CoCreateInstance(TovikApiProviderLib::CLSID_TovikManager, nullptr, CLSCTX_ALL,
                               __uuidof(ITovikManager), reinterpret_cast<void**>(&manager)),
              S_OK);
    return manager;
  }
};

}  // namespace

TEST_F(RegistryTest, UnknownObjectsYieldNullSilently) {
  ManagerRegistry registry("TestObjects");
  EXPECT_EQ(registry.Get(Key(0)), nullptr);
  EXPECT_EQ(registry.Remove(Key(0)), nullptr);
  EXPECT_EQ(registry.Size(), 0u);

  // A null interface leaves an empty entry.
  registry.Add(Key(2), nullptr);
  EXPECT_EQ(registry.Size(), 1u);
  EXPECT_EQ(registry.Get(Key(2)), nullptr);
  EXPECT_EQ(registry.Remove(Key(2)), nullptr);
  EXPECT_EQ(registry.Size(), 0u);
  EXPECT_EQ(standin::GitEntryCount(), m_baseline.gitEntries);
  EXPECT_TRUE(LogCapture::Lines().empty());
}

TEST_F(RegistryTest, RegistrationKeepsTheObjectAliveUntilRemoved) {
  ManagerRegistry registry("TestObjects");
  ITovikManager* created = NewProviderObject();
  ASSERT_NE(created, nullptr);
  registry.Add(Key(1), created);
  created->Release();
  EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects + 1);
  EXPECT_EQ(standin::GitEntryCount(), m_baseline.gitEntries + 1);

  ITovikManager* fetched = registry.Get(Key(1));
  ASSERT_NE(fetched, nullptr);
  fetched->Release();
  EXPECT_EQ(registry.Size(), 1u);

  ITovikManager* removed = registry.Remove(Key(1));
  ASSERT_NE(removed, nullptr);
  EXPECT_EQ(standin::GitEntryCount(), m_baseline.gitEntries);
  EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects + 1);
  EXPECT_EQ(removed->Release(), 0u);

  EXPECT_EQ(registry.Get(Key(1)), nullptr);
  EXPECT_EQ(registry.Remove(Key(1)), nullptr);
  EXPECT_EQ(registry.Size(), 0u);
  EXPECT_TRUE(LogCapture::Lines().empty());
}

TEST_F(RegistryTest, DestroyingARegistryRevokesEachRegistrationOnce) {
  {
    ManagerRegistry registry("TestObjects");
    for (int i = 0; i < 3; ++i) {
      ITovikManager* created = NewProviderObject();
      registry.Add(Key(i), created);
      created->Release();
    }
    EXPECT_EQ(registry.Size(), 3u);
    EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects + 3);
  }
  EXPECT_EQ(standin::GitEntryCount(), m_baseline.gitEntries);
  EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects);
}

TEST_F(RegistryTest, FailuresOutsideAnApartmentAreLoggedAndKeepTheRegistration) {
  ManagerRegistry registry("TestObjects");
  ITovikManager* created = NewProviderObject();
  registry.Add(Key(3), created);

  // A thread without COM reaches no interface table.
  std::thread([&] {
    registry.Add(Key(4), created);
    EXPECT_EQ(registry.Get(Key(3)), nullptr);
  }).join();
  created->Release();

  EXPECT_EQ(registry.Size(), 1u);
  const auto addTexts =
      LogCapture::TextsOf("CObjectManager<struct TovikApiProviderLib::ITovikManager,class CTovikManagerIF>::Add");
  EXPECT_EQ(addTexts, (std::vector<std::string>{"Failed to attach to GIT for TestObjects"}));
  const auto getTexts =
      LogCapture::TextsOf("CObjectManager<struct TovikApiProviderLib::ITovikManager,class CTovikManagerIF>::Get");
  EXPECT_EQ(getTexts, (std::vector<std::string>{"Failed to copy interface " +
                                                std::to_string(static_cast<LONG>(CO_E_NOTINITIALIZED)) +
                                                " - TestObjects"}));

  // The registration survived the failed fetch.
  ITovikManager* fetched = registry.Get(Key(3));
  ASSERT_NE(fetched, nullptr);
  fetched->Release();
  ITovikManager* removed = registry.Remove(Key(3));
  ASSERT_NE(removed, nullptr);
  removed->Release();
}

TEST_F(RegistryTest, ConcurrentUseFromSeveralApartments) {
  ManagerRegistry registry("TestObjects");
  ITovikManager* shared = NewProviderObject();
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      CoInitialize(nullptr);
      for (int i = 0; i < 200; ++i) {
        registry.Add(Key(t), shared);
        ITovikManager* fetched = registry.Get(Key(t));
        if (fetched == nullptr) ++failures; else fetched->Release();
        ITovikManager* removed = registry.Remove(Key(t));
        if (removed == nullptr) ++failures; else removed->Release();
      }
      CoUninitialize();
    });
  for (std::thread& thread : threads) thread.join();
  shared->Release();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(registry.Size(), 0u);
}
