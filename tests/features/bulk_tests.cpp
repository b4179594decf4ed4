// The bulk readers of the list wrappers (ReadItems): they must hand out what
// the one-by-one getters hand out, read from the provider exactly what they
// are asked for in the order asked, and fail per property and per entry the
// way the command thread fails a one-by-one read.

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../core/CoreTestSupport.h"
#include "wrappers/AppWrappers.h"
#include "wrappers/ModuleWrappers.h"
#include "wrappers/VersionWrappers.h"

namespace {

// A getter's value as a bulk entry holds it.
ULONG AsBulk(ULONG value) { return value; }
BulkText AsBulk(char* text) { return Take(text); }

// From a wrapper's property rows: every bulk field, and the comparison of an
// entry with what the element's own getters hand out.
#define BULK_FIELD(C, Kind, Type, Getter, Cmd, ProviderGetter, Field, member) C::Field,
#define BULK_SAME(C, Kind, Type, Getter, Cmd, ProviderGetter, Field, member) \
  EXPECT_EQ(values.member, AsBulk(item->Getter())) << #Getter;

constexpr VciItemField kAllModuleFields[] = {TOVIK_VCI_ITEM_OPS(BULK_FIELD, VciItemField)};
constexpr AppPcItemField kAllPcFields[] = {TOVIK_APP_PC_ITEM_OPS(BULK_FIELD, AppPcItemField)};
constexpr AppVciItemField kAllVciFields[] = {TOVIK_APP_VCI_ITEM_OPS(BULK_FIELD, AppVciItemField)};
constexpr VersionItemField kAllVersionFields[] = {TOVIK_VERSION_ITEM_OPS(BULK_FIELD, VersionItemField)};

void ExpectSame(const VciItemValues& values, CTovikVciItemIF* item) { TOVIK_VCI_ITEM_OPS(BULK_SAME, _) }
void ExpectSame(const AppPcItemValues& values, CTovikAppPcItemIF* item) { TOVIK_APP_PC_ITEM_OPS(BULK_SAME, _) }
void ExpectSame(const AppVciItemValues& values, CTovikAppVciItemIF* item) { TOVIK_APP_VCI_ITEM_OPS(BULK_SAME, _) }
void ExpectSame(const VersionItemValues& values, CTovikVersionItemIF* item) { TOVIK_VERSION_ITEM_OPS(BULK_SAME, _) }

// Reads every entry of `list` in bulk and compares each with its getters.
template <class V, class List, class Field, std::size_t N>
std::vector<V> ReadAllAndCompare(List& list, const Field (&fields)[N]) {
  std::vector<V> values;
  const ULONG count = list.Count();
  EXPECT_GT(count, 0u);
  EXPECT_EQ(list.ReadItems(0, count, fields, values), count);
  for (ULONG i = 0; i < count && i < values.size(); ++i) {
    SCOPED_TRACE(i);
    const std::unique_ptr<std::remove_pointer_t<decltype(list.Item(i))>> item(list.Item(i));
    EXPECT_EQ(values[i].index, i);
    ExpectSame(values[i], item.get());
  }
  return values;
}

// Journal lines with their arguments cut off: "ITovikVciItem.SerialNumber".
Texts Calls(const std::string& prefix) {
  Texts calls;
  for (const std::string& line : tovik::sim::JournalWithPrefix(prefix)) calls.push_back(line.substr(0, line.find('(')));
  return calls;
}

Texts ComErrorLines() { return LogCapture::Containing("com error: 0x"); }

constexpr char kWideModules[] = R"({ "modules": [
  { "serial": "0x80000001", "name": "Caf\u00e9 \u20ac", "type": "0xFFFFFFFF", "interface": 7, "state": 4000000000 },
  { "serial": 5, "name": "", "type": 0, "interface": 0, "state": 0 },
  { "serial": 6, "name": "Third", "type": 3, "interface": 1, "state": 2 } ] })";

// Stops the next element read of a module list in the provider once armed. A watchdog lets it
// go after ten seconds, so that a read which waits for its own caller fails a test instead of
// hanging it.
class ItemReadStop {
 public:
  void Arm() { tovik::sim::ArmPausePoint(kPoint); }
  bool Reached(int timeoutMs) { return tovik::sim::WaitPaused(kPoint, timeoutMs); }
  void Release() { tovik::sim::ResumePoint(kPoint); }
  ~ItemReadStop() {
    m_finished.set_value();
    m_watchdog.join();
  }

 private:
  static constexpr char kPoint[] = "ITovikVciItems.Item";
  std::promise<void> m_finished;
  std::thread m_watchdog{[this, end = m_finished.get_future()] {
    if (end.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) Release();
  }};
};

