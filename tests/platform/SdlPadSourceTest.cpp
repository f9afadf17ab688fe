#include "platform/SdlPadSource.h"
#include "platform/KeyboardInput.h"
#include "platform/ScriptedKeySource.h"
#include "support/TempDir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace qv {
namespace {

// A pad made by SDL's virtual joystick driver: plugged in on construction, pulled out on
// destruction or by unplug(). A game controller gets SDL's standard mapping for it (buttons in
// SDL's order, axes LEFTX .. RIGHTTRIGGER); a plain joystick gets none.
class VirtualPad {
  public:
    VirtualPad(SDL_JoystickType type, int axes, int buttons, int hats) {
        index_ = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
        handle_ = index_ >= 0 ? SDL_JoystickOpen(index_) : nullptr;
        id_ = handle_ ? SDL_JoystickInstanceID(handle_) : -1;
    }
    ~VirtualPad() { unplug(); }

    bool ready() const { return handle_ != nullptr; }
    SDL_JoystickGUID guid() const { return SDL_JoystickGetGUID(handle_); }
    void button(int b, bool down) { SDL_JoystickSetVirtualButton(handle_, b, down ? 1 : 0); }
    void axis(int a, Sint16 value) { SDL_JoystickSetVirtualAxis(handle_, a, value); }
    void hat(Uint8 value) { SDL_JoystickSetVirtualHat(handle_, 0, value); }
    void unplug() {
        if (!handle_)
            return;
        SDL_JoystickClose(handle_);
        handle_ = nullptr;
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == id_)
                SDL_JoystickDetachVirtual(index);
    }

  private:
    int index_ = -1;
    SDL_Joystick* handle_ = nullptr;
    SDL_JoystickID id_ = -1; // device indexes shift as other pads come and go; this does not
};

// The pad source with a scratch folder for the player's mappings file; SDL's own joystick
// support stays up for the test's virtual pads while the source comes and goes.
class SdlPadSourceTest : public ::testing::Test {
  protected:
    SdlPadSourceTest() { SDL_InitSubSystem(SDL_INIT_JOYSTICK); }
    ~SdlPadSourceTest() override { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }

