#pragma once
// Filling a TovikClientAccessItem that Java passed in from an access item
// wrapper (the store, file and read methods of the client information group).

#include <jni.h>

#include "jni/JniValues.h"
#include "wrappers/ClientInfoWrappers.h"

// Reads the six properties in their order (ClientInfo, Status, ErrorCode,
// CurrentBlock, TotalBlocks, TimeStampMs; each read is one command) and calls
// setData "(JJIJJJ)V" on `target`. The caller deletes the wrapper.
inline void DeliverAccessItem(jobject target, CTovikClientAccessItemIF& item) {
  const ULONG clientInfo = item.ClientInfo();
  const ULONG status = item.Status();
  const LONG errorCode = item.ErrorCode();
  const ULONG currentBlock = item.CurrentBlock();
  const ULONG totalBlocks = item.TotalBlocks();
  const ULONG timeStampMs = item.TimeStampMs();
  SetDataOn(JavaClass::TovikClientAccessItem, target, "(JJIJJJ)V", clientInfo, status, errorCode, currentBlock,
            totalBlocks, timeStampMs);
}
