#pragma once

namespace qv {

class BlobShadow;
class Camera;
class ContentCache;
class Field;
class Fog;
class GoalCourse;
class GraphicsDevice;
class HitTest;
class KeyboardInput;
class MessageBoard;
class RaceScore;
class Rider;
class RippleSet;
class ScoreBoard;
class SkyBackdrop;
class SplashSet;
class TargetArrow;
class Walker;
class WaterSurface;
struct GameState;

// The scene's components as its phases see them: plain references to what the scene owns.
struct SceneParts {
    GraphicsDevice& graphics;
    ContentCache& content;
    KeyboardInput& keyboard;
    GameState& game;
    Rider& rider;
    Camera& camera;
    BlobShadow& shadow;
    RippleSet& ripples;
    SplashSet& splashes;
    GoalCourse& goalCourse;
    TargetArrow& arrow;
    Walker& walker;
    Field& field;
    WaterSurface& water;
    SkyBackdrop& sky;
    Fog& fog;
    RaceScore& score;
    ScoreBoard& scoreBoard;
    const HitTest& hitTest;
    MessageBoard& messageBoard;
};

} // namespace qv
