#pragma once

#include "assets/DataFiles.h"
#include "core/Image.h"

namespace qv::content {

// tex/ground.dds: a light, seamless detail pattern. Every terrain cell maps it once and it is
// multiplied by the terrain's height colours, so it stays near white and only adds texture.
constexpr int kGroundSize = 128;
Image groundTexture();

// tex/shadow.dds: the blob shadow samples the column at u = 0.9 from v = 0 at its centre to
// v = 0.9 at its rim; that column (like every other) falls off from opaque to clear.
constexpr float kShadowColumnU = 0.9f;
constexpr float kShadowRimV = 0.9f;
constexpr int kShadowSize = 64;
Image shadowTexture();

// tex/bgauge.dds: the boost gauge. The top half (v 0..0.5) is the capsule drawn both as the
// frame and, tinted by its vertex colours, as the bar; the bottom half (v 0.51..1) is the soft
// halo pulsing round a full gauge. The rows where the halves meet are clear so neither bleeds
// into the other through filtering.
constexpr int kGaugeWidth = 256;
constexpr int kGaugeHeight = 64;
Image boostGaugeTexture();

// tex/boost0.dds .. tex/boost2.dds: three frames of flame wrapped round the boost shell; u runs
// around it (seamless), v from the nose (hot, bright) to the tail (tongues fading to clear).
constexpr int kFlameSize = 128;
constexpr int kFlameFrames = static_cast<int>(data::kBoostTextureCount);
Image boostFlameTexture(int frame);

} // namespace qv::content
