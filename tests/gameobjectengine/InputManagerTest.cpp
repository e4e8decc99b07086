#include <gtest/gtest.h>

#include <cstring>

#include "EngineHarness.h"
#include "gameobjectengine/InputManager.h"
#include "platform/Gamepads.h"
#include "platform/VirtualKeys.h"

namespace {

InputManager& Input() { return InputManager::GetInstance(); }

platform::GamepadState gPads[2];
bool gPresent[2] = {false, false};

bool FakePads(int slot, platform::GamepadState& state) {
    if (slot > 1 || !gPresent[slot]) return false;
    state = gPads[slot];
    return true;
}

void MakePad(int slot, const char* name, int buttons, int axes = 2) {
    gPads[slot] = platform::GamepadState{};
    std::strcpy(gPads[slot].name, name);
    gPads[slot].buttonCount = buttons;
    gPads[slot].axisCount = axes;
    gPresent[slot] = true;
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        gPresent[0] = gPresent[1] = false;
        Input().enabled = true;
    }
    EngineHarness engine;
};

TEST_F(InputTest, HeldKeyCountsEveryFrameButIsFreshOnlyOnce) {
    Input().OnKey(vk::Space, true);
    Input().Update();
    EXPECT_EQ(Input().current[4], 1);
    EXPECT_TRUE(Input().GetKeyDown(InputAction::Jump));
    Input().Update();
    EXPECT_EQ(Input().current[4], 1);
    EXPECT_FALSE(Input().GetKeyDown(InputAction::Jump));
    Input().OnKey(vk::Space, false);
    Input().Update();
    EXPECT_EQ(Input().current[4], 0);
}

// A tap shorter than a frame: pressed for exactly the next frame, let go on the one after.
TEST_F(InputTest, PressAndReleaseBetweenFramesCountsForOneFrame) {
    Input().OnKey(vk::F, true);
    Input().OnKey(vk::F, false);
    Input().Update();
    EXPECT_EQ(Input().current[6], 1);
    EXPECT_TRUE(Input().GetKeyDown(InputAction::Weapon0));
    Input().Update();
    EXPECT_EQ(Input().current[6], 0);
    EXPECT_EQ(Input().previous[6], 1);
    Input().Update();
    EXPECT_EQ(Input().previous[6], 0);
    // A tap while disabled, and one left over when input is switched off, count nowhere.
    Input().OnKey(vk::F, true);
    Input().OnKey(vk::F, false);
    Input().enabled = false;
    Input().Update();
    Input().enabled = true;
    Input().Update();
    EXPECT_EQ(Input().current[6], 0);
}

TEST_F(InputTest, DisabledInputIgnoresKeyDownsButAlwaysHonoursKeyUps) {
    Input().OnKey(vk::Right, true);
    Input().enabled = false;
    Input().OnKey(vk::Right, false);  // arrives while disabled: still clears the key
    Input().OnKey(vk::Left, true);    // ignored
    Input().Update();
    EXPECT_EQ(Input().current[0], 0);
    Input().enabled = true;
    Input().Update();
    EXPECT_EQ(Input().current[0], 0);
    EXPECT_EQ(Input().current[1], 0);
}

TEST_F(InputTest, DisabledInputPollsNothingFromHeldKeysOrPads) {
    Input().OnKey(vk::Tab, true);
    platform::SetGamepadReader(FakePads);
    MakePad(0, "Xbox 360 Controller", 14);
    gPads[0].buttons[0] = 1;
    Input().enabled = false;
    Input().Update();
    EXPECT_EQ(Input().current[11], 0);
    EXPECT_EQ(Input().current[4], 0);
}

TEST_F(InputTest, ActionsOutsideTheTableReadAsNotPressed) {
    EXPECT_FALSE(Input().GetKeyDown(static_cast<InputAction>(-1)));
    EXPECT_FALSE(Input().GetKeyDown(static_cast<InputAction>(14)));
    EXPECT_EQ(Input().Current(static_cast<InputAction>(99)), 0);
    Input().OnKey(65, true);  // 'A' is not an action key
    Input().Update();
    for (int a = 0; a < InputManager::kActions; ++a) EXPECT_EQ(Input().current[a], 0);
}

TEST_F(InputTest, KeyAndPadAddToTheSameAction) {
    platform::SetGamepadReader(FakePads);
    MakePad(0, "Wireless Controller", 18);
    gPads[0].buttons[1] = 1;  // jump on this pad
    Input().OnKey(vk::Space, true);
    Input().Update();
    EXPECT_EQ(Input().current[4], 2);
    EXPECT_EQ(Input().wirelessPadPresent, 1);
}

TEST_F(InputTest, KnownPadsByNameAndButtonCountLastPadSetsFlags) {
    platform::SetGamepadReader(FakePads);
    MakePad(0, "Wireless Controller", 18);
    MakePad(1, "Xbox 360 Controller", 14);
    gPads[0].buttons[2] = 1;   // F on the wireless pad
    gPads[1].buttons[10] = 1;  // raises both 2 and 10 on the Xbox pad
    Input().Update();
    EXPECT_EQ(Input().current[6], 1);
    EXPECT_EQ(Input().current[2], 1);
    EXPECT_EQ(Input().current[10], 1);
    EXPECT_EQ(Input().xboxPadPresent, 1);
    EXPECT_EQ(Input().wirelessPadPresent, 0);

    MakePad(0, "Wireless Controller", 14);  // wrong button count: adds nothing
    gPresent[1] = false;
    gPads[0].buttons[2] = 1;
    Input().Update();
    EXPECT_EQ(Input().current[6], 0);
}

TEST_F(InputTest, AxesCountAtThresholdAndOnlyWithTwoAxes) {
    platform::SetGamepadReader(FakePads);
    MakePad(0, "Xbox 360 Controller", 14);
    gPads[0].axes[0] = 0.25f;
    gPads[0].axes[1] = 0.25f;   // up on this pad
    Input().Update();
    EXPECT_EQ(Input().current[0], 1);
    EXPECT_EQ(Input().current[2], 1);
    gPads[0].axes[0] = 0.24f;
    gPads[0].axes[1] = -0.25f;
    Input().Update();
    EXPECT_EQ(Input().current[0], 0);
    EXPECT_EQ(Input().current[3], 1);
    gPads[0].axisCount = 1;  // too few axes: none are read
    gPads[0].axes[0] = 1.0f;
    Input().Update();
    EXPECT_EQ(Input().current[0], 0);
}

TEST_F(InputTest, WirelessPadUpIsNegativeAndTabButtonsCountOnce) {
    platform::SetGamepadReader(FakePads);
    MakePad(0, "Wireless Controller", 18);
    gPads[0].axes[1] = -0.5f;
    gPads[0].buttons[6] = gPads[0].buttons[7] = 1;
    Input().Update();
    EXPECT_EQ(Input().current[2], 1);
    EXPECT_EQ(Input().current[11], 1);
}

TEST_F(InputTest, OtherPadsWithAStandardMappingUseXboxPrompts) {
    platform::SetGamepadReader(FakePads);
    MakePad(0, "Generic USB Pad", 12);
    gPads[0].hasMapping = true;
    gPads[0].mappedButtons[0] = 1;   // A: jump
    gPads[0].mappedAxes[1] = -0.9f;  // mapped y grows downward: up
    Input().Update();
    EXPECT_EQ(Input().current[4], 1);
    EXPECT_EQ(Input().current[2], 1);
    EXPECT_EQ(Input().xboxPadPresent, 1);
}

}  // namespace
