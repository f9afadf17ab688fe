#include "platform/KeyboardInput.h"
#include "platform/KeyCodes.h"
#include "platform/ScriptedKeySource.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(KeyboardInputTest, HeldKeyIsFirstSeenByThePollAfterItGoesDown) {
    auto keys = ScriptedKeySource::fromText("1 down RETURN\n3 up RETURN\n");
    KeyboardInput input(keys);

    keys.advanceTo(1);
    EXPECT_FALSE(input.keyHeld(key::kReturn)) << "the snapshot changes only when polled";
    EXPECT_TRUE(input.asyncHeld(key::kReturn)) << "immediate keys read the live source";
    input.poll();
    EXPECT_TRUE(input.keyHeld(key::kReturn));
    EXPECT_EQ(input.keyState(key::kReturn), KeyboardInput::kHeld);
    EXPECT_FALSE(input.keyHeld(key::kLeft));

    keys.advanceTo(2);
    input.poll();
    EXPECT_TRUE(input.keyHeld(key::kReturn));
    keys.advanceTo(3);
    EXPECT_TRUE(input.keyHeld(key::kReturn));
    input.poll();
    EXPECT_FALSE(input.keyHeld(key::kReturn));
    EXPECT_EQ(input.keyState(key::kReturn), 0);
}

// A source that answers key by key only: the snapshot must read the same through either path.
class OddKeysDown : public KeySource {
  public:
    bool isDown(uint8_t code) const override { return code % 2 == 1; }
};

TEST(KeyboardInputTest, PollReadsEveryKeyOfASourceWithoutATable) {
    OddKeysDown odd;
    KeyboardInput input(odd);
    input.poll();
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(input.keyHeld(static_cast<uint8_t>(code)), code % 2 == 1) << code;
}

TEST(KeyboardInputTest, ScriptedTableMatchesItsKeyByKeyAnswers) {
    auto keys = ScriptedKeySource::fromText("1 down A\n1 down 7\n1 down RETURN\n2 up A\n");
    for (uint32_t tick : {1u, 2u}) {
        keys.advanceTo(tick);
        KeySource::KeyTable table{};
        keys.readAll(table);
        for (int code = 0; code < 256; ++code)
            EXPECT_EQ(table[code], keys.isDown(static_cast<uint8_t>(code))) << tick << " " << code;
        EXPECT_EQ(table[key::kA], tick == 1);
        EXPECT_TRUE(table[key::kReturn]);
    }
}

TEST(KeyboardInputTest, UnacquireReadsEveryKeyUp) {
    auto keys = ScriptedKeySource::fromText("1 down LEFT\n1 down SPACE\n");
    KeyboardInput input(keys);
    keys.advanceTo(1);
    input.poll();
    ASSERT_TRUE(input.keyHeld(key::kLeft));
    ASSERT_TRUE(input.keyHeld(key::kSpace));
    input.unacquire();
    EXPECT_FALSE(input.keyHeld(key::kLeft));
    EXPECT_FALSE(input.keyHeld(key::kSpace));
}

} // namespace
} // namespace qv
