#pragma once
// Result codes the library itself produces; every other value is the provider's.

#include "tovik/platform.h"

// No facade for the manager handle (and the default of a few commands).
inline constexpr LONG kResultNoFacade = 0x50000007;
// No provider interface, too few packed arguments, or empty input.
inline constexpr LONG kResultNoInterface = 0x50000003;
// The byte array for the provider could not be built.
inline constexpr LONG kResultNoByteArray = 0x50000006;
