#ifndef TABLE_H
#define TABLE_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

// A name field: a station name of up to NAMEMAX bytes is kept in it,
// zero-padded to its end, so that two such names are equal exactly when
// their fields are, compared as whole machine words.  A longer name is kept
// whole on the heap: its address stands in the first bytes of the field and
// LONGNAME in the last, which a name kept in the field always leaves zero.
constexpr size_t NAMEFIELD = 20;
constexpr size_t NAMEMAX = NAMEFIELD - 1;
constexpr char LONGNAME = 1;

// One neighbour of a station, across one segment.
struct arc {
    char name1[NAMEFIELD];
    float dist;
    arc *next;
};

// One station of the table and its arcs, the newest first.
struct Head {
    char name[NAMEFIELD];
    arc *add;
};

// The room the table needs before an entry is added at index size: size
// plus 10 when size is a multiple of 10, else 0 (the room is there).
int32_t grown_room(int32_t size);

// The name held in field, wherever it is kept.
const char *name_of(const char *field);

// True when field holds the address of a long name.
bool is_long(const char *field);

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
