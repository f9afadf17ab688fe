#include "platform/GlVertexLayout.h"

#include "platform/RenderTypes.h"

namespace qv {

namespace {

constexpr uint32_t kPositionMask = 0x00E;
constexpr uint32_t kPointSize = 0x020;
constexpr uint32_t kSpecular = 0x080;
constexpr uint32_t kTexCountMask = 0xF00;
constexpr uint32_t kTexCountShift = 8;
constexpr uint32_t kFloat = 4;
constexpr uint32_t kColour = 4;

// Appends an optional attribute of the given size and returns its offset.
int take(bool present, uint32_t bytes, uint32_t& cursor) {
    if (!present)
        return GlVertexLayout::kAbsent;
    int offset = static_cast<int>(cursor);
    cursor += bytes;
    return offset;
}

} // namespace

GlVertexLayout GlVertexLayout::forFormat(uint32_t format) {
    GlVertexLayout layout;
    uint32_t position = format & kPositionMask;
    if (position != fvf::kXyz && position != fvf::kXyzRhw)
        return layout;
    layout.valid = true;
    layout.pretransformed = position == fvf::kXyzRhw;
    layout.positionComponents = layout.pretransformed ? 4 : 3;
    uint32_t cursor = layout.positionComponents * kFloat;
    layout.normalOffset = take((format & fvf::kNormal) != 0, 3 * kFloat, cursor);
    take((format & kPointSize) != 0, kFloat, cursor);
    layout.diffuseOffset = take((format & fvf::kDiffuse) != 0, kColour, cursor);
    take((format & kSpecular) != 0, kColour, cursor);
    uint32_t texSets = (format & kTexCountMask) >> kTexCountShift;
    layout.texCoordOffset = take(texSets > 0, texSets * 2 * kFloat, cursor);
    layout.size = cursor;
    return layout;
}

} // namespace qv
