#include "sqstack.h"

void initstack(sqstack *S)
{
    S->top = -1;
}

bool push(sqstack *S, char x)
{
    if (S->top == MAXSIZE - 1)
        return false;
    S->top++;
    S->data[S->top] = x;
    return true;
}

bool pop(sqstack *S, char *x)
{
    if (S->top == -1)
        return false;
    *x = S->data[S->top];
    S->top--;
    return true;
}

bool isempty(sqstack S)
{
    return S.top == -1;
}
