// Construction and destruction of the manager facade, runtime initialisation
// and the interface configuration operations.
#include <algorithm>
#include "CoreTestSupport.h"
#include "core/Registries.h"

namespace {

constexpr const char* kCreate = "CTovikManagerIF::CmdCreateObject";
constexpr const char* kDestroy = "CTovikManagerIF::CmdDestroyObject";

using FacadeTest = CoreTest;

}  // namespace

TEST_F(FacadeTest, EachFacadeOwnsOneProviderManager) {
  const unsigned int registered = TovikManagerObjects.Size();
  auto* first = new CTovikManagerIF(&LogCapture::Sink);
  auto* second = new CTovikManagerIF(&LogCapture::Sink);
  EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects + 2);
  EXPECT_EQ(standin::GitEntryCount(), m_baseline.gitEntries + 2);
  EXPECT_EQ(TovikManagerObjects.Size(), registered + 2);
  EXPECT_EQ(LogCapture::TextsOf(kCreate),
            (Texts{"Create TOVIK Manager IF " + PointerText(first), "Create TOVIK Manager IF " + PointerText(second)}));

  LogCapture::Clear();
  delete first;
  EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects + 1);
  EXPECT_EQ(TovikManagerObjects.Size(), registered + 1);
  EXPECT_EQ(LogCapture::TextsOf(kDestroy),
            (Texts{"removing TOVIK Manager IF " + PointerText(first), "Releasing", "0", "Final release "}));
  EXPECT_EQ(ManagerCalls(), (Texts{"ITovikManager.CancelEventNotification()"}));

  delete second;
  EXPECT_EQ(TovikManagerObjects.Size(), registered);
}

TEST_F(FacadeTest, InitializeRuntimePassesTextsAndFlag) {
  CTovikManagerIF facade(&LogCapture::Sink);
  EXPECT_EQ(facade.InitializeRuntime(nullptr, nullptr, false), 0);
  EXPECT_EQ(tovik::sim::LastInitializeRuntime(), (Texts{"null", "null", "0"}));

  // Narrow texts are read in the ANSI code page (Windows-1252).
  EXPECT_EQ(facade.InitializeRuntime("Werkstatt \xE4", "", true), 0);
  EXPECT_EQ(tovik::sim::LastInitializeRuntime(), (Texts{"Werkstatt \u00e4", "", "-1"}));
}

TEST_F(FacadeTest, InitializeRuntimeReportsAProviderFailure) {
  CTovikManagerIF facade(&LogCapture::Sink);
  tovik::sim::FailMethod("ITovikManager.InitializeRuntime", E_FAIL, true, "runtime refused");
  EXPECT_EQ(facade.InitializeRuntime("a", "b", false), 0x50000007);
  const auto texts = LogCapture::TextsOf("CTovikManagerIF::CmdInitializeRuntime");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rfind("com error -2147467259 ", 0), 0u) << texts[0];
  EXPECT_TRUE(LogCapture::Containing("com error: 0x").empty()) << "handled by the command itself";
}

TEST_F(FacadeTest, ConfigureOperationsPassTheProviderResult) {
  CTovikManagerIF facade(&LogCapture::Sink);
  EXPECT_EQ(facade.ConfigureUsbInterface(), 0);
  EXPECT_EQ(facade.ConfigureWifiInterface(), 0);
  tovik::sim::SetResult("ITovikManager.ConfigureUsbInterface", 17);
  tovik::sim::SetResult("ITovikManager.ConfigureWifiInterface", -2);
  EXPECT_EQ(facade.ConfigureUsbInterface(), 17);
  EXPECT_EQ(facade.ConfigureWifiInterface(), -2);
}

TEST_F(FacadeTest, WithoutProviderObjectEveryOperationHasItsNoInterfaceResult) {
  auto facade = FacadeWithoutProvider();
  EXPECT_EQ(LogCapture::TextsOf(kCreate), (Texts{"failed to create object hresult 80004005"}));
  EXPECT_EQ(tovik::sim::LiveObjects(), m_baseline.providerObjects);

  EXPECT_EQ(facade->InitializeRuntime("a", "b", true), 0x50000003);
  EXPECT_EQ(facade->ConfigureUsbInterface(), 0);
  EXPECT_EQ(facade->ConfigureWifiInterface(), 0x50000007);
  EXPECT_TRUE(tovik::sim::Journal().empty());

  LogCapture::Clear();
  facade.reset();
  EXPECT_TRUE(LogCapture::Lines().empty()) << LogCapture::Lines().front();
}

TEST_F(FacadeTest, FailedCancelOnDestructionStillReleasesEverything) {
  auto* facade = new CTovikManagerIF(&LogCapture::Sink);
  tovik::sim::FailMethod("ITovikManager.CancelEventNotification", E_FAIL, true);
  LogCapture::Clear();
  delete facade;
  const auto texts = LogCapture::TextsOf(kDestroy);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[1].rfind("com error: 0x80004005 - ", 0), 0u) << texts[1];
  EXPECT_EQ(texts[4], "Final release ");
}

TEST_F(FacadeTest, EveryFacadeInstallsItsLogSink) {
  static std::vector<std::string> other;
  other.clear();
  auto* facade = new CTovikManagerIF([](const char* line) { other.emplace_back(line); });
  delete facade;
  CoreLog().SetSink(&LogCapture::Sink);
  ASSERT_FALSE(other.empty());
  // In a fresh process the command thread's start-up line may come first.
  EXPECT_TRUE(std::any_of(other.begin(), other.end(), [](const std::string& line) {
    return line.find("Create TOVIK Manager IF ") != std::string::npos;
  }));
  EXPECT_TRUE(LogCapture::Containing("Create TOVIK Manager IF ").empty());
}
