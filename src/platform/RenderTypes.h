#pragma once

#include "core/Vec3.h"

#include <cstdint>

namespace qv {

// 32-bit colour word, 0xAARRGGBB.
using Argb = uint32_t;

// Vertex format codes, the fixed-function flags the game combines.
namespace fvf {
constexpr uint32_t kXyz = 0x002;
constexpr uint32_t kXyzRhw = 0x004;
constexpr uint32_t kNormal = 0x010;
constexpr uint32_t kDiffuse = 0x040;
constexpr uint32_t kTex1 = 0x100;
constexpr uint32_t kWorld = kXyz | kDiffuse | kTex1;      // 0x142, WorldVertex
constexpr uint32_t kSplash = kXyz | kDiffuse;             // 0x042, SplashPoint
constexpr uint32_t kOverlay = kXyzRhw | kDiffuse | kTex1; // 0x144, OverlayVertex
constexpr uint32_t kMesh = kXyz | kNormal | kTex1;        // 0x112, MeshVertex
} // namespace fvf

struct WorldVertex {
    float x, y, z;
    Argb diffuse;
    float u, v;
};
static_assert(sizeof(WorldVertex) == 24);

struct SplashPoint {
    float x, y, z;
    Argb diffuse;
};
static_assert(sizeof(SplashPoint) == 16);

// Pre-transformed vertex in the 640 x 480 overlay space, origin top left.
struct OverlayVertex {
    float x, y, z, rhw;
    Argb diffuse;
    float u, v;
};
static_assert(sizeof(OverlayVertex) == 28);

// A rectangle of the overlay space: where the picture's edges lie, seen from the 640 x 480
// overlay. Beyond 0..640 x 0..480 when the overlay is framed in a picture of another shape.
struct OverlayRect {
    float left = 0.0f, top = 0.0f, right = 640.0f, bottom = 480.0f;
    bool operator==(const OverlayRect&) const = default;
};

// How a texture is read past its edges. The fixed-function model reads a clear border; the
// widescreen picture reads a repeating picture across its seams, and stretches a clamped one's
// edges outwards.
enum class TextureEdges { Border, Clamp, Repeat };

struct MeshVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(MeshVertex) == 32);

enum class PrimitiveType { PointList, TriangleList, TriangleStrip, TriangleFan };

struct ColorValue {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
    bool operator==(const ColorValue&) const = default;
};

inline ColorValue colorFromArgb(Argb c) {
    auto channel = [c](int shift) { return static_cast<float>((c >> shift) & 0xFFu) / 255.0f; };
    return {channel(16), channel(8), channel(0), channel(24)};
}

struct Material {
    ColorValue diffuse;
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power = 0.0f;
    bool operator==(const Material&) const = default;
};

// One directional light (the only kind the game uses).
struct Light {
    ColorValue diffuse;
    ColorValue specular;
    ColorValue ambient;
    Vec3 position;
    Vec3 direction;
};

enum class TransformKind { World, View, Projection };

// Render states the game changes, with the fixed-function meaning of each.
enum class RenderState {
    ZEnable,          // bool
    ZWriteEnable,     // bool
    ShadeMode,        // kShadeGouraud
    AlphaBlendEnable, // bool; source alpha / inverse source alpha
    AlphaTestEnable,  // bool (the test is "always", so it never discards)
    AlphaFunc,
    SrcBlend,
    DestBlend,
    Lighting,       // bool
    SpecularEnable, // bool (always off)
    CullMode,       // kCullNone or kCullCcw
    Ambient,        // ARGB
    FogEnable,      // bool
    FogColor,       // ARGB
    FogTableMode,   // kFogNone or kFogLinear: per-pixel fog
    FogVertexMode,  // kFogNone or kFogLinear: per-vertex fog
    FogStart,       // float bits
    FogEnd,         // float bits
    FogDensity,     // float bits (unused by linear fog)
    PointSpriteEnable,
    PointScaleEnable,
    PointSize,    // float bits
    PointSizeMin, // float bits
    PointSizeMax, // float bits
    PointScaleA,  // float bits
    PointScaleB,  // float bits
    PointScaleC,  // float bits
    Count
};

constexpr uint32_t kCullNone = 1;
constexpr uint32_t kCullCcw = 3;
constexpr uint32_t kFogNone = 0;
constexpr uint32_t kFogLinear = 3;
constexpr uint32_t kShadeGouraud = 2;
constexpr uint32_t kCmpAlways = 8;
constexpr uint32_t kBlendSrcAlpha = 5;
constexpr uint32_t kBlendInvSrcAlpha = 6;

} // namespace qv
