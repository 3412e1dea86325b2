// dialogue.h -- the console dialogue that fills the gear pair, and its report.
#pragma once

#include <cstddef>

// The longest line, in bytes with its NUL, that the dialogue reads; a longer one
// is refused whole.
constexpr std::size_t CONSOLE_LINE_MAX = 256;

// Opens a run of the dialogue and asks its first question: the numbers of teeth,
// or with viewState.lastKey 'x' only the shift coefficients.
void openDialogue();
// True from openDialogue until a pair has been accepted and reported.
bool dialogueOpen();
// One line typed at the open dialogue: `length` bytes without its line end, then a
// NUL; whole is false when the line was longer than CONSOLE_LINE_MAX and is cut. A
// line that is cut, or holds a NUL or another control character, is refused whole.
// Once the answer completes an accepted pair, the record holds it, the view is
// reset and the report printed; until then the record keeps the pair it had.
void answerDialogue(const char* line, std::size_t length, bool whole);
// The console's input has ended while the dialogue waits: says so, ends with status 1.
[[noreturn]] void endOfDialogueInput();
