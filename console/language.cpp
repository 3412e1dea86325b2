// language.cpp -- the process-wide language and the English form of every text.
//
// Each row pairs a Japanese text, byte for byte as it is written where it is used,
// with its English form: short and plain, for a student, with the same
// conversions in the same order, so that the same numbers stand in the same
// places. A text changed or added at its place of use, and not here, comes out in
// Japanese in an English run; the dialogue's tests run every text in English and
// look for Japanese characters.
#include "console/language.h"

#include <cstring>

Language textLanguage = Language::JAPANESE;

static const TextPair TEXT_PAIRS[] = {
    // [SECTION] Dialogue: questions and refusals (console/dialogue.cpp, refusals.cpp)
    {"\n１対標準歯車のかみ合いシミュレーションン", "\nMeshing simulation of a pair of spur gears"},
    {"\n(1) 歯車１，２の歯数設定", "\n(1) Numbers of teeth of gears 1 and 2"},
    {"\n　  歯車１、２の歯数入力 z1 z2= ", "\n    Type the numbers of teeth z1 z2= "},
    {"\n(2) 歯車１，２の転位係数入力 x1 x2=", "\n(2) Type the shift coefficients x1 x2="},
    {"\nかみ合い圧力角=0  かみ合いできない．別の転位係数でやり直し",
     "\nWorking pressure angle=0  the gears cannot mesh. Try other shift coefficients"},
    {"\n数値として読めません．この行を捨てます．もう一度入力してください",
     "\nThis is not a number. The line is dropped; please type it again"},
    {"\n数が多すぎます．この行を捨てます．もう一度入力してください",
     "\nToo many numbers. The line is dropped; please type it again"},
    {"\n半角の数字で入力してください", "\nPlease type the numbers with the digits 0 to 9"},
    {"\n半角の数字で入力してください（「%s」（U+%04lX）は数値に使えません）",
     "\nPlease type the numbers with the digits 0 to 9 (\"%s\" (U+%04lX) is not part of a number)"},
    {"\n入力が終わりました．終了します\n", "\nThe input has ended. The program ends\n"},
    {"\n歯数は%d以上%d以下で入力してください（%d未満では歯元のアンダーカットがピッチ円を越え，"
     "%dを超えると描画に時間がかかり操作できません）",
     "\nThe numbers of teeth must be from %d to %d (below %d the undercut at the root passes "
     "the pitch circle; above %d a picture takes too long to draw)"},
    {"\n転位係数には有限の数値を入力してください",
     "\nThe shift coefficients must be finite numbers"},
    {"\n歯車%dの歯先円が基礎円の内側（または基礎円上）にあり，歯形ができません．"
     "別の転位係数でやり直し",
     "\nGear %d: the tip circle lies inside (or on) the base circle, so there is no tooth. "
     "Try other shift coefficients"},
    {"\n歯車%dの歯厚が正になりません．別の転位係数でやり直し",
     "\nGear %d: the tooth thickness is not positive. Try other shift coefficients"},
    {"\n歯車%dの歯元のトロコイドとインボリュートがつながりません．別の転位係数でやり直し",
     "\nGear %d: the trochoid at the root does not meet the involute. "
     "Try other shift coefficients"},
    {"\n歯車%dのアンダーカットがかみ合いピッチ円に達し，かみ合いの始まりがありません．"
     "別の転位係数でやり直し",
     "\nGear %d: the undercut reaches the working pitch circle, so contact has no start. "
     "Try other shift coefficients"},
    {"\n歯車%dのかみ合いピッチ円が歯元のすみ肉（インボリュート歯面の始まる円より内側）にあり，"
     "かみ合いの始まりがありません．別の転位係数でやり直し",
     "\nGear %d: the working pitch circle lies in the fillet (inside the circle where the involute "
     "begins), so contact has no start. Try other shift coefficients"},
    {"\n注意：歯車%dの歯先が歯車%dの歯元のすみ肉に%.3f食い込みます（干渉）",
     "\nNote: the tip of gear %d cuts into the fillet of gear %d by %.3f (interference)"},
    {"\n歯車%dのかみ合いピッチ円が歯面と交わりません（歯先円の外側か歯底円の内側にあります）．"
     "別の転位係数でやり直し",
     "\nGear %d: the working pitch circle misses the flank (it lies outside the tip circle or "
     "inside the root circle). Try other shift coefficients"},
    {"\n計算結果が有限の数になりません．別の転位係数でやり直し",
     "\nA result is not a finite number. Try other shift coefficients"},

    // [SECTION] Warnings (console/report.cpp)
    {"\n注意：かみ合い率が%.4fで1より小さく，次の歯がかみ合う前に接触が途切れます（かみ合いが続きません）",
     "\nWarning: the contact ratio is %.4f, less than 1: contact breaks off before the next "
     "teeth meet (the mesh does not go on)"},
    {"\n注意：頂げきが%.3fで正になりません．歯車%sの歯先が相手の歯車の歯底円に当たります",
     "\nWarning: the tip clearance is %.3f, not positive: the tips of gear %s strike the root "
     "circle of the mating gear"},
    {"1と2", "1 and 2"},
    {"\n注意：歯車%dの歯先がとがっています（両側の歯面が歯先円より内側で交わります）",
     "\nWarning: the teeth of gear %d are pointed (the two flanks meet inside the tip circle)"},

    // [SECTION] Report (console/report.cpp)
    {"\n基準圧力角α0=%6.3f[deg]  かみ合い圧力角αb=%6.3f[deg]",
     "\nStandard pressure angle α0=%6.3f[deg]  working pressure angle αb=%6.3f[deg]"},
    {"\n基準軸間距離a0=%7.4f 軸間距離a=%7.4f",
     "\nStandard centre distance a0=%7.4f centre distance a=%7.4f"},
    {"\n歯数 z1=%3d  転位係数 x1=%7.4f", "\nTeeth z1=%3d  shift coefficient x1=%7.4f"},
    {"\n基準ピッチ円・基礎円半径     r01=%7.4f rg1=%7.4f",
     "\nStandard pitch, base radius  r01=%7.4f rg1=%7.4f"},
    {"\nかみ合いピッチ円・歯先円半径 rb1=%7.4f ru1=%7.4f",
     "\nWorking pitch, tip radius    rb1=%7.4f ru1=%7.4f"},
    {"\n歯数 z2=%3d  転位係数 x2=%7.4f", "\nTeeth z2=%3d  shift coefficient x2=%7.4f"},
    {"\n基準ピッチ円・基礎円半径     r02=%7.4f rg2=%7.4f",
     "\nStandard pitch, base radius  r02=%7.4f rg2=%7.4f"},
    {"\nかみ合いピッチ円・歯先円半径 rb2=%7.4f ru2=%7.4f",
     "\nWorking pitch, tip radius    rb2=%7.4f ru2=%7.4f"},
    {"\nかみ合い率ε=%.3f（かみ合い長さ%.4f÷法線ピッチ%.4f）  頂げきc=%.4f",
     "\nContact ratio ε=%.3f (path of contact %.4f / base pitch %.4f)  tip clearance c=%.4f"},
    {"\n標準歯車では  かみ合い率ε=%.3f（かみ合い長さ%.4f÷法線ピッチ%.4f）  頂げきc=%.4f",
     "\nStandard gears: contact ratio ε=%.3f (path of contact %.4f / base pitch %.4f)  "
     "tip clearance c=%.4f"},
    {"\nすべり率  歯元で歯車1 %.3f  歯車2 %.3f（一対かみ合い区間%.4f）",
     "\nSpecific sliding at the roots: gear 1 %.3f, gear 2 %.3f (single-pair contact %.4f)"},
    {"\n標準歯車では  すべり率  歯元で歯車1 %.3f  歯車2 %.3f（一対かみ合い区間%.4f）",
     "\nStandard gears: specific sliding at the roots: gear 1 %.3f, gear 2 %.3f "
     "(single-pair contact %.4f)"},

    // [SECTION] Key help
    {"\n'1' '2'キーで：１歯車・２歯車描画の選択", "\n'1' '2' keys: gear 1 or gear 2 alone"},
    {"\n'3'キーで　　：１，２歯車かみ合い図の選択", "\n'3' key     : gears 1 and 2 in mesh"},
    {"\n'4'キーで　　：標準歯車のかみ合い図の選択", "\n'4' key     : the standard pair in mesh"},
    {"\n'5'キーで　　：かみ合いの分担とすべり率の図の選択",
     "\n'5' key     : how contact is shared, and the specific sliding"},
    {"\n's'キーで    ：かみ合い運動描画継続", "\n's' key     : turn the gears one step"},
    {"\n'a'キーで    ：かみ合い運動の自動再生・停止", "\n'a' key     : turn the gears on and on, or stop"},
    {"\n'r' 'R'キーで：かみ合い運動順逆の変更", "\n'r' 'R' keys: turn forward, backward"},
    {"\n'w' 'W'キーで：図の縮小拡大", "\n'w' 'W' keys: zoom out, zoom in"},
    {"\n'z'キーで    ：１，２歯車の歯数変更", "\n'z' key     : new numbers of teeth"},
    {"\n'x'キーで    ：転位係数だけ変更", "\n'x' key     : new shift coefficients only"},
    {"\n'p'キーで    ：表示中の図をPNGファイルに保存", "\n'p' key     : save the picture as a PNG file"},
    {"\n'h'キーで    ：高コントラスト表示（プロジェクタ・印刷向け）の切り替え",
     "\n'h' key     : high contrast on or off (for projectors and print)"},
    {"\nESCキーで　　：終了", "\nESC key     : quit"},

    // [SECTION] Window legends in the text language (app/contact_view.cpp)
    {"(5) 作用線上のかみ合い：上は転位歯車，下は標準歯車",
     "(5) contact along the line of action: shifted pair above, standard pair below"},
    {"赤：一対かみ合い区間  青：二対かみ合い区間  黒点：いまの接触点",
     "red: one pair in contact  blue: two pairs  black dots: contacts now"},
    {"すべり率：緑は歯車1，赤紫は歯車2（左の目盛り）",
     "specific sliding: green gear 1, magenta gear 2 (scale on the left)"},
    {"A：かみ合い始め  E：かみ合い終わり  P：ピッチ点",
     "A: contact starts  E: contact ends  P: pitch point"},
    {"転位歯車  かみ合い率ε=%.3f", "shifted pair  contact ratio ε=%.3f"},
    {"標準歯車  かみ合い率ε=%.3f", "standard pair  contact ratio ε=%.3f"},
    {"かみ合っている歯の対：%d", "tooth pairs in contact: %d"},

    // [SECTION] Picture (app/picture.cpp, picture_caption.cpp)
    {"歯数 z1=%d z2=%d  転位係数 x1=%.4f x2=%.4f",
     "teeth z1=%d z2=%d  shift coefficients x1=%.4f x2=%.4f"},
    {"かみ合い圧力角αb=%.3f°  軸間距離a=%.4f",
     "working pressure angle αb=%.3f°  centre distance a=%.4f"},
    {"かみ合い率ε=%.3f  頂げきc=%.4f", "contact ratio ε=%.3f  tip clearance c=%.4f"},
    {"\n図を保存しました：%s", "\nPicture saved: %s"},
    {"\n図を保存できませんでした：%s（%s）", "\nCould not save the picture: %s (%s)"},
    {"このフォルダに書き込む許可がありません", "no permission to write in this folder"},
    {"読み出し専用のファイルシステムです", "the file system is read-only"},
    {"ディスクに空きがありません", "the disk is full"},
    {"ディスクの使用量の上限に達しています", "the disk quota is used up"},
    {"フォルダがありません", "the folder no longer exists"},
    {"同じ名前のファイルがすでにあります", "files of these names exist already"},
    {"メモリが足りません", "not enough memory"},
    {"読み書きに失敗しました", "input/output error"},

    // [SECTION] Outlines (app/outline_svg.cpp)
    {"\n輪郭を保存しました：%s", "\nOutline saved: %s"},
    {"\n輪郭を保存できませんでした：%s（%s）", "\nCould not save the outline: %s (%s)"},
    {"\n軸穴の中心距離：%.3f mm（軸間距離a=%.4f×モジュール%g mm）",
     "\nDrill the two axle holes %.3f mm apart, centre to centre (centre distance a=%.4f × "
     "module %g mm)"},
    {"\nバックラッシを付けるには軸穴を少し離します：ピッチ円上のバックラッシ0.1 mmにつき%.3f mm",
     "\nFor backlash, drill them a little farther apart: %.3f mm for each 0.1 mm of backlash on "
     "the pitch circle"},
    {"\n穴の直径%g mmが歯車%dの歯底円の直径%.3f mmより小さくないため，輪郭を書きません"
     "（歯底円の直径：歯車1 %.3f mm，歯車2 %.3f mm）\n",
     "\nThe bore of %g mm is not smaller than the root circle of gear %d (diameter %.3f mm): no "
     "outline is written (root circle diameters: gear 1 %.3f mm, gear 2 %.3f mm)\n"},

    // [SECTION] Command line and window (app/)
    {"\n不明なオプションです：%s", "\nUnknown option: %s"},
    {"\nオプション %s の後に値がありません", "\nOption %s needs a value after it"},
    {"\n--outline のモジュールは0より大きく100以下の数（mm）で指定してください：%s",
     "\nThe module after --outline must be a number above 0 and at most 100 (mm): %s"},
    {"\n--bore の直径は0より大きい数（mm）で指定してください：%s",
     "\nThe diameter after --bore must be a number above 0 (mm): %s"},
    {"\n%s は --outline と一緒に指定してください", "\n%s goes with --outline"},
    {"\n使い方：gearmesh [--english | -e] [--high-contrast] [--outline モジュール [--bore 直径]]"
     " [GLUTのオプション]"
     "\n  --english, -e  コンソールの文とウィンドウのタイトルを英語にする"
     "\n  --high-contrast  高コントラストで描く（キーhと同じ：プロジェクタ・印刷向け）"
     "\n  --outline M    ウィンドウを開かず，2つの歯車をモジュールM mmのSVGファイルに書く"
     "\n  --bore D       その歯車に直径D mmの中心穴をあける"
     "\n  GLUTのオプション：-display 画面名  -geometry 幅x高さ+X+Y  -iconic  -direct  -indirect"
     "  -gldebug  -sync\n",
     "\nUsage: gearmesh [--english | -e] [--high-contrast] [--outline MODULE [--bore D]]"
     " [GLUT options]"
     "\n  --english, -e  console texts and window title in English"
     "\n  --high-contrast  draw in high contrast (as the key h does: for projectors and print)"
     "\n  --outline M    no window: write the two gears as SVG files at module M mm"
     "\n  --bore D       with a centre hole of diameter D mm in each"
     "\n  GLUT options: -display NAME  -geometry WxH+X+Y  -iconic  -direct  -indirect"
     "  -gldebug  -sync\n"},
    {"転位歯車のかみ合い　z:歯数変更，x:転位係数変更，1,2,3,4：描画歯車選択，"
     "w,W:縮小拡大，r,R:正逆回転，s:かみ合い継続",
     "Shifted gears in mesh  z: teeth, x: shifts, 1,2,3,4: view, w,W: zoom out, in, "
     "r,R: forward, backward, s: step"},
    {"\nウィンドウを開けません：%s．\n%s\n", "\nCannot open the window: %s.\n%s\n"},
    {"デスクトップの端末から起動するか，環境変数 DISPLAY に画面を指定してください"
     "（例：DISPLAY=:0 gearmesh）",
     "Start the program from a terminal on the desktop, or name the screen in the "
     "environment variable DISPLAY (for example DISPLAY=:0 gearmesh)"},
    {"デスクトップから起動してください", "Start the program from the desktop"},
    {"ブラウザの設定で WebGL（ハードウェアアクセラレーション）を有効にするか，"
     "ブラウザを最新の版にしてください",
     "Turn on WebGL (hardware acceleration) in the browser's settings, or update the browser to "
     "its latest version"},
    {"このブラウザでは WebGL が使えません", "this browser offers no WebGL"},
    {"環境変数 DISPLAY が設定されていません（画面のない端末や ssh からの起動では設定されません）",
     "the environment variable DISPLAY is not set (it is not, on a terminal without a screen "
     "or over ssh)"},
    {"X ディスプレイ「%s」に接続できません", "cannot connect to the X display \"%s\""},
    {"「-display」のあとに X ディスプレイの名前がありません", "no X display name after \"-display\""},
};

const char* englishFormOf(const char* japanese)
{
    for (const TextPair& pair : TEXT_PAIRS) {
        if (std::strcmp(pair.japanese, japanese) == 0) {
            return pair.english;
        }
    }
    return nullptr;
}

const char* inLanguage(const char* japanese)
{
    if (textLanguage == Language::JAPANESE) {
        return japanese;
    }
    const char* english = englishFormOf(japanese);
    return english != nullptr ? english : japanese;
}

const TextPair* textPairs(int& count)
{
    count = static_cast<int>(sizeof TEXT_PAIRS / sizeof TEXT_PAIRS[0]);
    return TEXT_PAIRS;
}
