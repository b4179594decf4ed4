// Client information operations of CTovikManagerIF against the virtual provider: the paths
// that Java cannot drive (allocation failures, a facade without provider object, raw
// pointers from a native caller).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "../core/CoreTestSupport.h"
#include "facade/CTovikManagerIF.h"
#include "wrappers/ClientInfoWrappers.h"

namespace {

constexpr ULONG kConnection = 7;
constexpr LONG kNoInterface = 0x50000003;
constexpr LONG kNoFacade = 0x50000007;
constexpr LONG kNoByteArray = 0x50000006;

const char kScenario[] = R"({
  "connections": { "requireConnection": false },
  "clientInfo": { "firstAccess": 100 },
  "modules": [ { "serial": 4711, "blocks": [ { "id": "calibration", "location": 1, "hex": "0a0b0c" } ] } ]
})";

class ClientInfoTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    std::string error;
    ASSERT_TRUE(tovik::sim::LoadScenarioJson(kScenario, &error)) << error;
    m_facade = new CTovikManagerIF(&LogCapture::Sink);
    tovik::sim::ClearJournal();
    LogCapture::Clear();
  }
  void TearDown() override {
    standin::SetAllocationLimit(0);
    delete m_facade;
    CoreTest::TearDown();
  }

  static std::vector<std::string> ManagerCalls() { return tovik::sim::JournalWithPrefix("ITovikManager."); }

  // Starts a read of the scenario's block; returns its access id.
  ULONG StartRead() {
    CTovikClientAccessItemIF* item = nullptr;
    EXPECT_EQ(m_facade->GetClientInfo(kConnection, _bstr_t("calibration"), 1, 0, &item), 0);
    EXPECT_NE(item, nullptr);
    const ULONG access = item ? item->ClientInfo() : 0;
    delete item;
    return access;
  }

  CTovikManagerIF* m_facade = nullptr;
};

TEST_F(ClientInfoTest, ByteArrayThatCannotBeBuiltGives0x50000006AndCallsNothing) {
  if (!TOVIK_PLATFORM_TRACKS_ALLOCATIONS) GTEST_SKIP() << "the platform's allocations cannot be limited";
  std::vector<unsigned char> data(100, 0x5A);
  CTovikClientAccessItemIF* item = nullptr;

  standin::SetAllocationLimit(64);  // the identifier fits, the array of 100 bytes does not
  EXPECT_EQ(m_facade->StoreClientInfo(kConnection, "big", 1, data.data(), 100, 0, &item), kNoByteArray);
  EXPECT_EQ(item, nullptr);
  EXPECT_TRUE(ManagerCalls().empty());

  // A block under the limit still goes through.
  EXPECT_EQ(m_facade->StoreClientInfo(kConnection, "small", 1, data.data(), 10, 0, &item), 0);
  ASSERT_NE(item, nullptr);
  delete item;
  standin::SetAllocationLimit(0);

  std::vector<std::uint8_t> stored;
  EXPECT_FALSE(tovik::sim::StoredBlock(4711, "big", 1, &stored));
  ASSERT_TRUE(tovik::sim::StoredBlock(4711, "small", 1, &stored));
  EXPECT_EQ(stored, std::vector<std::uint8_t>(10, 0x5A));
}

TEST_F(ClientInfoTest, BytesAnnouncedWithoutDataAreRefused) {
  CTovikClientAccessItemIF* item = nullptr;
  EXPECT_EQ(m_facade->StoreClientInfo(kConnection, "id", 1, nullptr, 5, 0, &item), kNoInterface);
  EXPECT_EQ(item, nullptr);
  EXPECT_TRUE(ManagerCalls().empty());
}

TEST_F(ClientInfoTest, HugeClaimedResultLengthYieldsNoDataWhenTheBlockCannotBeMade) {
  if (!TOVIK_PLATFORM_TRACKS_ALLOCATIONS) GTEST_SKIP() << "the platform's allocations cannot be limited";
  const ULONG access = StartRead();
  tovik::sim::SetByteBufferLength(INT_MAX);
  standin::SetAllocationLimit(1 << 20);
  tovik::sim::ClearJournal();
  LogCapture::Clear();

  unsigned int length = 77;
  unsigned char marker = 0;
  unsigned char* data = &marker;
  EXPECT_EQ(m_facade->GetClientInfoResult(kConnection, access, &length, &data), 0);

  EXPECT_EQ(length, 0u);
  EXPECT_EQ(data, nullptr);
  EXPECT_TRUE(tovik::sim::JournalWithPrefix("ITovikByteBuffer.Item").empty()) << "no copy into a missing block";
  EXPECT_EQ(LogCapture::TextsOf("CTovikManagerIF::CmdGetClientInfoResult"),
            (std::vector<std::string>{"Look for buffer", "A", "Copy results 2147483647",
                                      "No memory for results 2147483647", "B", "C"}));
}

// A buffer that reports no bytes still gives a block of that length: a live block of no bytes,
// which the caller frees (the counters checked after each test see a block left behind).
TEST_F(ClientInfoTest, ZeroLengthResultIsALiveBlockOfNoBytes) {
  const ULONG access = StartRead();
  tovik::sim::SetByteBufferLength(0);
  tovik::sim::ClearJournal();

  unsigned int length = 77;
  unsigned char* data = nullptr;
  EXPECT_EQ(m_facade->GetClientInfoResult(kConnection, access, &length, &data), 0);
  EXPECT_EQ(length, 0u);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(LocalSize(data), 0u);
  EXPECT_EQ(tovik::sim::Journal(), (std::vector<std::string>{"ITovikManager.GetClientInfoResult(7, 100)",
                                                             "ITovikByteBuffer.Length()"}));
  LocalFree(data);
}

