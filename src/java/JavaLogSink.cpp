#include "java/LogClassSettings.h"
#include "java/LogStream.h"

void JavaLogSink(const char* text) { CLogClassSettings::Instance().Deliver(text); }
