#ifndef SQSTACK_H
#define SQSTACK_H

#include <cstdint>

constexpr int32_t MAXSIZE = 30;

// A stack of at most MAXSIZE bytes, held wholly in the record.
struct sqstack {
    char data[MAXSIZE]; // data[0] is the bottom, data[top] the top
    int32_t top;        // -1 when empty, MAXSIZE - 1 when full
};

// Makes S empty; data is left as it was.
void initstack(sqstack *S);

// Puts x on top; false, changing nothing, when S is full.
bool push(sqstack *S, char x);

// Takes the top element into *x; false, writing nothing, when S is empty.
bool pop(sqstack *S, char *x);

// True when S holds no element.  S is a copy: the caller's stack is untouched.
bool isempty(sqstack S);

#endif
