// Copies a provider byte buffer into a LocalAlloc block (see ByteBufferCopy.h).
#include "facade/ByteBufferCopy.h"

#include <memory>

namespace {

struct LocalBlockFree {
  void operator()(unsigned char* block) const { LocalFree(block); }
};

}  // namespace

ByteBlock CopyByteBuffer(TovikApiProviderLib::ITovikByteBuffer* buffer, LONG length) {
  ByteBlock block;
  if (buffer == nullptr) return block;
  if (length < 0) {
    // Nothing can be copied; the length travels on as the provider gave it.
    block.length = static_cast<unsigned int>(length);
    return block;
  }

  std::unique_ptr<unsigned char, LocalBlockFree> data(
      static_cast<unsigned char*>(LocalAlloc(LPTR, static_cast<SIZE_T>(length))));
  if (!data) {
    block.allocationFailed = true;
    return block;
  }
  for (LONG i = 0; i < length; ++i) data.get()[i] = buffer->Item(i);  // may raise; data is freed then

  block.length = static_cast<unsigned int>(length);
  block.data = data.release();
  return block;
}

ByteBlock CopyByteBuffer(TovikApiProviderLib::ITovikByteBuffer* buffer) {
  if (buffer == nullptr) return ByteBlock{};
  return CopyByteBuffer(buffer, buffer->GetLength());
}
