// The workshop the virtual provider starts with: two modules in the bays and
// one on the bench, a few applications, stored client blocks.

#include "Scenario.h"

namespace tovik::sim {

const std::string& DefaultScenarioText() {
  static const std::string text = R"json({
  "ledCount": 5,
  "connections": {
    "firstHandle": 65537,
    "openStatus": 1,
    "requireConnection": true,
    "clientName": "TovikApi4J",
    "connectTime": "2024-05-14 08:30:00"
  },
  "jobs": {
    "firstJob": 257, "components": 3, "componentTimeout": 30, "totalTimeout": 120,
    "running": 1, "done": 2, "installedState": 1, "firmwareName": "System firmware"
  },
  "clientInfo": {
    "firstAccess": 1, "blockSize": 256, "volatileLocation": 0,
    "complete": 2, "failed": 3, "clockMs": 1000, "clockStepMs": 10
  },
  "versions": {
    "client": [
      { "name": "TovikApi", "version": 67305985, "date": 20240301,
        "versionText": "4.3.2.1", "branch": "release/4.3", "dateText": "2024-03-01" },
      { "name": "TovikTransport", "version": 33619968, "date": 20231115,
        "versionText": "2.1.0.0", "branch": "main", "dateText": "2023-11-15" }
    ],
    "server": [
      { "name": "VciSystem", "version": 83951616, "date": 20240210,
        "versionText": "5.1.0.0", "branch": "release/5.1", "dateText": "2024-02-10" },
      { "name": "VciBoot", "version": 16908288, "date": 20220905,
        "versionText": "1.2.0.0", "branch": "main", "dateText": "2022-09-05" }
    ]
  },
  "appsPc": [
    { "name": "Diagnostics", "app": 1, "version": 196608, "date": 20240115, "moduleType": 2,
      "versionText": "3.0.0", "branch": "release/3.0", "dateText": "2024-01-15" },
    { "name": "Flash Loader", "app": 2, "version": 131329, "date": 20231201, "moduleType": 2,
      "versionText": "2.1.1", "branch": "main", "dateText": "2023-12-01" },
    { "name": "Data Logger", "app": 3, "version": 65536, "date": 20230720, "moduleType": 3,
      "versionText": "1.0.0", "branch": "main", "dateText": "2023-07-20" }
  ],
  "appConfig": [
    { "app": 1, "item": 1, "value": 500 },
    { "app": 1, "item": 2, "value": 1 }
  ],
  "wifi": {
    "autoWifi": true, "manualScan": false, "connected": true,
    "adapters": [
      { "vid": 32902, "pid": 9462, "cardName": "Workshop WLAN", "inserted": true },
      { "vid": 3034, "pid": 33145, "cardName": "USB WLAN Stick", "inserted": false }
    ]
  },
  "modules": [
    {
      "name": "TVX-200 Bay 1", "serial": 200101, "type": 2, "interface": 1, "state": 1,
      "ethernetAddress": "00:1B:7A:10:20:01", "wirelessAddress": "00:1B:7A:10:20:02",
      "bluetoothAddress": "00:1B:7A:10:20:03", "usbAddress": "USB0::200101",
      "alias": "Bay 1", "wifiFlags": 3, "btFlags": 1, "usbFlags": 1, "ethFlags": 5,
      "clients": [
        { "owner": true, "connectionType": 1, "connectionInterface": 2,
          "name": "Workshop PC 3", "connectTime": "2024-05-14 07:58:12" }
      ],
      "apps": [
        { "app": 1, "name": "Diagnostics", "version": 196608, "date": 20240115, "state": 1,
          "license": "DIAG-PRO", "licenseState": 1, "daysRemaining": 180, "timesRemaining": 4294967295,
          "versionText": "3.0.0", "branch": "release/3.0", "dateText": "2024-01-15" }
      ],
      "space": { "volatile": 65536, "nonVolatile": 262144 },
      "blocks": [
        { "id": "calibration", "location": 1, "hex": "0a0b0c0d0e0f" },
        { "id": "session", "location": 0, "text": "bay 1 session" }
      ],
      "pendant": {
        "leds": [ { "valid": 1, "control": 2, "blinkFrequency": 0 } ],
        "segments": [1, 1, 1, 1, 1, 1, 0, 0], "display": [8, 0], "audio": [440, 200, 3, 1]
      },
      "accessPoint": { "wifiState": 1, "mode": 2, "apState": 1, "numBars": 4,
                       "linkQualityRaw": 70, "noiseLevel": -92, "signalLevel": -48 },
      "selfTest": "00010203a5ff",
      "configItems": [
        { "key": 1, "value": "TVX-200" },
        { "key": 2, "value": "5.1.0.0" },
        { "key": 7, "value": "" }
      ]
    },
    {
      "name": "TVX-200 Bay 2", "serial": 200102, "type": 2, "interface": 2, "state": 1,
      "ethernetAddress": "00:1B:7A:10:21:01", "wirelessAddress": "00:1B:7A:10:21:02",
      "bluetoothAddress": "", "usbAddress": "USB0::200102",
      "alias": "Bay 2", "wifiFlags": 1, "btFlags": 0, "usbFlags": 1, "ethFlags": 1,
      "space": { "volatile": 4096, "nonVolatile": 16384 },
      "accessPoint": { "wifiState": 1, "mode": 1, "apState": 0, "numBars": 2,
                       "linkQualityRaw": 35, "noiseLevel": -90, "signalLevel": -71 },
      "selfTest": "0001",
      "configItems": [ { "key": 1, "value": "TVX-200" } ]
    },
    {
      "name": "TVX-100 Bench", "serial": 100017, "type": 1, "interface": 4, "state": 0,
      "ethernetAddress": "", "wirelessAddress": "", "bluetoothAddress": "", "usbAddress": "USB1::100017",
      "alias": "", "wifiFlags": 0, "btFlags": 0, "usbFlags": 1, "ethFlags": 0,
      "space": { "volatile": 1024, "nonVolatile": 2048 }
    }
  ]
})json";
  return text;
}

}  // namespace tovik::sim
