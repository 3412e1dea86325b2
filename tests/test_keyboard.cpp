// The keyboard table: which keys change what, which redraw, and which only record
// the key.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/keyboard.h"
#include "dialogue_script.h"
#include "gear_fixture.h"
#include "recorder/gl_recorder.h"

namespace {

using glrec::Fn;

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        computePair(20, 20, 0.0, 0.0);
        viewState.viewMode = '1';
        glrec::reset();
    }
    long long frames() { return glrec::count(Fn::SwapBuffers); }
};

TEST_F(Keyboard, ViewKeysRestartTheAnimation)
{
    ViewState& v = viewState;
    v.theta1 = 5.0;
    v.theta1w = 0.3;
    v.step = -v.baseStep;
    keyboardCommand('3', 0, 0);
    EXPECT_EQ(v.viewMode, '3');
    EXPECT_EQ(v.lastKey, '3');
    EXPECT_EQ(v.step, v.baseStep);
    EXPECT_EQ(v.theta1, 0.0);
    EXPECT_EQ(v.theta1w, gearPair.pitchAngle1);
    EXPECT_EQ(frames(), 1);
    // Each 's' adds one step by repeated addition.
    double expected = 0.0;
    for (int i = 0; i < 7; ++i) {
        keyboardCommand('s', 0, 0);
        expected += v.baseStep;
    }
    EXPECT_EQ(v.theta1, expected);
    // 'R' turns back one step, each later 's' one more.
    keyboardCommand('R', 0, 0);
    expected -= v.baseStep;
    EXPECT_EQ(v.theta1, expected);
    keyboardCommand('s', 0, 0);
    expected -= v.baseStep;
    EXPECT_EQ(v.theta1, expected);
    keyboardCommand('r', 0, 0);
    expected += v.baseStep;
    EXPECT_EQ(v.theta1, expected);
    EXPECT_EQ(frames(), 11);
}

TEST_F(Keyboard, GearViewsIgnoreDirectionAndSteps)
{
    ViewState& v = viewState;
    keyboardCommand('2', 0, 0);
    keyboardCommand('R', 0, 0);
    keyboardCommand('s', 0, 0);
    EXPECT_EQ(v.theta1, -v.baseStep);
    EXPECT_EQ(v.step, -v.baseStep);
    EXPECT_EQ(frames(), 3);
    // A view key brings the forward direction to the mesh views.
    keyboardCommand('4', 0, 0);
    EXPECT_EQ(v.step, v.baseStep);
    EXPECT_EQ(v.theta1, 0.0);
}

TEST_F(Keyboard, ZoomOutAndInRestoresUpToRounding)
{
    ViewState& v = viewState;
    const double s = v.scale;
    keyboardCommand('w', 0, 0);
    EXPECT_EQ(v.scale, 0.9 * s);
    keyboardCommand('W', 0, 0);
    EXPECT_EQ(v.scale, 0.9 * s / 0.9);
    EXPECT_NEAR(v.scale, s, 1e-15);
    EXPECT_EQ(frames(), 2);
}

TEST_F(Keyboard, ZoomStaysFiniteForAnyNumberOfPresses)
{
    ViewState& v = viewState;
    keyboardCommand('3', 0, 0);
    for (int i = 0; i < 10000; ++i) {
        keyboardCommand('W', 0, 0);
        glrec::reset();
    }
    EXPECT_LE(v.scale, SCALE_MAX);
    EXPECT_GT(v.scale, SCALE_MAX * 0.9);
    keyboardCommand('s', 0, 0);
    EXPECT_TRUE(glrec::allFinite());
    EXPECT_FALSE(glrec::overflowed());
    for (int i = 0; i < 10000; ++i) {
        keyboardCommand('w', 0, 0);
        glrec::reset();
    }
    EXPECT_GE(v.scale, SCALE_MIN);
    EXPECT_LT(v.scale, SCALE_MIN / 0.9);
    keyboardCommand('s', 0, 0);
    EXPECT_TRUE(glrec::allFinite());
}

TEST_F(Keyboard, KeysOutsideTheTableOnlyRecordThemselves)
{
    const ViewState before = viewState;
    const unsigned char keys[] = {'Z', 'X', 'S', '!', '5', 'q', 200};
    for (unsigned char key : keys) {
        keyboardCommand(key, 3, 4);
        EXPECT_EQ(static_cast<unsigned char>(viewState.lastKey), key);
    }
    EXPECT_EQ(frames(), 0);
    EXPECT_EQ(glrec::total(), 0);
    EXPECT_EQ(viewState.scale, before.scale);
    EXPECT_EQ(viewState.viewMode, before.viewMode);
}

TEST_F(Keyboard, NewNumbersRunTheDialogueWithoutARedraw)
{
    keyboardCommand('W', 0, 0);
    const long long before = frames();
    std::string input = "12 30\n0.5 0\n";
    FILE* in = fmemopen(input.data(), input.size(), "r");
    FILE* out = std::fopen("/dev/null", "w");
    consoleIn = in;
    consoleOut = out;
    keyboardCommand('z', 0, 0);
    EXPECT_EQ(gearPair.z1, 12);
    EXPECT_EQ(viewState.scale, 0.2);
    EXPECT_EQ(viewState.lastKey, 'z');
    EXPECT_EQ(frames(), before);
    std::fclose(in);
    input = "0.2 0.1\n";
    in = fmemopen(input.data(), input.size(), "r");
    consoleIn = in;
    keyboardCommand('x', 0, 0);
    EXPECT_EQ(gearPair.z1, 12);
    EXPECT_EQ(gearPair.x1, 0.2);
    EXPECT_EQ(frames(), before);
    std::fclose(in);
    std::fclose(out);
    consoleIn = stdin;
    consoleOut = stdout;
}

using KeyboardDeathTest = Keyboard;

TEST_F(KeyboardDeathTest, EscapeEndsWithStatusZero)
{
    EXPECT_EXIT(keyboardCommand(KEY_ESCAPE, 0, 0), ::testing::ExitedWithCode(0), "");
}

}  // namespace
