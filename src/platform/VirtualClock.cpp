#include "platform/VirtualClock.h"

namespace qv {

void VirtualClock::waitUntil(uint32_t deadline) {
    if (clockBefore(time_, deadline))
        time_ = deadline;
}

} // namespace qv
