#include "linemap.h"

#include <cinttypes>
#include <cstdlib>
#include <cstring>

static const char terminator[] = "END!";

// The words and number of the record being read.
struct record {
    wordbuf station1, station2, number;
    float dist;
};

// Reads one record: true when it is whole and does not end the map;
// otherwise false, with *stop saying why the map ends.  The terminating word
// ends the map as soon as it is read, so that nothing after it is read.
static bool read_record(mapreader *r, record *rec, mapstop *stop)
{
    *stop = {MAP_END, 0};
    itemresult got = read_word(r, &rec->station1);
    if (got == ITEM_NONE)
        return false;
    int64_t first = r->itemline;
    if (got == ITEM_READ) {
        if (std::strcmp(rec->station1.text, terminator) == 0)
            return false;
        got = read_word(r, &rec->station2);
    }
    if (got == ITEM_READ) {
        if (std::strcmp(rec->station2.text, terminator) == 0)
            return false;
        got = read_distance(r, &rec->number, &rec->dist);
    }
    if (got == ITEM_READ)
        return true;
    if (got == ITEM_NOT_NUMBER)
        *stop = {MAP_NOT_DISTANCE, r->itemline};
    else if (got == ITEM_NONE)
        *stop = {MAP_CUT_SHORT, first};
    else
        *stop = {MAP_NO_MEMORY, 0};
    return false;
}

// Enters both ends of one segment and returns their entries' indexes;
// false when memory runs out.
static bool add_segment(Head **heads, int32_t *size, const record *rec, int32_t *index1, int32_t *index2)
{
    // An entry may move with the next lookup, so each is used before it.
    Head *head1 = find_or_create_head(heads, size, rec->station1.text);
    if (head1 == nullptr || !add_arc(head1, rec->station2.text, rec->dist))
        return false;
    *index1 = static_cast<int32_t>(head1 - *heads);
    Head *head2 = find_or_create_head(heads, size, rec->station2.text);
    if (head2 == nullptr || !add_arc(head2, rec->station1.text, rec->dist))
        return false;
    *index2 = static_cast<int32_t>(head2 - *heads);
    return true;
}

// Appends a record to the kept ones; false when memory runs out.
static bool keep_segment(segmentlist *segments, int32_t index1, int32_t index2, const char *dist)
{
    if (segments->count == segments->room) {
        size_t room = segments->room == 0 ? 16 : 2 * segments->room;
        auto *items = static_cast<segment *>(std::realloc(segments->items, room * sizeof(segment)));
        if (items == nullptr)
            return false;
        segments->items = items;
        segments->room = room;
    }
    size_t length = std::strlen(dist);
    auto *text = static_cast<char *>(std::malloc(length + 1));
    if (text == nullptr)
        return false;
    std::memcpy(text, dist, length + 1);
    segments->items[segments->count++] = {.station1 = index1, .station2 = index2, .dist = text};
    return true;
}

mapstop read_map(mapreader *r, Head **heads, int32_t *size, segmentlist *segments)
{
    record rec = {};
    mapstop stop;
    while (read_record(r, &rec, &stop)) {
        int32_t index1 = 0, index2 = 0;
        if (!add_segment(heads, size, &rec, &index1, &index2) ||
            (segments != nullptr && !keep_segment(segments, index1, index2, rec.number.text))) {
            stop = {MAP_NO_MEMORY, 0};
            break;
        }
    }
    free_word(&rec.station1);
    free_word(&rec.station2);
    free_word(&rec.number);
    return stop;
}

void release_segments(segmentlist *segments)
{
    for (size_t i = 0; i < segments->count; i++)
        std::free(segments->items[i].dist);
    std::free(segments->items);
    *segments = {.items = nullptr, .count = 0, .room = 0};
}

// Writes name inside a DOT string: its backslashes and quotes escaped.
static void put_escaped(FILE *out, const char *name)
{
    for (; *name != '\0'; name++) {
        if (*name == '\\' || *name == '"')
            std::putc('\\', out);
        std::putc(*name, out);
    }
}

void write_map_dot(FILE *out, const Head *heads, int32_t size, const segmentlist *segments)
{
    std::fputs("graph interchange {\n"
               "    node [shape=ellipse, fontname=\"Helvetica\"];\n"
               "    edge [fontname=\"Helvetica\"];\n",
               out);
    for (int32_t i = 0; i < size; i++) {
        int64_t arcs = count_arcs(&heads[i]);
        std::fprintf(out, "    s%" PRId32 " [label=\"", i);
        put_escaped(out, name_of(heads[i].name));
        if (arcs > 2)
            std::fprintf(out, "\\n%" PRId64 " arcs\", style=\"bold,filled\", fillcolor=\"gold\"];\n", arcs);
        else
            std::fputs("\"];\n", out);
    }
    for (size_t i = 0; i < segments->count; i++) {
        const segment *s = &segments->items[i];
        std::fprintf(out, "    s%" PRId32 " -- s%" PRId32 " [label=\"%s\"];\n", s->station1, s->station2, s->dist);
    }
    std::fputs("}\n", out);
}
