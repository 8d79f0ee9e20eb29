// Checks the ranking: every byte counted once with its true count, the
// counts adding up to the input length, in falling count with ties going to
// the earlier first occurrence.
#include <cstdlib>
#include <unistd.h>

#include "fuzz_support.h"
#include "tally.h"

// Parses one report line at text[*at]: its byte and its count.
static void parseLine(const char *text, size_t size, size_t *at, int *byte, int64_t *count)
{
    size_t i = *at;
    require(i + 4 < size && text[i] == '\'', "line starts with an apostrophe");
    if (text[i + 2] == '\'') {
        *byte = static_cast<unsigned char>(text[i + 1]);
        require(*byte != '\n', "line feed is escaped");
        i += 3;
    } else {
        require(text[i + 1] == '\\' && text[i + 2] == 'n' && text[i + 3] == '\'', "escaped line feed");
        *byte = '\n';
        i += 4;
    }
    require(text[i++] == ' ', "space before the count");
    *count = 0;
    require(i < size && text[i] >= '1' && text[i] <= '9', "count without leading zero");
    while (i < size && text[i] >= '0' && text[i] <= '9')
        *count = *count * 10 + (text[i++] - '0');
    require(i < size && text[i++] == '\n', "line ends with a line feed");
    *at = i;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int64_t truth[256] = {};
    size_t first[256] = {};
    for (size_t i = size; i-- > 0;) {
        truth[data[i]]++;
        first[data[i]] = i;
    }

    ListNode *head = nullptr;
    int32_t order = 0;
    int fd = descriptorWith(data, size);
    require(countInput(fd, &head, &order) == INPUT_EOF, "input read to its end");
    close(fd);
    require(static_cast<size_t>(order) == size, "one position per byte");
    sortList(&head);
    Capture report;
    openCapture(&report);
    printList(head, report.stream);
    closeCapture(&report);

    int64_t total = 0, lastCount = INT64_MAX;
    size_t lastFirst = 0;
    bool seen[256] = {};
    for (size_t at = 0; at < report.size;) {
        int byte;
        int64_t count;
        parseLine(report.bytes, report.size, &at, &byte, &count);
        require(!seen[byte], "each byte listed once");
        seen[byte] = true;
        require(count == truth[byte], "true count");
        require(count < lastCount || (count == lastCount && first[byte] > lastFirst), "ranking order");
        lastCount = count;
        lastFirst = first[byte];
        total += count;
    }
    require(total == static_cast<int64_t>(size), "counts add up to the input length");

    std::free(report.bytes);
    releaseList(head);
    return 0;
}
