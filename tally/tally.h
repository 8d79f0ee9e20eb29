#ifndef TALLY_H
#define TALLY_H

#include <cstdint>
#include <cstdio>

#include "freqlist.h"

// Reads fd to its end and counts every byte into *head, giving each the
// position *order and then advancing *order.  *order starts at 0 for a whole
// input; a caller may start it higher to stand for bytes already counted.
// Never INPUT_MORE.
InputEnd countInput(int fd, ListNode **head, int32_t *order);

// Ranks the list in place, most frequent first and, among equal counts, the
// earliest first occurrence first.  Moves c, frequency and order between
// entries; the links and the head are never changed.
void sortList(ListNode **head);

// Writes one line per entry to out: the byte between apostrophes, a space and
// its count.  The line feed alone is shown as backslash and n.
void printList(ListNode *head, FILE *out);

#endif
