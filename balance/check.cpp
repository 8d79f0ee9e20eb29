#include "check.h"

#include <cstring>

void scanbegin(bracketscan *k)
{
    initstack(&k->S);
    k->flag = true;
    k->ended = false;
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

void scanbytes(bracketscan *k, const char *s, size_t n)
{
    for (size_t i = 0; i < n && k->flag && !k->ended; i++) {
        char ch;
        if (s[i] == '\0')
            k->ended = true;
        else if (s[i] == '(' || s[i] == '[' || s[i] == '{')
            k->flag = push(&k->S, s[i]);
        else if (partner(s[i]) != 0)
            k->flag = pop(&k->S, &ch) && ch == partner(s[i]);
    }
}

bool scanend(const bracketscan *k)
{
    return k->flag && isempty(k->S);
}

bool check(const char *str)
{
    bracketscan k;
    scanbegin(&k);
    scanbytes(&k, str, std::strlen(str));
    return scanend(&k);
}
