// The headless runner's device does not read vertices: the ground's static vertices are then not
// gathered, and the draw it records must be the one a reading device records, vertex for vertex in number.
#include "FieldWorkspace.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::test {
namespace {

float bumpy(int i, int j) {
    return 0.4f + 0.3f * float((3 * i + j) % 7);
}

TEST(FieldCountedDrawTest, ACountingDeviceRecordsTheSameDrawAsAReadingOne) {
    FieldWorkspace workspace;
    workspace.writeField(bumpy);
    for (int32_t range : {8, 15, 60, 100}) {
        workspace.state.sightRange = range;
        auto reading = workspace.build();
        RecordingRenderDevice counting;
        ASSERT_FALSE(counting.readsVertices());
        ASSERT_TRUE(workspace.device.readsVertices());
        Field countingField(counting, workspace.content, workspace.state,
                            Settings("./Pedalon.ini").sceneOptions());
        for (int view = 0; view < 40; ++view) {
            const float turn = static_cast<float>(view) * 0.61f;
            const Vec3 eye{50.0f + 30.0f * std::cos(turn), 2.0f, 48.0f + 35.0f * std::sin(turn * 1.3f)};
            workspace.device.clearLog();
            counting.clearLog();
            reading->draw(eye, turn * 2.1f);
            countingField.draw(eye, turn * 2.1f);
            ASSERT_EQ(counting.draws().size(), workspace.device.draws().size());
            if (counting.draws().empty())
                continue;
            const auto &counted = counting.draws()[0], &read = workspace.device.draws()[0];
            EXPECT_EQ(counted.vertexCount, read.vertexCount) << range << " " << view;
            EXPECT_EQ(counted.primitiveCount, read.primitiveCount);
            EXPECT_GT(read.vertexBytes.size(), 0u);
            EXPECT_TRUE(counted.vertexBytes.empty());
        }
    }
}

} // namespace
} // namespace qv::test
