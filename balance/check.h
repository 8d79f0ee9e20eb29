#ifndef CHECK_H
#define CHECK_H

#include <cstddef>

#include "sqstack.h"

// What one byte did to a bracket check.
enum bracketstep {
    STEP_NONE,     // no bracket, or the check had already ended: nothing changed
    STEP_PUSH,     // an opening bracket was pushed
    STEP_POP,      // a closing bracket popped the opening bracket of its pair
    STEP_FULL,     // an opening bracket found MAXSIZE pending: the check fails
    STEP_EMPTY,    // a closing bracket found none pending: the check fails
    STEP_MISMATCH, // a closing bracket popped an opening bracket of another pair: fails
};

// A bracket check part way through a string that arrives in pieces.
struct bracketscan {
    sqstack S;           // the opening brackets still waiting for their partner
    bool ended;          // a zero byte was met: the string ended there
    char ch;             // the opening bracket that the last pop handed back
    bracketstep failure; // the step that failed the check, after which no byte is
                         // examined; STEP_NONE while the result so far holds
    char failedat;       // the bracket examined in that step
};

// Starts a check with nothing pending.
void scanbegin(bracketscan *k);

// Examines byte b, the next of the string, and says what it did.
bracketstep scanbyte(bracketscan *k, char b);

// Examines the next n bytes of the string, up to a zero byte.
void scanbytes(bracketscan *k, const char *s, size_t n);

// The result for the bytes seen: true when every bracket found its partner.
bool scanend(const bracketscan *k);

// True when the round, square and curly brackets of the zero-terminated
// string str are matched and properly nested, with at most MAXSIZE opening
// brackets pending at once.
bool check(const char *str);

#endif
