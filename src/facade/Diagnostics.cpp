// Diagnostics operations of the manager facade: the module's self test and
// its configuration items.
#include "facade/ByteBufferCopy.h"
#include "facade/CTovikManagerIF.h"
#include "facade/ManagerCommand.h"
#include "core/LogStream.h"
#include "wrappers/ConfigWrappers.h"

using TovikApiProviderLib::ITovikByteBufferPtr;
using TovikApiProviderLib::ITovikConfigItemListPtr;

// ---- public operations

LONG CTovikManagerIF::RunSelfTest(ULONG connection, unsigned int* length, unsigned char** data) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdRunSelfTest, connection, length, data));
}

LONG CTovikManagerIF::GetConfigItems(ULONG connection, CTovikConfigItemsIF** items) {
  return static_cast<LONG>(SubmitCommand(this, &CTovikManagerIF::CmdGetConfigItems, connection, items));
}

// ---- command members

// The result bytes travel in a provider byte buffer, copied into a LocalAlloc
// block that the caller frees. A block that cannot be allocated is not
// copied into: the caller then gets length 0 and no data.
INT_PTR CTovikManagerIF::CmdRunSelfTest(Args& args) {
  constexpr const char* kFunction = "CTovikManagerIF::CmdRunSelfTest";
  CORE_LOG(kFunction) << "START" << LogEnd;
  LONG result = 0;
  {
    CManagerCommand manager(this, args);
    if (manager.Ready(3)) {
      CORE_LOG(kFunction) << "A" << LogEnd;
      ITovikByteBufferPtr buffer;
      result = manager->RunSelfTest(manager.Ulong(0), &buffer);
      CORE_LOG(kFunction) << "B " << static_cast<const void*>(buffer.GetInterfacePtr()) << LogEnd;
      CORE_LOG(kFunction) << result << LogEnd;

      ByteBlock block;
      if (buffer) {
        const LONG length = buffer->GetLength();
        block = CopyByteBuffer(buffer, length);
        if (block.allocationFailed) CORE_LOG(kFunction) << "No memory for results " << length << LogEnd;
        buffer = nullptr;
      }
      if (unsigned int* length = manager.Out<unsigned int>(1)) *length = block.length;
      if (unsigned char** data = manager.Out<unsigned char*>(2)) {
        *data = block.data;
      } else if (block.data != nullptr) {
        LocalFree(block.data);  // nobody to hand it to
      }
    }
  }  // the manager is released here
  CORE_LOG(kFunction) << "END" << LogEnd;
  return result;
}

INT_PTR CTovikManagerIF::CmdGetConfigItems(Args& args) {
  CManagerCommand manager(this, args);
  if (!manager.Ready(2)) return kResultNoFacade;
  ITovikConfigItemListPtr items;
  const LONG result = manager->GetConfigItems(manager.Ulong(0), &items);
  HandOut<CTovikConfigItemsIF>(items, manager.Slot(1));
  return result;
}
