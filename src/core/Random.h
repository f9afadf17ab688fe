#pragma once

#include <cstdint>

namespace qv {

// The program's one random generator, with the classic C-library contract (values 0..32767).
// Replays depend on every consumer drawing from it in the game's own order.
class Random {
  public:
    static constexpr int kMax = 32767;

    explicit Random(uint32_t seed = 1) : state_(seed) {}
    void seed(uint32_t seed) { state_ = seed; }
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    uint32_t state() const { return state_; }

  private:
    uint32_t state_;
};

} // namespace qv
