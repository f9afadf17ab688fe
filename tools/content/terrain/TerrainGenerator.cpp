#include "terrain/TerrainGenerator.h"

#include "core/Angles.h"
#include "core/FatalError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace qv::content {

namespace {

// Lake and sea beds, and the width of the sloping shore above them: gentle enough that a
// rider washed ashore can pedal out of the water.
constexpr float kLakeBed = -0.5f;
constexpr float kShore = 7.0f;
constexpr float kPlazaRadius = 5.0f;
constexpr float kPlazaBlend = 4.0f;
constexpr float kRunwayHalfWidth = 4.0f;
// Cliffs drop in one grid step: steeper than any rider climbs.
constexpr float kCliff = 20.0f;

// Signed distance to the field's border strip of the given width (negative inside the strip).
Footprint border(float width) {
    return [width](float x, float z) { return std::min({x, z, 100.0f - x, 100.0f - z}) - width; };
}

// Winding lines across the whole field, 2 halfWidth across: channels and rivers.
Footprint windingLines(const TerrainNoise& noise, float wavelength, float halfWidth) {
    return [&noise, wavelength, halfWidth](float x, float z) {
        return noise.lineDistance(x, z, wavelength) - halfWidth;
    };
}

// Keeps a footprint clear of a circle.
Footprint awayFrom(Footprint shape, Vec2 centre, float clearance) {
    return except(std::move(shape), disc(centre, clearance));
}

// The start: an exactly level plaza, so a rider at rest stays at rest, and a straight runway
// ahead of it (+x, the way every rider starts out) to the field's first ramp.
void layStart(Terrain& terrain, float level, Ramp launch) {
    // Level first so the road starts from the plaza's height, and again after it, since the
    // road's edges blend into the plaza.
    flatten(terrain.heights, disc(kStartPoint, kPlazaRadius), level, kPlazaBlend);
    road(terrain.heights, {kStartPoint.x + kPlazaRadius, kStartPoint.y}, launch.foot, kRunwayHalfWidth,
         kPlazaBlend);
    flatten(terrain.heights, disc(kStartPoint, kPlazaRadius), level, kPlazaBlend);
    // The road from the plaza is the launch ramp's runway.
    Ramp onRoad = launch;
    onRoad.runway = 0.0f;
    buildRamp(terrain.heights, onRoad);
    launch.runway = std::hypot(launch.foot.x - kStartPoint.x, launch.foot.y - kStartPoint.y);
    terrain.ramps.insert(terrain.ramps.begin(), launch);
}

void addRamp(Terrain& terrain, const Ramp& ramp) {
    buildRamp(terrain.heights, ramp);
    terrain.ramps.push_back(ramp);
}

// Rolling meadows round a lake; the start sits on a tongue of land reaching into the lake from
// the east, and the first ramp throws the rider off its end onto the meadows.
Terrain meadows() {
    const TerrainNoise noise(0x4D454144u);
    Terrain t;
    reshape(t.heights, [&](float x, float z, float) { return 1.4f + 0.9f * noise.fractal(x, z, 22.0f, 4); });
    raise(t.heights, ragged(disc({84.0f, 16.0f}, 3.0f), noise, 3.0f, 6.0f), 4.3f, 15.0f);
    raise(t.heights, ragged(disc({14.0f, 80.0f}, 4.0f), noise, 3.0f, 6.0f), 1.6f, 12.0f);
    raise(t.heights, ragged(disc({82.0f, 84.0f}, 3.0f), noise, 3.0f, 6.0f), 1.4f, 10.0f);
    mesa(t.heights, ragged(disc({22.0f, 20.0f}, 3.5f), noise, 2.0f, 5.0f), 3.6f, kCliff);
    mesa(t.heights, ragged(disc({64.0f, 80.0f}, 2.0f), noise, 1.5f, 4.0f), 3.0f, kCliff);
    const Footprint tongue = ragged(band(kStartPoint, {80.0f, 52.0f}, 5.0f), noise, 2.0f, 6.0f);
    sink(t.heights, except(ragged(disc({44.0f, 48.0f}, 21.0f), noise, 10.0f, 16.0f), tongue), kLakeBed,
         kShore);
    sink(t.heights, ragged(band({30.0f, 36.0f}, {12.0f, 44.0f}, 1.5f), noise, 3.0f, 8.0f), kLakeBed, kShore);
    sink(t.heights, ragged(band({12.0f, 44.0f}, {-4.0f, 40.0f}, 1.5f), noise, 3.0f, 8.0f), kLakeBed, kShore);
    sink(t.heights, ragged(disc({90.0f, 64.0f}, 6.0f), noise, 5.0f, 7.0f), kLakeBed, kShore);
    sink(t.heights, ragged(disc({58.0f, 92.0f}, 6.0f), noise, 5.0f, 7.0f), kLakeBed, kShore);
    layStart(t, 1.0f, {{74.0f, 50.0f}, 0.0f, 6.0f, 1.6f, 2.5f});
    addRamp(t, {{14.0f, 58.0f}, -kHalfPi, 5.0f, 1.4f, 2.5f});
    addRamp(t, {{62.0f, 16.0f}, kHalfPi, 6.0f, 1.6f, 2.5f});
    addRamp(t, {{86.0f, 40.0f}, kHalfPi, 5.0f, 1.4f, 2.5f});
    return t;
}

// Islands in a shallow sea, parted by winding channels, with a causeway and an old volcano; the
// start island's ramp jumps the channel ahead onto the next island.
Terrain islands() {
    const TerrainNoise noise(0x49534C45u);
    const TerrainNoise channels(0x4348414Eu);
    Terrain t;
    reshape(t.heights, [&](float x, float z, float) { return 1.7f + 0.5f * noise.fractal(x, z, 30.0f, 4); });
    const Vec2 volcano{26.0f, 74.0f};
    sink(t.heights, ragged(border(-1.0f), noise, 4.0f, 16.0f), kLakeBed, kShore);
    sink(t.heights,
         awayFrom(awayFrom(windingLines(channels, 60.0f, 0.0f), kStartPoint, 10.0f), volcano, 18.0f),
         kLakeBed, kShore);
    sink(t.heights, ragged(band({77.0f, 36.0f}, {78.0f, 64.0f}, 0.5f), noise, 1.0f, 8.0f), kLakeBed, kShore);
    // A steep cone on broad, gentle flanks.
    raise(t.heights, disc(volcano, 3.0f), 2.0f, 18.0f);
    raise(t.heights, disc(volcano, 3.0f), 2.4f, 6.0f);
    sink(t.heights, disc(volcano, 1.5f), 4.6f, 1.5f);
    mesa(t.heights, ragged(disc({80.0f, 22.0f}, 3.0f), noise, 2.0f, 4.0f), 3.2f, kCliff);
    // A causeway over the channel south of the start island.
    road(t.heights, {42.0f, 46.0f}, {19.0f, 46.0f}, 2.5f, 3.0f);
    layStart(t, 1.2f, {{66.0f, 50.0f}, 0.0f, 6.0f, 1.8f, 2.5f});
    addRamp(t, {{80.0f, 12.0f}, kPi, 5.0f, 1.5f, 2.5f});
    addRamp(t, {{24.0f, 30.0f}, -kHalfPi, 5.0f, 1.5f, 2.5f});
    return t;
}

// A slope out of a gorge past its end, from the floor a little way in (towards `towards`) up
// to the ground beyond.
void ravineExit(FieldHeights& heights, Vec2 end, Vec2 towards) {
    constexpr float kInside = 3.0f;
    constexpr float kBeyond = 10.0f;
    constexpr float kExitHalfWidth = 1.5f;
    const float length = std::hypot(towards.x - end.x, towards.y - end.y);
    const Vec2 in{(towards.x - end.x) / length, (towards.y - end.y) / length};
    road(heights, {end.x + kInside * in.x, end.y + kInside * in.y},
         {end.x - kBeyond * in.x, end.y - kBeyond * in.y}, kExitHalfWidth, 1.5f);
}

// A winding gorge with steep walls and a stream along its floor, and a slope out of it at each
// end, so a rider who falls in can float to an end and climb out.
void cutRavine(FieldHeights& heights, const TerrainNoise& noise, const std::vector<Vec2>& course) {
    constexpr float kHalfWidth = 1.5f;
    constexpr float kFloor = -0.3f;
    gorge(heights, ragged(polyline(course, kHalfWidth), noise, 1.5f, 12.0f), kFloor, kCliff);
    const size_t last = course.size() - 1;
    ravineExit(heights, course[0], course[1]);
    ravineExit(heights, course[last], course[last - 1]);
}

// Hills cut by steep ravines, with a river winding through a broad valley; the first ramp
// clears the ravine ahead of the start.
Terrain ravines() {
    const TerrainNoise noise(0x52415649u);
    Terrain t;
    reshape(t.heights, [&](float x, float z, float) { return 2.3f + 1.5f * noise.fractal(x, z, 26.0f, 4); });
    raise(t.heights, ragged(disc({20.0f, 22.0f}, 3.0f), noise, 3.0f, 10.0f), 3.6f, 14.0f);
    const Footprint river = polyline({{-2.0f, 70.0f},
                                      {14.0f, 64.0f},
                                      {28.0f, 70.0f},
                                      {38.0f, 84.0f},
                                      {54.0f, 88.0f},
                                      {70.0f, 80.0f},
                                      {86.0f, 84.0f},
                                      {102.0f, 92.0f}},
                                     3.0f);
    sink(t.heights, ragged(river, noise, 3.0f, 14.0f), kLakeBed, 10.0f);
    sink(t.heights, ragged(disc({26.0f, 80.0f}, 8.0f), noise, 3.0f, 14.0f), kLakeBed, kShore);
    sink(t.heights, ragged(disc({60.0f, 14.0f}, 7.0f), noise, 3.0f, 14.0f), kLakeBed, kShore);
    layStart(t, 1.8f, {{66.0f, 50.0f}, 0.0f, 6.0f, 1.8f, 2.5f});
    addRamp(t, {{60.0f, 36.0f}, 0.0f, 6.0f, 1.6f, 2.5f});
    addRamp(t, {{41.5f, 33.9f}, -1.1f, 6.0f, 1.6f, 2.5f});
    cutRavine(t.heights, noise, {{76.0f, 12.0f}, {72.0f, 36.0f}, {76.0f, 62.0f}, {76.0f, 86.0f}});
    cutRavine(t.heights, noise, {{12.0f, 50.0f}, {26.0f, 54.0f}, {40.0f, 66.0f}});
    cutRavine(t.heights, noise, {{30.0f, 6.0f}, {40.0f, 22.0f}, {52.0f, 28.0f}});
    return t;
}

// Flat-topped plateaus over lake-dotted lowlands under a mountain range; roads climb onto the
// plateaus and the start plateau's ramp leaps off its cliff.
Terrain plateaus() {
    const TerrainNoise noise(0x504C4154u);
    Terrain t;
    reshape(t.heights, [&](float x, float z, float) {
        const float range = falloff(84.0f - x + 4.0f * noise.fractal(x, z, 16.0f, 2), 14.0f);
        const float ridge = falloff(noise.lineDistance(x, z, 30.0f), 8.0f);
        return 0.65f + 0.5f * noise.fractal(x, z, 28.0f, 3) + range * (2.8f + 3.0f * ridge);
    });
    raise(t.heights, ragged(disc({10.0f, 90.0f}, 3.0f), noise, 3.0f, 10.0f), 4.5f, 10.0f);
    sink(t.heights, ragged(disc({40.0f, 12.0f}, 12.0f), noise, 4.0f, 16.0f), kLakeBed, kShore);
    sink(t.heights, ragged(disc({76.0f, 62.0f}, 11.0f), noise, 4.0f, 16.0f), kLakeBed, kShore);
    sink(t.heights, ragged(disc({48.0f, 90.0f}, 10.0f), noise, 4.0f, 16.0f), kLakeBed, kShore);
    sink(t.heights, ragged(disc({6.0f, 44.0f}, 7.0f), noise, 4.0f, 16.0f), kLakeBed, kShore);
    mesa(t.heights, ragged(band({42.0f, 50.0f}, {62.0f, 50.0f}, 10.0f), noise, 4.0f, 12.0f), 2.0f, kCliff);
    mesa(t.heights, ragged(disc({22.0f, 24.0f}, 10.0f), noise, 5.0f, 12.0f), 2.6f, kCliff);
    mesa(t.heights, ragged(disc({24.0f, 74.0f}, 10.0f), noise, 5.0f, 12.0f), 2.3f, kCliff);
    mesa(t.heights, ragged(disc({66.0f, 80.0f}, 8.0f), noise, 4.0f, 12.0f), 2.7f, kCliff);
    mesa(t.heights, ragged(disc({68.0f, 22.0f}, 4.0f), noise, 2.0f, 8.0f), 3.8f, kCliff);
    road(t.heights, {22.0f, 46.0f}, {22.0f, 32.0f}, 2.0f, 2.5f);
    road(t.heights, {40.0f, 64.0f}, {28.0f, 68.0f}, 2.0f, 2.5f);
    road(t.heights, {54.0f, 70.0f}, {62.0f, 76.0f}, 2.0f, 2.5f);
    road(t.heights, {50.0f, 30.0f}, {50.0f, 42.0f}, 2.0f, 2.5f);
    layStart(t, 2.0f, {{66.0f, 50.0f}, 0.0f, 5.0f, 1.2f, 2.5f});
    addRamp(t, {{36.0f, 60.0f}, kHalfPi, 5.0f, 1.5f, 2.5f});
    return t;
}

} // namespace

Terrain generateTerrain(int field) {
    switch (field) {
    case 0:
        return meadows();
    case 1:
        return islands();
    case 2:
        return ravines();
    case 3:
        return plateaus();
    default:
        throw FatalError("no terrain " + std::to_string(field));
    }
}

} // namespace qv::content
