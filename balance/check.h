#ifndef CHECK_H
#define CHECK_H

#include <cstddef>

#include "sqstack.h"

// A bracket check part way through a string that arrives in pieces.
struct bracketscan {
    sqstack S;  // the opening brackets still waiting for their partner
    bool flag;  // the result so far; once false, no further byte is examined
    bool ended; // a zero byte was met: the string ended there
};

void scanbegin(bracketscan *k);

// Examines the next n bytes of the string, up to a zero byte.
void scanbytes(bracketscan *k, const char *s, size_t n);

// The result for the bytes seen: true when every bracket found its partner.
bool scanend(const bracketscan *k);

// True when the round, square and curly brackets of the zero-terminated
// string str are matched and properly nested, with at most MAXSIZE opening
// brackets pending at once.
bool check(const char *str);

#endif
