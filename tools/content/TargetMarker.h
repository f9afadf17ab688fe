#pragma once

#include "core/Image.h"

namespace qv::content {

// tex/target.dds: the point sprite drawn on the goal when it is still beyond sight. The game
// tints it (white, then the two colours of the distance band) and shows it anywhere from a few
// dozen to a few hundred pixels wide, so it is a bold white target sign (a ring round a dot)
// in a dark rim that stays dark under any tint, on a transparent ground.
constexpr int kMarkerSize = 128;
// The sign's radii as shares of the half size: the dot, and the ring's inner and outer edge.
constexpr float kMarkerDot = 0.2f;
constexpr float kMarkerRingInner = 0.52f;
constexpr float kMarkerRingOuter = 0.84f;

Image targetMarkerTexture();

} // namespace qv::content
