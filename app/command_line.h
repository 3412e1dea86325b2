// command_line.h -- gearmesh's own options, and GLUT's passed on to glutInit.
#pragma once

// What the command line asks for.
enum class CommandLine {
    RUN,   // start; argv holds GLUT's options only
    HELP,  // --help or -h: the usage, then end with status 0
    WRONG, // an option neither gearmesh's nor GLUT's: the usage, then end with status 2
};

// Reads --english (-e) into textLanguage and --help (-h), and takes them out of
// argv, so that glutInit sees GLUT's own options as typed: -display NAME,
// -geometry WxH+X+Y, -iconic, -direct, -indirect, -gldebug, -sync. Anything else,
// or -display and -geometry without their value, is WRONG; the problem receives
// the one-line reason (a format of the text language, with the argument filled in;
// NUL-terminated, at most size bytes).
CommandLine readCommandLine(int* argc, char** argv, char* problem, int size);

// The usage, in the text language (ends with a line break).
const char* usageText();