// A module list of `count` entries with serials 1000, 1001, ...
std::string NumberedModules(ULONG count) {
  std::string json = R"({ "modules": [)";
  for (ULONG i = 0; i < count; ++i) {
    json += (i ? "," : "") + std::string(R"({ "serial": )") + std::to_string(1000 + i) + " }";
  }
  return json + "] }";
}

class BulkTest : public CoreTest {
 protected:
  std::unique_ptr<CTovikVciItemsIF> Modules() {
    CTovikVciItemsIF* list = nullptr;
    EXPECT_EQ(m_facade->GetModuleIds(&list), 0);
    return std::unique_ptr<CTovikVciItemsIF>(list);
  }

  void SetUp() override {
    CoreTest::SetUp();
    m_facade = std::make_unique<CTovikManagerIF>(&LogCapture::Sink);
  }
  void TearDown() override {
    m_facade.reset();
    CoreTest::TearDown();
  }

  std::unique_ptr<CTovikManagerIF> m_facade;
};

TEST_F(BulkTest, ModuleValuesEqualWhatTheOneByOneGettersHandOut) {
  Load(kWideModules);
  const auto list = Modules();
  ASSERT_TRUE(list);
  const auto bulk = ReadAllAndCompare<VciItemValues>(*list, kAllModuleFields);
  ASSERT_EQ(bulk.size(), 3u);
  // Windows-1252 bytes, as the string getter hands them out; an empty name is no text.
  EXPECT_EQ(bulk[0].moduleName, std::string("Caf\xE9 \x80"));
  EXPECT_EQ(bulk[0].moduleState, 4000000000u);
  EXPECT_EQ(bulk[1].moduleName, std::nullopt);
  EXPECT_EQ(BulkTextBytes(bulk[1].moduleName), nullptr);
}

TEST_F(BulkTest, ReadsOnlyTheNamedFieldsInTheNamedOrderAndReleasesEveryEntry) {
  const auto list = Modules();
  const LiveCounters before = LiveCounters::Now();
  tovik::sim::ClearJournal();

  constexpr VciItemField kFields[] = {VciItemField::SerialNumber, VciItemField::ModuleName};
  std::vector<VciItemValues> values;
  ASSERT_EQ(list->ReadItems(1, 2, kFields, values), 2u);

  EXPECT_EQ(tovik::sim::JournalWithPrefix("ITovik"),
            (Texts{"ITovikVciItems.Item(1)", "ITovikVciItem.SerialNumber()", "ITovikVciItem.ModuleName()",
                   "ITovikVciItems.Item(2)", "ITovikVciItem.SerialNumber()", "ITovikVciItem.ModuleName()"}));
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].index, 1u);
  EXPECT_EQ(values[0].serialNumber, 200102u);
  EXPECT_EQ(values[1].index, 2u);
  EXPECT_EQ(values[1].serialNumber, 100017u);
  EXPECT_EQ(values[1].moduleName, std::string("TVX-100 Bench"));
  // Fields not asked for keep their defaults.
  EXPECT_EQ(values[0].moduleType, 0u);
  EXPECT_EQ(values[0].moduleState, 0u);
  // No element wrapper was registered and every element was given back.
  EXPECT_EQ(LiveCounters::Now(), before);
}

TEST_F(BulkTest, MissingEntriesAreSkippedAndTheValuesAreAppended) {
  const auto list = Modules();
  tovik::sim::SetMissingItem("ITovikVciItems", 1);
  std::vector<VciItemValues> values(1);  // something the caller already holds
  constexpr VciItemField kFields[] = {VciItemField::SerialNumber};
  EXPECT_EQ(list->ReadItems(0, 3, kFields, values), 2u);
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[1].index, 0u);
  EXPECT_EQ(values[2].index, 2u);
  EXPECT_EQ(values[2].serialNumber, 100017u);
  EXPECT_TRUE(ComErrorLines().empty());
}

