// interchange: reads a line map of station-to-station segments and lists
// the stations where more than two segment ends meet.
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <err.h>
#include <unistd.h>

#include "cli.h"
#include "linemap.h"

static const Interface interchangeInterface = {
    .name = "interchange",
    .help = "usage: interchange < FILE\n"
            "       interchange --dot < FILE\n"
            "\n"
            "Reads a subway line map from standard input, one segment a record: two\n"
            "station names and a decimal distance, separated by white space.  The map\n"
            "ends at the end of input, at a record that cannot be read whole, or at a\n"
            "record whose first or second word is END!.  Writes each station where\n"
            "more than two segment ends meet, with that number, in the order the\n"
            "stations were first named.  A map that ends at a record that cannot be\n"
            "read whole is reported up to it, with a warning on standard error.\n"
            "\n"
            "  --dot      write the map as a Graphviz graph instead\n"
            "  --help     show this text\n"
            "  --version  show the version\n"
            "\n"
            "Exit status: 0 when the report is written; 1 when input, output or\n"
            "memory fails, with one line on standard error; 2 for an argument it does\n"
            "not take.\n"
            "\n"
            "Example:  interchange < examples/interchange/worked-example.in\n"
            "See interchange(1) for more.\n",
    .option = "--dot",
};

// Says on standard error why the map ended before its input did.
static void warn_cut(mapreader *reader, mapstop stop)
{
    if (stop.why == MAP_NOT_DISTANCE) {
        char item[SHOWN_BYTES + 1], shown[SHOWN_ROOM];
        showSafely(item, peek_item(reader, item, sizeof item), shown);
        warnx("line %" PRId64 ": '%s' is not a distance; the records after it are ignored", stop.line, shown);
    } else if (stop.why == MAP_CUT_SHORT && reader->error == 0) {
        warnx("line %" PRId64 ": the input ends inside a record; it is ignored", stop.line);
    }
}

int main(int argc, char **argv)
{
    Request request = takeArguments(&interchangeInterface, argc, argv);
    if (request != REQUEST_RUN && request != REQUEST_OPTION)
        return exitStatusOf(request);
    bool dot = request == REQUEST_OPTION;

    const int32_t capacity = 10;
    int32_t size = 0;
    auto *heads = static_cast<Head *>(std::malloc(capacity * sizeof(Head)));
    segmentlist segments = {.items = nullptr, .count = 0, .room = 0};
    mapreader reader;
    reader_init(&reader, STDIN_FILENO);
    mapstop stop = {.why = MAP_NO_MEMORY, .line = 0};
    if (heads != nullptr)
        stop = read_map(&reader, &heads, &size, dot ? &segments : nullptr);
    warn_cut(&reader, stop);
    reader_finish(&reader);
    // A table missing an arc would give a wrong report: give none.
    bool complete = stop.why != MAP_NO_MEMORY;
    if (complete && dot)
        write_map_dot(stdout, heads, size, &segments);
    else if (complete)
        print_transfer_stations(heads, size, stdout);
    release_segments(&segments);
    release_table(heads, size);

    if (!complete) {
        warnx("out of memory");
        return 1;
    }
    if (reader.error != 0) {
        errno = reader.error;
        warn("stdin");
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        warn("stdout");
        return 1;
    }
    return reader.error != 0 ? 1 : 0;
}
