#ifndef TALLY_H
#define TALLY_H

#include <cstdint>
#include <cstdio>

#include "freqlist.h"

// Why countInput stopped reading.
enum CountEnd {
    COUNT_EOF,       // the end of the stream
    COUNT_READ_FAIL, // a read failed; errno tells why; the list holds what came before
    COUNT_TOO_LONG,  // a byte would have taken position 2^31: counts no longer fit
    COUNT_NO_MEMORY, // a new entry could not be allocated
};

// Reads fd to its end and counts every byte into *head, giving each the
// position *order and then advancing *order.  *order starts at 0 for a whole
// input; a caller may start it higher to stand for bytes already counted.
CountEnd countInput(int fd, ListNode **head, int32_t *order);

// Ranks the list in place, most frequent first and, among equal counts, the
// earliest first occurrence first.  Moves c, frequency and order between
// entries; the links and the head are never changed.
void sortList(ListNode **head);

// Writes one line per entry to out: the byte between apostrophes, a space and
// its count.  The line feed alone is shown as backslash and n.
void printList(ListNode *head, FILE *out);

#endif
