#pragma once
// The running host: the services that the program's classes reach the way
// the original reached the operating system (message boxes, files, the clock,
// timers). The application sets it up once at start; tests set up their own
// (see tests/support). Window thread only.

namespace plat {

class WindowSystem;
class HostPath;
class Trace;
class Clock;

struct Host {
    WindowSystem* windows = nullptr;
    HostPath* files = nullptr;
    Trace* trace = nullptr;  // null when not tracing
};

// The current host; must have been set with SetHost first.
Host& GetHost();
void SetHost(Host* host);
// Convenience: GetHost().trace ? Log(text) : nothing.
void TraceLine(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace plat
