#pragma once
// A source of input and time that drives the loop instead of a person: the
// `--script` file of a scripted run. The window system asks it for more when
// nothing is ready to dispatch, also inside nested modal loops, so a script
// can answer a modal dialog that the program is running.

#include <cstdint>
#include <optional>

namespace plat {

class InputScript {
public:
    virtual ~InputScript() = default;
    // Called when no message is ready. `nextTimerDue` is the clock value at
    // which the earliest timer falls due, if any. The script queues input, or
    // advances the clock (never past nextTimerDue in one step, so ticks are
    // delivered on time), or acts on the desktop. Returns false when the
    // script has ended (the program is then asked to close).
    virtual bool Step(std::optional<uint32_t> nextTimerDue) = 0;
    // Whether the script would give its next input now, rather than being
    // in the middle of a wait. Such input goes ahead of timer ticks that fell
    // due while the program was blocked, as a person's input given meanwhile
    // would: a timer whose handler blocks for a whole period cannot starve it.
    virtual bool Ready() const { return true; }
};

}  // namespace plat
