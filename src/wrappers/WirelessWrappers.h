#pragma once
// Result wrappers of the access-point state and the Wi-Fi adapter list.

#include "wrappers/WrapperDecl.h"

class TOVIK_API CTovikApStateItemIF {
  TOVIK_WRAPPER_CLASS(CTovikApStateItemIF, ITovikApStateItem)
  TOVIK_WRAPPER_OP(ULONG, WifiState, ())
  TOVIK_WRAPPER_OP(ULONG, Mode, ())
  TOVIK_WRAPPER_OP(ULONG, ApState, ())
  TOVIK_WRAPPER_OP(ULONG, NumBars, ())
  TOVIK_WRAPPER_OP(ULONG, LinkQualityRaw, ())
  TOVIK_WRAPPER_OP(LONG, NoiseLevel, ())
  TOVIK_WRAPPER_OP(LONG, SignalLevel, ())
};

class TOVIK_API CTovikAdaptInfoItemIF {
  TOVIK_WRAPPER_CLASS(CTovikAdaptInfoItemIF, ITovikAdaptInfoItem)
  TOVIK_WRAPPER_OP(ULONG, getVid, ())
  TOVIK_WRAPPER_OP(ULONG, getPid, ())
  TOVIK_WRAPPER_OP(char*, getCardName, ())
  TOVIK_WRAPPER_OP(bool, getIsInserted, ())
};

class TOVIK_API CTovikAdaptInfoItemsIF {
  TOVIK_WRAPPER_CLASS(CTovikAdaptInfoItemsIF, ITovikAdaptInfoList)
  TOVIK_WRAPPER_OP(ULONG, Count, ())
  TOVIK_WRAPPER_OP(CTovikAdaptInfoItemIF*, GetItem, (ULONG index))
};
