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
