#pragma once
// Filling a TovikClientAccessItem that Java passed in from an access item
// wrapper (the store, file and read methods of the client information group).

#include <jni.h>

#include "jni/JniValues.h"
#include "wrappers/ClientInfoWrappers.h"

// Reads the properties after ClientInfo in their order (Status, ErrorCode,
// CurrentBlock, TotalBlocks, TimeStampMs; each read is one command) and calls
// setData "(JJIJJJ)V" on `target` with `clientInfo`, already read by the caller.
inline void DeliverAccessItem(jobject target, CTovikClientAccessItemIF& item, ULONG clientInfo) {
  const ULONG status = item.Status();
  const LONG errorCode = item.ErrorCode();
  const ULONG currentBlock = item.CurrentBlock();
  const ULONG totalBlocks = item.TotalBlocks();
  const ULONG timeStampMs = item.TimeStampMs();
  SetDataOn(JavaClass::TovikClientAccessItem, target, "(JJIJJJ)V", clientInfo, status, errorCode, currentBlock,
            totalBlocks, timeStampMs);
}

// Reads the six properties in their order, ClientInfo first, and fills `target`
// as above. The caller deletes the wrapper.
inline void DeliverAccessItem(jobject target, CTovikClientAccessItemIF& item) {
  const ULONG clientInfo = item.ClientInfo();
  DeliverAccessItem(target, item, clientInfo);
}
