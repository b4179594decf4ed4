#pragma once
// The library's two diagnostic log streams and the manipulators that end a
// line or switch the next numbers to hexadecimal. Nothing here knows the
// virtual machine: the core logs through these before any Java log class is
// named and in native callers that never load one; the Java side only
// installs its sink (java/JavaLogSink.h).
//
//   CORE_LOG("CTovikManagerIF::CmdCreateObject") << "Create TOVIK Manager IF "
//                                                << (const void*)this << LogEnd;
//
// A line starts with the function name, ":", the source line and ": ". It is
// composed on the calling thread and handed to the stream's sink whole when
// LogEnd is inserted, so lines of concurrent threads never interleave.

#include <cstdint>

#include "TovikExport.h"

typedef void (*LogSinkFn)(const char* text);

struct LogHexManip {};
struct LogEndManip {};
inline constexpr LogHexManip LogHex{};  // lower-case hex, next value at least 2 digits, until LogEnd
inline constexpr LogEndManip LogEnd{};  // deliver the line

class TOVIK_API CLogStream {
 public:
  CLogStream();
  ~CLogStream();
  CLogStream(const CLogStream&) = delete;
  CLogStream& operator=(const CLogStream&) = delete;

  // Installs (or with null removes) the function that receives finished lines.
  void SetSink(LogSinkFn sink);

  // Starts a line with "function:line: ".
  CLogStream& Begin(const char* function, int line);

  CLogStream& operator<<(const char* text);  // null inserts nothing
  CLogStream& operator<<(int value);
  CLogStream& operator<<(unsigned int value);
  CLogStream& operator<<(long value);
  CLogStream& operator<<(unsigned long value);
  CLogStream& operator<<(long long value);
  CLogStream& operator<<(unsigned long long value);
  CLogStream& operator<<(short value);
  CLogStream& operator<<(unsigned short value);
  CLogStream& operator<<(const void* pointer);  // upper-case hex, padded to pointer width
  CLogStream& operator<<(LogHexManip);
  CLogStream& operator<<(LogEndManip);

 private:
  struct State;    // the stream's lock and sink (the lines themselves are per thread)
  State* m_state;
};

// The native log (native methods) and the core log (facade, registries,
// wrappers, command and event threads). Both stay usable during static
// destruction of the module.
TOVIK_API CLogStream& NativeLog();
TOVIK_API CLogStream& CoreLog();

#define NATIVE_LOG(function) ::NativeLog().Begin(function, __LINE__)
#define CORE_LOG(function) ::CoreLog().Begin(function, __LINE__)
