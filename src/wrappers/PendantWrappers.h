#pragma once
// Wrappers of the pendant objects. The LED collection and the display are
// settable: a native method creates them itself with ConstructInterface,
// fills or reads them and hands them to the manager.

#include "wrappers/WrapperDecl.h"

// SetLedBlinkFeq keeps its name; its command member is CmdSetLedBlinkFreq.
#define TOVIK_PENDANT_LED_OPS(X, C)                                                   \
  X(C, Number, ULONG, GetLedValid, CmdGetLedValid, GetLedValid)                       \
  X(C, Number, ULONG, GetLedCtrl, CmdGetLedCtrl, GetLedCtrl)                          \
  X(C, Number, ULONG, GetLedBlinkFreq, CmdGetLedBlinkFreq, GetLedBlinkFreq)           \
  X(C, CustomWrite, void, SetLedValid, CmdSetLedValid, PutLedValid)                   \
  X(C, LoggedWrite, void, SetLedCtrl, CmdSetLedCtrl, PutLedCtrl)                      \
  X(C, LoggedWrite, void, SetLedBlinkFeq, CmdSetLedBlinkFreq, PutLedBlinkFreq)
TOVIK_WRAPPER_DECLARE(CTovikPendantLedIF, ITovikPendantLed, TOVIK_PENDANT_LED_OPS)

#define TOVIK_PENDANT_LEDS_OPS(X, C)                                      \
  X(C, Custom, bool, ConstructInterface, CmdConstructObject, -)           \
  X(C, Number, ULONG, Count, CmdCount, GetCount)                          \
  X(C, CustomElement, CTovikPendantLedIF*, Item, CmdItem, Item)
TOVIK_WRAPPER_DECLARE(CTovikPendantLedsIF, ITovikPendantLeds, TOVIK_PENDANT_LEDS_OPS)

#define TOVIK_PENDANT_DISP_OPS(X, C)                                                       \
  X(C, Custom, bool, ConstructInterface, CmdConstructObject, -)                            \
  X(C, Number, ULONG, GetSegmentA, CmdGetSegmentA, GetSegmentA)                            \
  X(C, Number, ULONG, GetSegmentB, CmdGetSegmentB, GetSegmentB)                            \
  X(C, Number, ULONG, GetSegmentC, CmdGetSegmentC, GetSegmentC)                            \
  X(C, Number, ULONG, GetSegmentD, CmdGetSegmentD, GetSegmentD)                            \
  X(C, Number, ULONG, GetSegmentE, CmdGetSegmentE, GetSegmentE)                            \
  X(C, Number, ULONG, GetSegmentF, CmdGetSegmentF, GetSegmentF)                            \
  X(C, Number, ULONG, GetSegmentG, CmdGetSegmentG, GetSegmentG)                            \
  X(C, Number, ULONG, GetSegmentDecimalPoint, CmdGetSegmentDecimalPoint, GetSegmentDecimalPoint) \
  X(C, Write, void, SetSegmentA, CmdSetSegmentA, PutSegmentA)                              \
  X(C, Write, void, SetSegmentB, CmdSetSegmentB, PutSegmentB)                              \
  X(C, Write, void, SetSegmentC, CmdSetSegmentC, PutSegmentC)                              \
  X(C, Write, void, SetSegmentD, CmdSetSegmentD, PutSegmentD)                              \
  X(C, Write, void, SetSegmentE, CmdSetSegmentE, PutSegmentE)                              \
  X(C, Write, void, SetSegmentF, CmdSetSegmentF, PutSegmentF)                              \
  X(C, Write, void, SetSegmentG, CmdSetSegmentG, PutSegmentG)                              \
  X(C, Write, void, SetSegmentDecimalPoint, CmdSetSegmentDecimalPoint, PutSegmentDecimalPoint)
TOVIK_WRAPPER_DECLARE(CTovikPendantDispIF, ITovikPendantDisp, TOVIK_PENDANT_DISP_OPS)
