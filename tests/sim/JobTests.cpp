#include "SimTest.h"

#include <algorithm>

namespace simtest {
namespace {

class JobTest : public SimTest {
 protected:
  struct Status {
    LONG result = -1;
    ULONG status = 0, component = 0, total = 0;
    bool present = false;
  };

  Status Poll(ULONG connection, ULONG job) {
    Status s;
    P::ITovikAppStatusPtr status;
    EXPECT_EQ(S_OK, manager_->raw_InstallGetStatus(connection, job, &status, &s.result));
    if (status) {
      s.present = true;
      status->get_Status(&s.status);
      status->get_ComponentNumber(&s.component);
      status->get_TotalNumberOfComponents(&s.total);
    }
    return s;
  }

  bool Installed(ULONG serial, ULONG app) {
    auto apps = sim::InstalledApps(serial);
    return std::find(apps.begin(), apps.end(), app) != apps.end();
  }
};

TEST_F(JobTest, InstallProgressesOnePollAtATimeAndTakesEffectWhenDone) {
  const ULONG connection = Connect(kBay2);
  P::ITovikAppStatusPtr status;
  ULONG job = 0;
  ASSERT_EQ(0, Call(&P::ITovikManager::raw_InstallVCIApp, connection, Bstr("Flash Loader"), &status, &job));
  ASSERT_TRUE(status);
  ULONG component = 99;
  status->get_ComponentNumber(&component);
  EXPECT_EQ(0u, component);
  EXPECT_FALSE(Installed(kBay2, 2));

  // The default workshop's jobs have three components: running, running, done.
  Status first = Poll(connection, job);
  Status second = Poll(connection, job);
  EXPECT_EQ(1u, first.component);
  EXPECT_EQ(2u, second.component);
  EXPECT_EQ(first.status, second.status);
  EXPECT_FALSE(Installed(kBay2, 2)) << "nothing changes before the job is done";

  Status last = Poll(connection, job);
  EXPECT_EQ(3u, last.component);
  EXPECT_EQ(3u, last.total);
  EXPECT_NE(first.status, last.status);
  EXPECT_TRUE(Installed(kBay2, 2));

  Status after = Poll(connection, job);
  EXPECT_EQ(last.component, after.component) << "a finished job stays finished";
  EXPECT_EQ(last.status, after.status);

  // The installed application appears in the module's catalogue.
  P::ITovikAppVciItemListPtr list;
  ASSERT_EQ(0, Call(&P::ITovikManager::raw_GetAppsVCI, connection, 0, 0, &list));
  ULONG count = 0;
  list->get_Count(&count);
  ASSERT_EQ(1u, count);
  P::ITovikAppVciItemPtr item;
  list->raw_Item(0, &item);
  BSTR name = nullptr;
  item->get_AppName(&name);
  EXPECT_EQ("Flash Loader", Text(name));
}

TEST_F(JobTest, UninstallRemovesOnlyWhenDone) {
  const ULONG connection = Connect(kBay1);
  ASSERT_TRUE(Installed(kBay1, 1));
  P::ITovikAppStatusPtr status;
  ULONG job = 0;
  ASSERT_EQ(0, Call(&P::ITovikManager::raw_UninstallVCIApp, connection, Bstr("Diagnostics"), &status, &job));
  Poll(connection, job);
  EXPECT_TRUE(Installed(kBay1, 1));
  Poll(connection, job);
  Poll(connection, job);
  EXPECT_FALSE(Installed(kBay1, 1));

  EXPECT_NE(0, Call(&P::ITovikManager::raw_UninstallVCIApp, connection, Bstr("Diagnostics"), &status, &job))
      << "it is no longer installed";
  EXPECT_FALSE(status);
}

TEST_F(JobTest, JobsHaveDistinctValuesAndUnknownOnesAreRefused) {
  const ULONG connection = Connect(kBay1);
  P::ITovikAppStatusPtr status;
  ULONG install = 0, firmware = 0;
  LONG result = -1;
  manager_->raw_InstallVCIApp_2(connection, 1, &status, &install, &result);
  manager_->raw_UpdateSystemFirmware(connection, &status, &firmware, &result);
  EXPECT_NE(install, firmware);
  BSTR name = nullptr;
  status->get_ComponentName(&name);
  EXPECT_FALSE(Text(name).empty());

  Status unknown = Poll(connection, firmware + 100);
  EXPECT_NE(0, unknown.result);
  EXPECT_FALSE(unknown.present);
}

TEST_F(JobTest, UnknownApplicationStartsNoJob) {
  const ULONG connection = Connect(kBay1);
  P::ITovikAppStatusPtr status;
  ULONG job = 77;
  EXPECT_NE(0, Call(&P::ITovikManager::raw_InstallVCIApp, connection, Bstr("No Such App"), &status, &job));
  EXPECT_FALSE(status);
  EXPECT_EQ(77u, job);
}

TEST_F(JobTest, ControlAndConfigurationAreRemembered) {
  const ULONG connection = Connect(kBay1);
  LONG result = -1;
  ASSERT_EQ(S_OK, manager_->raw_SetConfigApp(9, 4, 0xFFFFFFFF, &result));
  ULONG value = 0;
  EXPECT_EQ(0, Call(&P::ITovikManager::raw_GetConfigApp, 9, 4, &value));
  EXPECT_EQ(0xFFFFFFFFu, value);
  EXPECT_NE(0, Call(&P::ITovikManager::raw_GetConfigApp, 9, 5, &value));

  EXPECT_EQ(0, Call(&P::ITovikManager::raw_ControlApp, connection, 1, 7));
  EXPECT_NE(0, Call(&P::ITovikManager::raw_ControlApp, connection, 3, 7)) << "application 3 is not installed on bay 1";
}

}  // namespace
}  // namespace simtest
