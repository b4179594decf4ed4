// The workshop model: the pendant's LEDs, segment display and audio.

#include "Workshop.h"

#include <algorithm>

namespace tovik::sim {

// ---- pendant

ULONG Workshop::LedCount() const {
  std::lock_guard guard(lock_);
  return scenario_.ledCount;
}

LONG Workshop::SetLeds(ULONG connection, const std::vector<LedData>& leds) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  for (std::size_t i = 0; i < leds.size() && i < module->leds.size(); ++i) module->leds[i] = leds[i];
  return 0;
}

LONG Workshop::GetLeds(ULONG connection, std::vector<LedData>* leds) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *leds = module->leds;
  return 0;
}

LONG Workshop::SetSegments(ULONG connection, const SegmentData& segments, ULONG first, ULONG second) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  module->segments = segments;
  module->display[0] = first;
  module->display[1] = second;
  return 0;
}

LONG Workshop::GetSegments(ULONG connection, SegmentData* segments, ULONG* first, ULONG* second) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *segments = module->segments;
  *first = module->display[0];
  *second = module->display[1];
  return 0;
}

LONG Workshop::SetAudio(ULONG connection, const std::array<ULONG, 4>& audio) {
  std::lock_guard guard(lock_);
  ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  std::copy(audio.begin(), audio.end(), module->audio);
  return 0;
}

LONG Workshop::GetAudio(ULONG connection, ULONG* first, ULONG* second) const {
  std::lock_guard guard(lock_);
  const ModuleConfig* module = ModuleOf(connection);
  if (module == nullptr) return scenario_.codes.unknownConnection;
  *first = module->audio[0];
  *second = module->audio[1];
  return 0;
}

}  // namespace tovik::sim
