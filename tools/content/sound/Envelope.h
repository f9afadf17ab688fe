#pragma once

namespace qv::content {

// Attack-decay-sustain-release loudness curve of a note, in seconds. The note is held for
// `gate` seconds, then falls from wherever it is to silence over the release.
struct Envelope {
    float attack = 0.005f;
    float decay = 0.1f;
    float sustain = 0.7f; // level held after the decay, 0..1
    float release = 0.05f;

    float levelAt(float time, float gate) const;
    // How long the note sounds in all, release included.
    float length(float gate) const { return gate + release; }

  private:
    float heldLevel(float time) const;
};

} // namespace qv::content
