// number_reading.cpp -- reads the numbers of a typed line: full-width forms as
// their ASCII, then pieces between blanks, each of which must read completely as
// a number. Knows nothing of which question the numbers answer or what is said
// of a line that does not read.
#include "console/number_reading.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

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

static bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
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
