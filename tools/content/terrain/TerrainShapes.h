#pragma once

#include "core/Vec3.h"
#include "field/FieldHeights.h"
#include "terrain/Ramp.h"
#include "terrain/TerrainNoise.h"

#include <functional>
#include <vector>

namespace qv::content {

// The building blocks the terrains are shaped from. Every operation visits the 101 x 101 grid
// points in file order, sample (i, j) standing at x = i, z = j.

// A region of the field as a signed distance in units: negative inside, positive outside.
using Footprint = std::function<float(float x, float z)>;
// A new height for the grid point at (x, z) from its present height h.
using HeightRule = std::function<float(float x, float z, float h)>;

Footprint disc(Vec2 centre, float radius);
// Every point within halfWidth of the segment from `from` to `to`.
Footprint band(Vec2 from, Vec2 to, float halfWidth);
// A rectangle with square ends, from `from` to `to` along its length, 2 halfWidth across.
Footprint strip(Vec2 from, Vec2 to, float halfWidth);
// Every point within halfWidth of a chain of segments through the points, in order.
Footprint polyline(std::vector<Vec2> points, float halfWidth);
// A footprint whose edge wanders in and out by up to `amplitude`; the noise must outlive it.
Footprint ragged(Footprint shape, const TerrainNoise& noise, float amplitude, float wavelength);

// The part of `shape` outside `hole`.
Footprint except(Footprint shape, Footprint hole);

// 1 inside a footprint, easing smoothly to 0 at `blend` units outside it.
float falloff(float distance, float blend);

void reshape(FieldHeights& heights, const HeightRule& rule);
// Bilinear height between the grid points, for placing features on the ground as it is.
float sampleHeight(const FieldHeights& heights, float x, float z);

// Adds `amount` inside, easing off outside: hills (or hollows when negative).
void raise(FieldHeights& heights, const Footprint& where, float amount, float blend);
// Makes the ground exactly `level` inside, blending into the surroundings outside.
void flatten(FieldHeights& heights, const Footprint& where, float level, float blend);
// Digs down to `bed` inside, never raising anything: lakes and channels with sloping shores.
void sink(FieldHeights& heights, const Footprint& where, float bed, float blend);
// A flat top at `top` inside with a cliff falling at `wallSlope` (rise per unit) outside,
// down to the ground around it.
void mesa(FieldHeights& heights, const Footprint& where, float top, float wallSlope);
// Cuts down to `floor` inside with walls rising at `wallSlope` outside: gorges.
void gorge(FieldHeights& heights, const Footprint& where, float floor, float wallSlope);

// A straight road whose height runs evenly from the ground at `from` to the ground at `to`,
// blending into the land at its sides: the way up onto a plateau, or a causeway over water.
void road(FieldHeights& heights, Vec2 from, Vec2 to, float halfWidth, float blend);

// Levels the runway and the ground under the ramp to the height at the foot, then builds the
// ramp on it.
void buildRamp(FieldHeights& heights, const Ramp& ramp);

} // namespace qv::content
