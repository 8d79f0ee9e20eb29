#ifndef MAPREADER_H
#define MAPREADER_H

#include <cstddef>
#include <cstdint>

// Bytes asked of read() at a time.
constexpr size_t MAPBLOCK = 65536;

// A growing zero-terminated buffer for one item of the map.
struct wordbuf {
    char *text;    // the bytes read and a zero byte; null until the first item
    size_t length; // bytes read
    size_t room;   // bytes allocated
};

// Reads the line map from a descriptor in blocks, item by item.
struct mapreader {
    int fd;
    char block[MAPBLOCK];
    size_t pos;       // next unread byte of block
    size_t len;       // bytes of block filled
    bool ended;       // no more bytes will come: end of input or a failed read
    int error;        // errno of the failed read, 0 when none failed
    int64_t line;     // line of the next unread byte: 1 plus the line feeds read
    int64_t itemline; // line on which the last item sought begins
};

// What reading one item gave.
enum itemresult {
    ITEM_READ,       // the item is in the buffer
    ITEM_NONE,       // the input ended (or a read failed) before an item began
    ITEM_NOT_NUMBER, // a distance was sought and the next item is none; nothing of it is read
    ITEM_NO_MEMORY,  // the buffer could not grow
};

// Starts reading fd, of which nothing has been read yet.
void reader_init(mapreader *r, int fd);

// Skips white space and reads the next word into w.  Taken as a string, as
// names are, it ends at its first zero byte.
itemresult read_word(mapreader *r, wordbuf *w);

// Skips white space and reads a decimal number into w, as text, and *dist:
// an optional sign, digits with an optional decimal point, and an optional
// exponent.  Reading stops at the first byte that cannot continue it.
itemresult read_distance(mapreader *r, wordbuf *w, float *dist);

// Copies into bytes, without reading them, at most room of the bytes up to
// the next white space; returns how many it copied.
size_t peek_item(mapreader *r, char *bytes, size_t room);

// Hands back the bytes read ahead of the last item, where the input can
// seek, so that whoever reads on finds them.
void reader_finish(mapreader *r);

// Frees w's text and leaves it empty.
void free_word(wordbuf *w);

#endif
