// picture.cpp -- saves the frame in the window as a PNG file and an SVG file: key 'p'.
//
// The key sets a flag and posts a redisplay; endFrame, between drawing and the
// swap, calls savePictureIfAsked, which reads the back buffer (the frame just
// drawn, at the window's size), writes the caption's strip below it, encodes it
// (picture_png.cpp), writes the SVG from the frame's batch (picture_svg.cpp),
// hands both to the platform (picture_file.h) under the first name free for both,
// and tells the console. Nothing here touches the state the frame was drawn from.
#include "app/picture.h"

#include <GL/gl.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cstdlib>

#include "app/picture_file.h"
#include "app/picture_png.h"
#include "app/svg_text.h"
#include "app/window.h"
#include "console/console_text.h"
#include "console/language.h"
#include "gear/gear_pair.h"

static const char* const SAVED_TEXT = "\n図を保存しました：%s";
static const char* const NOT_SAVED_TEXT = "\n図を保存できませんでした：%s（%s）";

// Why a file could not be saved, for the causes a classroom meets; any other as
// the system words it.
struct SaveCause {
    int error;  // errno value
    const char* text;
};
static const SaveCause SAVE_CAUSES[] = {
    {EACCES, "このフォルダに書き込む許可がありません"},
    {EPERM, "このフォルダに書き込む許可がありません"},
    {EROFS, "読み出し専用のファイルシステムです"},
    {ENOSPC, "ディスクに空きがありません"},
#ifdef EDQUOT
    {EDQUOT, "ディスクの使用量の上限に達しています"},
#endif
    {ENOENT, "フォルダがありません"},
    {EEXIST, "同じ名前のファイルがすでにあります"},
    {ENOMEM, "メモリが足りません"},
    {EIO, "読み書きに失敗しました"},
};

const char* saveCauseText(int error)
{
    for (const SaveCause& cause : SAVE_CAUSES) {
        if (cause.error == error) {
            return inLanguage(cause.text);
        }
    }
    return std::strerror(error);
}

// How many numbered names (-2, -3, ...) are tried before giving up.
static constexpr int PICTURE_NUMBER_MAX = 9999;
// Room for a name, and for a whole path as the console shows it.
static constexpr std::size_t NAME_MAX_BYTES = 128;
static constexpr std::size_t PATH_MAX_BYTES = 4096 + NAME_MAX_BYTES;

static bool pictureAsked;  // set by 'p', cleared by the frame that saves

void askForPicture()
{
    pictureAsked = true;
}

void numberForName(double v, char* text, std::size_t size)
{
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.4f", std::fabs(v));
    std::size_t end = std::strlen(digits);
    while (end > 0 && digits[end - 1] == '0') {
        --end;
    }
    if (end > 0 && digits[end - 1] == '.') {
        --end;
    }
    digits[end] = '\0';
    const bool zero = std::strcmp(digits, "0") == 0;
    // NOTE: "m" for a minus, since a dash parts the two shifts.
    std::snprintf(text, size, "%s%s", v < 0.0 && !zero ? "m" : "", digits);
}

void pairBaseName(char* name, std::size_t size)
{
    const GearPairState& gp = gearPair;
    char x1[72];
    char x2[72];
    numberForName(gp.x1, x1, sizeof x1);
    numberForName(gp.x2, x2, sizeof x2);
    std::snprintf(name, size, "gearmesh_%d-%d_%s-%s", gp.z1, gp.z2, x1, x2);
}

void pictureBaseName(char* name, std::size_t size)
{
    char pair[NAME_MAX_BYTES - 8];  // room for "_viewV"
    pairBaseName(pair, sizeof pair);
    std::snprintf(name, size, "%s_view%c", pair, viewState.viewMode);
}

void pathOf(const char* name, char* where, std::size_t whereSize)
{
    currentFolder(where, whereSize);
    const std::size_t folder = std::strlen(where);
    std::snprintf(where + folder, whereSize - folder, "%s", name);
}