TEST_F(BulkTest, AFailingReadLogsTheCommandThreadsLineAndYieldsItsDefault) {
  const auto list = Modules();
  // The line the command thread writes for a failing one-by-one read ...
  tovik::sim::FailMethod("ITovikVciItem.SerialNumber", static_cast<std::int32_t>(0x80004005), true);
  {
    const std::unique_ptr<CTovikVciItemIF> item(list->Item(0));
    EXPECT_EQ(item->GetSerialNumber(), 0u);
  }
  const Texts oneByOne = ComErrorLines();
  ASSERT_EQ(oneByOne.size(), 1u);
  LogCapture::Clear();

  // ... is the line a bulk read writes, and the other entries and fields are intact.
  tovik::sim::FailMethod("ITovikVciItem.SerialNumber", static_cast<std::int32_t>(0x80004005), true);
  std::vector<VciItemValues> values;
  EXPECT_EQ(list->ReadItems(0, 3, kAllModuleFields, values), 3u);
  EXPECT_EQ(ComErrorLines(), oneByOne);
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].serialNumber, 0u);
  EXPECT_EQ(values[0].moduleName, std::string("TVX-200 Bay 1"));
  EXPECT_EQ(values[0].moduleType, 2u);
  EXPECT_EQ(values[1].serialNumber, 200102u);

  // An element the provider refuses (an index beyond the list) is logged and skipped.
  LogCapture::Clear();
  values.clear();
  EXPECT_EQ(list->ReadItems(2, 3, kAllModuleFields, values), 1u);
  EXPECT_EQ(ComErrorLines().size(), 2u);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].index, 2u);

  // A list without registration reads nothing.
  CTovikVciItemsIF unregistered;
  values.clear();
  tovik::sim::ClearJournal();
  EXPECT_EQ(unregistered.ReadItems(0, 3, kAllModuleFields, values), 0u);
  EXPECT_TRUE(values.empty());
  EXPECT_TRUE(tovik::sim::Journal().empty());
}

