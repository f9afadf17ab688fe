#include "TerrainContent.h"

#include "formats/FieldFile.h"
#include "pictures/MapPicture.h"
#include "terrain/TerrainGenerator.h"

namespace qv::content {

void writeTerrains(OutputFolder& out) {
    for (int field = 0; field < kFieldCount; ++field) {
        const Terrain terrain = generateTerrain(field);
        out.write(fieldFileName(field), encodeFieldFile(terrain.heights));
        out.writeTexture(mapPicturePath(field), drawMapPicture(terrain.heights));
    }
}

} // namespace qv::content
