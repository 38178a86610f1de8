#include "framework/System.h"

namespace fw {
namespace {

TraceHandler& Handler()
{
    static TraceHandler handler;
    return handler;
}

} // namespace

void Trace(const std::string& text)
{
    if (Handler()) {
        Handler()(text);
        return;
    }
    WriteDebugOutput(text);
}

TraceHandler SetTraceHandler(TraceHandler handler)
{
    TraceHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace fw
