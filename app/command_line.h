// command_line.h -- gearmesh's own options, and GLUT's passed on to glutInit.
#pragma once

// What the command line asks for.
enum class CommandLine {
    RUN,   // start; argv holds GLUT's options only
    OUTLINE,  // --outline: the dialogue, then the gears as SVG files, no window
    HELP,  // --help or -h: the usage, then end with status 0
    WRONG, // an option neither gearmesh's nor GLUT's: the usage, then end with status 2
};

// Reads --english (-e) into textLanguage, --outline MODULE and --bore D into
// outlineRequest (app/outline_svg.h) and --help (-h), and takes them out of argv,
// so that glutInit sees GLUT's own options as typed: -display NAME,
// -geometry WxH+X+Y, -iconic, -direct, -indirect, -gldebug, -sync. Anything else,
// an option without its value, a module that is not a finite number above 0 and
// at most MODULE_MAX, a bore that is not one above 0 or without --outline, is
// WRONG; the problem receives the one-line reason (a format of the text language,
// with the argument filled in; NUL-terminated, at most size bytes).
CommandLine readCommandLine(int* argc, char** argv, char* problem, int size);

// The usage, in the text language (ends with a line break).
const char* usageText();
