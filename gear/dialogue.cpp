// dialogue.cpp -- the console dialogue, the two stages of the gear pair, the
// report and the key help.
//
// The dialogue asks for the numbers of teeth (unless only the shifts are being
// re-entered), computes the standard pair, asks for the shift coefficients until
// a pair meshes with sound geometry, computes the shifted pair, resets the view
// and prints the report. Every prompt is flushed before input is read, so that it
// shows also when the console is a pipe. The Japanese texts are UTF-8.
#include "gear/dialogue.h"

#include <cassert>
#include <cmath>
#include <cstdarg>
#include <cstdlib>

#include "gear/console_text.h"
#include "gear/pair_stages.h"
#include "gear/tooth_profile.h"

FILE* consoleIn = stdin;
FILE* consoleOut = stdout;

// [SECTION] Texts
static const char* const TITLE_TEXT = "\n１対標準歯車のかみ合いシミュレーションン";
static const char* const TEETH_HEADING_TEXT = "\n(1) 歯車１，２の歯数設定";
static const char* const TEETH_PROMPT_TEXT = "\n　  歯車１、２の歯数入力 z1 z2= ";
static const char* const SHIFT_PROMPT_TEXT = "\n(2) 歯車１，２の転位係数入力 x1 x2=";
static const char* const NO_MESH_TEXT = "\nかみ合い圧力角=0  かみ合いできない．別の転位係数でやり直し";

static const char* const UNREADABLE_TEXT =
    "\n数値として読めません．この行を捨てます．もう一度入力してください";
static const char* const END_OF_INPUT_TEXT = "\n入力が終わりました．終了します\n";
static const char* const TEETH_RANGE_TEXT =
    "\n歯数は%d以上%d以下で入力してください（%d未満では歯元のアンダーカットがピッチ円を越え，"
    "%dを超えると描画に時間がかかり操作できません）";
static const char* const NOT_FINITE_TEXT = "\n転位係数には有限の数値を入力してください";
static const char* const TIP_INSIDE_BASE_TEXT =
    "\n歯車%dの歯先円が基礎円の内側（または基礎円上）にあり，歯形ができません．"
    "別の転位係数でやり直し";
static const char* const NO_THICKNESS_TEXT =
    "\n歯車%dの歯厚が正になりません．別の転位係数でやり直し";
static const char* const NO_FLANK_TEXT =
    "\n歯車%dの歯元のトロコイドとインボリュートがつながりません．別の転位係数でやり直し";
static const char* const UNDERCUT_BEYOND_PITCH_TEXT =
    "\n歯車%dのアンダーカットがかみ合いピッチ円に達し，かみ合いの始まりがありません．"
    "別の転位係数でやり直し";
static const char* const PITCH_IN_FILLET_TEXT =
    "\n歯車%dのかみ合いピッチ円が歯元のすみ肉（インボリュート歯面の始まる円より内側）にあり，"
    "かみ合いの始まりがありません．別の転位係数でやり直し";
static const char* const NO_PHASE_TEXT =
    "\n歯車%dのかみ合いピッチ円が歯面と交わりません（歯先円の外側か歯底円の内側にあります）．"
    "別の転位係数でやり直し";
static const char* const NOT_FINITE_RESULT_TEXT =
    "\n計算結果が有限の数になりません．別の転位係数でやり直し";
static const char* const LOW_CONTACT_RATIO_TEXT =
    "\n注意：かみ合い率が%.4fで1より小さく，次の歯がかみ合う前に接触が途切れます（かみ合いが続きません）";
static const char* const NO_TIP_CLEARANCE_TEXT =
    "\n注意：頂げきが%.3fで正になりません．歯車%sの歯先が相手の歯車の歯底円に当たります";
static const char* const INTERFERENCE_TEXT =
    "\n注意：歯車%dの歯先が歯車%dの歯元のすみ肉に%.3f食い込みます（干渉）";
static const char* const POINTED_TEXT =
    "\n注意：歯車%dの歯先がとがっています（両側の歯面が歯先円より内側で交わります）";

