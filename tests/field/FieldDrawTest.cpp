#include "FieldWorkspace.h"

#include "core/FatalError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <utility>

namespace qv::test {
namespace {

using CellSet = std::set<std::pair<int, int>>;

float rolling(int i, int j) {
    return 0.5f + 0.25f * float((i + 2 * j) % 9);
}

// The cells of a recorded terrain draw, named by the low corner of each six-vertex group.
CellSet drawnCells(const RecordingRenderDevice::DrawCall& draw) {
    CellSet cells;
    for (uint32_t k = 0; k < draw.vertexCount; k += 6) {
        const auto& v = draw.vertex<WorldVertex>(k);
        cells.insert({int(v.x), int(v.z)});
    }
    return cells;
}

class FieldDrawTest : public ::testing::Test {
  protected:
    void build(int32_t sightRange) {
        workspace.state.sightRange = sightRange;
        workspace.writeField(rolling);
        field = workspace.build();
    }
    const RecordingRenderDevice::DrawCall& drawOnce(Vec3 eye, float yaw) {
        workspace.device.clearLog();
        field->draw(eye, yaw);
        EXPECT_EQ(workspace.device.draws().size(), 1u);
        return workspace.device.draws().back();
    }

    FieldWorkspace workspace;
    std::unique_ptr<Field> field;
};

TEST_F(FieldDrawTest, CentreOfTheFieldAtSightRange15DrawsExactly494Cells) {
    build(15);
    const auto& draw = drawOnce({50.5f, 3.0f, 50.5f}, 0.0f);
    EXPECT_EQ(draw.type, PrimitiveType::TriangleList);
    EXPECT_EQ(draw.vertexCount, 494u * 6u);
    EXPECT_EQ(draw.primitiveCount, 494u * 2u);
    EXPECT_EQ(draw.stride, sizeof(WorldVertex));
    EXPECT_EQ(draw.world, Matrix4::identity());
    CellSet cells = drawnCells(draw);
    EXPECT_EQ(cells.size(), 494u);
    EXPECT_EQ(cells.begin()->first, 49);  // the row holding the point behind the eye
    EXPECT_EQ(cells.rbegin()->first, 66); // the last row inside the disc
    EXPECT_TRUE(cells.count({49, 60}));   // on the line through that point
    EXPECT_FALSE(cells.count({67, 50}));  // exactly sight range + 2 from the eye's cell
    EXPECT_TRUE(cells.count({50, 34}) && !cells.count({50, 33}));

    // Whole cells, copied in grid order; (49, 34) is the first of the first row.
    const FieldCell& first = field->grid().cell(49, 34);
    EXPECT_EQ(std::memcmp(draw.vertexBytes.data(), first.vertices.data(), sizeof(first.vertices)), 0);
    std::pair<int, int> previous{-1, -1};
    for (uint32_t k = 0; k < draw.vertexCount; k += 6) {
        const auto& v = draw.vertex<WorldVertex>(k);
        std::pair<int, int> cell{int(v.x), int(v.z)};
        ASSERT_LT(previous, cell);
        previous = cell;
    }
}

TEST_F(FieldDrawTest, WindowTurnsWithTheYaw) {
    build(15);
    const float quarter = 1.5707964f;
    // Looking along +z the apex is 1.5 behind in z: bz = 49.
    const CellSet cells = drawnCells(drawOnce({50.5f, 3.0f, 50.5f}, quarter));
    for (const auto& [i, j] : cells)
        EXPECT_GE(j, 49) << i << "," << j;
    EXPECT_TRUE(cells.count({50, 66}));
    EXPECT_FALSE(cells.count({50, 45}));
    // Looking along -x the window reaches 16 cells back from the eye's cell.
    const CellSet behind = drawnCells(drawOnce({50.5f, 3.0f, 50.5f}, 3.1415927f));
    EXPECT_TRUE(behind.count({34, 50}));
    EXPECT_FALSE(behind.count({33, 50}));
    EXPECT_FALSE(behind.count({60, 50}));
}

TEST_F(FieldDrawTest, EyeOffTheFieldDrawsOnlyWhatLiesOnIt) {
    build(15);
    const CellSet cells = drawnCells(drawOnce({-10.0f, 3.0f, 50.5f}, 0.0f));
    ASSERT_FALSE(cells.empty());
    for (const auto& [i, j] : cells) {
        EXPECT_GE(i, 0);
        EXPECT_LE(i, 6); // within 17 cells of x = -10
    }
    // With nothing of the field in sight there is nothing to draw.
    workspace.device.clearLog();
    field->draw({-60.0f, 3.0f, -60.0f}, 0.5f);
    field->draw({std::nanf(""), 3.0f, 50.0f}, 0.0f);
    EXPECT_TRUE(workspace.device.draws().empty());
}

TEST_F(FieldDrawTest, EachFrameStartsAFreshWindow) {
    build(40);
    const size_t wide = drawOnce({50.5f, 3.0f, 50.5f}, 0.0f).vertexCount;
    const auto& narrow = drawOnce({1.5f, 3.0f, 1.5f}, 3.1415927f);
    EXPECT_LT(narrow.vertexCount, wide);
    for (const auto& [i, j] : drawnCells(narrow)) {
        EXPECT_LE(i, 3);
        EXPECT_LE(j, 42);
    }
}

TEST(DrawWindowTest, NeverOutgrowsItsRoomAtAnySightRange) {
    for (int32_t range : {8, 9, 15, 40, 100}) {
        DrawWindow window(range);
        FieldWorkspace workspace;
        workspace.state.sightRange = range;
        workspace.writeField(rolling);
        auto built = workspace.build();
        for (Vec3 eye : {Vec3{50.5f, 1, 50.5f}, Vec3{0.2f, 1, 99.7f}, Vec3{33.9f, 1, 12.1f}}) {
            for (int step = 0; step < 72; ++step) {
                const float yaw = float(step) * 0.0872665f - 3.1415927f;
                window.select(built->grid().cells(), eye, yaw);
                ASSERT_LT(window.vertexCount(), window.capacity()) << range << " " << yaw;
            }
        }
    }
}

TEST(FieldTextureTest, GroundTextureIsUsedUnlessSwitchedOff) {
    FieldWorkspace workspace;
    workspace.writeIni("");
    workspace.writeGroundTexture();
    workspace.writeField(rolling);
    auto field = workspace.build();
    EXPECT_TRUE(field->groundTextureEnabled());
    EXPECT_EQ(workspace.device.texturesAlive(), 1);
    workspace.device.clearLog();
    field->draw({50.5f, 3.0f, 50.5f}, 0.0f);
    ASSERT_EQ(workspace.device.draws().size(), 1u);
    EXPECT_NE(workspace.device.draws()[0].texture, nullptr);
    field.reset();
    EXPECT_EQ(workspace.device.texturesAlive(), 0);
}

TEST(FieldTextureTest, SwitchedOffTheGroundShowsItsVertexColoursAlone) {
    FieldWorkspace workspace; // GROUNDTEXTURE=0
    workspace.writeField(rolling);
    auto field = workspace.build();
    EXPECT_FALSE(field->groundTextureEnabled());
    EXPECT_EQ(workspace.device.texturesAlive(), 0);
    field->draw({50.5f, 3.0f, 50.5f}, 0.0f);
    const auto& draw = workspace.device.draws().back();
    EXPECT_EQ(draw.texture, nullptr);
    EXPECT_EQ(draw.vertex<WorldVertex>(0).diffuse, TerrainPalette(1).colorAt(draw.vertex<WorldVertex>(0).y));
}

TEST(FieldTextureTest, MissingGroundTextureIsFatal) {
    for (const char* ini : {"", "[PERFORMANCE]\nGROUNDTEXTURE=1\n", "[PERFORMANCE]\nGROUNDTEXTURE=-3\n"}) {
        FieldWorkspace workspace;
        workspace.writeIni(ini);
        workspace.writeField(rolling);
        try {
            workspace.build();
            ADD_FAILURE() << "no error for " << ini;
        } catch (const FatalError& e) {
            EXPECT_STREQ(e.what(), "ERROR : Create Direct3DTexture");
        }
    }
}

} // namespace
} // namespace qv::test
