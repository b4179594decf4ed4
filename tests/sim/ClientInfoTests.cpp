#include "SimTest.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace simtest {
namespace {

class ClientInfoTest : public SimTest {
 protected:
  struct SpaceData {
    ULONG volRemaining = 0, volTotal = 0, nonVolRemaining = 0, nonVolTotal = 0;
  };

  void SetUp() override {
    SimTest::SetUp();
    connection_ = Connect(kBay2);
  }

  LONG Store(const char* id, ULONG location, const std::vector<BYTE>& bytes, ULONG* accessId = nullptr) {
    ByteVariant data(bytes);
    P::ITovikClientAccessItemPtr item;
    const LONG result =
        Call(&P::ITovikManager::raw_StoreClientInfo, connection_, Bstr(id), location, data.get(), 0, &item);
    EXPECT_TRUE(item) << "a store always reports its access";
    if (item && accessId) item->get_ClientInfo(accessId);
    return result;
  }

  SpaceData Space() {
    P::ITovikClientSpacePtr space;
    Call(&P::ITovikManager::raw_GetAvailableClientSpace, connection_, &space);
    SpaceData s;
    space->get_VolRemaining(&s.volRemaining);
    space->get_VolTotal(&s.volTotal);
    space->get_NonVolRemaining(&s.nonVolRemaining);
    space->get_NonVolTotal(&s.nonVolTotal);
    return s;
  }

  std::vector<BYTE> ReadBack(const char* id, ULONG location, LONG* code) {
    P::ITovikClientAccessItemPtr item;
    ULONG accessId = 0;
    EXPECT_EQ(S_OK, manager_->raw_GetClientInfo(connection_, Bstr(id), location, 0, &item, code));
    if (!item) return {};
    item->get_ClientInfo(&accessId);
    P::ITovikByteBufferPtr buffer;
    EXPECT_EQ(S_OK, manager_->raw_GetClientInfoResult(connection_, accessId, &buffer, code));
    std::vector<BYTE> bytes;
    LONG length = 0;
    buffer->get_Length(&length);
    for (LONG i = 0; i < length; ++i) {
      BYTE b = 0;
      EXPECT_EQ(S_OK, buffer->raw_Item(i, &b));
      bytes.push_back(b);
    }
    return bytes;
  }

  ULONG connection_ = 0;
};

std::vector<BYTE> EveryByteValue() {
  std::vector<BYTE> bytes;
  for (int i = 0; i < 600; ++i) bytes.push_back(static_cast<BYTE>((i * 7) & 0xFF));
  bytes.push_back(0);
  return bytes;
}

TEST_F(ClientInfoTest, SameIdAtAnotherLocationIsAnotherBlock) {
  ASSERT_EQ(0, Store("x", 0, {1}));
  ASSERT_EQ(0, Store("x", 1, {2, 2}));
  LONG code = -1;
  EXPECT_EQ(std::vector<BYTE>({1}), ReadBack("x", 0, &code));
  EXPECT_EQ(std::vector<BYTE>({2, 2}), ReadBack("x", 1, &code));
}

TEST_F(ClientInfoTest, SpaceFollowsWhatIsStoredReplacedAndDeleted) {
  const SpaceData empty = Space();
  EXPECT_EQ(empty.volTotal, empty.volRemaining);
  EXPECT_EQ(empty.nonVolTotal, empty.nonVolRemaining);

  ASSERT_EQ(0, Store("a", 0, std::vector<BYTE>(100, 1)));
  ASSERT_EQ(0, Store("b", 5, std::vector<BYTE>(300, 2)));
  SpaceData now = Space();
  EXPECT_EQ(empty.volRemaining - 100, now.volRemaining);
  EXPECT_EQ(empty.nonVolRemaining - 300, now.nonVolRemaining);

  ASSERT_EQ(0, Store("a", 0, std::vector<BYTE>(40, 3)));
  EXPECT_EQ(empty.volRemaining - 40, Space().volRemaining) << "a replaced block frees its old size";

  EXPECT_EQ(0, Call(&P::ITovikManager::raw_DeleteClientInfo, connection_, Bstr("b"), 5));
  EXPECT_EQ(empty.nonVolRemaining, Space().nonVolRemaining);
  EXPECT_NE(0, Call(&P::ITovikManager::raw_DeleteClientInfo, connection_, Bstr("b"), 5));
}

TEST_F(ClientInfoTest, BlockThatDoesNotFitIsRefusedAndNothingChanges) {
  const SpaceData before = Space();
  ULONG accessId = 0;
  const LONG code = Store("big", 0, std::vector<BYTE>(before.volRemaining + 1, 9), &accessId);
  EXPECT_NE(0, code);
  EXPECT_EQ(before.volRemaining, Space().volRemaining);
  EXPECT_FALSE(sim::StoredBlock(kBay2, "big", 0, nullptr));

  P::ITovikClientAccessItemPtr item;
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_GetClientAccessStatus(connection_, accessId, &item, &result));
  LONG error = 0;
  item->get_ErrorCode(&error);
  EXPECT_EQ(code, error) << "the access reports why it failed";

