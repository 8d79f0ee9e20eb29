#ifndef TREEDOT_H
#define TREEDOT_H

#include <cstdio>

#include "freqlist.h"

// Writes the code tree below root as one Graphviz digraph: top to bottom,
// the root first; internal nodes labelled with their count, leaves with
// their byte, count and code; each edge labelled 0 (left, drawn on the left)
// or 1.  Every leaf must have its code.  Null gives an empty graph.
void writeTreeDot(FILE *out, const ListNode *root);

// The byte as a leaf label shows it, with no quoting for DOT: printable
// ASCII as itself, the apostrophe and backslash escaped, \n, \t and \r for
// those bytes and \xHH for the rest.  shown holds at least 5 bytes.
void showByte(unsigned char c, char shown[5]);

#endif
