// Reading a scenario from JSON. Every key is optional unless noted; unknown
// keys are errors, so that a misspelt key does not go unnoticed.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <stdexcept>

#include "Scenario.h"

namespace tovik::sim {

namespace {

using json = nlohmann::json;

struct ScenarioError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& path, const std::string& problem) {
  throw ScenarioError((path.empty() ? std::string("scenario") : path) + ": " + problem);
}

std::string Shown(const json& value) {
  std::string text = value.dump();
  if (text.size() > 40) text = text.substr(0, 37) + "...";
  return text;
}

// A number given as a JSON integer or as a text "0x..." (hexadecimal).
std::int64_t Integer(const json& value, const std::string& path, std::int64_t min, std::int64_t max,
                     const char* expected) {
  std::int64_t number = 0;
  if (value.is_number_integer()) {
    if (value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX))
      Fail(path, std::string("expected ") + expected + ", got " + Shown(value));
    number = value.get<std::int64_t>();
  } else if (value.is_string()) {
    const std::string text = value.get<std::string>();
    const bool negative = !text.empty() && text[0] == '-';
    const std::string digits = negative ? text.substr(1) : text;
    if (digits.size() < 3 || digits.size() > 18 || digits[0] != '0' || (digits[1] != 'x' && digits[1] != 'X') ||
        !std::all_of(digits.begin() + 2, digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
      Fail(path, std::string("expected ") + expected + ", got " + Shown(value));
    number = static_cast<std::int64_t>(std::stoull(digits.substr(2), nullptr, 16));
    if (negative) number = -number;
  } else {
    Fail(path, std::string("expected ") + expected + ", got " + Shown(value));
  }
  if (number < min || number > max)
    Fail(path, std::string("expected ") + expected + ", got " + Shown(value) + " (out of range)");
  return number;
}

void Convert(const json& v, const std::string& path, ULONG& out) {
  out = static_cast<ULONG>(Integer(v, path, 0, 0xFFFFFFFFLL, "an unsigned 32-bit number"));
}

// Signed 32-bit; values from 0x80000000 to 0xFFFFFFFF stand for their
// negative two's-complement meaning, so result codes can be written in hex.
void Convert(const json& v, const std::string& path, LONG& out) {
  out = static_cast<LONG>(static_cast<std::uint32_t>(
      Integer(v, path, INT32_MIN, 0xFFFFFFFFLL, "a 32-bit number")));
}

// true (-1), false (0) or a raw 16-bit value.
void Convert(const json& v, const std::string& path, VARIANT_BOOL& out) {
  if (v.is_boolean()) {
    out = v.get<bool>() ? VARIANT_TRUE : VARIANT_FALSE;
    return;
  }
  out = static_cast<VARIANT_BOOL>(static_cast<std::uint16_t>(
      Integer(v, path, INT16_MIN, 0xFFFF, "true, false or a 16-bit number")));
}

void Convert(const json& v, const std::string& path, bool& out) {
  if (!v.is_boolean()) Fail(path, "expected true or false, got " + Shown(v));
  out = v.get<bool>();
}

void Convert(const json& v, const std::string& path, std::string& out) {
  if (!v.is_string()) Fail(path, "expected a text, got " + Shown(v));
  out = v.get<std::string>();
}

Bytes Hex(const json& v, const std::string& path) {
  std::string text;
  Convert(v, path, text);
  text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == ':'; }), text.end());
  if (text.size() % 2 != 0) Fail(path, "hexadecimal bytes need an even number of digits");
  Bytes bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    if (!std::isxdigit(static_cast<unsigned char>(text[i])) || !std::isxdigit(static_cast<unsigned char>(text[i + 1])))
      Fail(path, "not a hexadecimal digit at position " + std::to_string(i));
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// A JSON object whose keys are read one by one; Done() rejects the rest.
class Object {
 public:
  Object(const json& value, std::string path) : value_(value), path_(std::move(path)) {
    if (!value_.is_object()) Fail(path_, "expected an object, got " + Shown(value_));
  }

  const std::string& Path() const { return path_; }
  std::string PathOf(const std::string& key) const { return path_.empty() ? key : path_ + "." + key; }

  const json* Find(const std::string& key) {
    seen_.insert(key);
    auto it = value_.find(key);
    return it == value_.end() ? nullptr : &*it;
  }

  template <class T>
  void Get(const std::string& key, T& out) {
    if (const json* v = Find(key)) Convert(*v, PathOf(key), out);
  }