  ASSERT_EQ(0, Store("fits", 0, std::vector<BYTE>(before.volRemaining, 9)));
  EXPECT_EQ(0u, Space().volRemaining);
}

TEST_F(ClientInfoTest, ListShowsEveryStoredBlock) {
  ASSERT_EQ(0, Store("one", 1, {1, 2, 3}));
  ASSERT_EQ(0, Store("", 0, {4}));
  P::ITovikClientInfoListPtr list;
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_GetClientInfoList(connection_, &list, &result));
  ULONG count = 0;
  list->get_Count(&count);
  ASSERT_EQ(2u, count);
  P::ITovikClientInfoItemPtr item;
  list->raw_Item(0, &item);
  BSTR id = nullptr;
  ULONG size = 0, location = 0;
  item->get_ClientInfoId(&id);
  item->get_FileSize(&size);
  item->get_ClientInfoLocation(&location);
  EXPECT_EQ("one", Text(id));
  EXPECT_EQ(3u, size);
  EXPECT_EQ(1u, location);
  list->raw_Item(1, &item);
  item->get_ClientInfoId(&id);
  EXPECT_EQ("", Text(id));
}

TEST_F(ClientInfoTest, FilesRoundTripThroughTheModule) {
  const std::string in = ::testing::TempDir() + "sim_client_in.bin";
  const std::string out = ::testing::TempDir() + "sim_client_out.bin";
  const auto bytes = EveryByteValue();
  {
    std::ofstream file(in, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  P::ITovikClientAccessItemPtr item;
  const auto store = &P::ITovikManager::raw_StoreClientInfoFile;
  const auto get = &P::ITovikManager::raw_GetClientInfoFile;
  ASSERT_EQ(0, Call(store, connection_, Bstr("file"), 1, Bstr(in.c_str()), 0, &item));
  ASSERT_EQ(0, Call(get, connection_, Bstr("file"), 1, Bstr(out.c_str()), &item));
  std::ifstream file(out, std::ios::binary);
  std::vector<BYTE> back((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, back);
  std::remove(in.c_str());
  std::remove(out.c_str());

  const LONG result = Call(store, connection_, Bstr("gone"), 1, Bstr("/nonexistent/x"), 0, &item);
  EXPECT_NE(0, result);
  ASSERT_TRUE(item);
  LONG error = 0;
  item->get_ErrorCode(&error);
  EXPECT_EQ(result, error);

  // A folder is neither read as a block nor written over.
  const std::string folder = ::testing::TempDir();
  EXPECT_NE(0, Call(store, connection_, Bstr("dir"), 1, Bstr(folder.c_str()), 0, &item));
  EXPECT_NE(0, Call(get, connection_, Bstr("calibration"), 1, Bstr(folder.c_str()), &item));
}

TEST_F(ClientInfoTest, ReadResultNeedsAReadAccessOfThisModule) {
  ULONG storeAccess = 0;
  ASSERT_EQ(0, Store("s", 1, {1}, &storeAccess));
  P::ITovikByteBufferPtr buffer;
  EXPECT_NE(0, Call(&P::ITovikManager::raw_GetClientInfoResult, connection_, storeAccess, &buffer));
  EXPECT_FALSE(buffer);

  P::ITovikClientAccessItemPtr item;
  EXPECT_NE(0, Call(&P::ITovikManager::raw_GetClientInfo, connection_, Bstr("missing"), 1, 0, &item));
  EXPECT_FALSE(item);
}

TEST_F(ClientInfoTest, AccessesCountBlocksAndTime) {
  ULONG first = 0, second = 0;
  ASSERT_EQ(0, Store("a", 1, std::vector<BYTE>(257, 0), &first));
  ASSERT_EQ(0, Store("b", 1, std::vector<BYTE>(1, 0), &second));
  EXPECT_NE(first, second);
  P::ITovikClientAccessItemPtr a, b;
  LONG result = -1;
  manager_->raw_GetClientAccessStatus(connection_, first, &a, &result);
  manager_->raw_GetClientAccessStatus(connection_, second, &b, &result);
  ULONG blocks = 0, current = 0, t1 = 0, t2 = 0;
  a->get_TotalBlocks(&blocks);
  a->get_CurrentBlock(&current);
  a->get_TimeStampMs(&t1);
  b->get_TimeStampMs(&t2);
  EXPECT_EQ(2u, blocks) << "257 bytes in blocks of 256";
  EXPECT_EQ(blocks, current);
  EXPECT_LT(t1, t2);
}

}  // namespace
}  // namespace simtest
