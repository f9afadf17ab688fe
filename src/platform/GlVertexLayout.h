#pragma once

#include <cstdint>

namespace qv {

// Where each attribute sits in a vertex of a fixed-function vertex format, in the order that
// format defines: position, normal, point size, diffuse, specular, texture coordinates.
struct GlVertexLayout {
    static constexpr int kAbsent = -1;

    bool valid = false;          // false for formats without a plain or pre-transformed position
    bool pretransformed = false; // x, y in overlay space, z depth 0..1, rhw
    uint32_t positionComponents = 0;
    uint32_t size = 0; // bytes one vertex of the format occupies
    int normalOffset = kAbsent;
    int diffuseOffset = kAbsent;
    int texCoordOffset = kAbsent; // first set only; each set is two floats

    static GlVertexLayout forFormat(uint32_t format);
};

} // namespace qv
