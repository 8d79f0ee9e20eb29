#ifndef HUFFMAN_H
#define HUFFMAN_H

#include <cstdint>

#include "freqlist.h"

// Unlinks and returns the entry of least frequency, the one nearest the front
// among equals; null, changing nothing, when the list is empty.
ListNode *extractMin(ListNode **head);

// A new internal node, allocated with malloc, with first as left child and
// second as right child and the sum of their frequencies; null when it
// cannot be allocated.
ListNode *mergeTwoNodes(ListNode *first, ListNode *second);

// Turns the list into a Huffman tree: the two least frequent entries are
// merged under a node that goes to the front, until one remains.  The root is
// then *head, the list's only entry, or null for an empty list.  False when a
// node cannot be allocated; the list is then left broken.
bool buildHuffmanTree(ListNode **head);

// Gives every leaf below node its code, the branch characters on its path
// from the root ('0' left, '1' right), as a string of its own and as a
// separate copy in lookup[c].  code[0..length) holds node's own path.
// Returns false when a string cannot be allocated.
bool generateCodes(ListNode *node, char code[256], int32_t length, char *lookup[256]);

// The sum over the leaves below node of frequency times depth, where node
// stands at depth.
int64_t calculateWeightedPathLength(const ListNode *node, int32_t depth);

// Frees the tree below node and its leaves' codes.  The program keeps its
// tree to the end; this serves code that builds many.
void releaseTree(ListNode *node);

#endif