static const char* const KEY_HELP_TEXTS[] = {
    "\n'1' '2'キーで：１歯車・２歯車描画の選択",
    "\n'3'キーで　　：１，２歯車かみ合い図の選択",
    "\n's'キーで    ：かみ合い運動描画継続",
    "\n'r' 'R'キーで：かみ合い運動順逆の変更",
    "\n'w' 'W'キーで：図の縮小拡大",
    "\n'z'キーで    ：１，２歯車の歯数変更",
    "\nESCキーで　　：終了",
};

// [SECTION] Console
__attribute__((format(printf, 1, 2))) static void say(const char* format, ...)
{
    char text[CONSOLE_TEXT_MAX];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    assert(length >= 0 && length < static_cast<int>(sizeof text) && "console text overflows");
    // NOTE: a text cut short by the buffer is still written only as far as it holds.
    const std::size_t kept = length < 0 ? 0 : static_cast<std::size_t>(length);
    writeConsoleText(consoleOut, text, kept < sizeof text ? kept : sizeof text - 1);
    std::fflush(consoleOut);
}

[[noreturn]] static void endOfInput()
{
    say("%s", END_OF_INPUT_TEXT);
    std::exit(1);
}

// After a read that converted fewer items than asked: end at the end of input,
// otherwise drop the rest of the line so that the next prompt reads new input.
static void rejectLine(int converted)
{
    if (converted == EOF) {
        endOfInput();
    }
    int c = std::fgetc(consoleIn);
    while (c != '\n' && c != EOF) {
        c = std::fgetc(consoleIn);
    }
    if (c == EOF) {
        endOfInput();
    }
    say("%s", UNREADABLE_TEXT);
}

// NOTE: read wider than int: a number of teeth past the int range must meet the
// range check, not wrap into it.
static bool readTwoInts(long long& a, long long& b)
{
    const int converted = std::fscanf(consoleIn, "%lld %lld", &a, &b);
    if (converted == 2) {
        return true;
    }
    rejectLine(converted);
    return false;
}

static bool readTwoReals(double& a, double& b)
{
    const int converted = std::fscanf(consoleIn, "%lf %lf", &a, &b);
    if (converted == 2) {
        return true;
    }
    rejectLine(converted);
    return false;
}

// [SECTION] Refusals
// The message for each fault; %d takes the number of the gear at fault.
static const char* faultText(PairFault fault)
{
    switch (fault) {
    case PairFault::NONE:
        return "";
    case PairFault::TEETH_OUT_OF_RANGE:
        return TEETH_RANGE_TEXT;
    case PairFault::SHIFT_NOT_FINITE:
        return NOT_FINITE_TEXT;
    case PairFault::NO_MESH:
        return NO_MESH_TEXT;
    case PairFault::TIP_INSIDE_BASE:
        return TIP_INSIDE_BASE_TEXT;
    case PairFault::NO_THICKNESS:
        return NO_THICKNESS_TEXT;
    case PairFault::NO_FLANK:
        return NO_FLANK_TEXT;
    case PairFault::UNDERCUT_BEYOND_PITCH:
        return UNDERCUT_BEYOND_PITCH_TEXT;
    case PairFault::PITCH_IN_FILLET:
        return PITCH_IN_FILLET_TEXT;
    case PairFault::NO_PHASE:
        return NO_PHASE_TEXT;
    case PairFault::NOT_FINITE_RESULT:
        return NOT_FINITE_RESULT_TEXT;
    }
    return NOT_FINITE_RESULT_TEXT;
}

static void sayFault(PairFault fault, int gear)
{
    if (fault == PairFault::TEETH_OUT_OF_RANGE) {
        say(TEETH_RANGE_TEXT, TEETH_MIN, TEETH_MAX, TEETH_MIN, TEETH_MAX);
        return;
    }
    say(faultText(fault), gear);
}

