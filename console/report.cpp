// report.cpp -- the report of an accepted pair: its circles, centre distances and
// contact ratios beside those of the standard pair, the warnings of a pair that
// is drawn but would not work well, and the key help. Every figure comes from the
// geometry (gear/); this file chooses the digits and the words.
#include "console/report.h"

#include "console/console_text.h"
#include "console/language.h"
#include "gear/contact_path.h"
#include "gear/gear_pair.h"
#include "gear/pair_stages.h"
#include "gear/tooth_profile.h"

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
static const char* const SLIDING_TEXT =
    "\nすべり率  歯元で歯車1 %.3f  歯車2 %.3f（一対かみ合い区間%.4f）";
static const char* const STD_SLIDING_TEXT =
    "\n標準歯車では  すべり率  歯元で歯車1 %.3f  歯車2 %.3f（一対かみ合い区間%.4f）";

static const char* const KEY_HELP_TEXTS[] = {
    "\n'1' '2'キーで：１歯車・２歯車描画の選択",
    "\n'3'キーで　　：１，２歯車かみ合い図の選択",
    "\n'4'キーで　　：標準歯車のかみ合い図の選択",
    "\n'5'キーで　　：かみ合いの分担とすべり率の図の選択",
    "\n's'キーで    ：かみ合い運動描画継続",
    "\n'a'キーで    ：かみ合い運動の自動再生・停止",
    "\n'r' 'R'キーで：かみ合い運動順逆の変更",
    "\n'w' 'W'キーで：図の縮小拡大",
    "\n'z'キーで    ：１，２歯車の歯数変更",
    "\n'x'キーで    ：転位係数だけ変更",
    "\n'p'キーで    ：表示中の図をPNGファイルに保存",
    "\n'h'キーで    ：高コントラスト表示（プロジェクタ・印刷向け）の切り替え",
    "\nESCキーで　　：終了",
};

bool keyHelpWanted = true;

PairFigures shiftedPairFigures()
{
    const GearPairState& gp = gearPair;
    // Contact ratio: the path of contact that the views draw (undercut ends
    // included) in base pitches; tip clearance a - ru1 - rf2.
    const double path = gp.limit1 + gp.limit2;
    return PairFigures{gp.alphab * RAD_TO_DEG, gp.rb1 + gp.rb2, path / gp.pb, path, tipClearance(1)};
}

void printReport()
{
    const GearPairState& gp = gearPair;
    const PairFigures shiftedFigures = shiftedPairFigures();
    say("\n基準圧力角α0=%6.3f[deg]  かみ合い圧力角αb=%6.3f[deg]", gp.alpha0 * RAD_TO_DEG,
        shiftedFigures.alphabDegrees);
    say("\n基準軸間距離a0=%7.4f 軸間距離a=%7.4f", gp.r01 + gp.r02, shiftedFigures.a);
    say("\n歯数 z1=%3d  転位係数 x1=%7.4f", gp.z1, gp.x1);
    say("\n基準ピッチ円・基礎円半径     r01=%7.4f rg1=%7.4f", gp.r01, gp.rg1);
    say("\nかみ合いピッチ円・歯先円半径 rb1=%7.4f ru1=%7.4f", gp.rb1, gp.ru1);
    say("\n歯数 z2=%3d  転位係数 x2=%7.4f", gp.z2, gp.x2);
    say("\n基準ピッチ円・基礎円半径     r02=%7.4f rg2=%7.4f", gp.r02, gp.rg2);
    say("\nかみ合いピッチ円・歯先円半径 rb2=%7.4f ru2=%7.4f", gp.rb2, gp.ru2);
    // The contact ratio and tip clearance, then the same for the standard pair of
    // view 4; each followed by the specific sliding at the two roots, where it is
    // worst, and the length of path on which one pair of teeth carries the load alone.
    say(CONTACT_TEXT, shiftedFigures.contactRatio, shiftedFigures.path, gp.pb,
        shiftedFigures.clearance);
    const ContactPath shifted = shiftedContactPath();
    say(SLIDING_TEXT, rootSliding(shifted, 1), rootSliding(shifted, 2), singlePairLength(shifted));
    const double stdPath = gp.stdLimit1 + gp.stdLimit2;
    const double stdClearance = (gp.r01 + gp.r02) - gp.ru01 - (gp.r02 - DEDENDUM);
    say(STD_CONTACT_TEXT, stdPath / gp.pb, stdPath, gp.pb, stdClearance);
    const ContactPath standard = standardContactPath();
    say(STD_SLIDING_TEXT, rootSliding(standard, 1), rootSliding(standard, 2),
        singlePairLength(standard));
    for (const char* line : KEY_HELP_TEXTS) {
        if (keyHelpWanted) {
            sayText(line);
        }
    }
}

// Warnings of a pair that is drawn but cannot work as a gear pair should.
void warnOfUnsoundPair()
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
