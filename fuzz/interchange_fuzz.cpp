// Checks the table and report: every accepted record gives two arcs, names
// are distinct, and the report lists exactly the stations with more than
// two arcs, in first-seen order.
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
    int64_t records = 0;
    Head *heads = static_cast<Head *>(std::malloc(10 * sizeof(Head)));
    mapreader reader;
    int fd = descriptorWith(data, size);
    reader_init(&reader, fd);
    require(read_map(&reader, &heads, &size_, &records), "memory suffices");
    close(fd);
    require(reader.error == 0, "no read error");

    int64_t arcs = 0;
    std::string expected;
    for (int32_t i = 0; i < size_; i++) {
        const char *name = name_of(&heads[i].name);
        for (int32_t j = 0; j < i; j++)
            require(std::strcmp(name_of(&heads[j].name), name) != 0, "distinct names");
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
    release_table(heads, size_);
    return 0;
}
