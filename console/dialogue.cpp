// dialogue.cpp -- the console dialogue: the two questions, and the pair that their
// answers make.
//
// The dialogue asks for the numbers of teeth (unless only the shifts are being
// re-entered), computes the standard pair, asks for the shift coefficients until
// a pair meshes with sound geometry, computes the shifted pair, resets the view
// and prints the report. It is fed one line at a time and never waits itself, so
// that a window can go on living between two lines. Reading the numbers, wording
// a refusal and the report live beside it (number_reading, refusals, report).
#include "console/dialogue.h"

#include <cassert>
#include <cstdlib>

#include "console/console_text.h"
#include "console/number_reading.h"
#include "console/refusals.h"
#include "console/report.h"
#include "gear/pair_stages.h"

static const char* const TITLE_TEXT = "\n１対標準歯車のかみ合いシミュレーションン";
static const char* const TEETH_HEADING_TEXT = "\n(1) 歯車１，２の歯数設定";
static const char* const TEETH_PROMPT_TEXT = "\n　  歯車１、２の歯数入力 z1 z2= ";
static const char* const SHIFT_PROMPT_TEXT = "\n(2) 歯車１，２の転位係数入力 x1 x2=";
static const char* const END_OF_INPUT_TEXT = "\n入力が終わりました．終了します\n";

[[noreturn]] void endOfDialogueInput()
{
    sayText(END_OF_INPUT_TEXT);
    std::exit(1);
}

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
static void takeLine(const char* line, std::size_t length, bool whole)
{
    char text[CONSOLE_LINE_MAX];
    // NOTE: a cut line, or one with a NUL, is not read at all: what stands beyond
    // the cut or the NUL would otherwise be dropped unseen.
    const bool read = whole && length < sizeof text && typedText(line, length);
    LineNumbers numbers = {};
    LineReading reading = LineReading::UNREADABLE;
    if (read) {
        readAsAscii(line, text, sizeof text);
        reading = readNumbers(text, question == Question::TEETH, 2 - numbersHeld, numbers);
    }
    if (reading != LineReading::NUMBERS) {
        refuseLine(reading, read ? text : nullptr);
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

void answerDialogue(const char* line, std::size_t length, bool whole)
{
    assert(dialogueOpen() && "a line answers an open dialogue");
    shownPair = gearPair;
    if (draftHeld) {
        gearPair = draftPair;
    }
    takeLine(line, length, whole);
    draftHeld = dialogueOpen();
    if (draftHeld) {
        draftPair = gearPair;
        gearPair = shownPair;
    }
}