  template <class T>
  void Require(const std::string& key, T& out) {
    const json* v = Find(key);
    if (v == nullptr) Fail(PathOf(key), "missing (required)");
    Convert(*v, PathOf(key), out);
  }

  // A list under `key`: read(element, path) for each element.
  template <class F>
  void List(const std::string& key, F&& read) {
    const json* v = Find(key);
    if (v == nullptr) return;
    if (!v->is_array()) Fail(PathOf(key), "expected a list, got " + Shown(*v));
    for (std::size_t i = 0; i < v->size(); ++i) read((*v)[i], PathOf(key) + "[" + std::to_string(i) + "]");
  }

  // Fixed-length list of numbers.
  void Numbers(const std::string& key, ULONG* out, std::size_t count) {
    const json* v = Find(key);
    if (v == nullptr) return;
    if (!v->is_array() || v->size() != count)
      Fail(PathOf(key), "expected a list of " + std::to_string(count) + " numbers, got " + Shown(*v));
    for (std::size_t i = 0; i < count; ++i) Convert((*v)[i], PathOf(key) + "[" + std::to_string(i) + "]", out[i]);
  }

  void Done() const {
    for (auto it = value_.begin(); it != value_.end(); ++it)
      if (!seen_.count(it.key())) Fail(PathOf(it.key()), "unknown key");
  }

 private:
  const json& value_;
  std::string path_;
  std::set<std::string> seen_;
};

VersionItemData ReadVersion(const json& v, const std::string& path) {
  Object o(v, path);
  VersionItemData d;
  o.Get("name", d.name);
  o.Get("version", d.version);
  o.Get("date", d.date);
  o.Get("versionText", d.versionText);
  o.Get("branch", d.branch);
  o.Get("dateText", d.dateText);
  o.Done();
  return d;
}

AppPcData ReadAppPc(const json& v, const std::string& path) {
  Object o(v, path);
  AppPcData d;
  o.Require("name", d.name);
  o.Require("app", d.app);
  o.Get("version", d.version);
  o.Get("date", d.date);
  o.Get("moduleType", d.moduleType);
  o.Get("versionText", d.versionText);
  o.Get("branch", d.branch);
  o.Get("dateText", d.dateText);
  o.Done();
  return d;
}

AppVciData ReadAppVci(const json& v, const std::string& path) {
  Object o(v, path);
  AppVciData d;
  o.Require("app", d.app);
  o.Get("name", d.name);
  o.Get("version", d.version);
  o.Get("date", d.date);
  o.Get("state", d.state);
  o.Get("license", d.license);
  o.Get("licenseState", d.licenseState);
  o.Get("daysRemaining", d.daysRemaining);
  o.Get("timesRemaining", d.timesRemaining);
  o.Get("versionText", d.versionText);
  o.Get("branch", d.branch);
  o.Get("dateText", d.dateText);
  o.Done();
  return d;
}

ClientData ReadClient(const json& v, const std::string& path) {
  Object o(v, path);
  ClientData d;
  o.Get("owner", d.owner);
  o.Get("connectionType", d.connectionType);
  o.Get("connectionInterface", d.connectionInterface);
  o.Get("name", d.name);
  o.Get("connectTime", d.connectTime);
  o.Done();
  return d;
}

StoredBlock ReadBlock(const json& v, const std::string& path) {
  Object o(v, path);
  StoredBlock b;
  o.Require("id", b.id);
  o.Get("location", b.location);
  const json* hex = o.Find("hex");
  const json* text = o.Find("text");
  if (hex && text) Fail(path, "give either \"hex\" or \"text\", not both");
  if (hex) b.bytes = Hex(*hex, o.PathOf("hex"));
  if (text) {
    std::string t;
    Convert(*text, o.PathOf("text"), t);
    b.bytes.assign(t.begin(), t.end());
  }
  o.Done();
  return b;
}

void ReadPendant(Object& o, ModuleConfig& m, ULONG ledCount) {
  o.List("leds", [&](const json& v, const std::string& path) {
    if (m.leds.size() >= ledCount)
      Fail(path, "more LEDs than ledCount (" + std::to_string(ledCount) + ")");
    Object led(v, path);
    LedData d;
    led.Get("valid", d.valid);
    led.Get("control", d.control);
    led.Get("blinkFrequency", d.blinkFrequency);
    led.Done();
    m.leds.push_back(d);
  });
  o.Numbers("segments", m.segments.segments, 8);
  o.Numbers("display", m.display, 2);
  o.Numbers("audio", m.audio, 4);
  o.Done();
}

