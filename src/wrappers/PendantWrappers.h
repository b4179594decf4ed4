#pragma once
// Wrappers of the pendant objects. The LED collection and the display are
// settable: a native method creates them itself with ConstructInterface,
// fills or reads them and hands them to the manager.

#include "wrappers/WrapperDecl.h"

class TOVIK_API CTovikPendantLedIF {
  TOVIK_WRAPPER_CLASS(CTovikPendantLedIF, ITovikPendantLed)
  TOVIK_WRAPPER_OP(ULONG, GetLedValid, ())
  TOVIK_WRAPPER_OP(ULONG, GetLedCtrl, ())
  TOVIK_WRAPPER_OP(ULONG, GetLedBlinkFreq, ())
  TOVIK_WRAPPER_OP(void, SetLedValid, (ULONG value))
  TOVIK_WRAPPER_OP(void, SetLedCtrl, (ULONG value))
  TOVIK_WRAPPER_OP_CMD(void, SetLedBlinkFeq, (ULONG value), CmdSetLedBlinkFreq)
};

class TOVIK_API CTovikPendantLedsIF {
  TOVIK_WRAPPER_CLASS(CTovikPendantLedsIF, ITovikPendantLeds)
  TOVIK_WRAPPER_OP_CMD(bool, ConstructInterface, (), CmdConstructObject)
  TOVIK_WRAPPER_OP(ULONG, Count, ())
  TOVIK_WRAPPER_OP(CTovikPendantLedIF*, Item, (ULONG index))
};

class TOVIK_API CTovikPendantDispIF {
  TOVIK_WRAPPER_CLASS(CTovikPendantDispIF, ITovikPendantDisp)
  TOVIK_WRAPPER_OP_CMD(bool, ConstructInterface, (), CmdConstructObject)
  TOVIK_WRAPPER_OP(ULONG, GetSegmentA, ())
  TOVIK_WRAPPER_OP(ULONG, GetSegmentB, ())
  TOVIK_WRAPPER_OP(ULONG, GetSegmentC, ())
  TOVIK_WRAPPER_OP(ULONG, GetSegmentD, ())
  TOVIK_WRAPPER_OP(ULONG, GetSegmentE, ())
  TOVIK_WRAPPER_OP(ULONG, GetSegmentF, ())
  TOVIK_WRAPPER_OP(ULONG, GetSegmentG, ())
  TOVIK_WRAPPER_OP(ULONG, GetSegmentDecimalPoint, ())
  TOVIK_WRAPPER_OP(void, SetSegmentA, (ULONG value))
  TOVIK_WRAPPER_OP(void, SetSegmentB, (ULONG value))
  TOVIK_WRAPPER_OP(void, SetSegmentC, (ULONG value))
  TOVIK_WRAPPER_OP(void, SetSegmentD, (ULONG value))
  TOVIK_WRAPPER_OP(void, SetSegmentE, (ULONG value))
  TOVIK_WRAPPER_OP(void, SetSegmentF, (ULONG value))
  TOVIK_WRAPPER_OP(void, SetSegmentG, (ULONG value))
  TOVIK_WRAPPER_OP(void, SetSegmentDecimalPoint, (ULONG value))
};
