#ifndef FREQLIST_H
#define FREQLIST_H

#include <cstddef>
#include <cstdint>

// One entry of the character frequency list, and one node of a Huffman
// tree built from that list.  A fresh entry is a leaf: code, parent, left
// and right are null.
struct ListNode {
    unsigned char c;   // byte value; 0 in an internal tree node
    int32_t frequency; // occurrences of c, or the sum of the two children
    int32_t order;     // input position of the first occurrence of c
    char *code;        // a leaf's code of '0' and '1' characters, or null
    ListNode *parent;  // always null: nothing links a child to its parent
    ListNode *left;    // child taken first when merged (code digit 0)
    ListNode *right;   // child taken second when merged (code digit 1)
    ListNode *next;    // following entry of the list, null in the last one
};

// Counts one occurrence of byte c, found at input position order, in the
// list held by *head: adds 1 to the entry for c, or appends a new entry.
// Entries stay in order of first appearance and are allocated with malloc.
// Returns false, leaving the list unchanged, only when a new entry cannot be
// allocated.
bool insertNode(ListNode **head, unsigned char c, int32_t order);

// How far the reading of an input into the list has come, for tally and
// prefixcode alike.
enum InputEnd {
    INPUT_MORE,      // no end yet: every byte so far is counted
    INPUT_EOF,       // the end of the stream: every byte is counted
    INPUT_READ_FAIL, // a read failed; errno tells why; the bytes before it are counted
    INPUT_TOO_LONG,  // a byte would have taken position 2^31: counts no longer fit
    INPUT_NO_MEMORY, // an entry, or room for the input, could not be allocated
};

// Bytes asked of read() at a time: large enough that system calls cost
// little, small enough to stay in the cache.
constexpr size_t INPUT_BLOCK = 65536;

// Calls insertNode for bytes[0..n) in turn, at positions *order, *order + 1,
// and so on, and leaves *order at the position after the last byte counted.
// INPUT_MORE when all are counted; otherwise INPUT_TOO_LONG or
// INPUT_NO_MEMORY, and the bytes from the one refused on are not counted.
InputEnd insertBytes(ListNode **head, const unsigned char *bytes, size_t n, int32_t *order);

// Frees every entry of a list of leaves.  The programs keep their lists to
// the end; this serves code that builds many.
void releaseList(ListNode *head);

#endif