ModuleConfig ReadModule(const json& v, const std::string& path, ULONG ledCount, ULONG volatileLocation) {
  Object o(v, path);
  ModuleConfig m;
  o.Require("serial", m.item.serial);
  o.Get("name", m.item.name);
  o.Get("type", m.item.type);
  o.Get("interface", m.item.vciInterface);
  o.Get("state", m.item.state);
  o.Get("ethernetAddress", m.info.ethernetAddress);
  o.Get("wirelessAddress", m.info.wirelessAddress);
  o.Get("bluetoothAddress", m.info.bluetoothAddress);
  o.Get("usbAddress", m.info.usbAddress);
  o.Get("alias", m.info.alias);
  o.Get("wifiFlags", m.info.wifiFlags);
  o.Get("btFlags", m.info.btFlags);
  o.Get("usbFlags", m.info.usbFlags);
  o.Get("ethFlags", m.info.ethFlags);
  o.List("clients", [&](const json& c, const std::string& p) { m.info.clients.push_back(ReadClient(c, p)); });
  o.List("apps", [&](const json& a, const std::string& p) { m.apps.push_back(ReadAppVci(a, p)); });
  m.volatileTotal = 65536;
  m.nonVolatileTotal = 262144;
  if (const json* space = o.Find("space")) {
    Object s(*space, o.PathOf("space"));
    s.Get("volatile", m.volatileTotal);
    s.Get("nonVolatile", m.nonVolatileTotal);
    s.Done();
  }
  o.List("blocks", [&](const json& b, const std::string& p) {
    StoredBlock block = ReadBlock(b, p);
    for (const auto& other : m.blocks)
      if (other.id == block.id && other.location == block.location)
        Fail(p, "a block \"" + block.id + "\" at location " + std::to_string(block.location) + " is already stored");
    m.blocks.push_back(std::move(block));
  });
  std::uint64_t usedVolatile = 0, usedNonVolatile = 0;
  for (const auto& b : m.blocks) (b.location == volatileLocation ? usedVolatile : usedNonVolatile) += b.bytes.size();
  if (usedVolatile > m.volatileTotal)
    Fail(o.PathOf("blocks"), "the blocks need " + std::to_string(usedVolatile) + " bytes of volatile space, only " +
                                 std::to_string(m.volatileTotal) + " exist");
  if (usedNonVolatile > m.nonVolatileTotal)
    Fail(o.PathOf("blocks"), "the blocks need " + std::to_string(usedNonVolatile) +
                                 " bytes of non-volatile space, only " + std::to_string(m.nonVolatileTotal) + " exist");
  if (const json* pendant = o.Find("pendant")) {
    Object p(*pendant, o.PathOf("pendant"));
    ReadPendant(p, m, ledCount);
  }
  m.leds.resize(ledCount);
  if (const json* ap = o.Find("accessPoint")) {
    Object a(*ap, o.PathOf("accessPoint"));
    a.Get("wifiState", m.accessPoint.wifiState);
    a.Get("mode", m.accessPoint.mode);
    a.Get("apState", m.accessPoint.apState);
    a.Get("numBars", m.accessPoint.numBars);
    a.Get("linkQualityRaw", m.accessPoint.linkQualityRaw);
    a.Get("noiseLevel", m.accessPoint.noiseLevel);
    a.Get("signalLevel", m.accessPoint.signalLevel);
    a.Done();
  }
  if (const json* selfTest = o.Find("selfTest")) m.selfTest = Hex(*selfTest, o.PathOf("selfTest"));
  o.List("configItems", [&](const json& c, const std::string& p) {
    Object item(c, p);
    ConfigItemData d;
    item.Require("key", d.key);
    item.Get("value", d.value);
    item.Done();
    m.configItems.push_back(d);
  });
  o.Done();
  return m;
}

