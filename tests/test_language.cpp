// The English texts: each has the conversions of its Japanese text, so that the
// same numbers stand in the same places, and an English run of every question,
// refusal and warning and of the report shows no Japanese character.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "console/language.h"
#include "dialogue_script.h"

namespace {

// The conversions of a printf format: "%d, %.3f" gives "d.3f".
std::string conversions(const std::string& format)
{
    std::string out;
    for (std::size_t i = format.find('%'); i != std::string::npos; i = format.find('%', i)) {
        const std::size_t end = format.find_first_of("diouxXfeEgGcs%", i + 1);
        if (end == std::string::npos) {
            return out + "?";
        }
        out += format.substr(i + 1, end - i);
        i = end + 1;
    }
    return out;
}

// Kana, kanji, the ideographic space, full-width forms: UTF-8 lead bytes E3 to E9
// (U+3000 to U+9FFF), or EF BC to EF BF (U+FF00 to U+FFFF).
bool hasJapanese(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if ((lead >= 0xE3 && lead <= 0xE9) || (lead == 0xEF && (text[i + 1] & 0xFC) == 0xBC)) {
            return true;
        }
    }
    return false;
}

TEST(Language, EveryEnglishFormHasTheConversionsOfItsJapaneseText)
{
    int count = 0;
    const TextPair* pairs = textPairs(count);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(conversions(pairs[i].english), conversions(pairs[i].japanese)) << pairs[i].english;
        EXPECT_TRUE(hasJapanese(pairs[i].japanese) && !hasJapanese(pairs[i].english)) << i;
    }
}

// Each script meets refusals or warnings (the pinned inputs of
// test_input_sweep.cpp), then a pair that is accepted and reported.
TEST(Language, EveryQuestionRefusalWarningAndTheReportInEnglish)
{
    const char* scripts[] = {
        "3 30\nabc\n２０　あい\n20 é\n20 20 20\n20 20\n-0.5 -0.5\nnan 0\n-1.7 1.7\n0 0\n",
        "100 100\n-2.2 0\n0 0\n", "20 20\n-1.5 1.0\n0 0\n", "5 40\n-0.3 0.5\n0 0\n",
        "7 5\n-0.7 1.4\n0 0\n", "10 30\n1.2 0\n", "16 40\n-0.5 -0.5\n",
    };
    textLanguage = Language::ENGLISH;
    for (const char* script : scripts) {
        const std::string printed = runDialogue(script, 'z');
        EXPECT_FALSE(hasJapanese(printed)) << printed;
    }
    textLanguage = Language::JAPANESE;
}

}  // namespace
