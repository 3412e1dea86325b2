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
#include "gear/line_of_action.h"
#include "gear/outline_stage.h"
#include "gear/pressure_angle.h"
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
static const char* const ROOT_NOT_POSITIVE_TEXT =
    "\n歯車%dの歯底円の半径が正になりません．別の転位係数でやり直し";
static const char* const NO_THICKNESS_TEXT =
    "\n歯車%dの歯厚が正になりません．別の転位係数でやり直し";
static const char* const NO_FLANK_TEXT =
    "\n歯車%dの歯元のトロコイドとインボリュートがつながりません．別の転位係数でやり直し";
static const char* const UNDERCUT_BEYOND_PITCH_TEXT =
    "\n歯車%dのアンダーカットがかみ合いピッチ円に達し，かみ合いの始まりがありません．"
    "別の転位係数でやり直し";
static const char* const NO_PHASE_TEXT =
    "\n歯車%dのかみ合いピッチ円が歯面と交わりません（歯先円の外側か歯底円の内側にあります）．"
    "別の転位係数でやり直し";
static const char* const NOT_FINITE_RESULT_TEXT =
    "\n計算結果が有限の数になりません．別の転位係数でやり直し";
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

static bool readTwoInts(int& a, int& b)
{
    const int converted = std::fscanf(consoleIn, "%d %d", &a, &b);
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

// [SECTION] Geometry shared by both stages
Vec2 tipPoint(int gearIndex, double a, double R, double ru)
{
    const double q = R / ru;
    const double beta = std::asin(std::cos(a) * q);
    const double theta = (PI / 2.0 - a) - beta;
    if (gearIndex == 2) {
        return Vec2{std::sin(theta) * ru, std::cos(theta) * (-ru) + R};
    }
    return Vec2{std::sin(theta) * (-ru), std::cos(theta) * ru - R};
}

// [SECTION] Teeth stage
void teethStage()
{
    GearPairState& gp = gearPair;
    gp.alpha0 = PI / 9.0;
    gp.tanAlpha0 = std::tan(gp.alpha0);
    gp.invAlpha0 = std::tan(gp.alpha0) - gp.alpha0;
    gp.cosAlpha0 = std::cos(gp.alpha0);
    const double sinAlpha0 = std::sin(gp.alpha0);

    gp.r01 = gp.z1 / 2.0;
    gp.rg1 = gp.r01 * gp.cosAlpha0;
    gp.r02 = gp.z2 / 2.0;
    gp.rg2 = gp.r02 * gp.cosAlpha0;
    gp.ratio = static_cast<double>(gp.z1) / static_cast<double>(gp.z2);
    gp.pb = PI * gp.cosAlpha0;
    gp.pitchAngle1 = gp.pb / gp.rg1;

    gp.PITCH_POINT = Vec2{0.0, 0.0};
    gp.stdCenter1 = Vec2{0.0, -gp.r01};
    gp.stdCenter2 = Vec2{0.0, gp.r02};

    gp.stdN1 = Vec2{gp.rg1 * sinAlpha0, gp.rg1 * gp.cosAlpha0 - gp.r01};
    gp.stdDistN1 = distanceFromOrigin(gp.stdN1);
    gp.stdN2 = Vec2{(-gp.rg2) * sinAlpha0, (-gp.rg2) * gp.cosAlpha0 + gp.r02};
    gp.stdDistN2 = distanceFromOrigin(gp.stdN2);

    gp.ru01 = gp.r01 + 1.0;
    gp.ru02 = gp.r02 + 1.0;

    gp.stdT2 = tipPoint(2, gp.alpha0, gp.r02, gp.ru02);
    gp.stdDistT2 = distanceFromOrigin(gp.stdT2);
    gp.stdT1 = tipPoint(1, gp.alpha0, gp.r01, gp.ru01);
    gp.stdDistT1 = distanceFromOrigin(gp.stdT1);

    standardOutlineStage();
}

// [SECTION] Shift stage
void shiftStage()
{
    GearPairState& gp = gearPair;
    gp.rb1 = gp.rg1 / std::cos(gp.alphab);
    gp.rb2 = gp.rg2 / std::cos(gp.alphab);
    gp.center1 = Vec2{0.0, -gp.rb1};
    gp.center2 = Vec2{0.0, gp.rb2};

    gp.N1 = Vec2{std::sin(gp.alphab) * gp.rg1, std::cos(gp.alphab) * gp.rg1 - gp.rb1};
    gp.distN1 = distanceFromOrigin(gp.N1);
    gp.N2 = Vec2{std::sin(gp.alphab) * (-gp.rg2), std::cos(gp.alphab) * (-gp.rg2) + gp.rb2};
    gp.distN2 = distanceFromOrigin(gp.N2);

    gp.ru1 = gp.r01 + (gp.x1 + 1.0);
    gp.rf1 = gp.r01 - (1.25 - gp.x1);
    gp.ru2 = gp.r02 + (gp.x2 + 1.0);
    gp.rf2 = gp.r02 - (1.25 - gp.x2);

    gp.T2 = tipPoint(2, gp.alphab, gp.rb2, gp.ru2);
    gp.distT2 = distanceFromOrigin(gp.T2);
    gp.T1 = tipPoint(1, gp.alphab, gp.rb1, gp.ru1);
    gp.distT1 = distanceFromOrigin(gp.T1);

    shiftedOutlineStage();
}

static bool finitePoint(const Vec2& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

static bool finiteOutline(const ToothProfile& profile, int last)
{
    for (int i = 0; i <= last; ++i) {
        if (!finitePoint(profile.p[i])) {
            return false;
        }
    }
    return true;
}

// Why the shifted pair just computed cannot be drawn, as a message with the gear's
// number, or null when it is sound. Checked in the order in which one fault
// causes the next.
static const char* shiftedPairFault(int& gearNumber)
{
    const GearPairState& gp = gearPair;
    const double ru[2] = {gp.ru1, gp.ru2};
    const double rf[2] = {gp.rf1, gp.rf2};
    const double rg[2] = {gp.rg1, gp.rg2};
    const double rb[2] = {gp.rb1, gp.rb2};
    const double r0[2] = {gp.r01, gp.r02};
    const double x[2] = {gp.x1, gp.x2};
    const int count[2] = {gp.count1, gp.count2};
    const ToothProfile* profile[2] = {&gp.profile1, &gp.profile2};
    for (int g = 0; g < 2; ++g) {
        gearNumber = g + 1;
        if (!(ru[g] > rg[g])) {
            return TIP_INSIDE_BASE_TEXT;
        }
        if (!(rf[g] > 0.0)) {
            return ROOT_NOT_POSITIVE_TEXT;
        }
        if (!(toothAngleOf(r0[g], x[g]) > 0.0)) {
            return NO_THICKNESS_TEXT;
        }
    }
    for (int g = 0; g < 2; ++g) {
        gearNumber = g + 1;
        if (count[g] < 0) {
            return NO_FLANK_TEXT;
        }
    }
    const double rcut[2] = {gp.rcut1, gp.rcut2};
    for (int g = 0; g < 2; ++g) {
        gearNumber = g + 1;
        // NOTE: an undercut circle at or above the working pitch circle would put
        // the undercut point on the far side of the pitch point.
        if (!(rcut[g] < rb[g])) {
            return UNDERCUT_BEYOND_PITCH_TEXT;
        }
    }
    bool placed[2] = {false, false};
    pitchPhase(gp.count1, gp.profile1, gp.rb1, placed[0]);
    pitchPhase(gp.count2, gp.profile2, gp.rb2, placed[1]);
    for (int g = 0; g < 2; ++g) {
        gearNumber = g + 1;
        if (!placed[g] || !(rb[g] <= ru[g]) || !(rb[g] >= rf[g])) {
            return NO_PHASE_TEXT;
        }
        if (!finiteOutline(*profile[g], count[g])) {
            return NOT_FINITE_RESULT_TEXT;
        }
    }
    const bool finite = finitePoint(gp.T1) && finitePoint(gp.T2) && finitePoint(gp.U1) &&
                        finitePoint(gp.U2) && finitePoint(gp.N1) && finitePoint(gp.N2) &&
                        std::isfinite(gp.limit1) && std::isfinite(gp.limit2) &&
                        std::isfinite(gp.phase1) && std::isfinite(gp.phase2) &&
                        std::isfinite(gp.rcut1) && std::isfinite(gp.rcut2);
    gearNumber = 0;
    return finite ? nullptr : NOT_FINITE_RESULT_TEXT;
}

// [SECTION] Dialogue
static void askTeeth()
{
    GearPairState& gp = gearPair;
    say("%s", TITLE_TEXT);
    say("%s", TEETH_HEADING_TEXT);
    for (;;) {
        say("%s", TEETH_PROMPT_TEXT);
        int z1 = 0;
        int z2 = 0;
        if (!readTwoInts(z1, z2)) {
            continue;
        }
        if (z1 < TEETH_MIN || z1 > TEETH_MAX || z2 < TEETH_MIN || z2 > TEETH_MAX) {
            say(TEETH_RANGE_TEXT, TEETH_MIN, TEETH_MAX, TEETH_MIN, TEETH_MAX);
            continue;
        }
        gp.z1 = z1;
        gp.z2 = z2;
        return;
    }
}

// NOTE: a rejected pair must leave the shifted pair as it was; this keeps the
// whole record while a candidate is computed in place.
static GearPairState savedPair;

static void askShifts()
{
    GearPairState& gp = gearPair;
    for (;;) {
        say("%s", SHIFT_PROMPT_TEXT);
        double x1 = 0.0;
        double x2 = 0.0;
        if (!readTwoReals(x1, x2)) {
            continue;
        }
        if (!std::isfinite(x1) || !std::isfinite(x2)) {
            say("%s", NOT_FINITE_TEXT);
            continue;
        }
        savedPair = gp;
        gp.x1 = x1;
        gp.x2 = x2;
        const double alphab = solveWorkingPressureAngle(gp.alpha0, gp.x1, gp.x2, gp.z1, gp.z2);
        if (alphab == 0.0 || std::isnan(alphab)) {
            gp = savedPair;
            say("%s", NO_MESH_TEXT);
            continue;
        }
        gp.alphab = alphab;
        shiftStage();
        int gearNumber = 0;
        const char* fault = shiftedPairFault(gearNumber);
        if (fault != nullptr) {
            gp = savedPair;
            say(fault, gearNumber);
            continue;
        }
        return;
    }
}

void resetView()
{
    ViewState& v = viewState;
    v.baseStep = PI / static_cast<double>(gearPair.z1 * 20);
    v.scale = 0.2;
    v.step = v.baseStep;
    v.theta2 = 0.0;
    v.theta1 = 0.0;
    v.theta2w = 0.0;
    v.theta1w = 0.0;
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

static void warnPointedTeeth()
{
    const GearPairState& gp = gearPair;
    if (toothIsPointed(gp.z1, gp.x1, gp.profile1, gp.count1)) {
        say(POINTED_TEXT, 1);
    }
    if (toothIsPointed(gp.z2, gp.x2, gp.profile2, gp.count2)) {
        say(POINTED_TEXT, 2);
    }
}

void parameterDialogue()
{
    if (viewState.lastKey != 'x') {
        askTeeth();
        teethStage();
    }
    askShifts();
    warnPointedTeeth();
    resetView();
    printReport();
}
