#include "TraceCapture.h"

#include "assets/Trace.h"

namespace {
std::string lastMessage;
int messageCount = 0;

void record(const char* message)
{
    lastMessage = message;
    ++messageCount;
}
}  // namespace

TraceCapture::TraceCapture()
{
    lastMessage.clear();
    messageCount = 0;
    setTraceSink(record);
}

TraceCapture::~TraceCapture()
{
    setTraceSink(nullptr);
}

const std::string& TraceCapture::last() const
{
    return lastMessage;
}

int TraceCapture::count() const
{
    return messageCount;
}
