// Retrieving client information: the list of stored blocks, starting a read
// into memory or into a file, and collecting the bytes of a finished read.
// All four commands answer 0x50000007 when the facade has no provider
// interface or too few arguments were packed.
#include "facade/ByteBufferCopy.h"
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"
#include "wrappers/ClientInfoWrappers.h"

using TovikApiProviderLib::ITovikByteBufferPtr;
using TovikApiProviderLib::ITovikClientAccessItemPtr;
using TovikApiProviderLib::ITovikClientInfoListPtr;

namespace {
constexpr const char* kGetResult = "CTovikManagerIF::GetClientInfoResult";
constexpr const char* kCmdGetResult = "CTovikManagerIF::CmdGetClientInfoResult";
}  // namespace

// ---- public operations ------------------------------------------------------

LONG CTovikManagerIF::GetClientInfoList(ULONG connection, CTovikClientInfoListIF** list) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetClientInfoList, connection, list));
}

LONG CTovikManagerIF::GetClientInfo(ULONG connection, const OLECHAR* id, ULONG location, ULONG option,
                                    CTovikClientAccessItemIF** item) {
  return static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdGetClientInfo, connection, id, location, option, item));
}

LONG CTovikManagerIF::GetClientInfoResult(ULONG connection, ULONG accessId, unsigned int* length,
                                          unsigned char** data) {
  const LONG result = static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdGetClientInfoResult, connection, accessId, length, data));
  CORE_LOG(kGetResult) << "A" << LogEnd;
  CORE_LOG(kGetResult) << "B1" << LogEnd;
  CORE_LOG(kGetResult) << static_cast<const void*>(data) << LogEnd;
  CORE_LOG(kGetResult) << "B" << LogEnd;
  return result;
}

LONG CTovikManagerIF::GetClientInfoFile(ULONG connection, const OLECHAR* id, ULONG location,
                                        const OLECHAR* fileName, CTovikClientAccessItemIF** item) {
  return static_cast<LONG>(
      SubmitCommand(this, &CTovikManagerIF::CmdGetClientInfoFile, connection, id, location, fileName, item));
}

// ---- command members (command thread) -----------------------------------------

// Arguments: connection, list.
INT_PTR CTovikManagerIF::CmdGetClientInfoList(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(2)) return kResultNoFacade;
  ITovikClientInfoListPtr list;
  const LONG result = manager->GetClientInfoList(manager.Ulong(0), &list);
  HandOut<CTovikClientInfoListIF>(list, manager.Slot(1));
  return result;
}

// Arguments: connection, id, location, option, item.
INT_PTR CTovikManagerIF::CmdGetClientInfo(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(5)) return kResultNoFacade;
  const _bstr_t id = WideToBstr(manager.Wide(1));
  ITovikClientAccessItemPtr item;
  const LONG result = manager->GetClientInfo(manager.Ulong(0), id, manager.Ulong(2), manager.Ulong(3), &item);
  HandOut<CTovikClientAccessItemIF>(item, manager.Slot(4));
  return result;
}

// Arguments: connection, access id, length output, data output. The bytes go
// to the caller in a LocalAlloc block of exactly the length the provider's
// buffer reports; when that block cannot be made the caller gets no data.
INT_PTR CTovikManagerIF::CmdGetClientInfoResult(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(4)) return kResultNoFacade;

  CORE_LOG(kCmdGetResult) << "Look for buffer" << LogEnd;
  ITovikByteBufferPtr buffer;
  const LONG result = manager->GetClientInfoResult(manager.Ulong(0), manager.Ulong(1), &buffer);

  ByteBlock block;
  if (buffer) {
    CORE_LOG(kCmdGetResult) << "A" << LogEnd;
    const LONG length = buffer->GetLength();
    CORE_LOG(kCmdGetResult) << "Copy results " << length << LogEnd;
    block = CopyByteBuffer(buffer, length);
    if (block.allocationFailed) CORE_LOG(kCmdGetResult) << "No memory for results " << length << LogEnd;
    buffer = nullptr;
  }

  CORE_LOG(kCmdGetResult) << "B" << LogEnd;
  if (auto* lengthOut = manager.Out<unsigned int>(2)) *lengthOut = block.length;
  if (auto* dataOut = manager.Out<unsigned char*>(3)) {
    *dataOut = block.data;
  } else if (block.data != nullptr) {
    LocalFree(block.data);  // nowhere to hand it
  }
  manager.Release();
  CORE_LOG(kCmdGetResult) << "C" << LogEnd;
  return result;
}

// Arguments: connection, id, location, file name, item.
INT_PTR CTovikManagerIF::CmdGetClientInfoFile(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(5)) return kResultNoFacade;
  const _bstr_t id = WideToBstr(manager.Wide(1));
  const _bstr_t fileName = WideToBstr(manager.Wide(3));
  ITovikClientAccessItemPtr item;
  const LONG result = manager->GetClientInfoFile(manager.Ulong(0), id, manager.Ulong(2), fileName, &item);
  HandOut<CTovikClientAccessItemIF>(item, manager.Slot(4));
  return result;
}
