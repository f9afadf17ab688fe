#pragma once

#include "core/Vec3.h"
#include "field/DrawWindow.h"
#include "field/FieldGrid.h"
#include "game/GameState.h"
#include "game/SceneOptions.h"
#include "platform/GraphicsDevice.h"
#include "platform/Texture.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qv {

class ContentCache;

// The terrain of one stage: heights from ./Data/FieldN.dat (N = stage number mod 4), the height
// and normal queries everyone rides on, and the drawing of the part the camera can see.
class Field {
  public:
    // Takes the palette and ground-texture switches, loads the ground texture and the field
    // file. Throws FatalError "ERROR : Create Direct3DTexture" or
    // "ERROR : Cannot open FieldDataFile".
    Field(GraphicsDevice& device, ContentCache& content, const GameState& state, const SceneOptions& options);

    // "./Data/Field0.dat" with the 0 replaced by the two low bits of the stage number.
    static std::string dataFilePath(uint32_t stageNumber);

    float heightAt(float x, float z) const { return grid_.heightAt(x, z); }
    const Vec3& normalAt(float x, float z) const { return grid_.normalAt(x, z); }

    // One triangle-list draw of the ground around the camera, from the field's vertices that the
    // device keeps. The phase has set lighting off,
    // the world vertex format, depth on, blending off and fog.
    void draw(const Vec3& eye, float yaw);

    const FieldGrid& grid() const { return grid_; }
    bool groundTextureEnabled() const { return groundTexture_ != nullptr; }

  private:
    GraphicsDevice& device_;
    DrawWindow window_;
    TerrainPalette palette_;
    std::unique_ptr<Texture> groundTexture_;
    FieldGrid grid_;
    std::unique_ptr<StaticGeometry> ground_; // every cell's vertices, cell (i, j) from 6 (100 i + j)
};

} // namespace qv
