// interchange: reads a line map of station-to-station segments and lists
// the stations where more than two segment ends meet.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "mapreader.h"
#include "table.h"

static const char terminator[] = "END!";

// Reads one record; false when the map ends with it.
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

static int fail(const char *what, int err)
{
    if (err != 0)
        std::fprintf(stderr, "interchange: %s: %s\n", what, std::strerror(err));
    else
        std::fprintf(stderr, "interchange: %s\n", what);
    return 1;
}

int main()
{
    const int32_t capacity = 10;
    int32_t size = 0;
    Head *heads = static_cast<Head *>(std::malloc(capacity * sizeof(Head)));
    mapreader reader;
    wordbuf station1 = {}, station2 = {}, number = {};
    float dist = 0;
    bool nomemory = heads == nullptr;

    reader_init(&reader, STDIN_FILENO);
    while (!nomemory && read_record(&reader, &station1, &station2, &number, &dist))
        nomemory = !add_segment(&heads, &size, station1.text, station2.text, dist);
    nomemory = nomemory || reader.nomemory;

    // A table missing an arc would give a wrong report: give none.
    if (!nomemory)
        print_transfer_stations(heads, size, stdout);
    release_table(heads, size);
    free_word(&station1);
    free_word(&station2);
    free_word(&number);

    if (nomemory)
        return fail("out of memory", 0);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail("stdout", errno);
    if (reader.error != 0)
        return fail("stdin", reader.error);
    return 0;
}
