// Key 'p': the name of the pair and the view, free for the PNG and the SVG alike;
// the frame read back after it is drawn and before the swap, nothing turned; one
// that cannot be saved says where and why. The file and its pixels are checked on the real window
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
    // In the test's folder: an SVG left of that name, whose PNG is gone, takes the
    // name from both files.
    const char* const names[] = {"gearmesh_10-30_0-0_view3.png", "gearmesh_10-30_0-0_view3.svg",
                                 "gearmesh_10-30_0-0_view3-2.png", "gearmesh_10-30_0-0_view3-2.svg"};
    for (const char* name : names) {
        std::remove(name);
    }
    std::fclose(std::fopen(names[1], "w"));
    consoleOut = std::tmpfile();
    glrec::reset();
    readBackAt = -1;
    keyboardCommand('p', 0, 0);
    EXPECT_EQ(readBackAt, -1) << "the key only asks";
    displayViews();
    displayViews();
    EXPECT_GT(readBackAt, glrec::find(glrec::Fn::Flush));
    EXPECT_LT(readBackAt, glrec::find(glrec::Fn::SwapBuffers)) << "read before the swap";
    EXPECT_EQ(viewState.theta1, 0.0);
    std::fclose(consoleOut);
    consoleOut = stdout;
    EXPECT_NE(std::remove(names[0]), 0) << "no PNG without its SVG";
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(std::remove(names[i]), 0) << names[i];
    }
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
