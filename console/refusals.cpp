// refusals.cpp -- the texts that refuse a typed line or a pair, one per cause, so
// that a student learns what to change. The rules that find the causes are the
// geometry's (gear/pair_stages.h); this file only words them.
#include "console/refusals.h"

#include "console/console_text.h"

static const char* const UNREADABLE_TEXT =
    "\n数値として読めません．この行を捨てます．もう一度入力してください";
static const char* const TOO_MANY_TEXT =
    "\n数が多すぎます．この行を捨てます．もう一度入力してください";
static const char* const HALF_WIDTH_TEXT = "\n半角の数字で入力してください";
static const char* const HALF_WIDTH_NAMED_TEXT =
    "\n半角の数字で入力してください（「%s」（U+%04lX）は数値に使えません）";
static const char* const NO_MESH_TEXT = "\nかみ合い圧力角=0  かみ合いできない．別の転位係数でやり直し";
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

void refuseLine(LineReading reading, const char* text)
{
    sayText(reading == LineReading::TOO_MANY ? TOO_MANY_TEXT : UNREADABLE_TEXT);
    if (reading != LineReading::UNREADABLE || text == nullptr) {
        return;
    }
    char character[FOREIGN_CHARACTER_BYTES];
    unsigned long codePoint = 0;
    const Foreign foreign = foreignCharacters(text, character, codePoint);
    if (foreign == Foreign::ONE) {
        say(HALF_WIDTH_NAMED_TEXT, character, codePoint);
    } else if (foreign == Foreign::SEVERAL) {
        sayText(HALF_WIDTH_TEXT);
    }
}

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

void sayFault(PairFault fault, int gear)
{
    if (fault == PairFault::TEETH_OUT_OF_RANGE) {
        say(TEETH_RANGE_TEXT, TEETH_MIN, TEETH_MAX, TEETH_MIN, TEETH_MAX);
        return;
    }
    say(faultText(fault), gear);
}
