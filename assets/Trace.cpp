#include "assets/Trace.h"

#include <cstdarg>
#include <cstdio>

namespace {
TraceSink currentSink = nullptr;
}

void Trace(const char* format, ...)
{
    if (!currentSink)
        return;
    char message[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    currentSink(message);
}

void setTraceSink(TraceSink sink)
{
    currentSink = sink;
}
