#include "check.h"

#include <cstring>

void scanbegin(bracketscan *k)
{
    initstack(&k->S);
    k->ended = false;
    k->ch = 0;
    k->failure = STEP_NONE;
    k->failedat = 0;
}

// The opening bracket that closing must pop, or 0 when closing is no bracket.
static char partner(char closing)
{
    switch (closing) {
    case ')':
        return '(';
    case ']':
        return '[';
    case '}':
        return '{';
    default:
        return 0;
    }
}

static bracketstep fail(bracketscan *k, bracketstep why, char b)
{
    k->failure = why;
    k->failedat = b;
    return why;
}

bracketstep scanbyte(bracketscan *k, char b)
{
    if (k->failure != STEP_NONE || k->ended)
        return STEP_NONE;
    if (b == '\0') {
        k->ended = true;
        return STEP_NONE;
    }
    if (b == '(' || b == '[' || b == '{')
        return push(&k->S, b) ? STEP_PUSH : fail(k, STEP_FULL, b);
    if (partner(b) == 0)
        return STEP_NONE;
    if (!pop(&k->S, &k->ch))
        return fail(k, STEP_EMPTY, b);
    return k->ch == partner(b) ? STEP_POP : fail(k, STEP_MISMATCH, b);
}

void scanbytes(bracketscan *k, const char *s, size_t n)
{
    for (size_t i = 0; i < n && k->failure == STEP_NONE && !k->ended; i++)
        scanbyte(k, s[i]);
}

bool scanend(const bracketscan *k)
{
    return k->failure == STEP_NONE && isempty(k->S);
}

bool check(const char *str)
{
    bracketscan k;
    scanbegin(&k);
    scanbytes(&k, str, std::strlen(str));
    return scanend(&k);
}
