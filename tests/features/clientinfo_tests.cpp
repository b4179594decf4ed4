// Client information operations of CTovikManagerIF against the virtual provider: the paths
// that Java cannot drive (allocation failures, a facade without provider object, raw
// pointers from a native caller).
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "../core/CoreTestSupport.h"
#include "wrappers/ClientInfoWrappers.h"

namespace {

constexpr ULONG kConnection = 7;
constexpr LONG kNoInterface = 0x50000003;
constexpr LONG kNoFacade = 0x50000007;

class ClientInfoTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    Load(R"({ "connections": { "requireConnection": false }, "clientInfo": { "firstAccess": 100 },
      "modules": [ { "serial": 4711, "blocks": [ { "id": "calibration", "location": 1, "hex": "0a0b0c" } ] } ] })");
    m_facade = std::make_unique<CTovikManagerIF>(&LogCapture::Sink);
    tovik::sim::ClearJournal();
    LogCapture::Clear();
  }
  void TearDown() override {
    m_facade.reset();
    CoreTest::TearDown();
  }

  // Starts a read of the scenario's block whose result buffer claims `length` bytes; returns
  // its access id, with the journal and the log cleared.
  ULONG StartRead(LONG length) {
    CTovikClientAccessItemIF* item = nullptr;
    EXPECT_EQ(m_facade->GetClientInfo(kConnection, _bstr_t("calibration"), 1, 0, &item), 0);
    EXPECT_NE(item, nullptr);
    const ULONG access = item ? item->ClientInfo() : 0;
    delete item;
    tovik::sim::SetByteBufferLength(length);
    tovik::sim::ClearJournal();
    LogCapture::Clear();
    return access;
  }

  std::unique_ptr<CTovikManagerIF> m_facade;
};

TEST_F(ClientInfoTest, ByteArrayThatCannotBeBuiltGives0x50000006AndCallsNothing) {
  if (!TOVIK_PLATFORM_TRACKS_ALLOCATIONS) GTEST_SKIP() << "the platform's allocations cannot be limited";
  std::vector<unsigned char> data(100, 0x5A);
  CTovikClientAccessItemIF* item = nullptr;
  {
    AllocationLimit limit(64);  // the identifier fits, the array of 100 bytes does not
    EXPECT_EQ(m_facade->StoreClientInfo(kConnection, "big", 1, data.data(), 100, 0, &item), 0x50000006);
    EXPECT_EQ(item, nullptr);
    EXPECT_TRUE(ManagerCalls().empty());

    // A block under the limit still goes through.
    EXPECT_EQ(m_facade->StoreClientInfo(kConnection, "small", 1, data.data(), 10, 0, &item), 0);
    ASSERT_NE(item, nullptr);
    delete item;
  }
  std::vector<std::uint8_t> stored;
  EXPECT_FALSE(tovik::sim::StoredBlock(4711, "big", 1, &stored));
  ASSERT_TRUE(tovik::sim::StoredBlock(4711, "small", 1, &stored));
  EXPECT_EQ(stored, std::vector<std::uint8_t>(10, 0x5A));

  // Bytes announced without data are refused.
  item = nullptr;
  EXPECT_EQ(m_facade->StoreClientInfo(kConnection, "id", 1, nullptr, 5, 0, &item), kNoInterface);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(ManagerCalls().size(), 1u);
}

TEST_F(ClientInfoTest, HugeClaimedResultLengthYieldsNoDataWhenTheBlockCannotBeMade) {
  if (!TOVIK_PLATFORM_TRACKS_ALLOCATIONS) GTEST_SKIP() << "the platform's allocations cannot be limited";
  const ULONG access = StartRead(INT_MAX);
  AllocationLimit limit(1 << 20);

  unsigned int length = 77;
  unsigned char marker = 0;
  unsigned char* data = &marker;
  EXPECT_EQ(m_facade->GetClientInfoResult(kConnection, access, &length, &data), 0);

  EXPECT_EQ(length, 0u);
  EXPECT_EQ(data, nullptr);
  EXPECT_TRUE(tovik::sim::JournalWithPrefix("ITovikByteBuffer.Item").empty()) << "no copy into a missing block";
  EXPECT_EQ(LogCapture::TextsOf("CTovikManagerIF::CmdGetClientInfoResult"),
            (Texts{"Look for buffer", "A", "Copy results 2147483647", "No memory for results 2147483647", "B", "C"}));
}

// The result block has exactly the length the buffer reports, even none (a live block the
// caller frees: the counters checked after each test see a block left behind); a negative
// length copies nothing and reaches the caller as the provider gave it.
TEST_F(ClientInfoTest, ResultBlockHasExactlyTheReportedLength) {
  struct Row {
    LONG claimed;
    std::optional<std::vector<unsigned char>> bytes;
  };
  const Row rows[] = {{5, std::vector<unsigned char>{10, 11, 12, 0, 0}}, {0, std::vector<unsigned char>{}}, {-5, {}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.claimed);
    const ULONG access = StartRead(row.claimed);
    unsigned int length = 77;
    unsigned char marker = 0;
    unsigned char* data = &marker;
    EXPECT_EQ(m_facade->GetClientInfoResult(kConnection, access, &length, &data), 0);
    EXPECT_EQ(static_cast<LONG>(length), row.claimed);
    Texts calls{"ITovikManager.GetClientInfoResult(7, " + std::to_string(access) + ")", "ITovikByteBuffer.Length()"};
    for (LONG i = 0; i < row.claimed; ++i) calls.push_back("ITovikByteBuffer.Item(" + std::to_string(i) + ")");
    EXPECT_EQ(tovik::sim::Journal(), calls);
    EXPECT_EQ(LogCapture::TextsOf("CTovikManagerIF::CmdGetClientInfoResult"),
              (Texts{"Look for buffer", "A", "Copy results " + std::to_string(row.claimed), "B", "C"}));
    if (!row.bytes) {
      EXPECT_EQ(data, nullptr);
      continue;
    }
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(LocalSize(data), row.bytes->size());
    EXPECT_EQ(std::vector<unsigned char>(data, data + row.bytes->size()), *row.bytes);
    LocalFree(data);
  }
}

TEST_F(ClientInfoTest, FailingByteReadLeavesTheOutputsUnwrittenAndFreesThePartialBlock) {
  const ULONG access = StartRead(3);
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
  CTovikClientAccessItemIF* items[3] = {};
  m_facade->StoreClientInfoFile(kConnection, nullptr, 1, nullptr, 0, &items[0]);
  m_facade->DeleteClientInfo(kConnection, nullptr, 1);
  m_facade->GetClientInfo(kConnection, nullptr, 1, 0, &items[1]);
  m_facade->GetClientInfoFile(kConnection, nullptr, 1, nullptr, &items[2]);
  for (CTovikClientAccessItemIF* item : items) delete item;

  EXPECT_EQ(ManagerCalls(), (Texts{"ITovikManager.StoreClientInfoFile(7, null, 1, null, 0)",
                                   "ITovikManager.DeleteClientInfo(7, null, 1)",
                                   "ITovikManager.GetClientInfo(7, null, 1, 0)",
                                   "ITovikManager.GetClientInfoFile(7, null, 1, null)"}));
}

TEST_F(CoreTest, WithoutProviderClientInfoStoresGive0x50000003AndReads0x50000007) {
  const auto facade = FacadeWithoutProvider();
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
}

}  // namespace
