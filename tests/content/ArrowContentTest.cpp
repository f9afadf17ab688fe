#include "ArrowContent.h"
#include "OutputFolder.h"
#include "RiderContent.h"
#include "TargetMarker.h"
#include "assets/DdsReader.h"
#include "assets/MeshLoader.h"
#include "characters/TargetArrow.h"
#include "core/Angles.h"
#include "meshes/ArrowMesh.h"
#include "meshes/RiderLayout.h"
#include "pictures/Canvas.h"
#include "support/GeneratedContent.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <sstream>

namespace qv::content {
namespace {

constexpr float kScale = TargetArrow::kStartScale; // the size the arrow eases back to
constexpr float kLift = 0.38f;                     // over the rider in the default chase view

Vec3 positionOf(const MeshVertex& v) {
    return {v.x, v.y, v.z};
}

template <typename Visit> void forEachTriangle(const MeshData& mesh, Visit visit) {
    for (const MeshSubset& s : mesh.subsets)
        for (size_t i = 0; i + 2 < s.indices.size(); i += 3)
            visit(s, s.vertices[s.indices[i]], s.vertices[s.indices[i + 1]], s.vertices[s.indices[i + 2]]);
}

float luminance(const ColorValue& c) {
    return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
}

// The arrow and the rider as the content tool writes them, and the marker texture.
class ArrowContent : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        content_ = std::make_unique<test::GeneratedContent>(
            std::initializer_list<test::GeneratedContent::Generator>{writeArrowContent, writeRiderMeshes});
    }
    static void TearDownTestSuite() { content_.reset(); }

    static MeshData load(const std::string& name) { return content_->mesh(name); }

    static std::unique_ptr<test::GeneratedContent> content_;
};

std::unique_ptr<test::GeneratedContent> ArrowContent::content_;

TEST_F(ArrowContent, ArrowIsAClosedSolidFacingOutwards) {
    const MeshData arrow = load("arrow.x");
    // Every edge, by its end points, must be met once in each direction by the faces on either
    // side; then there are no holes and no face turned inside out.
    std::map<std::pair<std::array<long, 3>, std::array<long, 3>>, int> edges;
    auto key = [](const MeshVertex& v) {
        return std::array<long, 3>{std::lround(v.x * 1e4f), std::lround(v.y * 1e4f), std::lround(v.z * 1e4f)};
    };
    size_t faces = 0, turned = 0;
    forEachTriangle(arrow, [&](const MeshSubset&, const MeshVertex& a, const MeshVertex& b,
                               const MeshVertex& c) {
        ++faces;
        const Vec3 face = cross(positionOf(b) - positionOf(a), positionOf(c) - positionOf(a));
        turned += dot(face, Vec3{a.nx + b.nx + c.nx, a.ny + b.ny + c.ny, a.nz + b.nz + c.nz}) <= 0.0f ? 1 : 0;
        for (auto [from, to] : {std::pair{&a, &b}, {&b, &c}, {&c, &a}}) {
            edges[{key(*from), key(*to)}] += 1;
            edges[{key(*to), key(*from)}] -= 1;
        }
    });
    EXPECT_GT(faces, 40u);
    EXPECT_EQ(turned, 0u);
    const auto open = std::count_if(edges.begin(), edges.end(), [](const auto& e) { return e.second != 0; });
    EXPECT_EQ(open, 0);
}

