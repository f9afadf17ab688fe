#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace qv {

// One tick of rider input. The recording files are these records back to back, so the layout is
// fixed: seven key bytes, one zero pad byte, then the smoothed steering as a little-endian float.
// Any non-zero key byte counts as pressed.
struct ControlRecord {
    uint8_t pedal = 0;
    uint8_t brake = 0;
    uint8_t backPedal = 0;
    uint8_t jump = 0;
    uint8_t boost = 0;
    uint8_t left = 0;
    uint8_t right = 0;
    uint8_t pad = 0;
    float steer = 0.0f; // -1 (full right) .. 1 (full left)

    bool operator==(const ControlRecord&) const = default;
};

static_assert(sizeof(ControlRecord) == 12);
static_assert(offsetof(ControlRecord, right) == 6);
static_assert(offsetof(ControlRecord, steer) == 8);
static_assert(std::is_trivially_copyable_v<ControlRecord>);
static_assert(std::endian::native == std::endian::little, "recordings are stored in memory order");

} // namespace qv
