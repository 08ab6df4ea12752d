#include "platform/web/WebClock.h"

#include <emscripten.h>

namespace plat {

WebClock::WebClock() : originMs_(emscripten_get_now()) {}

uint32_t WebClock::NowMs() const {
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now() - originMs_));
}

void WebClock::Sleep(uint32_t ms) { emscripten_sleep(ms); }

}  // namespace plat