TEST_F(BulkTest, ReadListCountsThenVisitsALongListInOrderAndEndsItWithTheLastEntries) {
  const ULONG count = 2 * kBulkChunk + 17;
  Load(NumberedModules(count));
  for (const Visits visits : {Visits::Silent, Visits::Logged}) {
    SCOPED_TRACE(visits == Visits::Silent ? "silent visits" : "logged visits");
    auto list = Modules();
    ItemReadStop stop;
    tovik::sim::SetMissingItem("ITovikVciItems", kBulkChunk);  // the first entry of the second command
    tovik::sim::ClearJournal();

    constexpr VciItemField kFields[] = {VciItemField::SerialNumber};
    std::vector<ULONG> indices;
    std::vector<ULONG> counts;           // what onCount saw, and when
    bool serialsMatch = true;
    const ULONG read = ReadList<VciItemValues>(
        list, std::nullopt, ListEnd::Delete, visits, kFields,
        [&](ULONG n) {
          counts.push_back(n);
          EXPECT_TRUE(indices.empty()) << "the count comes before the entries";
          stop.Arm();
        },
        [&](const VciItemValues& module) {
          // While silent visits run, the next chunk is read; visits that log take turns with
          // the reads.
          if (module.index == 0) {
            EXPECT_EQ(stop.Reached(visits == Visits::Silent ? 10'000 : 100), visits == Visits::Silent);
            stop.Release();
          }
          indices.push_back(module.index);
          serialsMatch = serialsMatch && module.serialNumber == 1000 + module.index;
        });
    EXPECT_EQ(read, count);
    EXPECT_EQ(counts, std::vector<ULONG>{count});
    EXPECT_FALSE(list);
    ASSERT_EQ(indices.size(), count - 1);
    EXPECT_TRUE(serialsMatch);
    EXPECT_EQ(indices[kBulkChunk - 1], kBulkChunk - 1);
    EXPECT_EQ(indices[kBulkChunk], kBulkChunk + 1);
    EXPECT_EQ(indices.back(), count - 1);

    // The provider saw the count once, then every element once, in list order.
    Texts expected{"ITovikVciItems.Count()"};
    for (ULONG i = 0; i < count; ++i) expected.push_back("ITovikVciItems.Item(" + std::to_string(i) + ")");
    EXPECT_EQ(tovik::sim::JournalWithPrefix("ITovikVciItems."), expected);
  }
}

TEST_F(BulkTest, ReadListEndsWithTheChunkUnderWayWhenAVisitThrowsAndLeavesTheListToTheCaller) {
  Load(NumberedModules(2 * kBulkChunk + 1));
  for (const Visits visits : {Visits::Silent, Visits::Logged}) {
    SCOPED_TRACE(visits == Visits::Silent ? "silent visits" : "logged visits");
    auto list = Modules();
    tovik::sim::ClearJournal();
    struct VisitEnded {};
    constexpr VciItemField kFields[] = {VciItemField::SerialNumber};
    EXPECT_THROW(ReadList<VciItemValues>(list, std::nullopt, ListEnd::Delete, visits, kFields, [](ULONG) {},
                                         [](const VciItemValues&) { throw VisitEnded{}; }),
                 VisitEnded);
    // Silent visits had the next chunk under way; it is read to its end, and nothing after it.
    const ULONG read = visits == Visits::Silent ? 2 * kBulkChunk : kBulkChunk;
    Texts expected{"ITovikVciItems.Count()"};
    for (ULONG i = 0; i < read; ++i) expected.push_back("ITovikVciItems.Item(" + std::to_string(i) + ")");
    EXPECT_EQ(tovik::sim::JournalWithPrefix("ITovikVciItems."), expected);
    EXPECT_TRUE(list);
  }
}

TEST_F(BulkTest, ReadListWithAKnownCountKeepsOrEndsTheListAsAsked) {
  Load(kWideModules);
  constexpr VciItemField kFields[] = {VciItemField::ModuleType};
  const auto types = [&](std::unique_ptr<CTovikVciItemsIF>& list, ULONG count, ListEnd end) {
    std::vector<ULONG> seen;
    const ULONG read = ReadList<VciItemValues>(
        list, count, end, Visits::Silent, kFields, [](ULONG) { ADD_FAILURE() << "a known count is not reported"; },
        [&](const VciItemValues& module) { seen.push_back(module.moduleType); });
    EXPECT_EQ(read, count);
    return seen;
  };
  auto list = Modules();
  tovik::sim::ClearJournal();
  EXPECT_EQ(types(list, 2, ListEnd::Keep), (std::vector<ULONG>{0xFFFFFFFF, 0}));
  ASSERT_TRUE(list);
  EXPECT_EQ(Calls("ITovikVciItems."), (Texts{"ITovikVciItems.Item", "ITovikVciItems.Item"}));
  EXPECT_EQ(types(list, 3, ListEnd::Delete), (std::vector<ULONG>{0xFFFFFFFF, 0, 3}));
  EXPECT_FALSE(list);

  // Nothing to read: the list stays or ends as asked, and nothing is counted or read.
  list = Modules();
  tovik::sim::ClearJournal();
  EXPECT_TRUE(types(list, 0, ListEnd::Keep).empty());
  EXPECT_TRUE(list);
  EXPECT_TRUE(types(list, 0, ListEnd::Delete).empty());
  EXPECT_FALSE(list);
  EXPECT_TRUE(Calls("ITovikVciItems.").empty());

  // No list: the count reported is 0, and nothing is read.
  std::unique_ptr<CTovikVciItemsIF> none;
  std::vector<ULONG> counts;
  ReadList<VciItemValues>(
      none, std::nullopt, ListEnd::Delete, Visits::Silent, kFields, [&](ULONG n) { counts.push_back(n); },
      [](const VciItemValues&) { ADD_FAILURE() << "no entry without a list"; });
  EXPECT_EQ(counts, std::vector<ULONG>{0});
}

TEST_F(BulkTest, CatalogueAndVersionEntriesEqualTheirGetters) {
  Load(R"({ "connections": { "requireConnection": false },
    "appsPc": [ { "name": "P\u00e9", "app": 4294967295, "version": 2, "date": 3, "moduleType": 4,
                  "versionText": "1.0", "branch": "", "dateText": "2024" } ],
    "modules": [ { "serial": 200101, "apps": [
      { "app": 9, "name": "Diag", "version": 1, "date": 2, "state": 3, "license": "L", "licenseState": 4,
        "daysRemaining": 4294967295, "timesRemaining": 2147483648, "versionText": "3", "branch": "b",
        "dateText": "d" } ] } ],
    "versions": { "server": [ { "name": "S", "version": 7, "date": 8, "versionText": "v", "dateText": "d" },
                             { "name": "" } ] } })");

  CTovikAppPcItemListIF* pcOut = nullptr;
  m_facade->GetAppsPC_3(&pcOut);
  const std::unique_ptr<CTovikAppPcItemListIF> pc(pcOut);
  ASSERT_TRUE(pc);
  const auto pcValues = ReadAllAndCompare<AppPcItemValues>(*pc, kAllPcFields);
  ASSERT_EQ(pcValues.size(), 1u);
  EXPECT_EQ(pcValues[0].app, 0xFFFFFFFFu);
  EXPECT_EQ(pcValues[0].branchName, std::nullopt);

  CTovikAppVciItemListIF* vciOut = nullptr;
  m_facade->GetAppsVCI(1, 0, 0, &vciOut);
  const std::unique_ptr<CTovikAppVciItemListIF> vci(vciOut);
  ASSERT_TRUE(vci);
  const auto vciValues = ReadAllAndCompare<AppVciItemValues>(*vci, kAllVciFields);
  ASSERT_EQ(vciValues.size(), 1u);
  EXPECT_EQ(vciValues[0].timesRemaining, 0x80000000u);

  CTovikVersionInfoIF* infoOut = nullptr;
  ASSERT_EQ(m_facade->GetVersionInformation_2(1, 2, &infoOut), 0);
  const std::unique_ptr<CTovikVersionInfoIF> info(infoOut);
  const std::unique_ptr<CTovikVersionItemListIF> server(info->ServerVersionList());
  ASSERT_TRUE(server);
  ReadAllAndCompare<VersionItemValues>(*server, kAllVersionFields);
}

}  // namespace
