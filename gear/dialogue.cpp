// dialogue.cpp -- the console dialogue, the two stages of the gear pair, the
// report and the key help.
//
// The dialogue asks for the numbers of teeth (unless only the shifts are being
// re-entered), computes the standard pair, asks for the shift coefficients until
// a pair meshes with sound geometry, computes the shifted pair, resets the view
// and prints the report. It is fed one line at a time and never waits itself, so
// that a window can go on living between two lines. Every text is flushed as it
// is written, so that a prompt shows also when the console is a pipe. The
// Japanese texts are UTF-8; each goes out in the language of gear/language.h.
#include "gear/dialogue.h"

#include <cassert>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "gear/console_text.h"
#include "gear/language.h"
#include "gear/pair_stages.h"
#include "gear/tooth_profile.h"

FILE* consoleOut = stdout;

// [SECTION] Texts
static const char* const TITLE_TEXT = "\n１対標準歯車のかみ合いシミュレーションン";
static const char* const TEETH_HEADING_TEXT = "\n(1) 歯車１，２の歯数設定";
static const char* const TEETH_PROMPT_TEXT = "\n　  歯車１、２の歯数入力 z1 z2= ";
static const char* const SHIFT_PROMPT_TEXT = "\n(2) 歯車１，２の転位係数入力 x1 x2=";
static const char* const NO_MESH_TEXT = "\nかみ合い圧力角=0  かみ合いできない．別の転位係数でやり直し";

static const char* const UNREADABLE_TEXT =
    "\n数値として読めません．この行を捨てます．もう一度入力してください";
static const char* const TOO_MANY_TEXT =
    "\n数が多すぎます．この行を捨てます．もう一度入力してください";
static const char* const HALF_WIDTH_TEXT = "\n半角の数字で入力してください";
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
static const char* const CONTACT_TEXT =
    "\nかみ合い率ε=%.3f（かみ合い長さ%.4f÷法線ピッチ%.4f）  頂げきc=%.4f";
static const char* const STD_CONTACT_TEXT =
    "\n標準歯車では  かみ合い率ε=%.3f（かみ合い長さ%.4f÷法線ピッチ%.4f）  頂げきc=%.4f";

static const char* const KEY_HELP_TEXTS[] = {
    "\n'1' '2'キーで：１歯車・２歯車描画の選択",
    "\n'3'キーで　　：１，２歯車かみ合い図の選択",
    "\n's'キーで    ：かみ合い運動描画継続",
    "\n'r' 'R'キーで：かみ合い運動順逆の変更",
    "\n'w' 'W'キーで：図の縮小拡大",
    "\n'z'キーで    ：１，２歯車の歯数変更",
    "\n'p'キーで    ：表示中の図をPNGファイルに保存",
    "\nESCキーで　　：終了",
};

// [SECTION] Console
// NOTE: the format goes out in the text language; its English form has the same
// conversions (gear/language.cpp), so the arguments fit either.
__attribute__((format(printf, 1, 2))) static void say(const char* format, ...)
{
    char text[CONSOLE_TEXT_MAX];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof text, inLanguage(format), args);
    va_end(args);
    assert(length >= 0 && length < static_cast<int>(sizeof text) && "console text overflows");
    // NOTE: a text cut short by the buffer is still written only as far as it holds.
    const std::size_t kept = length < 0 ? 0 : static_cast<std::size_t>(length);
    writeConsoleText(consoleOut, text, kept < sizeof text ? kept : sizeof text - 1);
    std::fflush(consoleOut);
}

// A text without conversions, in the text language.
static void sayText(const char* text)
{
    say("%s", inLanguage(text));
}

[[noreturn]] void endOfDialogueInput()
{
    sayText(END_OF_INPUT_TEXT);
    std::exit(1);
}