// A negative length copies nothing and reaches the caller as the provider gave it.
TEST_F(ClientInfoTest, NegativeResultLengthComesBackUnchangedWithoutData) {
  const ULONG access = StartRead();
  tovik::sim::SetByteBufferLength(-5);
  LogCapture::Clear();

  unsigned int length = 77;
  unsigned char marker = 0;
  unsigned char* data = &marker;
  EXPECT_EQ(m_facade->GetClientInfoResult(kConnection, access, &length, &data), 0);
  EXPECT_EQ(static_cast<LONG>(length), -5);
  EXPECT_EQ(data, nullptr);
  EXPECT_TRUE(tovik::sim::JournalWithPrefix("ITovikByteBuffer.Item").empty());
  EXPECT_EQ(LogCapture::TextsOf("CTovikManagerIF::CmdGetClientInfoResult"),
            (std::vector<std::string>{"Look for buffer", "A", "Copy results -5", "B", "C"}));
}

TEST_F(ClientInfoTest, ResultBlockHasExactlyTheReportedLength) {
  const ULONG access = StartRead();
  tovik::sim::SetByteBufferLength(5);

  unsigned int length = 0;
  unsigned char* data = nullptr;
  EXPECT_EQ(m_facade->GetClientInfoResult(kConnection, access, &length, &data), 0);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(length, 5u);
  EXPECT_EQ(LocalSize(data), 5u);
  EXPECT_EQ(std::vector<unsigned char>(data, data + length), (std::vector<unsigned char>{10, 11, 12, 0, 0}));
  LocalFree(data);
}

TEST_F(ClientInfoTest, FailingByteReadLeavesTheOutputsUnwrittenAndFreesThePartialBlock) {
  const ULONG access = StartRead();
  tovik::sim::FailMethod("ITovikByteBuffer.Item", static_cast<std::int32_t>(0x80004005));

  unsigned int length = 77;
  unsigned char marker = 0;
  unsigned char* data = &marker;
  EXPECT_EQ(m_facade->GetClientInfoResult(kConnection, access, &length, &data), 0);
  EXPECT_EQ(length, 77u);
  EXPECT_EQ(data, &marker);
  // TearDown checks that the block the copy had started is gone again.
}

TEST_F(ClientInfoTest, NullTextsReachTheProviderAsNullBstrs) {
  CTovikClientAccessItemIF* item = nullptr;
  m_facade->StoreClientInfoFile(kConnection, nullptr, 1, nullptr, 0, &item);
  delete item;
  item = nullptr;
  m_facade->DeleteClientInfo(kConnection, nullptr, 1);
  m_facade->GetClientInfo(kConnection, nullptr, 1, 0, &item);
  delete item;
  item = nullptr;
  m_facade->GetClientInfoFile(kConnection, nullptr, 1, nullptr, &item);
  delete item;

  EXPECT_EQ(ManagerCalls(), (std::vector<std::string>{"ITovikManager.StoreClientInfoFile(7, null, 1, null, 0)",
                                                      "ITovikManager.DeleteClientInfo(7, null, 1)",
                                                      "ITovikManager.GetClientInfo(7, null, 1, 0)",
                                                      "ITovikManager.GetClientInfoFile(7, null, 1, null)"}));
}

class ClientInfoWithoutProviderTest : public CoreTest {};

TEST_F(ClientInfoWithoutProviderTest, StoreOperationsGive0x50000003AndReadOperations0x50000007) {
  CTovikManagerIF* facade = nullptr;
  {
    FailingFactory refuse(TovikApiProviderLib::CLSID_TovikManager);
    facade = new CTovikManagerIF(&LogCapture::Sink);
  }
  unsigned char byte = 1;
  CTovikClientAccessItemIF* item = nullptr;
  CTovikClientSpaceIF* space = nullptr;
  CTovikClientInfoListIF* list = nullptr;
  unsigned int length = 77;
  unsigned char* data = &byte;

  EXPECT_EQ(facade->StoreClientInfo(kConnection, "id", 1, &byte, 1, 0, &item), kNoInterface);
  EXPECT_EQ(facade->StoreClientInfoFile(kConnection, "id", 1, "file", 0, &item), kNoInterface);
  EXPECT_EQ(facade->DeleteClientInfo(kConnection, "id", 1), kNoInterface);
  EXPECT_EQ(facade->GetClientAccessStatus(kConnection, 1, &item), kNoInterface);
  EXPECT_EQ(facade->GetAvailableClientSpace(kConnection, &space), kNoInterface);
  EXPECT_EQ(facade->GetClientInfoList(kConnection, &list), kNoFacade);
  EXPECT_EQ(facade->GetClientInfo(kConnection, _bstr_t("id"), 1, 0, &item), kNoFacade);
  EXPECT_EQ(facade->GetClientInfoResult(kConnection, 1, &length, &data), kNoFacade);
  EXPECT_EQ(facade->GetClientInfoFile(kConnection, _bstr_t("id"), 1, _bstr_t("file"), &item), kNoFacade);

  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(space, nullptr);
  EXPECT_EQ(list, nullptr);
  EXPECT_EQ(length, 77u) << "outputs are not written";
  EXPECT_EQ(data, &byte);
  EXPECT_TRUE(tovik::sim::Journal().empty());
  delete facade;
}

}  // namespace
