#include "platform/Host.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "platform/Trace.h"
#include "platform/window/WindowSystem.h"

namespace plat {

namespace {
Host* g_host = nullptr;
}

Host& GetHost() {
    if (g_host == nullptr) {
        std::fputs("plinkpad: no host set up\n", stderr);
        std::abort();
    }
    return *g_host;
}

void SetHost(Host* host) { g_host = host; }

Host Host::Of(WindowSystem& windows, FileSystem& files) {
    Host host;
    host.dialogs = &windows;
    host.files = &files;
    host.clock = &windows.GetClock();
    host.backend = &windows.GetBackend();
    host.windows = &windows;
    host.display = &windows.GetDisplay();
    host.trace = windows.GetTrace();
    return host;
}

void TraceLine(const char* fmt, ...) {
    if (g_host == nullptr || g_host->trace == nullptr) return;
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    g_host->trace->Log(buf);
}

}  // namespace plat
