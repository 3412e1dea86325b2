// refusals.h -- what the dialogue says of a line or a pair that it cannot take.
#pragma once

#include "console/number_reading.h"
#include "gear/pair_stages.h"

// Why a line is dropped: it does not read as numbers, or it holds more numbers than
// the question asks. text is the line as read (readAsAscii), or nullptr when it
// was not read at all; an unreadable one that still holds characters outside ASCII
// gets a hint, which names the character when there is one.
void refuseLine(LineReading reading, const char* text);

// Why a pair is refused; gear is the number of the gear at fault.
void sayFault(PairFault fault, int gear);
