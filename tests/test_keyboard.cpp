// The keyboard table: which keys change what, which redraw, and which only record
// the key.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "app/keyboard.h"
#include "app/views.h"
#include "console/console_text.h"
#include "console/dialogue.h"
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
    // A key asks for a frame and never draws one itself, so keys that come during
    // a slow frame end in one.
    void expectRedisplayAskedNotDrawn()
    {
        EXPECT_GT(glrec::count(Fn::PostRedisplay), 0);
        EXPECT_EQ(glrec::count(Fn::SwapBuffers), 0);
        glrec::reset();
    }
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
    expectRedisplayAskedNotDrawn();
    // Each 's' adds one step by repeated addition; 'R' turns back one step, each
    // later 's' one more; 'w' turns on too.
    const char keys[] = "sssssssRsrw";
    const double turns[] = {1, 1, 1, 1, 1, 1, 1, -1, -1, 1, 1};
    double expected = 0.0;
    for (int i = 0; keys[i] != '\0'; ++i) {
        keyboardCommand(static_cast<unsigned char>(keys[i]), 0, 0);
        expected += turns[i] * v.baseStep;
        EXPECT_EQ(v.theta1, expected) << "after key " << i;
        expectRedisplayAskedNotDrawn();
    }
}

TEST_F(Keyboard, GearViewsIgnoreDirectionAndSteps)
{
    ViewState& v = viewState;
    keyboardCommand('2', 0, 0);
    keyboardCommand('R', 0, 0);
    keyboardCommand('s', 0, 0);
    EXPECT_EQ(v.theta1, -v.baseStep);
    EXPECT_EQ(v.step, -v.baseStep);
    expectRedisplayAskedNotDrawn();
    // A view key brings the forward direction to the mesh views.
    keyboardCommand('4', 0, 0);
    EXPECT_EQ(v.step, v.baseStep);
    EXPECT_EQ(v.theta1, 0.0);
}

// Whatever the keys and however often a new pair resets the view, every key of a
// mesh view leaves gear 1's folded angle inside one pitch, for every number of
// teeth: random keys, and every walk of up to two pitches out and back to angle 0,
// where the way back can round onto a pitch boundary.
TEST_F(Keyboard, TheFoldedAngleStaysInOnePitchForAnyKeys)
{
    std::mt19937 random(20261207);
    const char keys[] = "ssssssssssssssssrrRR1234wW";
    for (int z1 = TEETH_MIN; z1 <= TEETH_MAX; ++z1) {
        ASSERT_TRUE(computePair(z1, 20, 0.5, 0.5));
        const double pitch = gearPair.pitchAngle1;
        std::string walk;
        for (int n = 1; n <= 4 * STEPS_PER_HALF_PITCH; ++n) {
            walk += '3' + std::string(n, 's') + 'R' + std::string(n - 1, 's');
        }
        for (int i = 0; i < 1000; ++i) {
            const std::size_t pick = random() % sizeof keys;
            walk += pick == sizeof keys - 1 ? '*' : keys[pick];
        }
        for (std::size_t i = 0; i < walk.size(); ++i) {
            if (walk[i] == '*') {
                resetView();  // what every accepted pair does
                continue;
            }
            keyboardCommand(static_cast<unsigned char>(walk[i]), 0, 0);
            if (viewState.viewMode != '3' && viewState.viewMode != '4') {
                continue;  // the gear views use no angle, and a view key resets it
            }
            const double w = viewState.theta1w;
            ASSERT_TRUE(w >= pitch && w < 2.0 * pitch) << "z1 " << z1 << " key " << i;
            ASSERT_EQ(viewState.theta2w, gearPair.ratio * w);
        }
        glrec::reset();
    }
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
}

TEST_F(Keyboard, ZoomStaysFiniteForAnyNumberOfPresses)
{
    ViewState& v = viewState;
    keyboardCommand('3', 0, 0);
    for (int i = 0; i < 10000; ++i) {
        keyboardCommand('W', 0, 0);
    }
    EXPECT_LE(v.scale, SCALE_MAX);
    EXPECT_GT(v.scale, SCALE_MAX * 0.9);
    glrec::reset();
    displayViews();
    EXPECT_TRUE(glrec::allFinite());
    EXPECT_FALSE(glrec::overflowed());
    for (int i = 0; i < 10000; ++i) {
        keyboardCommand('w', 0, 0);
    }
    EXPECT_GE(v.scale, SCALE_MIN);
    EXPECT_LT(v.scale, SCALE_MIN / 0.9);
    glrec::reset();
    displayViews();
    EXPECT_TRUE(glrec::allFinite());
}

