#include "world/Fog.h"

#include "app/Settings.h"

#include "platform/RecordingRenderDevice.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qv::test {
namespace {

using StateEvents = std::vector<std::pair<RenderState, uint32_t>>;

uint32_t bits(float f) {
    return std::bit_cast<uint32_t>(f);
}

class FogTest : public ::testing::Test {
  protected:
    // A fog built from this ini text, with the device's log cleared just before.
    std::unique_ptr<Fog> make(const std::string& ini, int32_t sightRange = 15) {
        dir.write("Pedalon.ini", ini);
        state.sightRange = sightRange;
        device.clearLog();
        return std::make_unique<Fog>(device, state, Settings(dir.file("Pedalon.ini")).sceneOptions());
    }
    // The render-state changes since the log was last cleared; anything else fails.
    StateEvents stateEvents() const {
        StateEvents out;
        for (const auto& e : device.events()) {
            EXPECT_EQ(e.op, RecordingRenderDevice::Op::RenderState);
            out.emplace_back(static_cast<RenderState>(e.a), e.b);
        }
        return out;
    }
    float deviceFloat(RenderState s) const { return std::bit_cast<float>(device.renderState(s)); }

    TempDir dir;
    GameState state;
    RecordingRenderDevice device;
};

TEST_F(FogTest, PixelFogIsTheDefaultAndSetsTheDeviceUpInOrder) {
    for (const char* ini : {"", "[EFFECT]\nFOG=1\n"}) {
        const auto fog = make(ini);
        EXPECT_TRUE(fog->enabled());
        const StateEvents expected{{RenderState::FogEnable, 1},
                                   {RenderState::FogColor, 0xFFC1C1DDu},
                                   {RenderState::FogVertexMode, kFogNone},
                                   {RenderState::FogTableMode, kFogLinear},
                                   {RenderState::FogStart, bits(13.0f)},
                                   {RenderState::FogEnd, bits(15.0f)},
                                   {RenderState::FogDensity, bits(1.0f)}};
        EXPECT_EQ(stateEvents(), expected) << "ini: " << ini;
        EXPECT_EQ(fog->fogStart(), 13.0f);
        EXPECT_EQ(fog->fogEnd(), 15.0f);
    }
}

TEST_F(FogTest, AnyOtherNonZeroValueSelectsVertexFogWithTheSameLook) {
    for (const char* value : {"2", "-1", "7"}) {
        const auto fog = make(std::string("[EFFECT]\nFOG=") + value + "\n", 20);
        const StateEvents events = stateEvents();
        ASSERT_EQ(events.size(), 7u) << value;
        EXPECT_EQ(events[2], std::make_pair(RenderState::FogVertexMode, kFogLinear)) << value;
        EXPECT_EQ(events[3], std::make_pair(RenderState::FogTableMode, kFogNone)) << value;
        EXPECT_EQ(device.renderState(RenderState::FogColor), 0xFFC1C1DDu);
        EXPECT_EQ(deviceFloat(RenderState::FogStart), 18.0f);
        EXPECT_EQ(deviceFloat(RenderState::FogEnd), 20.0f);
    }
}

TEST_F(FogTest, SwitchedOffFogOnlyTurnsTheDeviceFogOffAndIgnoresEveryCall) {
    device.setRenderState(RenderState::FogEnable, 1);
    const auto fog = make("[EFFECT]\nFOG=0\n");
    EXPECT_FALSE(fog->enabled());
    EXPECT_EQ(stateEvents(), (StateEvents{{RenderState::FogEnable, 0}}));
    device.clearLog();
    fog->enable();
    fog->closeIn();
    fog->openUp();
    fog->reset();
    fog->disable();
    fog->enable();
    EXPECT_TRUE(device.events().empty());
    EXPECT_EQ(device.renderState(RenderState::FogEnable), 0u);
}

TEST_F(FogTest, OperationsSendOnlyTheirOwnStatesStartBeforeEnd) {
    const auto fog = make("");
    device.clearLog();
    fog->disable();
    fog->enable();
    fog->closeIn();
    EXPECT_EQ(fog->fogStart(), 0.01f);
    EXPECT_EQ(fog->fogEnd(), 0.1f);
    fog->reset();
    const StateEvents expected{{RenderState::FogEnable, 0},          {RenderState::FogEnable, 1},
                               {RenderState::FogStart, bits(0.01f)}, {RenderState::FogEnd, bits(0.1f)},
                               {RenderState::FogStart, bits(13.0f)}, {RenderState::FogEnd, bits(15.0f)}};
    EXPECT_EQ(stateEvents(), expected);
}

// How many openUp calls after closeIn until each distance first sits at its resting value.
struct CapCase {
    int32_t sightRange;
    int startCalls;
    int endCalls;
};

class FogOpenUpTest : public FogTest, public ::testing::WithParamInterface<CapCase> {};

// Full steps of 0.125 and 0.155 until the call that lands on the resting value; then it stays.
void track(float value, float last, float step, float rest, int call, int& cappedAt) {
    EXPECT_LE(value, rest);
    if (cappedAt)
        return;
    if (value == rest)
        cappedAt = call;
    else
        EXPECT_NEAR(value - last, step, 1e-4f) << "call " << call;
}

TEST_P(FogOpenUpTest, EachDistanceStopsAtItsRestingValue) {
    const CapCase c = GetParam();
    const auto fog = make("", c.sightRange);
    fog->closeIn();
    int startCapped = 0, endCapped = 0;
    for (int call = 1; call <= 1000; ++call) {
        const float lastStart = fog->fogStart(), lastEnd = fog->fogEnd();
        device.clearLog();
        fog->openUp();
        ASSERT_EQ(stateEvents(), (StateEvents{{RenderState::FogStart, bits(fog->fogStart())},
                                              {RenderState::FogEnd, bits(fog->fogEnd())}}));
        track(fog->fogStart(), lastStart, 0.125f, static_cast<float>(c.sightRange - 2), call, startCapped);
        track(fog->fogEnd(), lastEnd, 0.155f, static_cast<float>(c.sightRange), call, endCapped);
    }
    EXPECT_EQ(startCapped, c.startCalls);
    EXPECT_EQ(endCapped, c.endCalls);
}

// With the far sight range the reveal's 121 steps end long before either cap.
INSTANTIATE_TEST_SUITE_P(SightRanges, FogOpenUpTest,
                         ::testing::Values(CapCase{15, 104, 97}, CapCase{8, 48, 51}, CapCase{100, 784, 645}));

} // namespace
} // namespace qv::test