int writeUnderFreeName(const char* base, const NewFileBytes* files, int count, char* stem,
                       std::size_t stemSize, int& cause)
{
    std::snprintf(stem, stemSize, "%s", base);
    for (int number = 1; number <= PICTURE_NUMBER_MAX; ++number) {
        if (number > 1) {
            std::snprintf(stem, stemSize, "%s-%d", base, number);
        }
        int written = 0;
        NewFile outcome = NewFile::WRITTEN;
        char name[NAME_MAX_BYTES + 16];
        for (; written < count; ++written) {
            std::snprintf(name, sizeof name, "%s%s", stem, files[written].extension);
            outcome = writeNewFile(name, files[written].bytes, files[written].size, cause);
            if (outcome != NewFile::WRITTEN) {
                break;
            }
        }
        if (outcome != NewFile::TAKEN) {
            return written;
        }
        // NOTE: only a file made a moment ago by this very loop is removed.
        for (int i = 0; i < written; ++i) {
            std::snprintf(name, sizeof name, "%s%s", stem, files[i].extension);
            removeNewFile(name);
        }
    }
    cause = EEXIST;
    return 0;
}

// The frame read back with its caption below it: RGBA rows from the bottom, the
// caption's strip first; nullptr when the memory runs out.
static unsigned char* readPicture(int width, int height, const TextStrip& caption)
{
    const std::size_t stripBytes = static_cast<std::size_t>(width) * caption.height * 4;
    const std::size_t frameBytes = static_cast<std::size_t>(width) * height * 4;
    // NOTE: allocated for each picture, as the encoder allocates its own work:
    // pictures are rare, and their size follows the window's.
    auto* rgba = width > 0 && height > 0
                     ? static_cast<unsigned char*>(std::malloc(stripBytes + frameBytes))
                     : nullptr;
    if (rgba == nullptr) {
        return nullptr;
    }
    // NOTE: read as RGBA, the one format WebGL reads too, from the back buffer
    // that a double-buffered window reads by default.
    unsigned char* frame = rgba + stripBytes;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame);
    addLegendsToPicture(frame, width, height);
    writeTextStrip(caption, rgba, frame);
    return rgba;
}

void savePictureIfAsked()
{
    if (!pictureAsked) {
        return;
    }
    pictureAsked = false;
    char base[NAME_MAX_BYTES];
    pictureBaseName(base, sizeof base);
    // The viewport covers the whole window (reshapeWindow).
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2];
    const int height = viewport[3];
    Caption caption;
    composeCaption(width, caption);
    PngBytes png = {nullptr, 0, 0, false};
    SvgText svg = {nullptr, 0, 0, 0};
    unsigned char* rgba = readPicture(width, height, caption.strip);
    if (rgba != nullptr) {
        // The alpha is dropped: the kit draws with alpha 0 and the picture is opaque on screen.
        const std::size_t pixels = static_cast<std::size_t>(width) * (height + caption.strip.height);
        for (std::size_t i = 0; i < pixels; ++i) {
            rgba[3 * i] = rgba[4 * i];
            rgba[3 * i + 1] = rgba[4 * i + 1];
            rgba[3 * i + 2] = rgba[4 * i + 2];
        }
        encodePng(rgba, width, height + caption.strip.height, png);
        std::free(rgba);
        composePictureSvg(width, height, caption.strip, svg);
    }
    const NewFileBytes files[] = {
        {".png", png.bytes, png.size},
        {".svg", reinterpret_cast<const unsigned char*>(svg.bytes), svg.used},
    };
    // The files that are there to be written, in order; memory is why the rest are not.
    const int ready = png.bytes == nullptr ? 0 : svg.bytes == nullptr ? 1 : 2;
    int cause = ENOMEM;
    char stem[NAME_MAX_BYTES + 16];
    std::snprintf(stem, sizeof stem, "%s", base);
    const int written = ready > 0 ? writeUnderFreeName(base, files, ready, stem, sizeof stem, cause) : 0;
    freePng(png);
    std::free(svg.bytes);
    for (int i = 0; i < 2; ++i) {
        char name[NAME_MAX_BYTES + 32];
        char where[PATH_MAX_BYTES];
        std::snprintf(name, sizeof name, "%s%s", stem, files[i].extension);
        pathOf(name, where, sizeof where);
        if (i >= written) {
            // NOTE: the first file that is not saved is told of; the rest wait on it.
            say(NOT_SAVED_TEXT, where, saveCauseText(i < ready ? cause : ENOMEM));
            return;
        }
        say(SAVED_TEXT, where);
    }
}
