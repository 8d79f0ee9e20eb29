#ifndef LINEMAP_H
#define LINEMAP_H

#include <cstdint>

#include "mapreader.h"
#include "table.h"

// Reads records from r into the table until the map ends: at the end of
// input, at a record that cannot be read whole, or at a record whose first
// or second word is "END!".  *records counts the records entered.  False
// when memory runs out (then r->nomemory or a failed table call tells).
bool read_map(mapreader *r, Head **heads, int32_t *size, int64_t *records);

#endif
