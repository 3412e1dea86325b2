// The window's set-up, its frame services, and the legend's colour in the first
// frame, against the recording stand-in of GL and GLUT.
#include <gtest/gtest.h>

#include <cstring>

#include "app/keyboard.h"
#include "app/views.h"
#include "app/window.h"
#include "gear_fixture.h"
#include "title_stand_in.h"
#include "trace_reading.h"

namespace {

using glrec::Fn;

TEST(Window, OpensWithItsCallbacksAndNothingElse)
{
    glrec::reset();
    int argc = 1;
    char name[] = "gearmesh";
    char* argv[] = {name, nullptr};
    openWindow(&argc, argv);
    const std::vector<Fn> expected = {Fn::InitWindowSize, Fn::Init,        Fn::InitDisplayMode,
                                      Fn::CreateWindow,   Fn::DisplayFunc, Fn::ReshapeFunc,
                                      Fn::KeyboardFunc,   Fn::ClearColor,  Fn::Enable,
                                      Fn::MainLoop};
    EXPECT_EQ(glrec::sequence(), expected);
    EXPECT_EQ(glrec::at(0).a[0], 800);
    EXPECT_EQ(glrec::at(0).a[1], 800);
    EXPECT_EQ(glrec::at(2).a[0], GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    EXPECT_STREQ(static_cast<const char*>(glrec::at(3).p), WINDOW_TITLE);
    EXPECT_EQ(glrec::at(4).f, reinterpret_cast<glrec::Callback>(displayViews));
    EXPECT_EQ(glrec::at(7).a[0], 1.0);
    EXPECT_EQ(glrec::at(7).a[3], 1.0);
    EXPECT_EQ(glrec::at(8).a[0], GL_LIGHTING);
    EXPECT_EQ(lastNativeTitle, WINDOW_TITLE);
    // The title's characters, as UTF-8: ideographic space, full-width commas and colon.
    EXPECT_STREQ(WINDOW_TITLE,
                 "\xE8\xBB\xA2\xE4\xBD\x8D\xE6\xAD\xAF\xE8\xBB\x8A\xE3\x81\xAE\xE3\x81\x8B"
                 "\xE3\x81\xBF\xE5\x90\x88\xE3\x81\x84\xE3\x80\x80z:\xE6\xAD\xAF\xE6\x95\xB0"
                 "\xE5\xA4\x89\xE6\x9B\xB4\xEF\xBC\x8Cx:\xE8\xBB\xA2\xE4\xBD\x8D\xE4\xBF\x82"
                 "\xE6\x95\xB0\xE5\xA4\x89\xE6\x9B\xB4\xEF\xBC\x8C" "1,2,3,4\xEF\xBC\x9A"
                 "\xE6\x8F\x8F\xE7\x94\xBB\xE6\xAD\xAF\xE8\xBB\x8A\xE9\x81\xB8\xE6\x8A\x9E"
                 "\xEF\xBC\x8Cw,W:\xE7\xB8\xAE\xE5\xB0\x8F\xE6\x8B\xA1\xE5\xA4\xA7\xEF\xBC\x8C"
                 "r,R:\xE6\xAD\xA3\xE9\x80\x86\xE5\x9B\x9E\xE8\xBB\xA2\xEF\xBC\x8C"
                 "s:\xE3\x81\x8B\xE3\x81\xBF\xE5\x90\x88\xE3\x81\x84\xE7\xB6\x99\xE7\xB6\x9A");
    EXPECT_EQ(glrec::count(Fn::IdleFunc) + glrec::count(Fn::TimerFunc) +
                  glrec::count(Fn::MouseFunc) + glrec::count(Fn::PostRedisplay),
              0);
}

TEST(Window, FrameServices)
{
    glrec::reset();
    reshapeWindow(640, 480);
    beginFrame();
    drawText(-0.9f, 0.95f, GLUT_BITMAP_HELVETICA_18, "ab");
    endFrame();
    const std::vector<Fn> begun = {Fn::Viewport, Fn::MatrixMode, Fn::LoadIdentity,
                                   Fn::MatrixMode, Fn::Clear, Fn::LoadIdentity};
    EXPECT_EQ(glrec::sequence(0, 6), begun);
    EXPECT_EQ(glrec::at(0).a[2], 640);
    EXPECT_EQ(glrec::at(0).a[3], 480);
    EXPECT_EQ(glrec::at(1).a[0], GL_PROJECTION);
    EXPECT_EQ(glrec::at(3).a[0], GL_MODELVIEW);
    EXPECT_EQ(glrec::at(4).a[0], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The text is written lit, whose dark grey it takes; the frame ends flushed and swapped.
    const std::vector<TextLine> lines = textLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "ab");
    EXPECT_TRUE(lines[0].lit);
    EXPECT_FLOAT_EQ(lines[0].y, 0.95f);
    const std::vector<Fn> ended = {Fn::Flush, Fn::SwapBuffers};
    EXPECT_EQ(glrec::sequence(glrec::size() - 2), ended);
    reshapeWindow(800, 800);
}

// The legend takes its colour from the lighting state; the first frame must look
// like every later one.
TEST(Window, FirstFrameLegendIsLitLikeEveryLaterFrame)
{
    computePair(20, 20, 0.0, 0.0);
    viewState.viewMode = '1';
    glrec::reset();
    int argc = 1;
    char name[] = "gearmesh";
    char* argv[] = {name, nullptr};
    openWindow(&argc, argv);
    displayViews();
    displayViews();
    const std::vector<TextLine> lines = textLines();
    ASSERT_GE(lines.size(), 6u);
    for (const TextLine& line : lines) {
        EXPECT_TRUE(line.lit) << line.text;
    }
}

}  // namespace
