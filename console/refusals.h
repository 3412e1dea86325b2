// refusals.h -- what the dialogue says of a line or a pair that it cannot take.
#pragma once

#include "console/number_reading.h"
#include "gear/pair_stages.h"

// Why a line is dropped: it does not read as numbers (with a hint when it holds
// characters outside ASCII that are not full-width forms of a number), or it holds
// more numbers than the question asks.
void refuseLine(LineReading reading, bool foreign);

// Why a pair is refused; gear is the number of the gear at fault.
void sayFault(PairFault fault, int gear);
