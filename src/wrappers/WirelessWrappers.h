#pragma once
// Result wrappers of the access-point state and the Wi-Fi adapter list.

#include "wrappers/WrapperDecl.h"

#define TOVIK_AP_STATE_ITEM_OPS(X, C)                                       \
  X(C, Number, ULONG, WifiState, CmdWifiState, GetWifiState)                \
  X(C, Number, ULONG, Mode, CmdMode, GetMode)                               \
  X(C, Number, ULONG, ApState, CmdApState, GetApState)                      \
  X(C, Number, ULONG, NumBars, CmdNumBars, GetNumBars)                      \
  X(C, Number, ULONG, LinkQualityRaw, CmdLinkQualityRaw, GetLinkQualityRaw) \
  X(C, Number, LONG, NoiseLevel, CmdNoiseLevel, GetNoiseLevel)              \
  X(C, Number, LONG, SignalLevel, CmdSignalLevel, GetSignalLevel)
TOVIK_WRAPPER_DECLARE(CTovikApStateItemIF, ITovikApStateItem, TOVIK_AP_STATE_ITEM_OPS)

// getIsInserted is true only for VARIANT_TRUE (-1).
#define TOVIK_ADAPT_INFO_ITEM_OPS(X, C)                                                          \
  X(C, Number, ULONG, getVid, CmdgetVid, GetVid)                                                 \
  X(C, Number, ULONG, getPid, CmdgetPid, GetPid)                                                 \
  X(C, TextLogged, char*, getCardName, CmdgetCardName, GetCardName, "Coud not find client name") \
  X(C, VariantTrue, bool, getIsInserted, CmdgetIsInserted, GetIsInserted)
TOVIK_WRAPPER_DECLARE(CTovikAdaptInfoItemIF, ITovikAdaptInfoItem, TOVIK_ADAPT_INFO_ITEM_OPS)

#define TOVIK_ADAPT_INFO_ITEMS_OPS(X, C)          \
  X(C, Number, ULONG, Count, CmdCount, GetCount)  \
  X(C, Element, CTovikAdaptInfoItemIF*, GetItem, CmdGetItem, GetItem)
TOVIK_WRAPPER_DECLARE(CTovikAdaptInfoItemsIF, ITovikAdaptInfoList, TOVIK_ADAPT_INFO_ITEMS_OPS)
