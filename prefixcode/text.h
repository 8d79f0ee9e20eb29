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
    size_t index; // bytes stored
    size_t room;  // bytes allocated
};

// Why readInput stopped reading.
enum ReadEnd {
    READ_EOF,       // the end of the stream
    READ_FAIL,      // a read failed; errno tells why; text and list hold what came before
    READ_TOO_LONG,  // a byte would have taken position 2^31: counts no longer fit
    READ_NO_MEMORY, // the text or a list entry could not be allocated
};

// Reads fd to its end, appending every byte to text and counting it into
// *head at position *order, which then advances.  *order starts at 0 for a
// whole input; a caller may start it higher to stand for bytes already read.
ReadEnd readInput(int fd, TextBuffer *text, ListNode **head, int32_t *order);

// Writes the code of every byte of text in turn, a line feed, the text up to
// its first zero byte, a line feed and wpl in decimal.  Every byte of text
// must have its code in lookup.
void writeReport(FILE *out, const TextBuffer *text, char *const lookup[256], int64_t wpl);

#endif