    std::unique_ptr<SdlPadSource> makeSource(const std::string& mappings = "") {
        const std::string file =
            mappings.empty() ? dir.file("none.txt") : dir.write("gamecontrollerdb.txt", mappings);
        auto source = std::make_unique<SdlPadSource>(nullptr, file, messages);
        baseline = source->padCount(); // pads of the machine itself, if it has any
        return source;
    }
    std::unique_ptr<VirtualPad> plugController() {
        auto pad = std::make_unique<VirtualPad>(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
        EXPECT_TRUE(pad->ready()) << SDL_GetError();
        return pad;
    }

    test::TempDir dir;
    std::ostringstream messages;
    size_t baseline = 0;
};

TEST_F(SdlPadSourceTest, APadPluggedInPulledOutAndPluggedInAgainPlaysThroughTheSameBindings) {
    auto source = makeSource();
    const ScriptedKeySource noKeys = ScriptedKeySource::fromText("");
    KeyboardInput input(noKeys, *source);

    auto pad = plugController();
    source->update();
    ASSERT_EQ(source->padCount(), baseline + 1);
    EXPECT_NE(messages.str().find("game pad connected: Virtual Controller"), std::string::npos)
        << messages.str();

    pad->button(SDL_CONTROLLER_BUTTON_A, true);
    pad->axis(SDL_CONTROLLER_AXIS_LEFTX, -20000);
    pad->axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    source->update();
    input.poll();
    EXPECT_TRUE(source->padState().connected);
    EXPECT_TRUE(input.held(GameAction::Pedal));
    EXPECT_TRUE(input.held(GameAction::Boost));
    EXPECT_NEAR(input.steering(), (20000.0f / 32767.0f - 0.25f) / 0.75f, 1e-4f);

    pad->unplug();
    source->update();
    input.poll();
    EXPECT_EQ(source->padCount(), baseline);
    EXPECT_NE(messages.str().find("game pad disconnected: Virtual Controller"), std::string::npos);
    EXPECT_FALSE(input.held(GameAction::Pedal)) << "a pad pulled out holds nothing";
    EXPECT_EQ(input.steering(), 0.0f);

    auto again = plugController();
    source->update();
    ASSERT_EQ(source->padCount(), baseline + 1);
    again->button(SDL_CONTROLLER_BUTTON_X, true);
    source->update();
    input.poll();
    EXPECT_TRUE(input.held(GameAction::Jump));
    EXPECT_FALSE(input.held(GameAction::Pedal));
}

TEST_F(SdlPadSourceTest, APadWithoutAMappingPlaysWithItsFirstButtonsAxisAndHat) {
    auto source = makeSource();
    VirtualPad plain(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 8, 1);
    ASSERT_TRUE(plain.ready()) << SDL_GetError();
    source->update();
    ASSERT_EQ(source->padCount(), baseline + 1);
    EXPECT_NE(messages.str().find("no mapping known"), std::string::npos) << messages.str();

    plain.button(0, true);
    plain.button(5, true);
    plain.button(7, true); // beyond the plain layout: nothing
    plain.axis(0, 32767);
    plain.hat(SDL_HAT_LEFT);
    source->update();
    const PadState state = source->padState();
    EXPECT_TRUE(state.held(PadButton::A));
    EXPECT_TRUE(state.held(PadButton::RightShoulder));
    EXPECT_TRUE(state.held(PadButton::DpadLeft));
    EXPECT_FALSE(state.held(PadButton::B));
    EXPECT_FALSE(state.held(PadButton::Start));
    EXPECT_FALSE(state.held(PadButton::Back));
    EXPECT_FLOAT_EQ(state.axes[static_cast<size_t>(PadAxis::LeftX)], 1.0f);
}

TEST_F(SdlPadSourceTest, ThePlayersMappingFileMakesAPlainPadAGameController) {
    VirtualPad probe(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 8, 0);
    ASSERT_TRUE(probe.ready());
    char text[33];
    SDL_JoystickGetGUIDString(probe.guid(), text, sizeof text);
    probe.unplug();
    // Mapping databases write GUIDs without the name checksum SDL keeps in characters 4 to 7.
    std::string guid = text;
    guid.replace(4, 4, "0000");

    // Button 3 of this pad is its south button.
    auto source = makeSource("# my pad\n" + guid + ",My Pad,a:b3,leftx:a1,platform:Linux,\n");
    VirtualPad pad(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 8, 0);
    source->update();
    EXPECT_NE(messages.str().find("game pad connected: My Pad"), std::string::npos) << messages.str();
    EXPECT_EQ(messages.str().find("no mapping"), std::string::npos) << messages.str();
    pad.button(3, true);
    source->update();
    EXPECT_TRUE(source->padState().held(PadButton::A));
}

TEST(SdlPadMappingsTest, EveryLineSdlCannotUseIsNamedAndTheRestAreAdded) {
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    const std::string text = "# a comment\n"
                             "\n"
                             "03000000de2800000112000001000000,Good Pad,a:b0,b:b1,platform:Linux,\r\n"
                             "this is not a mapping\n"
                             "03000000de2800000112000002000000,name only\n"
                             "zz000000de2800000112000001000000,Bad Guid,a:b0,\n"
                             "03000000de2800000112000003000000,Other System,a:b0,platform:Windows,\n"
                             "03000000de2800000112000004000000,No Platform Named,a:b1,\n";
    std::ostringstream messages;
    EXPECT_EQ(SdlPadSource::addMappings(text, "db.txt", messages), 2);
    const std::string said = messages.str();
    for (const char* line : {"db.txt line 4:", "db.txt line 5:", "db.txt line 6:"})
        EXPECT_NE(said.find(line), std::string::npos) << line << "\n" << said;
    for (const char* line : {"line 1:", "line 2:", "line 3:", "line 7:", "line 8:"})
        EXPECT_EQ(said.find(line), std::string::npos) << line << "\n" << said;
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

TEST_F(SdlPadSourceTest, ABrokenMappingInTheEnvironmentIsNamedAtStart) {
    setenv("SDL_GAMECONTROLLERCONFIG", "not a mapping at all", 1);
    auto source = makeSource();
    unsetenv("SDL_GAMECONTROLLERCONFIG");
    EXPECT_NE(messages.str().find("SDL_GAMECONTROLLERCONFIG line 1:"), std::string::npos) << messages.str();
}

} // namespace
} // namespace qv
