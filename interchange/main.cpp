// interchange: reads a line map of station-to-station segments and lists
// the stations where more than two segment ends meet.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "linemap.h"

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
    int64_t records = 0;
    Head *heads = static_cast<Head *>(std::malloc(capacity * sizeof(Head)));
    mapreader reader;

    reader_init(&reader, STDIN_FILENO);
    bool complete = heads != nullptr && read_map(&reader, &heads, &size, &records);
    reader_finish(&reader);
    // A table missing an arc would give a wrong report: give none.
    if (complete)
        print_transfer_stations(heads, size, stdout);
    release_table(heads, size);

    if (!complete)
        return fail("out of memory", 0);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail("stdout", errno);
    if (reader.error != 0)
        return fail("stdin", reader.error);
    return 0;
}
