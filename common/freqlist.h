#ifndef FREQLIST_H
#define FREQLIST_H

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
// Entries stay in order of first appearance.  Returns false, leaving the
// list unchanged, only when a new entry cannot be allocated.
bool insertNode(ListNode **head, unsigned char c, int32_t order);

#endif
