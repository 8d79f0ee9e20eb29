#ifndef LINEMAP_H
#define LINEMAP_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "mapreader.h"
#include "table.h"

// One accepted record, kept for drawing the map.
struct segment {
    int32_t station1; // table index of the record's first station
    int32_t station2; // table index of its second station
    char *dist;       // the distance as it was written
};

// The accepted records of a map, in input order.
struct segmentlist {
    segment *items; // null until the first record
    size_t count;
    size_t room;
};

// Why reading the map stopped.
enum mapend {
    MAP_END,          // the end of input, or a record with the terminating word
    MAP_NOT_DISTANCE, // a record's third item is no number: the map ends before it
    MAP_CUT_SHORT,    // the input ended inside a record, or a read failed (see the reader)
    MAP_NO_MEMORY,    // a name, an arc, the table or a kept record could not be allocated
};

struct mapstop {
    mapend why;
    int64_t line; // the line of the distance that is no number, or of the first item of the cut record
};

// Reads records from r into the table until the map ends: at the end of
// input, at a record that cannot be read whole, or at a record whose first
// or second word is "END!".  Keeps every accepted record in segments unless
// it is null.  After MAP_NOT_DISTANCE the item that is no number is the
// next unread one.
mapstop read_map(mapreader *r, Head **heads, int32_t *size, segmentlist *segments);

// Frees the kept records and leaves the list empty.
void release_segments(segmentlist *segments);

// Writes the map as one Graphviz graph: each station, in table order,
// labelled with its name, the transfer stations bold and filled with their
// arc count; each segment labelled with its distance as written.
void write_map_dot(FILE *out, const Head *heads, int32_t size, const segmentlist *segments);

#endif
