#pragma once
// The browser's clock (performance.now()). A sleep hands the page back to the
// browser for that long, so frames are shown and input is taken meanwhile;
// the program's stack waits where it was (see docs/web.md). Page thread.

#include <cstdint>

#include "platform/Clock.h"

namespace plat {

class WebClock final : public Clock {
public:
    WebClock();
    uint32_t NowMs() const override;
    void Sleep(uint32_t ms) override;

private:
    double originMs_;
};

}  // namespace plat
