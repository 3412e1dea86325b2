// Key 'p': the name of the pair and the view; the frame read back once, after it
// is drawn and before the swap, nothing turned. The file and its pixels are
// checked on the real window (tests/e2e/test_picture.py).
#include <gtest/gtest.h>

#include <cstdio>

#include "app/keyboard.h"
#include "app/picture.h"
#include "app/views.h"
#include "console/console_text.h"
#include "console/dialogue.h"
#include "gear_fixture.h"
#include "recorder/gl_recorder.h"

extern long long readBackAt;  // read_back_stand_in.cpp

TEST(Picture, IsNamedAfterThePairAndTheViewAndReadBeforeTheSwap)
{
    computePair(10, 30, -0.00001, 0.0);
    viewState.viewMode = '3';
    const char* const saved = "gearmesh_10-30_0-0_view3.png";  // in the test's folder
    std::remove(saved);
    consoleOut = std::tmpfile();
    glrec::reset();
    readBackAt = -1;
    keyboardCommand('p', 0, 0);
    EXPECT_EQ(readBackAt, -1) << "the key only asks";
    displayViews();
    displayViews();
    EXPECT_GT(readBackAt, glrec::find(glrec::Fn::Flush));
    EXPECT_EQ(readBackAt, glrec::find(glrec::Fn::SwapBuffers)) << "read once, before the swap";
    EXPECT_EQ(viewState.theta1, 0.0);
    std::fclose(consoleOut);
    consoleOut = stdout;
    EXPECT_EQ(std::remove(saved), 0);
    char name[128];
    gearPair.x1 = -0.25;
    gearPair.x2 = 1.23456;
    viewState.viewMode = '4';
    pictureBaseName(name, sizeof name);
    EXPECT_STREQ(name, "gearmesh_10-30_m0.25-1.2346_view4");
}
