#include "platform/SdlClock.h"

#include <SDL_timer.h>

namespace qv {

uint32_t SdlClock::now() {
    return SDL_GetTicks();
}

void SdlClock::waitUntil(uint32_t deadline) {
    for (uint32_t time = now(); clockBefore(time, deadline); time = now()) {
        const uint32_t remaining = deadline - time;
        if (relaxed_)
            SDL_Delay(remaining);
        else if (remaining > kSpinMs)
            SDL_Delay(remaining - kSpinMs);
    }
}

} // namespace qv
