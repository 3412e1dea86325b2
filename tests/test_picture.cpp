// Key 'p': the name of the pair and the view; the frame read back once, after it
// is drawn and before the swap, nothing turned; one that cannot be saved says
// where and why. The file and its pixels are checked on the real window
// (tests/e2e/test_picture.py).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

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

// sysfs lets nobody, not even root, make a file in it.
TEST(Picture, ThatCannotBeSavedSaysWhereAndWhy)
{
    computePair(10, 30, 0.5, 0.0);
    viewState.viewMode = '1';
    char folder[4096];
    ASSERT_NE(getcwd(folder, sizeof folder), nullptr);
    ASSERT_EQ(chdir("/sys"), 0);
    consoleOut = std::tmpfile();
    keyboardCommand('p', 0, 0);
    displayViews();
    std::string said(static_cast<std::size_t>(std::ftell(consoleOut)), '\0');
    std::rewind(consoleOut);
    said.resize(std::fread(&said[0], 1, said.size(), consoleOut));
    std::fclose(consoleOut);
    consoleOut = stdout;
    ASSERT_EQ(chdir(folder), 0);
    EXPECT_EQ(said, "\n図を保存できませんでした：/sys/gearmesh_10-30_0.5-0_view1.png"
                    "（このフォルダに書き込む許可がありません）");
}
