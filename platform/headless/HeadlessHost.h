#pragma once
// Everything a test or tool needs to run program code without a screen: a
// manual clock, the display, the headless backend, the window system, a trace
// and a plat::Host wired to them. It installs itself with SetHost and removes
// itself on destruction. `host.files` is left for the caller to set.
// Window thread only; one at a time.

#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/Host.h"
#include "platform/Trace.h"
#include "platform/gdi/Display.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"

namespace plat {

struct HeadlessHostOptions {
    int width = 640;
    int height = 480;
    int depth = 8;             // what depth queries report
    uint32_t startMs = 0;      // the clock's first value
    std::string tracePath;     // trace file; empty: lines kept in memory only
    bool keepTraceLines = true;  // false: the lines go to the file only (long runs)
    HeadlessOptions backend;
};

class HeadlessHost {
public:
    explicit HeadlessHost(const HeadlessHostOptions& options = {});
    ~HeadlessHost();
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    ManualClock clock;
    Display display;
    HeadlessBackend backend;
    Trace trace;
    WindowSystem windows;
    Host host;
};

}  // namespace plat