TEST_F(ArrowContent, ArrowPointsAlongPlusXWithAHeadBroaderThanItsShaft) {
    const MeshData arrow = load("arrow.x");
    Vec3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), 0.0f};
    Vec3 high{-low.x, -low.y, 0.0f};
    float tipZ = 0.0f, headWidth = 0.0f, tailWidth = 0.0f;
    forEachTriangle(arrow,
                    [&](const MeshSubset&, const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
                        for (const MeshVertex* v : {&a, &b, &c}) {
                            if (v->x > high.x)
                                tipZ = v->z;
                            low = {std::min(low.x, v->x), std::min(low.y, v->y), std::min(low.z, v->z)};
                            high = {std::max(high.x, v->x), std::max(high.y, v->y), std::max(high.z, v->z)};
                        }
                    });
    const float length = high.x - low.x;
    forEachTriangle(arrow,
                    [&](const MeshSubset&, const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
                        for (const MeshVertex* v : {&a, &b, &c}) {
                            if (v->x > low.x + 0.5f * length)
                                headWidth = std::max(headWidth, 2.0f * std::fabs(v->z));
                            if (v->x < low.x + 0.25f * length)
                                tailWidth = std::max(tailWidth, 2.0f * std::fabs(v->z));
                        }
                    });
    EXPECT_NEAR(tipZ, 0.0f, 1e-3f) << "one point leads, on the axis";
    EXPECT_NEAR(low.x + high.x, 0.0f, 0.02f * length) << "it swings about its middle";
    EXPECT_NEAR(low.y + high.y, 0.0f, 1e-3f);
    EXPECT_NEAR(low.z + high.z, 0.0f, 1e-3f);
    EXPECT_GT(headWidth, 2.0f * tailWidth);
    EXPECT_LT(high.y - low.y, 0.5f * headWidth) << "flat, its broad side up";
    EXPECT_GT(high.y - low.y, 0.15f * headWidth) << "but thick enough to see edge-on";
}

// Bounds of the mesh's vertices, each first carried through `place`.
struct Extent {
    Vec3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::max()};
    Vec3 high{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
              -std::numeric_limits<float>::max()};
};

Extent extentOf(const MeshData& mesh, const Matrix4& place, Extent extent = {}) {
    forEachTriangle(mesh,
                    [&](const MeshSubset&, const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
                        for (const MeshVertex* v : {&a, &b, &c}) {
                            const Vec3 p = transformPoint(positionOf(*v), place);
                            extent.low = {std::min(extent.low.x, p.x), std::min(extent.low.y, p.y),
                                          std::min(extent.low.z, p.z)};
                            extent.high = {std::max(extent.high.x, p.x), std::max(extent.high.y, p.y),
                                           std::max(extent.high.z, p.z)};
                        }
                    });
    return extent;
}

// The arrow's size while it pulses for a goal this far away, the pulse at its height.
float pulsingScale(float distance) {
    return kScale + 0.012f * 100.0f / (distance + 3.0f);
}

TEST_F(ArrowContent, ArrowIsSizedToTheRiderAndClearsItsHeadWhenItTilts) {
    const MeshData arrow = load("arrow.x");
    const Matrix4 drawn = Matrix4::scaling(rider::kDrawScale, rider::kDrawScale, rider::kDrawScale);
    const Extent rider = extentOf(load("tikobody.x"), drawn, extentOf(load("tricycle.x"), drawn));
    const float riderLength = rider.high.x - rider.low.x;
    const Extent model = extentOf(arrow, Matrix4::identity());
    const float length = model.high.x - model.low.x;
    EXPECT_GT(length * kScale, 0.45f * riderLength) << "big enough to read over the rider";
    // A new goal is at least 20 units away.
    EXPECT_LT(length * pulsingScale(20.0f), 1.05f * riderLength) << "not so big that it hides the rider";
    // Tilted towards a goal up or down a steep slope, swinging about its middle.
    const Matrix4 resting =
        Matrix4::scaling(kScale, kScale, kScale) * Matrix4::translation(0.0f, kLift, 0.0f);
    for (float pitch : {-kPi / 4.0f, kPi / 4.0f}) {
        const Extent tilted = extentOf(arrow, Matrix4::rotationZ(pitch) * resting);
        EXPECT_GT(tilted.low.y, rider.high.y + 0.005f)
            << "pitch " << pitch << " dips it into the rider's head";
    }
}

