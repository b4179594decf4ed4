#pragma once
// Copying a provider byte buffer (ITovikByteBuffer) into a LocalAlloc block.
//
// Used on the command thread by the commands that hand provider bytes to
// their callers (GetClientInfoResult, RunSelfTest). The buffer is read the
// provider's way: Length once, then Item(i) once per byte, i = 0..length-1.
//
// Rules:
//   - The block is LocalAlloc(LPTR) of exactly `length` bytes, also when the
//     provider reports 0 (the receiver then holds a live, empty block);
//     ownership passes to the receiver, which frees it with LocalFree.
//   - A negative length gives no block; `length` keeps the provider's value
//     (read it back as LONG), so the receiver can report it unchanged.
//   - A null buffer gives {0, nullptr}.
//   - An allocation that fails stops the copy before any byte is read and
//     gives no block: {0, nullptr} with allocationFailed set. Never a crash,
//     whatever length the provider claims.
//   - A failing Item call raises _com_error as every provider wrapper does;
//     the partly filled block is freed before the exception leaves.
//   - The buffer itself is not released; the caller keeps its reference.
//
//   TovikApiProviderLib::ITovikByteBufferPtr buffer;
//   result = manager->GetClientInfoResult(connection, accessId, &buffer);
//   if (buffer) {
//     const LONG length = buffer->GetLength();
//     ByteBlock block = CopyByteBuffer(buffer, length);
//     *lengthOut = block.length; *dataOut = block.data;
//   }

#include "TovikExport.h"
#include "provider/TovikApiProviderLib.h"
#include "tovik/platform.h"

struct ByteBlock {
  unsigned int length = 0;        // bytes in data; a negative provider length as it came
  unsigned char* data = nullptr;  // LocalAlloc block (also of 0 bytes), or null
  bool allocationFailed = false;  // the provider reported bytes, the block could not be made
};

// Copies `length` bytes (the value the caller read from buffer->GetLength()).
TOVIK_API ByteBlock CopyByteBuffer(TovikApiProviderLib::ITovikByteBuffer* buffer, LONG length);

// Reads the length from the buffer, then copies as above.
TOVIK_API ByteBlock CopyByteBuffer(TovikApiProviderLib::ITovikByteBuffer* buffer);
