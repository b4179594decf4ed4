// The bulk readers of the list wrappers (ReadItems): they must hand out what
// the one-by-one getters hand out, read from the provider exactly what they
// are asked for in the order asked, and fail per property and per entry the
// way the command thread fails a one-by-one read.

#include <memory>
#include <string>
#include <vector>

#include "../core/CoreTestSupport.h"
#include "facade/CTovikManagerIF.h"
#include "wrappers/AppWrappers.h"
#include "wrappers/ModuleWrappers.h"
#include "wrappers/VersionWrappers.h"

namespace {

using Texts = std::vector<std::string>;

// A LocalAlloc text from a wrapper getter; nullopt for null. The block is freed.
BulkText Take(char* text) {
  if (text == nullptr) return std::nullopt;
  std::string copy(text);
  LocalFree(text);
  return copy;
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

constexpr VciItemField kAllModuleFields[] = {VciItemField::ModuleState, VciItemField::ModuleName,
                                             VciItemField::SerialNumber, VciItemField::VCIInterface,
                                             VciItemField::ModuleType};

class BulkTest : public CoreTest {
 protected:
  void Load(const char* json) {
    std::string error;
    ASSERT_TRUE(tovik::sim::LoadScenarioJson(json, &error)) << error;
  }

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
  std::vector<VciItemValues> bulk;
  ASSERT_EQ(list->ReadItems(0, 3, kAllModuleFields, bulk), 3u);
  ASSERT_EQ(bulk.size(), 3u);
  for (ULONG i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const std::unique_ptr<CTovikVciItemIF> item(list->Item(i));
    ASSERT_TRUE(item);
    EXPECT_EQ(bulk[i].index, i);
    EXPECT_EQ(bulk[i].moduleState, item->GetModuleState());
    EXPECT_EQ(bulk[i].moduleName, Take(item->GetModuleName()));
    EXPECT_EQ(bulk[i].serialNumber, item->GetSerialNumber());
    EXPECT_EQ(bulk[i].vciInterface, item->GetVCIInterface());
    EXPECT_EQ(bulk[i].moduleType, item->GetModuleType());
  }
  // Windows-1252 bytes, as the string getter hands them out; an empty name is no text.
  EXPECT_EQ(bulk[0].moduleName, std::string("Caf\xE9 \x80"));
  EXPECT_EQ(bulk[0].moduleState, 4000000000u);
  EXPECT_EQ(bulk[1].moduleName, std::nullopt);
  EXPECT_EQ(BulkTextBytes(bulk[1].moduleName), nullptr);
}

TEST_F(BulkTest, ReadsOnlyTheNamedFieldsInTheNamedOrderAndReleasesEveryEntry) {
  const auto list = Modules();
  const auto objectsBefore = tovik::sim::LiveObjects();
  const std::size_t gitBefore = standin::GitEntryCount();
  tovik::sim::ClearJournal();

  constexpr VciItemField kFields[] = {VciItemField::SerialNumber, VciItemField::ModuleName};
  std::vector<VciItemValues> values;
  ASSERT_EQ(list->ReadItems(1, 2, kFields, values), 2u);

  EXPECT_EQ(Calls("ITovik"), (Texts{"ITovikVciItems.Item", "ITovikVciItem.SerialNumber", "ITovikVciItem.ModuleName",
                                    "ITovikVciItems.Item", "ITovikVciItem.SerialNumber",
                                    "ITovikVciItem.ModuleName"}));
  EXPECT_EQ(tovik::sim::JournalWithPrefix("ITovikVciItems.Item"), (Texts{"ITovikVciItems.Item(1)", "ITovikVciItems.Item(2)"}));
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
  EXPECT_EQ(standin::GitEntryCount(), gitBefore);
  EXPECT_EQ(tovik::sim::LiveObjects(), objectsBefore);
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
}

TEST_F(BulkTest, AListWithoutRegistrationReadsNothing) {
  CTovikVciItemsIF unregistered;
  std::vector<VciItemValues> values;
  tovik::sim::ClearJournal();
  EXPECT_EQ(unregistered.ReadItems(0, 3, kAllModuleFields, values), 0u);
  EXPECT_TRUE(values.empty());
  EXPECT_TRUE(tovik::sim::Journal().empty());
}

TEST_F(BulkTest, ReadListCountsThenVisitsALongListInOrderAndEndsItWithTheLastEntries) {
  std::string json = R"({ "modules": [)";
  const ULONG count = 2 * kBulkChunk + 17;
  for (ULONG i = 0; i < count; ++i) {
    json += (i ? "," : "") + std::string(R"({ "serial": )") + std::to_string(1000 + i) + " }";
  }
  Load((json + "] }").c_str());
  auto list = Modules();
  tovik::sim::SetMissingItem("ITovikVciItems", kBulkChunk);  // the first entry of the second command
  tovik::sim::ClearJournal();

  constexpr VciItemField kFields[] = {VciItemField::SerialNumber};
  std::vector<ULONG> indices;
  std::vector<ULONG> counts;  // what onCount saw, and when
  bool serialsMatch = true;
  const ULONG read = ReadList<VciItemValues>(
      list, std::nullopt, ListEnd::Delete, kFields,
      [&](ULONG n) {
        counts.push_back(n);
        EXPECT_TRUE(indices.empty()) << "the count comes before the entries";
      },
      [&](const VciItemValues& module) {
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

TEST_F(BulkTest, ReadListWithAKnownCountKeepsOrEndsTheListAsAsked) {
  Load(kWideModules);
  constexpr VciItemField kFields[] = {VciItemField::ModuleType};
  const auto types = [&](std::unique_ptr<CTovikVciItemsIF>& list, ULONG count, ListEnd end) {
    std::vector<ULONG> seen;
    const ULONG read = ReadList<VciItemValues>(
        list, count, end, kFields, [](ULONG) { ADD_FAILURE() << "a known count is not reported"; },
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

  // Nothing to read: the list still ends, and nothing is counted or read.
  list = Modules();
  tovik::sim::ClearJournal();
  EXPECT_TRUE(types(list, 0, ListEnd::Delete).empty());
  EXPECT_FALSE(list);
  EXPECT_TRUE(Calls("ITovikVciItems.").empty());

  // No list: the count reported is 0, and nothing is read.
  std::unique_ptr<CTovikVciItemsIF> none;
  std::vector<ULONG> counts;
  ReadList<VciItemValues>(
      none, std::nullopt, ListEnd::Delete, kFields, [&](ULONG n) { counts.push_back(n); },
      [](const VciItemValues&) { ADD_FAILURE() << "no entry without a list"; });
  EXPECT_EQ(counts, std::vector<ULONG>{0});
}

TEST_F(BulkTest, CatalogueEntriesEqualTheirGetters) {
  Load(R"({ "connections": { "requireConnection": false },
    "appsPc": [ { "name": "P\u00e9", "app": 4294967295, "version": 2, "date": 3, "moduleType": 4,
                  "versionText": "1.0", "branch": "", "dateText": "2024" } ],
    "modules": [ { "serial": 200101, "apps": [
      { "app": 9, "name": "Diag", "version": 1, "date": 2, "state": 3, "license": "L", "licenseState": 4,
        "daysRemaining": 4294967295, "timesRemaining": 2147483648, "versionText": "3", "branch": "b",
        "dateText": "d" } ] } ] })");

  CTovikAppPcItemListIF* pcOut = nullptr;
  m_facade->GetAppsPC_3(&pcOut);
  const std::unique_ptr<CTovikAppPcItemListIF> pc(pcOut);
  ASSERT_TRUE(pc);
  constexpr AppPcItemField kPcFields[] = {AppPcItemField::AppName, AppPcItemField::AppVersion,
                                          AppPcItemField::AppDate, AppPcItemField::ModuleType,
                                          AppPcItemField::App, AppPcItemField::AppVersionStr,
                                          AppPcItemField::BranchName, AppPcItemField::AppDateStr};
  std::vector<AppPcItemValues> pcValues;
  ASSERT_EQ(pc->ReadItems(0, pc->Count(), kPcFields, pcValues), 1u);
  {
    const std::unique_ptr<CTovikAppPcItemIF> item(pc->Item(0));
    const AppPcItemValues& v = pcValues[0];
    EXPECT_EQ(v.appName, Take(item->AppName()));
    EXPECT_EQ(v.appVersion, item->AppVersion());
    EXPECT_EQ(v.appDate, item->AppDate());
    EXPECT_EQ(v.moduleType, item->ModuleType());
    EXPECT_EQ(v.app, item->App());
    EXPECT_EQ(v.appVersionStr, Take(item->AppVersionStr()));
    EXPECT_EQ(v.branchName, Take(item->BranchName()));
    EXPECT_EQ(v.appDateStr, Take(item->AppDateStr()));
    EXPECT_EQ(v.app, 0xFFFFFFFFu);
    EXPECT_EQ(v.branchName, std::nullopt);
  }

  CTovikAppVciItemListIF* vciOut = nullptr;
  m_facade->GetAppsVCI(1, 0, 0, &vciOut);
  const std::unique_ptr<CTovikAppVciItemListIF> vci(vciOut);
  ASSERT_TRUE(vci);
  constexpr AppVciItemField kVciFields[] = {
      AppVciItemField::App,           AppVciItemField::AppName,       AppVciItemField::AppVersion,
      AppVciItemField::AppDate,       AppVciItemField::State,         AppVciItemField::License,
      AppVciItemField::LicenseState,  AppVciItemField::DaysRemaining, AppVciItemField::TimesRemaining,
      AppVciItemField::AppVersionStr, AppVciItemField::BranchName,    AppVciItemField::AppDateStr};
  std::vector<AppVciItemValues> vciValues;
  ASSERT_EQ(vci->ReadItems(0, vci->Count(), kVciFields, vciValues), 1u);
  {
    const std::unique_ptr<CTovikAppVciItemIF> item(vci->Item(0));
    const AppVciItemValues& v = vciValues[0];
    EXPECT_EQ(v.app, item->App());
    EXPECT_EQ(v.appName, Take(item->AppName()));
    EXPECT_EQ(v.appVersion, item->AppVersion());
    EXPECT_EQ(v.appDate, item->AppDate());
    EXPECT_EQ(v.state, item->State());
    EXPECT_EQ(v.license, Take(item->License()));
    EXPECT_EQ(v.licenseState, item->LicenseState());
    EXPECT_EQ(v.daysRemaining, item->DaysRemaining());
    EXPECT_EQ(v.timesRemaining, item->TimesRemaining());
    EXPECT_EQ(v.appVersionStr, Take(item->AppVersionStr()));
    EXPECT_EQ(v.branchName, Take(item->BranchName()));
    EXPECT_EQ(v.appDateStr, Take(item->AppDateStr()));
    EXPECT_EQ(v.timesRemaining, 0x80000000u);
  }
}

TEST_F(BulkTest, VersionEntriesEqualTheirGetters) {
  CTovikVersionInfoIF* infoOut = nullptr;
  ASSERT_EQ(m_facade->GetVersionInformation_2(1, 2, &infoOut), 0);
  const std::unique_ptr<CTovikVersionInfoIF> info(infoOut);
  const std::unique_ptr<CTovikVersionItemListIF> server(info->ServerVersionList());
  ASSERT_TRUE(server);
  constexpr VersionItemField kVersionFields[] = {VersionItemField::Name, VersionItemField::Version,
                                                 VersionItemField::Date, VersionItemField::VersionStr,
                                                 VersionItemField::BranchName, VersionItemField::DateStr};
  std::vector<VersionItemValues> versions;
  const ULONG count = server->Count();
  ASSERT_GT(count, 0u);
  ASSERT_EQ(server->ReadItems(0, count, kVersionFields, versions), count);
  for (ULONG i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    const std::unique_ptr<CTovikVersionItemIF> item(server->Item(i));
    EXPECT_EQ(versions[i].name, Take(item->Name()));
    EXPECT_EQ(versions[i].version, item->Version());
    EXPECT_EQ(versions[i].date, item->Date());
    EXPECT_EQ(versions[i].versionStr, Take(item->VersionStr()));
    EXPECT_EQ(versions[i].branchName, Take(item->BranchName()));
    EXPECT_EQ(versions[i].dateStr, Take(item->DateStr()));
  }
}

}  // namespace
