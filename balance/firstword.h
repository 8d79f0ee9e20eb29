#ifndef FIRSTWORD_H
#define FIRSTWORD_H

#include <cstddef>

// Bytes asked of read() at a time.  A word is handed out in pieces of at
// most this size, so that a word of any length needs no more memory.
constexpr size_t WORDBLOCK = 4096;

// Reads the first whitespace-delimited word of a descriptor, in pieces.
struct wordreader {
    int fd;
    char block[WORDBLOCK];
    size_t pos;  // next unexamined byte of block
    size_t len;  // bytes of block filled
    bool inword; // the word has begun
    bool done;   // the word has ended, or the input did, or a read failed
    int error;   // errno of the failed read; 0 when none failed
};

// Starts reading fd, of which nothing has been read yet.
void readinit(wordreader *r, int fd);

// Hands out the next piece of the word after any white space before it:
// true with *piece and *n (at least 1) set, valid until the next call; false
// once the word is whole, or there is none, or a read failed (r->error).
// When the word ends, what was read past it is handed back to input that can
// seek, so that whoever reads on finds it.
bool nextpiece(wordreader *r, const char **piece, size_t *n);

#endif
