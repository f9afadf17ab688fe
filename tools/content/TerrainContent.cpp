#include "TerrainContent.h"

#include "ContentPaths.h"
#include "assets/DataFiles.h"
#include "formats/FieldFile.h"
#include "pictures/MapPicture.h"
#include "terrain/TerrainGenerator.h"

namespace qv::content {

void writeTerrains(OutputFolder& out) {
    for (int field = 0; field < kFieldCount; ++field) {
        const Terrain terrain = generateTerrain(field);
        const auto n = static_cast<uint32_t>(field);
        out.write(dataFile(data::fieldFile(n)), encodeFieldFile(terrain.heights));
        out.writeTexture(dataFile(data::mapPicture(n)), drawMapPicture(terrain.heights));
    }
}

} // namespace qv::content
