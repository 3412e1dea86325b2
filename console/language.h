// language.h -- the language of every console text and of the window title.
//
// The texts are written in Japanese where they are used; the English forms live
// in one table (language.cpp), keyed by the Japanese text, as gettext keys its
// translations by the source text. A Japanese text that has no English form is
// shown as it is.
#pragma once

enum class Language { JAPANESE, ENGLISH };

// Process-wide, JAPANESE at start; set by the command line (--english) before the
// first text, and read at every text, so that a switch (a web page's) changes the
// texts from the next one on.
extern Language textLanguage;

// `japanese` in textLanguage: itself, or its English form. A format keeps its
// conversions, in the same order, in both languages.
__attribute__((format_arg(1))) const char* inLanguage(const char* japanese);

// The English form of `japanese`, or nullptr when the table has none.
const char* englishFormOf(const char* japanese);

// The table itself, for the tests: `count` pairs, Japanese first.
struct TextPair {
    const char* japanese;
    const char* english;
};
const TextPair* textPairs(int& count);
