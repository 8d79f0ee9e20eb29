#include "linemap.h"

#include <cstring>

static const char terminator[] = "END!";

// Reads one record; false when the map ends with it.  The terminating word
// ends the map as soon as it is read, so nothing after it is read.
static bool read_record(mapreader *r, wordbuf *station1, wordbuf *station2, wordbuf *number, float *dist)
{
    return read_word(r, station1) && std::strcmp(station1->text, terminator) != 0 && read_word(r, station2) &&
           std::strcmp(station2->text, terminator) != 0 && read_distance(r, number, dist);
}

// Enters both ends of one segment; false when memory runs out.
static bool add_segment(Head **heads, int32_t *size, const char *station1, const char *station2, float dist)
{
    // An entry may move with the next lookup, so each is used before it.
    Head *head1 = find_or_create_head(heads, size, station1);
    if (head1 == nullptr || !add_arc(head1, station2, dist))
        return false;
    Head *head2 = find_or_create_head(heads, size, station2);
    return head2 != nullptr && add_arc(head2, station1, dist);
}

bool read_map(mapreader *r, Head **heads, int32_t *size, int64_t *records)
{
    wordbuf station1 = {}, station2 = {}, number = {};
    float dist = 0;
    bool ok = true;
    while (ok && read_record(r, &station1, &station2, &number, &dist)) {
        ok = add_segment(heads, size, station1.text, station2.text, dist);
        *records += ok;
    }
    free_word(&station1);
    free_word(&station2);
    free_word(&number);
    return ok && !r->nomemory;
}
