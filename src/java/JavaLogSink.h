#pragma once
// The Java end of the log streams, and the line end of the native methods.
//
// The log method a Java caller names may throw; the exception is pending
// when the line returns. Native methods therefore end their lines with
// LogEndCheck, which delivers the line and then leaves the method
// (CAbortJniException*) when a Java exception is pending:
//
//   NATIVE_LOG(kFn) << "Number of modules is " << count << LogEndCheck;

#include "TovikExport.h"
#include "core/LogStream.h"

// The sink both streams end in once a Java log class is named.
TOVIK_API void JavaLogSink(const char* text);

struct LogEndCheckManip {};
inline constexpr LogEndCheckManip LogEndCheck{};

// Delivers the line (LogEnd), then CJavaEnvironment::CheckException.
CLogStream& operator<<(CLogStream& stream, LogEndCheckManip);
