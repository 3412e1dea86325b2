// picture.cpp -- saves the frame in the window as a PNG file: key 'p'.
//
// The key sets a flag and posts a redisplay; endFrame, between drawing and the
// swap, calls savePictureIfAsked, which reads the back buffer (the frame just
// drawn, at the window's size), encodes it (picture_png.cpp), hands the bytes to
// the platform (picture_file.h) under the first free name, and tells the console.
// Nothing here touches the state the frame was drawn from.
#include "app/picture.h"

#include <GL/gl.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cstdlib>

#include "app/picture_file.h"
#include "app/picture_png.h"
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

bool writeUnderFreeName(const char* base, const char* extension, const unsigned char* bytes,
                        std::size_t size, char* name, std::size_t nameSize, char* where,
                        std::size_t whereSize, int& cause)
{
    std::snprintf(name, nameSize, "%s%s", base, extension);
    for (int number = 1; number <= PICTURE_NUMBER_MAX; ++number) {
        if (number > 1) {
            std::snprintf(name, nameSize, "%s-%d%s", base, number, extension);
        }
        const NewFile outcome = writeNewFile(name, bytes, size, cause);
        if (outcome != NewFile::TAKEN) {
            pathOf(name, where, whereSize);
            return outcome == NewFile::WRITTEN;
        }
    }
    pathOf(name, where, whereSize);
    return false;
}

void savePictureIfAsked()
{
    if (!pictureAsked) {
        return;
    }
    pictureAsked = false;
    char base[NAME_MAX_BYTES];
    pictureBaseName(base, sizeof base);
    char name[NAME_MAX_BYTES + 16];
    std::snprintf(name, sizeof name, "%s.png", base);
    // The viewport covers the whole window (reshapeWindow).
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    PngBytes png = {nullptr, 0, 0, false};
    // NOTE: allocated for each picture, as the encoder allocates its own work:
    // pictures are rare, and their size follows the window's.
    auto* rgb = viewport[2] > 0 && viewport[3] > 0
                    ? static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(viewport[2]) *
                                                              static_cast<std::size_t>(viewport[3]) * 4))
                    : nullptr;
    if (rgb != nullptr) {
        // NOTE: read as RGBA, the one format WebGL reads too, from the back buffer
        // that a double-buffered window reads by default; the alpha is dropped,
        // since the kit draws with alpha 0 and the picture is opaque on screen.
        const std::size_t pixels = static_cast<std::size_t>(viewport[2]) *
                                   static_cast<std::size_t>(viewport[3]);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, viewport[2], viewport[3], GL_RGBA, GL_UNSIGNED_BYTE, rgb);
        addLegendsToPicture(rgb, viewport[2], viewport[3]);
        for (std::size_t i = 0; i < pixels; ++i) {
            rgb[3 * i] = rgb[4 * i];
            rgb[3 * i + 1] = rgb[4 * i + 1];
            rgb[3 * i + 2] = rgb[4 * i + 2];
        }
        encodePng(rgb, viewport[2], viewport[3], png);
        std::free(rgb);
    }
    char where[PATH_MAX_BYTES];
    int cause = ENOMEM;  // unless the picture is encoded
    const bool saved = png.bytes != nullptr &&
                       writeUnderFreeName(base, ".png", png.bytes, png.size, name, sizeof name,
                                          where, sizeof where, cause);
    freePng(png);
    if (saved) {
        say(SAVED_TEXT, where);
    } else {
        if (png.bytes == nullptr) {
            pathOf(name, where, sizeof where);
        }
        say(NOT_SAVED_TEXT, where, saveCauseText(cause));
    }
}
