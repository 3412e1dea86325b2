// number_reading.cpp -- reads the numbers of a typed line: full-width forms as
// their ASCII, then pieces between blanks, each of which must read completely as
// a decimal number. Knows nothing of which question the numbers answer or what is
// said of a line that does not read.
#include "console/number_reading.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

bool typedText(const char* line, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F) {
            return false;
        }
    }
    return true;
}

// What a Japanese input method in full-width mode types for a number, read as the
// ASCII it stands for. Each form is three bytes of UTF-8. The long vowel marks that
// an input method types for '-' (full-width and half-width katakana), and the
// minus sign of pasted text, are a minus only where a sign can stand: before a digit.
struct WideForm {
    const char* utf8;
    char ascii;
    bool signOnly;
};
static const WideForm WIDE_FORMS[] = {
    {"０", '0', false}, {"１", '1', false}, {"２", '2', false}, {"３", '3', false},
    {"４", '4', false}, {"５", '5', false}, {"６", '6', false}, {"７", '7', false},
    {"８", '8', false}, {"９", '9', false}, {"＋", '+', false}, {"－", '-', false},
    {"．", '.', false}, {"ｅ", 'e', false}, {"Ｅ", 'E', false}, {"　", ' ', false},
    {"ー", '-', true},  {"ｰ", '-', true},  {"−", '-', true},
};
constexpr std::size_t WIDE_FORM_BYTES = 3;

static const WideForm* wideFormAt(const char* c)
{
    for (const WideForm& f : WIDE_FORMS) {
        if (std::strncmp(c, f.utf8, WIDE_FORM_BYTES) == 0) {
            return &f;
        }
    }
    return nullptr;
}

static bool digitAt(const char* c)
{
    const WideForm* form = wideFormAt(c);
    return (*c >= '0' && *c <= '9') || (form != nullptr && form->ascii >= '0' && form->ascii <= '9');
}

void readAsAscii(const char* line, char* text, std::size_t size)
{
    assert(size > std::strlen(line) && "the ASCII reading never grows the line");
    std::size_t out = 0;
    for (const char* c = line; *c != '\0' && out + 1 < size;) {
        const WideForm* form = wideFormAt(c);
        if (form != nullptr && (!form->signOnly || digitAt(c + WIDE_FORM_BYTES))) {
            text[out++] = form->ascii;
            c += WIDE_FORM_BYTES;
            continue;
        }
        text[out++] = *c++;
    }
    text[out] = '\0';
}

// The UTF-8 character at c: its length in bytes, 0 when c holds no well-formed one.
static std::size_t utf8Character(const char* c, unsigned long& codePoint)
{
    const unsigned char lead = static_cast<unsigned char>(*c);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    static const unsigned long SMALLEST[] = {0, 0, 0x80, 0x800, 0x10000};
    if (length == 0) {
        return 0;
    }
    codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(c[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint >= SMALLEST[length] && codePoint <= 0x10FFFF && !surrogate ? length : 0;
}

Foreign foreignCharacters(const char* text, char (&character)[FOREIGN_CHARACTER_BYTES],
                          unsigned long& codePoint)
{
    Foreign found = Foreign::NONE;
    character[0] = '\0';
    for (const char* c = text; *c != '\0';) {
        if (static_cast<unsigned char>(*c) < 0x80) {
            ++c;
            continue;
        }
        unsigned long point = 0;
        const std::size_t length = utf8Character(c, point);
        if (length == 0 || (found == Foreign::ONE && point != codePoint)) {
            return Foreign::SEVERAL;
        }
        std::memcpy(character, c, length);
        character[length] = '\0';
        codePoint = point;
        found = Foreign::ONE;
        c += length;
    }
    return found;
}

static bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Whether the piece at c is written in hexadecimal, which strtod reads too.
static bool hexadecimal(const char* c)
{
    c += *c == '+' || *c == '-';
    return c[0] == '0' && (c[1] == 'x' || c[1] == 'X');
}

// NOTE: a whole number past the range of long long reads as its limit, which the
// range check then refuses, rather than as unreadable.
LineReading readNumbers(const char* text, bool wholeNumbers, int room, LineNumbers& numbers)
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
        if (hexadecimal(c)) {
            return LineReading::UNREADABLE;
        }
        char* end = nullptr;
        long long whole = 0;
        double real = 0.0;
        if (wholeNumbers) {
            whole = std::strtoll(c, &end, 10);
        } else {
            // NOTE: adding zero turns -0 into 0, which no report then prints as -0.0000.
            real = std::strtod(c, &end) + 0.0;
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
