#ifndef TRACE_H
#define TRACE_H

#include <cstddef>
#include <cstdio>

#include "check.h"

// Writes what byte b, at offset in the word, did to the check k, when it was
// a bracket examined: "OFFSET BRACKET push|pop PENDING", the pending opening
// brackets bottom first, or "-" when none are.
void tracestep(FILE *out, const bracketscan *k, size_t offset, char b, bracketstep step);

// Writes one line saying why the check k fails, when it does: the step that
// failed it, or the innermost opening bracket left open.
void tracewhy(FILE *out, const bracketscan *k);

#endif