// [SECTION] Reading a line
// What a Japanese input method in full-width mode types for a number, read as the
// ASCII it stands for. Each form is three bytes of UTF-8.
struct WideForm {
    const char* utf8;
    char ascii;
};
static const WideForm WIDE_FORMS[] = {
    {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'},
    {"６", '6'}, {"７", '7'}, {"８", '8'}, {"９", '9'}, {"＋", '+'}, {"－", '-'},
    {"．", '.'}, {"ｅ", 'e'}, {"Ｅ", 'E'}, {"　", ' '},
};
constexpr std::size_t WIDE_FORM_BYTES = 3;

bool readAsAscii(const char* line, char* text, std::size_t size)
{
    assert(size > std::strlen(line) && "the ASCII reading never grows the line");
    bool foreign = false;
    std::size_t out = 0;
    for (const char* c = line; *c != '\0' && out + 1 < size;) {
        const WideForm* form = nullptr;
        for (const WideForm& f : WIDE_FORMS) {
            if (std::strncmp(c, f.utf8, WIDE_FORM_BYTES) == 0) {
                form = &f;
            }
        }
        if (form != nullptr) {
            text[out++] = form->ascii;
            c += WIDE_FORM_BYTES;
            continue;
        }
        foreign = foreign || static_cast<unsigned char>(*c) >= 0x80;
        text[out++] = *c++;
    }
    text[out] = '\0';
    return foreign;
}

// The numbers of one line, at most `room` of them.
struct LineNumbers {
    int count;
    long long whole[2];  // when whole numbers are asked for
    double real[2];      // otherwise
};

enum class LineReading { NUMBERS, UNREADABLE, TOO_MANY };

static bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Splits text at blanks; every piece must read completely as a number (a whole
// number when wholeNumbers), and there may be no more than room of them.
// NOTE: a whole number past the range of long long reads as its limit, which the
// range check then refuses, rather than as unreadable.
static LineReading readNumbers(const char* text, bool wholeNumbers, int room, LineNumbers& numbers)
{
    numbers.count = 0;
    int pieces = 0;
    const char* c = text;
    for (;;) {
        while (isBlank(*c)) {
            ++c;
        }
        if (*c == '\0') {
            break;
        }
        const char* pieceEnd = c;
        while (*pieceEnd != '\0' && !isBlank(*pieceEnd)) {
            ++pieceEnd;
        }
        char* end = nullptr;
        long long whole = 0;
        double real = 0.0;
        if (wholeNumbers) {
            whole = std::strtoll(c, &end, 10);
        } else {
            real = std::strtod(c, &end);
        }
        if (end != pieceEnd) {
            return LineReading::UNREADABLE;
        }
        if (pieces < room) {
            numbers.whole[pieces] = whole;
            numbers.real[pieces] = real;
        }
        ++pieces;
        c = pieceEnd;
    }
    if (pieces > room) {
        return LineReading::TOO_MANY;
    }
    numbers.count = pieces;
    return LineReading::NUMBERS;
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

// [SECTION] Report
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
    // Contact ratio: the path of contact that the views draw (undercut ends
    // included) in base pitches; tip clearance a - ru1 - rf2. Then the same for
    // the standard pair of view 4.
    const double path = gp.limit1 + gp.limit2;
    say(CONTACT_TEXT, path / gp.pb, path, gp.pb, tipClearance(1));
    const double stdPath = gp.stdLimit1 + gp.stdLimit2;
    const double stdClearance = (gp.r01 + gp.r02) - gp.ru01 - (gp.r02 - DEDENDUM);
    say(STD_CONTACT_TEXT, stdPath / gp.pb, stdPath, gp.pb, stdClearance);
    for (const char* line : KEY_HELP_TEXTS) {
        sayText(line);
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
        const char* gears = strikes1 && strikes2 ? inLanguage("1と2") : strikes1 ? "1" : "2";
        say(NO_TIP_CLEARANCE_TEXT, strikes1 ? clearance1 : clearance2, gears);
    }
    for (int tip = 1; tip <= 2; ++tip) {
        const double depth = tipInterference(tip);
        if (depth > INTERFERENCE_LIMIT) {
            say(INTERFERENCE_TEXT, tip, 3 - tip, depth);
        }
    }
}

// [SECTION] Dialogue
// The two questions, each answered with two numbers on one line or on several.
enum class Question { NONE, TEETH, SHIFTS };
static Question question = Question::NONE;
static int numbersHeld;         // numbers typed so far towards the question's two
static long long teethHeld[2];  // z1, z2 as typed
static double shiftsHeld[2];    // x1, x2 as typed

// While a question waits, the record holds the last accepted pair, so that a
// window drawing it between two lines shows a whole pair; the pair being made
// waits in draftPair.
static GearPairState shownPair;
static GearPairState draftPair;
static bool draftHeld;

static void ask(Question q)
{
    question = q;
    numbersHeld = 0;
    sayText(q == Question::TEETH ? TEETH_PROMPT_TEXT : SHIFT_PROMPT_TEXT);
}

static void answerTeeth(long long z1, long long z2)
{
    if (!teethInRange(z1, z2)) {
        sayFault(PairFault::TEETH_OUT_OF_RANGE, 0);
        ask(Question::TEETH);
        return;
    }
    gearPair.z1 = static_cast<int>(z1);
    gearPair.z2 = static_cast<int>(z2);
    teethStage();
    ask(Question::SHIFTS);
}

static void answerShifts(double x1, double x2)
{
    int gear = 0;
    const PairFault fault = shiftPair(x1, x2, gear);
    if (fault != PairFault::NONE) {
        sayFault(fault, gear);
        ask(Question::SHIFTS);
        return;
    }
    warnOfUnsoundPair();
    resetView();
    printReport();
    question = Question::NONE;
}

// One line towards the open question: its numbers are held until there are two;
// a line that does not read, or holds more than the question asks, is dropped
// whole with what was held, and the question is asked again.
static void takeLine(const char* line, bool whole)
{
    char text[CONSOLE_LINE_MAX];
    const bool foreign = whole && readAsAscii(line, text, sizeof text);
    LineNumbers numbers = {};
    const LineReading reading =
        whole ? readNumbers(text, question == Question::TEETH, 2 - numbersHeld, numbers)
              : LineReading::UNREADABLE;
    if (reading != LineReading::NUMBERS) {
        sayText(reading == LineReading::TOO_MANY ? TOO_MANY_TEXT : UNREADABLE_TEXT);
        if (reading == LineReading::UNREADABLE && foreign) {
            sayText(HALF_WIDTH_TEXT);
        }
        ask(question);
        return;
    }
    for (int i = 0; i < numbers.count; ++i) {
        teethHeld[numbersHeld] = numbers.whole[i];
        shiftsHeld[numbersHeld] = numbers.real[i];
        ++numbersHeld;
    }
    if (numbersHeld < 2) {
        return;
    }
    if (question == Question::TEETH) {
        answerTeeth(teethHeld[0], teethHeld[1]);
    } else {
        answerShifts(shiftsHeld[0], shiftsHeld[1]);
    }
}

void openDialogue()
{
    assert(question == Question::NONE && "one dialogue at a time");
    if (viewState.lastKey == 'x') {
        ask(Question::SHIFTS);
        return;
    }
    sayText(TITLE_TEXT);
    sayText(TEETH_HEADING_TEXT);
    ask(Question::TEETH);
}

bool dialogueOpen()
{
    return question != Question::NONE;
}

void answerDialogue(const char* line, bool whole)
{
    assert(dialogueOpen() && "a line answers an open dialogue");
    shownPair = gearPair;
    if (draftHeld) {
        gearPair = draftPair;
    }
    takeLine(line, whole);
    draftHeld = dialogueOpen();
    if (draftHeld) {
        draftPair = gearPair;
        gearPair = shownPair;
    }
}