TEST_F(Keyboard, KeysOutsideTheTableOnlyRecordThemselves)
{
    const ViewState before = viewState;
    const unsigned char keys[] = {'Z', 'X', 'S', '!', '6', 'q', 200};
    for (unsigned char key : keys) {
        keyboardCommand(key, 3, 4);
        EXPECT_EQ(static_cast<unsigned char>(viewState.lastKey), key);
    }
    EXPECT_EQ(glrec::total(), 0);
    EXPECT_EQ(viewState.scale, before.scale);
    EXPECT_EQ(viewState.viewMode, before.viewMode);
}

// 'z' opens the dialogue and returns; keys meanwhile are dropped, the record keeps
// the old pair until the new one is accepted, and then the window is asked to
// show it without a key.
TEST_F(Keyboard, NewNumbersAreAskedForWhileTheWindowLives)
{
    consoleOut = std::fopen("/dev/null", "w");
    keyboardCommand('W', 0, 0);
    keyboardCommand('z', 0, 0);
    ASSERT_TRUE(dialogueOpen());
    ASSERT_EQ(glrec::count(Fn::TimerFunc), 1);
    const glrec::Call timer = glrec::callsOf(Fn::TimerFunc)[0];
    keyboardCommand('3', 0, 0);
    EXPECT_EQ(viewState.viewMode, '1');
    EXPECT_EQ(viewState.lastKey, 'z');
    answerDialogue("12 30", true);
    EXPECT_EQ(gearPair.z1, 20) << "the window still draws the old pair";
    answerDialogue("0.5 0", true);
    EXPECT_EQ(gearPair.z1, 12);
    EXPECT_EQ(viewState.scale, 0.2);
    glrec::reset();
    reinterpret_cast<void (*)(int)>(timer.f)(0);
    EXPECT_EQ(glrec::count(Fn::PostRedisplay), 1);
    std::fclose(consoleOut);
    consoleOut = stdout;
}

// 'a' hands the stepping to a timer, 25 steps a second, each posting one frame; it
// goes on in another mesh view and stops at 'a', a single gear's view or 'z', after
// which the run's last timer turns nothing and sets no other.
TEST_F(Keyboard, PlayStepsByTimerUntilStopped)
{
    consoleOut = std::fopen("/dev/null", "w");
    glrec::Call timer = {};
    auto fire = [&timer] {
        for (const glrec::Call& c : glrec::callsOf(Fn::TimerFunc)) {
            timer = c.a[0] == 40.0 ? c : timer;
        }
        glrec::reset();
        reinterpret_cast<void (*)(int)>(timer.f)(static_cast<int>(timer.a[1]));
    };
    for (char stop : {'a', '1', 'z'}) {
        keyboardCommand('5', 0, 0);
        keyboardCommand('a', 0, 0);
        const double before = viewState.theta1;
        fire();
        fire();
        EXPECT_EQ(viewState.theta1, before + 2 * viewState.step);
        EXPECT_EQ(glrec::count(Fn::PostRedisplay) + glrec::count(Fn::TimerFunc), 2);
        keyboardCommand('4', 0, 0);
        keyboardCommand(static_cast<unsigned char>(stop), 0, 0);
        const double stopped = viewState.theta1;
        fire();
        EXPECT_EQ(viewState.theta1, stopped) << stop;
        EXPECT_EQ(glrec::count(Fn::TimerFunc) + glrec::count(Fn::PostRedisplay), 0) << stop;
    }
    answerDialogue("20 20", true);
    answerDialogue("0 0", true);
    std::fclose(consoleOut);
    consoleOut = stdout;
}

using KeyboardDeathTest = Keyboard;

TEST_F(KeyboardDeathTest, EscapeEndsWithStatusZero)
{
    EXPECT_EXIT(keyboardCommand(KEY_ESCAPE, 0, 0), ::testing::ExitedWithCode(0), "");
}

}  // namespace
