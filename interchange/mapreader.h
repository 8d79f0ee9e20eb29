#ifndef MAPREADER_H
#define MAPREADER_H

#include <cstddef>

// A growing zero-terminated buffer for one item of the map.
struct wordbuf {
    char *text;    // the bytes read and a zero byte
    size_t length; // bytes read
    size_t room;   // bytes allocated
};

// Reads the line map from a descriptor in blocks, item by item.
struct mapreader {
    int fd;
    char block[65536];
    size_t pos;    // next unread byte of block
    size_t len;    // bytes of block filled
    bool ended;    // no more bytes will come: end of input or a failed read
    int error;     // errno of the failed read, 0 when none failed
    bool nomemory; // a buffer could not grow
};

void reader_init(mapreader *r, int fd);

// Skips white space and reads the next word into w; taken as a string, as
// names are, it ends at its first zero byte.  False when there is none (or
// memory ran out).
bool read_word(mapreader *r, wordbuf *w);

// Skips white space and reads a decimal number: an optional sign, digits
// with an optional decimal point, and an optional exponent.  Reading stops
// at the first byte that cannot continue it.  False when no number starts
// here; bytes of a failed number may have been consumed.
bool read_distance(mapreader *r, wordbuf *w, float *dist);

// Hands back the bytes read ahead of the last item, where the input can
// seek, so that whoever reads on finds them.
void reader_finish(mapreader *r);

void free_word(wordbuf *w);

#endif
