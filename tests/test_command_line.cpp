// The command line: the language and contrast options are taken out, GLUT's options stay for
// glutInit in their order, anything else is refused with the reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "console/language.h"
#include "draw/kit.h"

namespace {

TEST(CommandLine, TakesItsOwnOptionsAndLeavesGlutsAlone)
{
    const struct {
        std::vector<std::string> args, left;
        CommandLine asked;
        Language language;
        std::string problem;
        bool contrast;
    } cases[] = {
        {{"gm", "-display", ":3", "--english", "-geometry", "6x5", "-iconic", "--high-contrast",
          "-direct", "-indirect", "-gldebug", "-sync"},
         {"gm", "-display", ":3", "-geometry", "6x5", "-iconic", "-direct", "-indirect",
          "-gldebug", "-sync"},
         CommandLine::RUN, Language::ENGLISH, "", true},
        {{"gm", "--englsh", "-e"}, {"gm"}, CommandLine::WRONG, Language::ENGLISH,
         "\nUnknown option: --englsh", false},
        {{"gm", "-sync", "-geometry"}, {"gm", "-sync"}, CommandLine::WRONG, Language::JAPANESE,
         "\nオプション -geometry の後に値がありません", false},
    };
    for (const auto& c : cases) {
        textLanguage = Language::JAPANESE;
        highContrast = false;
        std::vector<char*> argv;
        for (const std::string& arg : c.args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        int argc = static_cast<int>(c.args.size());
        char problem[256];
        EXPECT_EQ(readCommandLine(&argc, argv.data(), problem, sizeof problem), c.asked);
        EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.begin() + argc), c.left);
        EXPECT_EQ(textLanguage, c.language);
        EXPECT_EQ(problem, c.problem);
        EXPECT_EQ(highContrast, c.contrast);
    }
    textLanguage = Language::JAPANESE;
    highContrast = false;
}

}  // namespace