// [SECTION] Dialogue
static void askTeeth()
{
    GearPairState& gp = gearPair;
    say("%s", TITLE_TEXT);
    say("%s", TEETH_HEADING_TEXT);
    for (;;) {
        say("%s", TEETH_PROMPT_TEXT);
        long long z1 = 0;
        long long z2 = 0;
        if (!readTwoInts(z1, z2)) {
            continue;
        }
        if (!teethInRange(z1, z2)) {
            sayFault(PairFault::TEETH_OUT_OF_RANGE, 0);
            continue;
        }
        gp.z1 = static_cast<int>(z1);
        gp.z2 = static_cast<int>(z2);
        return;
    }
}

static void askShifts()
{
    for (;;) {
        say("%s", SHIFT_PROMPT_TEXT);
        double x1 = 0.0;
        double x2 = 0.0;
        if (!readTwoReals(x1, x2)) {
            continue;
        }
        int gear = 0;
        const PairFault fault = shiftPair(x1, x2, gear);
        if (fault == PairFault::NONE) {
            return;
        }
        sayFault(fault, gear);
    }
}

void printReport()
{
    const GearPairState& gp = gearPair;
    say("\n基準圧力角α0=%6.3f[deg]  かみ合い圧力角αb=%6.3f[deg]", gp.alpha0 * RAD_TO_DEG,
        gp.alphab * RAD_TO_DEG);
    say("\n基準軸間距離a0=%7.4f 軸間距離a=%7.4f", gp.r01 + gp.r02, gp.rb1 + gp.rb2);
    say("\n歯数 z1=%3d  転位係数 x1=%7.4f", gp.z1, gp.x1);
    say("\n基準ピッチ円・基礎円半径     r01=%7.4f rg1=%7.4f", gp.r01, gp.rg1);
    say("\nかみ合いピッチ円・歯先円半径 rb1=%7.4f ru1=%7.4f", gp.rb1, gp.ru1);
    say("\n歯数 z2=%3d  転位係数 x2=%7.4f", gp.z2, gp.x2);
    say("\n基準ピッチ円・基礎円半径     r02=%7.4f rg2=%7.4f", gp.r02, gp.rg2);
    say("\nかみ合いピッチ円・歯先円半径 rb2=%7.4f ru2=%7.4f", gp.rb2, gp.ru2);
    for (const char* line : KEY_HELP_TEXTS) {
        say("%s", line);
    }
}

// Warnings of a pair that is drawn but cannot work as a gear pair should.
static void warnOfUnsoundPair()
{
    const GearPairState& gp = gearPair;
    if (toothIsPointed(gp.z1, gp.x1, gp.profile1, gp.count1)) {
        say(POINTED_TEXT, 1);
    }
    if (toothIsPointed(gp.z2, gp.x2, gp.profile2, gp.count2)) {
        say(POINTED_TEXT, 2);
    }
    const double ratio = contactRatio();
    if (ratio < 1.0) {
        say(LOW_CONTACT_RATIO_TEXT, ratio);
    }
    // NOTE: both tips have the same clearance, a - r01 - r02 + 0.25 - x1 - x2, so
    // one line names both gears; rounding may split them only by a hair.
    const double clearance1 = tipClearance(1);
    const double clearance2 = tipClearance(2);
    const bool strikes1 = !(clearance1 > 0.0);
    const bool strikes2 = !(clearance2 > 0.0);
    if (strikes1 || strikes2) {
        const char* gears = strikes1 && strikes2 ? "1と2" : strikes1 ? "1" : "2";
        say(NO_TIP_CLEARANCE_TEXT, strikes1 ? clearance1 : clearance2, gears);
    }
    for (int tip = 1; tip <= 2; ++tip) {
        const double depth = tipInterference(tip);
        if (depth > INTERFERENCE_LIMIT) {
            say(INTERFERENCE_TEXT, tip, 3 - tip, depth);
        }
    }
}

void parameterDialogue()
{
    if (viewState.lastKey != 'x') {
        askTeeth();
        teethStage();
    }
    askShifts();
    warnOfUnsoundPair();
    resetView();
    printReport();
}
