#include "platform/headless/HeadlessHost.h"

namespace plat {

HeadlessHost::HeadlessHost(const HeadlessHostOptions& options)
    : clock(options.startMs),
      display(options.width, options.height, options.depth),
      backend(clock, options.backend),
      trace(clock, options.tracePath, options.keepTraceLines),
      windows(backend, display, clock, &trace) {
    host.dialogs = &windows;
    host.clock = &clock;
    host.backend = &backend;
    host.windows = &windows;
    host.trace = &trace;
    SetHost(&host);
}

HeadlessHost::~HeadlessHost() { SetHost(nullptr); }

}  // namespace plat
