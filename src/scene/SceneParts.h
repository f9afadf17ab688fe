#pragma once

namespace qv {

class BlobShadow;
class Camera;
class Field;
class GraphicsDevice;
class KeyboardInput;
class Rider;
class SkyBackdrop;
class WaterSurface;
struct GameState;

// The scene's components as its phases see them: plain references to what the scene owns.
struct SceneParts {
    GraphicsDevice& graphics;
    KeyboardInput& keyboard;
    GameState& game;
    Rider& rider;
    Camera& camera;
    BlobShadow& shadow;
    Field& field;
    WaterSurface& water;
    SkyBackdrop& sky;
};

} // namespace qv
