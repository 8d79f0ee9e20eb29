// Checks the table and report: every accepted record gives two arcs, names
// are distinct, the report lists exactly the stations with more than two
// arcs, in first-seen order, and a map cut short names one of its lines.
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "fuzz_support.h"
#include "linemap.h"

static int64_t arcsOf(const Head *entry)
{
    int64_t count = 0;
    for (const arc *a = entry->add; a != nullptr; a = a->next)
        count++;
    return count;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int32_t size_ = 0;
    auto *heads = static_cast<Head *>(std::malloc(10 * sizeof(Head)));
    segmentlist segments = {.items = nullptr, .count = 0, .room = 0};
    mapreader reader;
    int fd = descriptorWith(data, size);
    reader_init(&reader, fd);
    mapstop stop = read_map(&reader, &heads, &size_, &segments);
    require(stop.why != MAP_NO_MEMORY, "memory suffices");
    require(reader.error == 0, "no read error");
    int64_t lines = 1;
    for (size_t i = 0; i < size; i++)
        lines += data[i] == '\n';
    require(stop.why == MAP_END || (stop.line >= 1 && stop.line <= lines), "a warning names a line of the map");
    if (stop.why == MAP_NOT_DISTANCE) {
        char item[1];
        require(peek_item(&reader, item, 1) == 1, "the item that is no number is left unread");
    }
    close(fd);
    const int64_t records = static_cast<int64_t>(segments.count);

    int64_t arcs = 0;
    std::string expected;
    for (int32_t i = 0; i < size_; i++) {
        const char *name = name_of(heads[i].name);
        for (int32_t j = 0; j < i; j++)
            require(std::strcmp(name_of(heads[j].name), name) != 0, "distinct names");
        require(std::strcmp(name, "END!") != 0, "the terminating word is no station");
        int64_t count = arcsOf(&heads[i]);
        require(count > 0, "every station has an arc");
        arcs += count;
        if (count > 2)
            expected += std::string(name) + " " + std::to_string(count) + "\n";
    }
    require(arcs == 2 * records, "two arcs per record");

    Capture report;
    openCapture(&report);
    print_transfer_stations(heads, size_, report.stream);
    closeCapture(&report);
    require(std::string(report.bytes, report.size) == expected, "report of the transfer stations in table order");

    std::free(report.bytes);
    release_segments(&segments);
    release_table(heads, size_);
    return 0;
}
