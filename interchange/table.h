#ifndef TABLE_H
#define TABLE_H

#include <cstdint>
#include <cstdio>

// A station name of any length.  A name of up to 19 bytes lives in the
// record itself; only a longer one takes a heap copy, so that distinct long
// names are never cut into one.
struct stationname {
    char text[20];  // the name and its zero byte, when it fits
    char *longtext; // the heap copy of a longer name; null otherwise
};

// One neighbour of a station, across one segment.
struct arc {
    stationname name1;
    float dist;
    arc *next;
};

// One station of the table and its arcs, the newest first.
struct Head {
    stationname name;
    arc *add;
};

// The room the table needs before an entry is added at index size: size
// plus 10 when size is a multiple of 10, else 0 (the room is there).
int32_t grown_room(int32_t size);

// The name as a zero-terminated string, wherever it is kept.
const char *name_of(const stationname *n);

// Returns the entry named name from heads[0..*size), adding it when absent,
// which may move the table (*heads).  Null when memory runs out.
Head *find_or_create_head(Head **heads, int32_t *size, const char *name);

// Puts an arc to name at the front of head's list; false when memory runs out.
bool add_arc(Head *head, const char *name, float dist);

// The number of arcs in entry's list.
int64_t count_arcs(const Head *entry);

// Writes "name count" for each station with more than two arcs, in table order.
void print_transfer_stations(const Head *heads, int32_t size, FILE *out);

// Frees every arc and long name of heads[0..size), then the table.
void release_table(Head *heads, int32_t size);

#endif
