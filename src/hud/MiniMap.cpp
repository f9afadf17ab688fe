#include "hud/MiniMap.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"
#include "core/Angles.h"

#include <cmath>

namespace qv {

namespace {

constexpr float kFieldCentre = MiniMap::kFieldSpan / 2.0f;
// The map square's half side: its corners lie kHalfDiagonal from the centre on the diagonals.
constexpr float kHalfSide = MiniMap::kHalfDiagonal / std::numbers::sqrt2_v<float>;
// The arrowhead's back corners, turned 0.8 pi and 1.2 pi from its tip.
constexpr float kTipAngle = kPi / 2.0f;
constexpr float kBackLeftAngle = 4.08407f;
constexpr float kBackRightAngle = 5.340708f;

constexpr Argb kGoalDarkest = 0xFF003F3F;
constexpr Argb kGoalPulseStep = 0x0808; // green and blue together

} // namespace

MiniMap::MiniMap(GraphicsDevice& device, ContentCache& content, const Rider& rider,
                 const GoalCourse& goalCourse, const GameState& state)
    : device_(device), rider_(rider), goalCourse_(goalCourse), state_(state),
      mapTexture_(requireTexture(device, content, picturePath(state.stageNumber))),
      mapQuad_(kCentre.x - kHalfSide, kCentre.y - kHalfSide, kCentre.x + kHalfSide, kCentre.y + kHalfSide,
               kMapColour),
      goalSquare_(0.0f, 0.0f, 0.0f, 0.0f, goalColour(0)) {
    for (OverlayVertex& v : riderTriangle_)
        v = {0.0f, 0.0f, 0.0f, 1.0f, kRiderColour, 0.0f, 0.0f};
}

std::string MiniMap::picturePath(uint32_t stageNumber) {
    return data::mapPicture(stageNumber % data::kFieldCount);
}

Vec2 MiniMap::project(float x, float z) {
    return {kCentre.x - (z - kFieldCentre) * kScale, kCentre.y - (x - kFieldCentre) * kScale};
}

std::array<Vec2, 3> MiniMap::riderMark(Vec2 centre, float heading) {
    const float a = kPi - heading;
    std::array<Vec2, 3> corners;
    const float angles[3] = {a + kTipAngle, a + kBackLeftAngle, a + kBackRightAngle};
    for (size_t i = 0; i < corners.size(); ++i)
        corners[i] = {centre.x + kRiderMarkRadius * std::cos(angles[i]),
                      centre.y + kRiderMarkRadius * std::sin(angles[i])};
    return corners;
}

Argb MiniMap::goalColour(uint32_t frame) {
    return kGoalDarkest + (frame % kPulseFrames) * kGoalPulseStep;
}

void MiniMap::draw() {
    const Vec3& p = rider_.position();
    const std::array<Vec2, 3> mark = riderMark(project(p.x, p.z), rider_.heading());
    for (size_t i = 0; i < mark.size(); ++i) {
        riderTriangle_[i].x = mark[i].x;
        riderTriangle_[i].y = mark[i].y;
    }
    // Top edge above the bottom edge on screen, like every other overlay quad, so the square faces
    // the viewer and survives back-face culling.
    const Vec3& goal = goalCourse_.goalPosition();
    const Vec2 g = project(goal.x, goal.z);
    goalSquare_.setRect(g.x - kGoalMarkHalfSize, g.y - kGoalMarkHalfSize, g.x + kGoalMarkHalfSize,
                        g.y + kGoalMarkHalfSize);
    goalSquare_.setColour(goalColour(++frames_));

    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(mapTexture_.get());
    mapQuad_.draw(device_);
    device_.setTexture(nullptr);
    device_.drawPrimitiveUP(PrimitiveType::TriangleStrip, 1, riderTriangle_.data(), sizeof(OverlayVertex));
    if (!state_.stageCleared)
        goalSquare_.draw(device_);
}

} // namespace qv
