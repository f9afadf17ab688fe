#include "scene/SceneLight.h"

#include "platform/GraphicsDevice.h"

namespace qv {

SceneLight::SceneLight(GraphicsDevice& graphics) : graphics_(graphics) {
    graphics_.setRenderState(RenderState::Ambient, kAmbient);
    light_.diffuse = {0.1f, 0.1f, 0.1f, 1.0f};
    light_.specular = {0.0f, 0.0f, 0.0f, 1.0f};
    light_.ambient = {0.5f, 0.5f, 0.5f, 1.0f};
    light_.position = {0.0f, 0.0f, 0.0f};
    light_.direction = {0.4f, -1.0f, -0.3f};
}

void SceneLight::apply() {
    graphics_.setLight(0, light_);
    graphics_.lightEnable(0, true);
}

} // namespace qv
