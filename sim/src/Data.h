#pragma once
// Plain values of the workshop model, shared by the model and by the result
// objects that hand snapshots of them out. Texts are UTF-8.

#include <cstdint>
#include <string>
#include <vector>

#include "tovik/platform.h"

namespace tovik::sim {

struct ClientData {
  VARIANT_BOOL owner = VARIANT_FALSE;
  ULONG connectionType = 0;
  ULONG connectionInterface = 0;
  std::string name;
  std::string connectTime;
};

struct VciItemData {
  ULONG state = 0;
  std::string name;
  ULONG serial = 0;
  ULONG vciInterface = 0;
  ULONG type = 0;
};

struct VciInfoData {
  std::string ethernetAddress;
  std::string wirelessAddress;
  std::string bluetoothAddress;
  std::string usbAddress;
  std::string alias;
  ULONG wifiFlags = 0;
  ULONG btFlags = 0;
  ULONG usbFlags = 0;
  ULONG ethFlags = 0;
  std::vector<ClientData> clients;
};

struct VersionItemData {
  std::string name;
  ULONG version = 0;
  ULONG date = 0;
  std::string versionText;
  std::string branch;
  std::string dateText;
};

struct VersionInfoData {
  std::vector<VersionItemData> client;
  std::vector<VersionItemData> server;
};

struct AppPcData {
  std::string name;
  ULONG version = 0;
  ULONG date = 0;
  ULONG moduleType = 0;
  ULONG app = 0;
  std::string versionText;
  std::string branch;
  std::string dateText;
};

struct AppVciData {
  ULONG app = 0;
  std::string name;
  ULONG version = 0;
  ULONG date = 0;
  ULONG state = 0;
  std::string license;
  ULONG licenseState = 0;
  ULONG daysRemaining = 0;
  ULONG timesRemaining = 0;
  std::string versionText;
  std::string branch;
  std::string dateText;
};

struct AppStatusData {
  ULONG status = 0;
  LONG errorNumber = 0;
  ULONG componentNumber = 0;
  ULONG totalComponents = 0;
  ULONG componentTimeout = 0;
  ULONG totalTimeout = 0;
  std::string componentName;
};

struct AccessData {
  ULONG clientInfo = 0;  // the access id
  ULONG status = 0;
  LONG errorCode = 0;
  ULONG currentBlock = 0;
  ULONG totalBlocks = 0;
  ULONG timeStampMs = 0;
};

struct SpaceData {
  ULONG volRemaining = 0;
  ULONG volTotal = 0;
  ULONG nonVolRemaining = 0;
  ULONG nonVolTotal = 0;
};

struct ClientInfoItemData {
  ULONG location = 0;
  std::string id;
  ULONG fileSize = 0;
};

struct LedData {
  ULONG valid = 0;
  ULONG control = 0;
  ULONG blinkFrequency = 0;
};

// Segments A..G, then the decimal point.
struct SegmentData {
  ULONG segments[8] = {};
};

struct ApStateData {
  ULONG wifiState = 0;
  ULONG mode = 0;
  ULONG apState = 0;
  ULONG numBars = 0;
  ULONG linkQualityRaw = 0;
  LONG noiseLevel = 0;
  LONG signalLevel = 0;
};

struct AdapterData {
  ULONG vid = 0;
  ULONG pid = 0;
  std::string cardName;
  VARIANT_BOOL inserted = VARIANT_FALSE;
};

struct ConfigItemData {
  ULONG key = 0;
  std::string value;
};

using Bytes = std::vector<std::uint8_t>;

}  // namespace tovik::sim
