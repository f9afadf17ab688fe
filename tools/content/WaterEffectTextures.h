#pragma once

#include "core/Image.h"

namespace qv::content {

// tex/Ripple.dds: a soft white ring (with a fainter one inside it) on clear, filling the square
// the game lays flat on the water and widens as the ripple ages. Clear in the middle and at the
// edges; white all over, so filtering never darkens its rim.
constexpr int kRippleSize = 128;
constexpr float kRippleRadius = 0.78f; // of the half-width, where the ring is brightest
Image rippleTexture();

// tex/splash.dds: one water droplet for the spray's point sprites: a round, nearly opaque bead,
// pale blue-white with a bright glint, clear outside.
constexpr int kSplashSize = 32;
Image splashTexture();

} // namespace qv::content
