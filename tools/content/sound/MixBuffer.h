#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace qv::content {

// Where notes are mixed into a sound. A loop buffer has a fixed length and wraps whatever runs
// past its end back onto its start, sample for sample, so a note ringing over the loop point
// carries on at the top of the next pass and the loop has no click. A one-shot buffer grows to
// hold everything added.
class MixBuffer {
  public:
    static MixBuffer loop(size_t length);
    static MixBuffer oneShot(size_t length = 0);

    bool loops() const { return loops_; }
    size_t size() const { return samples_.size(); }
    const std::vector<float>& samples() const { return samples_; }

    void add(std::span<const float> sound, size_t offset, float gain = 1.0f);
    float peak() const;
    float rms() const;
    // Scales everything so the loudest sample has the given magnitude (silence stays silent).
    void scaleToPeak(float target);

  private:
    MixBuffer(bool loops, size_t length);

    bool loops_;
    std::vector<float> samples_;
};

} // namespace qv::content
