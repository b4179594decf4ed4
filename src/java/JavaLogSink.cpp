#include "java/JavaLogSink.h"

#include "java/CJavaEnvironment.h"
#include "java/LogClassSettings.h"

void JavaLogSink(const char* text) { CLogClassSettings::Instance().Deliver(text); }

CLogStream& operator<<(CLogStream& stream, LogEndCheckManip) {
  stream << LogEnd;
  CJavaEnvironment::CheckException();
  return stream;
}
