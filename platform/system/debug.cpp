#include "platform/system/debug.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat {
namespace {
DebugOutputSink& Sink() {
    static DebugOutputSink sink;
    return sink;
}
}  // namespace

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink) {
    DebugOutputSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}
}  // namespace plat

void OutputDebugStringA(const char* text) {
    if (!text) return;
    if (plat::Sink()) {
        plat::Sink()(text);
        return;
    }
    static const bool wanted = [] {
        const char* v = std::getenv("VANTORRA_DEBUG_OUTPUT");
        return v && *v && std::strcmp(v, "0") != 0;
    }();
    if (wanted) std::fputs(text, stderr);
}
