// tally: ranks the byte values of standard input by how often they occur.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "tally.h"

static int fail(const char *what, int err)
{
    if (err != 0)
        std::fprintf(stderr, "tally: %s: %s\n", what, std::strerror(err));
    else
        std::fprintf(stderr, "tally: %s\n", what);
    return 1;
}

int main()
{
    ListNode *head = nullptr;
    int32_t order = 0;

    CountEnd end = countInput(STDIN_FILENO, &head, &order);
    int readErr = errno;
    // A count that no longer fits, or a list missing an entry, would be a wrong report.
    if (end == COUNT_TOO_LONG)
        return fail("input longer than 2147483647 bytes", 0);
    if (end == COUNT_NO_MEMORY)
        return fail("out of memory", 0);

    sortList(&head);
    printList(head, stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail("stdout", errno);
    if (end == COUNT_READ_FAIL)
        return fail("stdin", readErr);
    return 0;
}
