#include "hud/MiniMap.h"

#include "characters/PlayGoalCourse.h"
#include "core/FatalError.h"
#include "support/RiderWorkspace.h"
#include "world/Camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace qv::test {
namespace {

using DrawCall = RecordingRenderDevice::DrawCall;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kHalfSide = 56.568542f; // 80 / sqrt(2)

void expectPoint(Vec2 actual, Vec2 expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-3f);
    EXPECT_NEAR(actual.y, expected.y, 1e-3f);
}

Vec2 at(const DrawCall& call, size_t i) {
    return {call.vertex<OverlayVertex>(i).x, call.vertex<OverlayVertex>(i).y};
}

// Positive when the first triangle runs clockwise on the screen (y down), as every overlay quad
// does and as the race's back-face culling keeps.
float clockwiseArea(const DrawCall& call) {
    const Vec2 a = at(call, 0), b = at(call, 1), c = at(call, 2);
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// A demo rider on a level dry field, with the goal course and what it is built from.
class MiniMapTest : public ::testing::Test {
  protected:
    void build(const std::vector<ControlRecord>& ride = {}) {
        ws.buildWorld(flatAt(1.0f));
        ws.writeDemo(ride);
        rider = ws.demoRider();
        for (size_t k = 0; k < ride.size(); ++k)
            rider->update();
        camera = std::make_unique<Camera>(ws.rig.graphics, ws.rig.keyboard, *rider, *ws.field, state);
        course = std::make_unique<PlayGoalCourse>(ws.rig.graphics, ws.rig.content, ws.rig.sound, *ws.field,
                                                  *camera, state);
        map = std::make_unique<MiniMap>(ws.rig.graphics, ws.rig.content, *rider, *course, state);
    }
    std::vector<DrawCall> frame() {
        ws.rig.graphics.clearLog();
        map->draw();
        return ws.rig.graphics.draws();
    }

    RiderWorkspace ws;
    GameState& state = ws.rig.state;
    std::unique_ptr<Rider> rider;
    std::unique_ptr<Camera> camera;
    std::unique_ptr<PlayGoalCourse> course;
    std::unique_ptr<MiniMap> map;
};

TEST_F(MiniMapTest, PictureShowsUnderEachMapPointTheFieldPointProjectedThere) {
    expectPoint(MiniMap::project(50.5f, 50.5f), {560, 400});
    expectPoint(MiniMap::project(101, 50.5f), {560, 400 - kHalfSide}); // top edge
    expectPoint(MiniMap::project(50.5f, 101), {560 - kHalfSide, 400}); // left edge
    build();
    const DrawCall picture = frame().at(0);
    EXPECT_EQ(picture.texture, &map->mapTexture());
    EXPECT_EQ(picture.world, Matrix4::identity());
    EXPECT_EQ(picture.vertex<OverlayVertex>(2).diffuse, 0x66FFFFFFu);
    expectPoint(at(picture, 0), {560 - kHalfSide, 400 - kHalfSide});
    expectPoint(at(picture, 3), {560 + kHalfSide, 400 + kHalfSide});
    EXPECT_GT(clockwiseArea(picture), 0.0f);
    // Texel (u, v) shows field point x = 101 (1 - v), z = 101 (1 - u).
    const OverlayVertex& tl = picture.vertex<OverlayVertex>(0);
    const OverlayVertex& br = picture.vertex<OverlayVertex>(3);
    for (const Vec2& f : {Vec2{0, 0}, Vec2{101, 101}, Vec2{12, 80}, Vec2{99, 3}}) {
        const Vec2 s = MiniMap::project(f.x, f.y);
        const float u = tl.u + (s.x - tl.x) / (br.x - tl.x) * (br.u - tl.u);
        const float v = tl.v + (s.y - tl.y) / (br.y - tl.y) * (br.v - tl.v);
        EXPECT_NEAR(101 * (1 - v), f.x, 1e-3f);
        EXPECT_NEAR(101 * (1 - u), f.y, 1e-3f);
    }
}

TEST_F(MiniMapTest, RiderMarkTipPointsWhereTheRiderFaces) {
    const Vec2 c{300, 200};
    expectPoint(MiniMap::riderMark(c, 0.0f)[0], {300, 195});    // facing +x: up
    expectPoint(MiniMap::riderMark(c, kPi / 2)[0], {295, 200}); // facing +z: left
    expectPoint(MiniMap::riderMark(c, 0.0f)[1],
                {300 + 5 * std::sin(0.2f * kPi), 200 + 5 * std::cos(0.2f * kPi)});

    build(repeat(pedalling(1.0f), 50)); // a turning ride
    ASSERT_GT(std::fabs(rider->heading()), 0.3f);
    const DrawCall mark = frame().at(1);
    EXPECT_EQ(mark.texture, nullptr);
    EXPECT_EQ(mark.vertexCount, 3u);
    EXPECT_EQ(mark.vertex<OverlayVertex>(1).diffuse, 0xFFFF0000u);
    EXPECT_GT(clockwiseArea(mark), 0.0f);
    // Tip toward the map point one step along the facing.
    const Vec3& p = rider->position();
    const Vec2 centre = MiniMap::project(p.x, p.z);
    const Vec2 ahead = MiniMap::project(p.x + std::cos(rider->heading()), p.z + std::sin(rider->heading()));
    const Vec2 facing = normalize(Vec2{ahead.x - centre.x, ahead.y - centre.y});
    expectPoint(at(mark, 0), {centre.x + 5 * facing.x, centre.y + 5 * facing.y});
}

TEST_F(MiniMapTest, GoalSquarePulsesCyanOnTheGoalUntilTheStageIsCleared) {
    build();
    const Vec2 g = MiniMap::project(course->goalPosition().x, course->goalPosition().z);
    const DrawCall square = frame().at(2);
    EXPECT_EQ(square.texture, nullptr);
    expectPoint(at(square, 0), {g.x - 2, g.y - 2});
    expectPoint(at(square, 3), {g.x + 2, g.y + 2});
    EXPECT_GT(clockwiseArea(square), 0.0f) << "faces the viewer like every overlay quad";
    EXPECT_EQ(square.vertex<OverlayVertex>(3).diffuse, 0xFF004747u);
    for (int f = 2; f < 24; ++f)
        frame();
    EXPECT_EQ(frame().at(2).vertex<OverlayVertex>(0).diffuse, 0xFF00FFFFu) << "brightest on frame 24";
    EXPECT_EQ(frame().at(2).vertex<OverlayVertex>(0).diffuse, 0xFF003F3Fu) << "darkest on frame 25";
    state.stageCleared = true;
    EXPECT_EQ(frame().size(), 2u) << "picture and rider only";
}

TEST_F(MiniMapTest, ShowsThePictureOfTheStagesFieldOrFailsWithTheTextureError) {
    EXPECT_EQ(MiniMap::picturePath(0), "./Data/tex/map0.dds");
    EXPECT_EQ(MiniMap::picturePath(4), "./Data/tex/map0.dds");
    EXPECT_EQ(MiniMap::picturePath(3), "./Data/tex/map3.dds");
    EXPECT_EQ(MiniMap::picturePath(9), "./Data/tex/map1.dds");
    ws.rig.removeFile("Data/tex/map2.dds");
    state.stageNumber = 6;
    EXPECT_THROW(build(), FatalError);
    state.stageNumber = 5;
    EXPECT_NO_THROW(build());
}

} // namespace
} // namespace qv::test
