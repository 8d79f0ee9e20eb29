#include "trace.h"

void tracestep(FILE *out, const bracketscan *k, size_t offset, char b, bracketstep step)
{
    if (step == STEP_NONE)
        return;
    bool opening = step == STEP_PUSH || step == STEP_FULL;
    std::fprintf(out, "%zu %c %s ", offset, b, opening ? "push" : "pop");
    if (k->S.top < 0)
        std::putc('-', out);
    for (int32_t i = 0; i <= k->S.top; i++)
        std::putc(k->S.data[i], out);
    std::putc('\n', out);
}

void tracewhy(FILE *out, const bracketscan *k)
{
    switch (k->failure) {
    case STEP_FULL:
        std::fprintf(out, "more than %d pending\n", MAXSIZE);
        break;
    case STEP_EMPTY:
        std::fprintf(out, "'%c' with nothing pending\n", k->failedat);
        break;
    case STEP_MISMATCH:
        std::fprintf(out, "'%c' closes '%c'\n", k->failedat, k->ch);
        break;
    case STEP_NONE:
    case STEP_PUSH:
    case STEP_POP:
        if (k->S.top >= 0)
            std::fprintf(out, "'%c' left open\n", k->S.data[k->S.top]);
        break;
    }
}