Scenario Read(const json& root) {
  Object o(root, "");
  Scenario s;
  o.Get("ledCount", s.ledCount);
  if (s.ledCount > 1024) Fail("ledCount", "at most 1024 LEDs");
  if (const json* v = o.Find("codes")) {
    Object c(*v, "codes");
    c.Get("unknownModule", s.codes.unknownModule);
    c.Get("unknownConnection", s.codes.unknownConnection);
    c.Get("notFound", s.codes.notFound);
    c.Get("noSpace", s.codes.noSpace);
    c.Get("unknownApp", s.codes.unknownApp);
    c.Get("notInstalled", s.codes.notInstalled);
    c.Get("unknownJob", s.codes.unknownJob);
    c.Get("unknownAccess", s.codes.unknownAccess);
    c.Get("fileError", s.codes.fileError);
    c.Done();
  }
  if (const json* v = o.Find("connections")) {
    Object c(*v, "connections");
    c.Get("firstHandle", s.connections.firstHandle);
    c.Get("openStatus", s.connections.openStatus);
    c.Get("requireConnection", s.connections.requireConnection);
    c.Get("clientName", s.connections.clientName);
    c.Get("connectTime", s.connections.connectTime);
    c.Done();
  }
  if (const json* v = o.Find("jobs")) {
    Object j(*v, "jobs");
    j.Get("firstJob", s.jobs.firstJob);
    j.Get("components", s.jobs.components);
    j.Get("componentTimeout", s.jobs.componentTimeout);
    j.Get("totalTimeout", s.jobs.totalTimeout);
    j.Get("running", s.jobs.running);
    j.Get("done", s.jobs.done);
    j.Get("installedState", s.jobs.installedState);
    j.Get("firmwareName", s.jobs.firmwareName);
    j.Done();
  }
  if (const json* v = o.Find("clientInfo")) {
    Object c(*v, "clientInfo");
    c.Get("firstAccess", s.clientInfo.firstAccess);
    c.Get("blockSize", s.clientInfo.blockSize);
    c.Get("volatileLocation", s.clientInfo.volatileLocation);
    c.Get("complete", s.clientInfo.complete);
    c.Get("failed", s.clientInfo.failed);
    c.Get("clockMs", s.clientInfo.clockMs);
    c.Get("clockStepMs", s.clientInfo.clockStepMs);
    c.Done();
    if (s.clientInfo.blockSize == 0) Fail("clientInfo.blockSize", "must not be 0");
  }
  if (const json* v = o.Find("versions")) {
    Object ver(*v, "versions");
    ver.List("client", [&](const json& e, const std::string& p) { s.versions.client.push_back(ReadVersion(e, p)); });
    ver.List("server", [&](const json& e, const std::string& p) { s.versions.server.push_back(ReadVersion(e, p)); });
    ver.Done();
  }
  o.List("appsPc", [&](const json& e, const std::string& p) { s.appsPc.push_back(ReadAppPc(e, p)); });
  o.List("appConfig", [&](const json& e, const std::string& p) {
    Object c(e, p);
    AppConfigEntry entry;
    c.Require("app", entry.app);
    c.Require("item", entry.item);
    c.Get("value", entry.value);
    c.Done();
    s.appConfig.push_back(entry);
  });
  if (const json* v = o.Find("wifi")) {
    Object w(*v, "wifi");
    w.Get("autoWifi", s.autoWifi);
    w.Get("manualScan", s.manualScan);
    w.Get("connected", s.wifiConnected);
    w.List("adapters", [&](const json& e, const std::string& p) {
      Object a(e, p);
      AdapterData d;
      a.Get("vid", d.vid);
      a.Get("pid", d.pid);
      a.Get("cardName", d.cardName);
      a.Get("inserted", d.inserted);
      a.Done();
      s.adapters.push_back(d);
    });
    w.Done();
  }
  o.List("events", [&](const json& e, const std::string& p) {
    if (!e.is_array() || e.size() != 3) Fail(p, "expected a list of 3 numbers, got " + Shown(e));
    std::array<ULONG, 3> event{};
    for (std::size_t i = 0; i < 3; ++i) Convert(e[i], p + "[" + std::to_string(i) + "]", event[i]);
    s.events.push_back(event);
  });
  o.List("modules", [&](const json& e, const std::string& p) {
    ModuleConfig m = ReadModule(e, p, s.ledCount, s.clientInfo.volatileLocation);
    for (const auto& other : s.modules)
      if (other.item.serial == m.item.serial)
        Fail(p + ".serial", "serial number " + std::to_string(m.item.serial) + " is used twice");
    s.modules.push_back(std::move(m));
  });
  o.Done();
  return s;
}

std::string Position(const std::string& text, std::size_t byte) {
  std::size_t line = 1, column = 1;
  for (std::size_t i = 0; i < byte && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

std::optional<Scenario> ParseScenario(const std::string& text, std::string& error) {
  json root;
  try {
    root = json::parse(text);
  } catch (const json::parse_error& e) {
    std::string what = e.what();
    auto colon = what.rfind(": ");
    error = "JSON syntax error at " + Position(text, e.byte > 0 ? e.byte - 1 : 0) + ": " +
            (colon == std::string::npos ? what : what.substr(colon + 2));
    return std::nullopt;
  }
  try {
    return Read(root);
  } catch (const ScenarioError& e) {
    error = e.what();
    return std::nullopt;
  }
}

}  // namespace tovik::sim
