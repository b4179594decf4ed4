#pragma once
// A scenario: everything the workshop starts from. Read from JSON
// (ScenarioJson.cpp); the built-in default lives in DefaultScenario.cpp.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Data.h"

namespace tovik::sim {

struct StoredBlock {
  std::string id;
  ULONG location = 0;
  Bytes bytes;
};

struct ModuleConfig {
  VciItemData item;
  VciInfoData info;  // info.clients: clients connected from elsewhere
  std::vector<AppVciData> apps;
  std::vector<StoredBlock> blocks;
  ULONG volatileTotal = 0;
  ULONG nonVolatileTotal = 0;
  std::vector<LedData> leds;  // padded to the scenario's LED count
  SegmentData segments;
  ULONG display[2] = {};
  ULONG audio[4] = {};
  ApStateData accessPoint;
  Bytes selfTest;
  std::vector<ConfigItemData> configItems;
};

// The provider's own result codes for the model's refusals.
struct ResultCodes {
  LONG unknownModule = 0x20000101;
  LONG unknownConnection = 0x20000102;
  LONG notFound = 0x20000103;
  LONG noSpace = 0x20000104;
  LONG unknownApp = 0x20000105;
  LONG notInstalled = 0x20000106;
  LONG unknownJob = 0x20000107;
  LONG unknownAccess = 0x20000108;
  LONG fileError = 0x20000109;
};

struct ConnectionRules {
  ULONG firstHandle = 0x00010001;
  ULONG openStatus = 1;
  bool requireConnection = true;
  std::string clientName = "TovikApi4J";
  std::string connectTime = "2024-05-14 08:30:00";
};

struct JobRules {
  ULONG firstJob = 0x101;
  ULONG components = 3;
  ULONG componentTimeout = 30;
  ULONG totalTimeout = 120;
  ULONG running = 1;
  ULONG done = 2;
  ULONG installedState = 1;
  std::string firmwareName = "System firmware";
};

struct ClientInfoRules {
  ULONG firstAccess = 1;
  ULONG blockSize = 256;
  ULONG volatileLocation = 0;
  ULONG complete = 2;
  ULONG failed = 3;
  ULONG clockMs = 1000;
  ULONG clockStepMs = 10;
};

struct AppConfigEntry {
  ULONG app = 0;
  ULONG item = 0;
  ULONG value = 0;
};

struct Scenario {
  std::vector<ModuleConfig> modules;
  VersionInfoData versions;
  std::vector<AppPcData> appsPc;
  std::vector<AppConfigEntry> appConfig;
  std::vector<AdapterData> adapters;
  VARIANT_BOOL autoWifi = VARIANT_TRUE;
  VARIANT_BOOL manualScan = VARIANT_FALSE;
  VARIANT_BOOL wifiConnected = VARIANT_TRUE;
  ULONG ledCount = 5;
  ResultCodes codes;
  ConnectionRules connections;
  JobRules jobs;
  ClientInfoRules clientInfo;
  std::vector<std::array<ULONG, 3>> events;  // handed to the first manager that registers
};

// Parses and checks a scenario. On error returns nothing and sets `error` to
// a message that names the problem and where it is.
std::optional<Scenario> ParseScenario(const std::string& json, std::string& error);

// The built-in default scenario as JSON text.
const std::string& DefaultScenarioText();

}  // namespace tovik::sim
