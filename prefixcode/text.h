#ifndef TEXT_H
#define TEXT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "freqlist.h"

// The input text, kept whole so that it can be coded and echoed after the
// tree is built.  It grows as needed; bytes is null until the first read.
struct TextBuffer {
    unsigned char *bytes;
    size_t length; // bytes stored
    size_t room;   // bytes allocated
};

// Reads fd to its end, counting every byte into *head at position *order,
// which then advances, and appending it to text unless text is null.
// *order starts at 0 for a whole input; a caller may start it higher to
// stand for bytes already read.  A regular file too long to count is refused
// before it is read.  Never INPUT_MORE.
InputEnd readInput(int fd, TextBuffer *text, ListNode **head, int32_t *order);

// Writes the code of every byte of text in turn, a line feed, the text up to
// its first zero byte, a line feed and wpl in decimal.  Every byte of text
// must have its code in lookup.
void writeReport(FILE *out, const TextBuffer *text, char *const lookup[256], int64_t wpl);

#endif
