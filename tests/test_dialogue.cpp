// The console dialogue end to end on scripted input: exact output bytes, the retry
// loops, the end of input, and what a shifts-only run leaves alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/number_reading.h"
#include "dialogue_script.h"

namespace {

const std::string TITLE = "\n１対標準歯車のかみ合いシミュレーションン";
const std::string HEADING = "\n(1) 歯車１，２の歯数設定";
const std::string TEETH_PROMPT = "\n　  歯車１、２の歯数入力 z1 z2= ";
const std::string SHIFT_PROMPT = "\n(2) 歯車１，２の転位係数入力 x1 x2=";
const std::string NO_MESH = "\nかみ合い圧力角=0  かみ合いできない．別の転位係数でやり直し";
const std::string KEY_HELP =
    "\n'1' '2'キーで：１歯車・２歯車描画の選択"
    "\n'3'キーで　　：１，２歯車かみ合い図の選択"
    "\n'4'キーで　　：標準歯車のかみ合い図の選択"
    "\n'5'キーで　　：かみ合いの分担とすべり率の図の選択"
    "\n's'キーで    ：かみ合い運動描画継続"
    "\n'a'キーで    ：かみ合い運動の自動再生・停止"
    "\n'r' 'R'キーで：かみ合い運動順逆の変更"
    "\n'w' 'W'キーで：図の縮小拡大"
    "\n'z'キーで    ：１，２歯車の歯数変更"
    "\n'x'キーで    ：転位係数だけ変更"
    "\n'p'キーで    ：表示中の図をPNGファイルに保存"
    "\n'h'キーで    ：高コントラスト表示（プロジェクタ・印刷向け）の切り替え"
    "\nESCキーで　　：終了";

TEST(Dialogue, ExactOutputFor20And20Unshifted)
{
    const std::string expected =
        TITLE + HEADING + TEETH_PROMPT + SHIFT_PROMPT +
        "\n基準圧力角α0=20.000[deg]  かみ合い圧力角αb=20.000[deg]"
        "\n基準軸間距離a0=20.0000 軸間距離a=20.0000"
        "\n歯数 z1= 20  転位係数 x1= 0.0000"
        "\n基準ピッチ円・基礎円半径     r01=10.0000 rg1= 9.3969"
        "\nかみ合いピッチ円・歯先円半径 rb1=10.0000 ru1=11.0000"
        "\n歯数 z2= 20  転位係数 x2= 0.0000"
        "\n基準ピッチ円・基礎円半径     r02=10.0000 rg2= 9.3969"
        "\nかみ合いピッチ円・歯先円半径 rb2=10.0000 ru2=11.0000"
        "\nかみ合い率ε=1.557（かみ合い長さ4.5960÷法線ピッチ2.9521）  頂げきc=0.2500"
        "\nすべり率  歯元で歯車1 -4.095  歯車2 -4.095（一対かみ合い区間1.3083）"
        "\n標準歯車では  かみ合い率ε=1.557（かみ合い長さ4.5960÷法線ピッチ2.9521）  頂げきc=0.2500"
        "\n標準歯車では  すべり率  歯元で歯車1 -4.095  歯車2 -4.095（一対かみ合い区間1.3083）" +
        KEY_HELP;
    EXPECT_EQ(runDialogue("20 20\n0 0\n", 'z'), expected);
    EXPECT_EQ(gearPair.alphab, gearPair.alpha0);
    EXPECT_EQ(viewState.scale, 0.2);
    EXPECT_EQ(viewState.baseStep, PI / 400);
    EXPECT_EQ(viewState.step, viewState.baseStep);
    EXPECT_NEAR(viewState.step, 0.00785398, 1e-8);
}

TEST(Dialogue, ExactOutputFor12And30WithShift)
{
    const std::string expected =
        TITLE + HEADING + TEETH_PROMPT + SHIFT_PROMPT +
        "\n基準圧力角α0=20.000[deg]  かみ合い圧力角αb=23.164[deg]"
        "\n基準軸間距離a0=21.0000 軸間距離a=21.4640"
        "\n歯数 z1= 12  転位係数 x1= 0.5000"
        "\n基準ピッチ円・基礎円半径     r01= 6.0000 rg1= 5.6382"
        "\nかみ合いピッチ円・歯先円半径 rb1= 6.1326 ru1= 7.5000"
        "\n歯数 z2= 30  転位係数 x2= 0.0000"
        "\n基準ピッチ円・基礎円半径     r02=15.0000 rg2=14.0954"
        "\nかみ合いピッチ円・歯先円半径 rb2=15.3314 ru2=16.0000"
        "\nかみ合い率ε=1.380（かみ合い長さ4.0735÷法線ピッチ2.9521）  頂げきc=0.2140"
        "\nすべり率  歯元で歯車1 -2.472  歯車2 -2.535（一対かみ合い区間1.8308）"
        "\n標準歯車では  かみ合い率ε=1.185（かみ合い長さ3.4975÷法線ピッチ2.9521）  頂げきc=0.2500"
        "\n標準歯車では  すべり率  歯元で歯車1 -3.012  歯車2 -2.419（一対かみ合い区間2.4068）" +
        KEY_HELP;
    EXPECT_EQ(runDialogue("12 30\n0.5 0\n", 'z'), expected);
}

// The root sliding that a designer balances by splitting the shift, and the single-pair
// zone, of the pairs a textbook works through (shifted pair, then standard pair).
TEST(Dialogue, ReportsRootSlidingAndTheSinglePairZone)
{
    const char* const cases[][3] = {
        {"10 30\n0.5 0\n", "1 -3.829  歯車2 -2.741（一対かみ合い区間1.9353",
         "1 -1.740  歯車2 -2.601（一対かみ合い区間2.9146"},
        {"12 24\n0.6 0.36\n", "1 -2.206  歯車2 -2.199（一対かみ合い区間1.9254",
         "1 -3.227  歯車2 -3.133（一対かみ合い区間2.4068"},
    };
    for (const auto& c : cases) {
        const std::string out = runDialogue(c[0], 'z');
        EXPECT_NE(out.find(std::string("\nすべり率  歯元で歯車") + c[1]), std::string::npos);
        EXPECT_NE(out.find(std::string("\n標準歯車では  すべり率  歯元で歯車") + c[2]),
                  std::string::npos);
    }
}

TEST(Dialogue, NoMeshRepeatsTheShiftPromptOnly)
{
    const std::string printed = runDialogue("20 20\n-0.5 -0.5\n0 0\n", 'z');
    const std::string head = TITLE + HEADING + TEETH_PROMPT + SHIFT_PROMPT + NO_MESH + SHIFT_PROMPT +
                             "\n基準圧力角α0=20.000[deg]";
    EXPECT_EQ(printed.substr(0, head.size()), head);
    EXPECT_EQ(gearPair.x1, 0.0);
}

TEST(Dialogue, ShiftsOnlyRunLeavesTheTeethStageBitForBit)
{
    runDialogue("10 30\n0 0\n", 'z');
    viewState.theta1 = 1.0;
    viewState.scale = 3.0;
    const GearPairState before = gearPair;
    const std::string printed = runDialogue("0.5 -0.2\n", 'x');
    EXPECT_EQ(printed.rfind(SHIFT_PROMPT, 0), 0u) << "no title, no teeth prompt";
    const GearPairState& after = gearPair;
    // Every teeth-stage field, from alpha0 up to the standard limits.
    const char* from = reinterpret_cast<const char*>(&before.alpha0);
    const char* to = reinterpret_cast<const char*>(&before.stdLimit2) + sizeof(double);
    EXPECT_EQ(std::memcmp(from, &after.alpha0, static_cast<size_t>(to - from)), 0);
    EXPECT_EQ(after.z1, 10);
    EXPECT_EQ(after.x1, 0.5);
    EXPECT_NE(after.alphab, before.alphab);
    EXPECT_EQ(viewState.theta1, 0.0);
    EXPECT_EQ(viewState.scale, 0.2);
}

TEST(Dialogue, UnreadableInputIsDiscardedAndAskedAgain)
{
    const std::string printed = runDialogue("abc 12\n20 x\n20 20\n0 zz\n0 0\n", 'z');
    const std::string unreadable = "\n数値として読めません．この行を捨てます．もう一度入力してください";
    const std::string head = TITLE + HEADING + TEETH_PROMPT + unreadable + TEETH_PROMPT + unreadable +
                             TEETH_PROMPT + SHIFT_PROMPT + unreadable + SHIFT_PROMPT;
    EXPECT_EQ(printed.substr(0, head.size()), head);
    EXPECT_EQ(gearPair.z1, 20);
    EXPECT_EQ(gearPair.z2, 20);
}

// A line is taken whole or not at all: a piece that is not the decimal number
// asked for, a number too many, a control character or a cut drops the line and
// asks again; numbers may come on several lines; blanks are spaces, tabs and CR;
// full-width digits and an input method's minus signs read as their ASCII forms.
TEST(Dialogue, ReadsExactlyTwoNumbersFromWholeLines)
{
    using namespace std::string_literals;
    const std::string unreadable = "\n数値として読めません．この行を捨てます．もう一度入力してください";
    const std::string tooMany = "\n数が多すぎます．この行を捨てます．もう一度入力してください";
    const std::string halfWidth = "\n半角の数字で入力してください";
    const struct {
        std::string input;  // each ends in a pair that the expected reading never reaches
        std::string said;   // what the first refusal says, then the prompt again
        int z2;
        double x1, x2;
    } cases[] = {
        {"20 20.7\n20 30\n0.7 0\n", unreadable + TEETH_PROMPT, 30, 0.7, 0.0},
        {"20 20\n1e 1e\n0.5abc 0\n0.25 0\n", unreadable + SHIFT_PROMPT + unreadable, 20, 0.25, 0.0},
        {"10 30 40\n10 30\n0 0\n", tooMany + TEETH_PROMPT, 30, 0.0, 0.0},
        {"20\n20 30\n20\n\n25\n0.5\n0\n", tooMany + TEETH_PROMPT + SHIFT_PROMPT, 25, 0.5, 0.0},
        {"２０　２５\n－０．５ｅ－１　＋０\n", TEETH_PROMPT + SHIFT_PROMPT, 25, -0.05, 0.0},
        {"20\t25\r\n0.5\t-0.25\r\n20 20\n0 0\n", TEETH_PROMPT + SHIFT_PROMPT, 25, 0.5, -0.25},
        {"010 020\n0x10 0\n0x1p-2 0\n0 0\n", unreadable + SHIFT_PROMPT + unreadable, 20, 0.0, 0.0},
        {"20 20\nー０．３ −0.3\n0 0\n", SHIFT_PROMPT + "\n基準圧力角", 20, -0.3, -0.3},
        {"20 20\nー 0\n0 0\n", unreadable + halfWidth + "（「ー」（U+30FC）は数値に使えません）", 20, 0.0, 0.0},
        {"２０，２０\n20 30\n0 0\n", unreadable + halfWidth + "（「，」（U+FF0C）は数値に使えません）" + TEETH_PROMPT, 30, 0.0, 0.0},
        {"２０　あい\n20 20\n0 0\n", unreadable + halfWidth + TEETH_PROMPT, 20, 0.0, 0.0},
        {"20 20\n0.1 0 ０\n0,5 0\n0 0\n", tooMany + SHIFT_PROMPT + unreadable + SHIFT_PROMPT, 20, 0.0, 0.0},
        {"20\0 99\n20 30\n0 0\n20 20\n0 0\n"s, unreadable + TEETH_PROMPT, 30, 0.0, 0.0},
        {"20\v20\n20 30\n0 0\n20 20\n0 0\n", unreadable + TEETH_PROMPT, 30, 0.0, 0.0},
        {"20 20" + std::string(CONSOLE_LINE_MAX, ' ') + "\n20 30\n0 0\n20 20\n0 0\n",
         unreadable + TEETH_PROMPT, 30, 0.0, 0.0},
        {"20 20\n-0 -0.0e3\n", "x1= 0.0000", 20, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        const std::string printed = runDialogue(c.input, 'z');
        EXPECT_NE(printed.find(c.said), std::string::npos) << c.input << printed;
        EXPECT_EQ(gearPair.z2, c.z2) << c.input;
        EXPECT_EQ(gearPair.x1, c.x1) << c.input;
        EXPECT_EQ(gearPair.x2, c.x2) << c.input;
    }
}

// Every full-width form a Japanese input method types for a number, alone and in
// a line; other characters outside ASCII stay and are told of.
TEST(Dialogue, FullWidthFormsReadAsAscii)
{
    const struct {
        const char* line;
        const char* ascii;
        Foreign foreign;
    } cases[] = {
        {"０１２３４５６７８９", "0123456789", Foreign::NONE},
        {"＋－．ｅＥ　", "+-.eE ", Foreign::NONE},
        {"1２ ３.5　-ｅ", "12 3.5 -e", Foreign::NONE},
        {"ー１ ｰ２ −３ −x −", "-1 -2 -3 −x −", Foreign::ONE},
        {"２０，２０", "20，20", Foreign::ONE},
        {"x１ é ー", "x1 é ー", Foreign::SEVERAL},
        {"1\xff", "1\xff", Foreign::SEVERAL},
    };
    for (const auto& c : cases) {
        char text[CONSOLE_LINE_MAX];
        readAsAscii(c.line, text, sizeof text);
        EXPECT_STREQ(text, c.ascii);
        char character[FOREIGN_CHARACTER_BYTES];
        unsigned long codePoint = 0;
        EXPECT_EQ(foreignCharacters(text, character, codePoint), c.foreign) << c.line;
    }
}

TEST(Dialogue, RejectsUnsoundNumbersWithAMessage)
{
    // Teeth out of range, then non-finite shifts, then a tip inside the base circle.
    const std::string printed =
        runDialogue("0 20\n20 -5\n4 10\n201 20\n4294967301 4294967306\n20 20\nnan 0\n0 inf\n"
                    "-1.7 1.7\n0 0\n",
                    'z');
    const std::string range = "\n歯数は5以上200以下で入力してください";
    size_t count = 0;
    for (size_t at = printed.find(range); at != std::string::npos; at = printed.find(range, at + 1)) {
        ++count;
    }
    // The fifth pair would wrap into 5 and 10 if read as int.
    EXPECT_EQ(count, 5u);
    EXPECT_NE(printed.find("\n転位係数には有限の数値を入力してください" + SHIFT_PROMPT +
                           "\n転位係数には有限の数値を入力してください"),
              std::string::npos);
    EXPECT_NE(printed.find("\n歯車1の歯先円が基礎円の内側"), std::string::npos);
    EXPECT_EQ(gearPair.x1, 0.0);
    EXPECT_EQ(gearPair.z1, 20);
}

// A refusal names the undercut only where there is one.
TEST(Dialogue, RefusalsNameTheirCause)
{
    const std::string printed =
        runDialogue("10 30\n0 3\n0 0\n", 'z') + runDialogue("5 5\n-0.7 1.5\n0 0\n", 'z');
    EXPECT_NE(printed.find("\n歯車2のかみ合いピッチ円が歯面と交わりません（歯先円の外側か歯底円の内側"), std::string::npos);
    EXPECT_NE(printed.find("\n歯車2のかみ合いピッチ円が歯元のすみ肉"), std::string::npos);
    EXPECT_EQ(printed.find("アンダーカット"), std::string::npos);
}

TEST(Dialogue, WarnsOfAPointedTooth)
{
    const std::string printed = runDialogue("10 30\n1.2 0\n", 'z');
    const std::size_t warning = printed.find("\n注意：歯車1の歯先がとがっています");
    EXPECT_NE(warning, std::string::npos);
    // Nor does a pointed tip, which has no tip land to measure, earn an interference.
    EXPECT_EQ(printed.find("\n注意：", warning + 1), std::string::npos);
    EXPECT_EQ(gearPair.x1, 1.2);
}

// A pair that is drawn but cannot work is told so before the report, each with its
// figure; a sound pair gets neither (its output is pinned byte for byte above).
TEST(Dialogue, WarnsOfAPairThatCannotKeepContactOrClearItsMate)
{
    const std::string ratio = "\n注意：かみ合い率が";
    const std::string clearance = "\n注意：頂げきが";
    const std::string report = "\n基準圧力角α0=";
    std::string printed = runDialogue("5 5\n0 0\n", 'z');
    EXPECT_NE(printed.find(ratio + "0.0043で1より小さく"), std::string::npos);
    EXPECT_LT(printed.find(ratio), printed.find(report));
    EXPECT_EQ(printed.find(clearance), std::string::npos);
    printed = runDialogue("16 40\n-0.5 -0.5\n", 'z');
    EXPECT_NE(printed.find(clearance + "-0.016で正になりません．歯車1と2の歯先"), std::string::npos);
    EXPECT_LT(printed.find(clearance), printed.find(report));
    printed = runDialogue("60 60\n-0.5 -0.5\n", 'z');
    EXPECT_EQ(printed.find(ratio), std::string::npos);
    EXPECT_EQ(printed.find(clearance), std::string::npos);
    // The contact ratio is held to 1: just under it warns, just over it does not.
    EXPECT_NE(runDialogue("14 19\n-0.2 -0.2\n", 'z').find(ratio + "0.9952で"), std::string::npos);
    EXPECT_EQ(runDialogue("10 10\n0 0.3\n", 'z').find(ratio), std::string::npos);
    // Interference is told from 0.005 deep: of each tip, with its depth.
    printed = runDialogue("12 40\n-0.4 -0.5\n", 'z');
    EXPECT_NE(printed.find("\n注意：歯車1の歯先が歯車2の歯元のすみ肉に0.008食い込みます（干渉）"
                           "\n注意：歯車2の歯先が歯車1の歯元のすみ肉に0.022食い込みます（干渉）"),
              std::string::npos);
    EXPECT_EQ(runDialogue("20 20\n-0.5 -0.2\n", 'z').find("（干渉）"), std::string::npos);
}

using DialogueDeathTest = ::testing::Test;

TEST(DialogueDeathTest, EndOfInputEndsTheProgramAtAnyPrompt)
{
    const char* scripts[] = {"", "20", "20 20\n", "20 20\n0.5", "20 20\n-0.5 -0.5\n", "abc"};
    for (const char* script : scripts) {
        EXPECT_EXIT(runDialogue(script, 'z'), ::testing::ExitedWithCode(1), "") << script;
    }
    EXPECT_EXIT(runDialogue("", 'x'), ::testing::ExitedWithCode(1), "");
}

}  // namespace
