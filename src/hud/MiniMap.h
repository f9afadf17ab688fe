#pragma once

#include "characters/GoalCourse.h"
#include "core/Vec3.h"
#include "game/GameState.h"
#include "hud/OverlayCell.h"
#include "platform/GraphicsDevice.h"
#include "platform/RenderTypes.h"
#include "platform/Texture.h"
#include "rider/Rider.h"

#include <array>
#include <cstdint>
#include <memory>
#include <numbers>
#include <string>

namespace qv {

class ContentCache;

// The whole field as a small translucent picture in the bottom right corner, turned so that the
// field's +x points up and its +z left, with a red arrowhead for the rider's facing and a
// pulsing cyan square on the goal.
class MiniMap {
  public:
    static constexpr Vec2 kCentre{560.0f, 400.0f};
    static constexpr float kHalfDiagonal = 80.0f;
    static constexpr float kFieldSpan = 101.0f; // field units across the picture
    static constexpr float kScale = kHalfDiagonal * std::numbers::sqrt2_v<float> / kFieldSpan;
    static constexpr float kRiderMarkRadius = 5.0f;
    static constexpr float kGoalMarkHalfSize = 2.0f;
    static constexpr Argb kMapColour = 0x66FFFFFF;
    static constexpr Argb kRiderColour = 0xFFFF0000;
    static constexpr uint32_t kPulseFrames = 25;

    // Loads the stage's map picture; FatalError "ERROR : Create Direct3DTexture" when it cannot
    // be made.
    MiniMap(GraphicsDevice& device, ContentCache& content, const Rider& rider, const GoalCourse& goalCourse,
            const GameState& state);

    // The picture, the rider mark and, until the stage is cleared, the goal mark. The phase has
    // set the overlay vertex format.
    void draw();

    const Texture& mapTexture() const { return *mapTexture_; }

    // "./Data/tex/map0.dds" with the digit of the stage's field (stage number mod 4).
    static std::string picturePath(uint32_t stageNumber);
    // Screen point of the field point (x, z).
    static Vec2 project(float x, float z);
    // The rider mark's corners around its centre, the tip first.
    static std::array<Vec2, 3> riderMark(Vec2 centre, float heading);
    // The goal mark's colour on the given drawn frame.
    static Argb goalColour(uint32_t frame);

  private:
    GraphicsDevice& device_;
    const Rider& rider_;
    const GoalCourse& goalCourse_;
    const GameState& state_;
    std::unique_ptr<Texture> mapTexture_;
    OverlayCell mapQuad_;
    OverlayCell goalSquare_;
    std::array<OverlayVertex, 3> riderTriangle_{};
    uint32_t frames_ = 0;
};

} // namespace qv