TEST_F(ArrowContent, ArrowFacesAreBrightInADarkerRim) {
    const MeshData arrow = load("arrow.x");
    ASSERT_GE(arrow.materials.size(), 2u);
    float faceLight = 1.0f, rimLight = 0.0f;
    forEachTriangle(arrow,
                    [&](const MeshSubset& s, const MeshVertex& a, const MeshVertex&, const MeshVertex&) {
                        const float light = luminance(arrow.materials[s.materialIndex].diffuse);
                        if (std::fabs(a.ny) > 0.99f)
                            faceLight = std::min(faceLight, light);
                        else
                            rimLight = std::max(rimLight, light);
                    });
    EXPECT_GT(faceLight, 0.7f);
    EXPECT_LT(rimLight, faceLight - 0.2f);
}

float alphaAt(const Image& image, float x, float y) {
    return static_cast<float>(image.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y)) >> 24) / 255.0f;
}

// Samples around a circle of the given share of the half size.
template <typename Check> void aroundCircle(const Image& image, float share, Check check) {
    const float half = 0.5f * static_cast<float>(image.width);
    for (int i = 0; i < 16; ++i) {
        const float a = static_cast<float>(i) * kPi / 8.0f;
        const float x = half + share * half * std::cos(a), y = half + share * half * std::sin(a);
        check(image.at(static_cast<uint32_t>(x), static_cast<uint32_t>(y)));
    }
}

TEST_F(ArrowContent, MarkerIsAWhiteRingAndDotInADarkRimOnClearGround) {
    const std::optional<Image> marker = loadDdsFile(content_->file("tex/target.dds"));
    ASSERT_TRUE(marker.has_value());
    ASSERT_EQ(marker->width, static_cast<uint32_t>(kMarkerSize));
    ASSERT_EQ(marker->height, static_cast<uint32_t>(kMarkerSize));
    auto white = [](uint32_t p) {
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        EXPECT_EQ(p >> 24, 0xFFu);
        EXPECT_GT(std::min({r, g, b}), 190) << "light enough to take the tint";
        EXPECT_LT(std::max({r, g, b}) - std::min({r, g, b}), 25) << "neutral, so the tint shows true";
    };
    auto dark = [](uint32_t p) {
        EXPECT_EQ(p >> 24, 0xFFu);
        EXPECT_LT(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF), 3u * 60u);
    };
    auto clear = [](uint32_t p) { EXPECT_EQ(p >> 24, 0u); };
    aroundCircle(*marker, 0.0f, white);
    aroundCircle(*marker, 0.5f * (kMarkerRingInner + kMarkerRingOuter), white);
    aroundCircle(*marker, kMarkerRingOuter + 0.05f, dark);
    aroundCircle(*marker, 0.5f * (kMarkerDot + kMarkerRingInner), clear);
    aroundCircle(*marker, 0.99f, clear);
    EXPECT_EQ(marker->at(0, 0) >> 24, 0u);
    EXPECT_EQ(marker->at(kMarkerSize - 1, kMarkerSize - 1) >> 24, 0u);
}

TEST_F(ArrowContent, MarkerStillReadsAsARingAndDotWhenSmall) {
    const std::optional<Image> marker = loadDdsFile(content_->file("tex/target.dds"));
    ASSERT_TRUE(marker.has_value());
    constexpr int kSmall = 24; // about its size on screen at the far end of the field
    Canvas small(kSmall, kSmall);
    small.drawImage(*marker, 0, 0, kSmall, kSmall);
    const Image shown = small.toImage();
    const float half = 0.5f * kSmall;
    const float ring = half * 0.5f * (kMarkerRingInner + kMarkerRingOuter);
    const float gap = half * 0.5f * (kMarkerDot + kMarkerRingInner);
    EXPECT_GT(alphaAt(shown, half, half), 0.9f);
    EXPECT_GT(alphaAt(shown, half + ring, half), 0.9f);
    EXPECT_GT(alphaAt(shown, half, half - ring), 0.9f);
    EXPECT_LT(alphaAt(shown, half + gap, half), 0.5f);
    EXPECT_LT(alphaAt(shown, half, half + gap), 0.5f);
    EXPECT_EQ(alphaAt(shown, 0.0f, 0.0f), 0.0f);
}

} // namespace
} // namespace qv::content
