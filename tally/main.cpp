// tally: ranks the byte values of standard input by how often they occur.
#include <cstdio>
#include <err.h>
#include <unistd.h>

#include "cli.h"
#include "tally.h"

static const Interface tallyInterface = {
    .name = "tally",
    .help = "usage: tally < FILE\n"
            "\n"
            "Counts how often each byte value occurs on standard input and writes one\n"
            "line per distinct byte to standard output, the most frequent first and,\n"
            "among equally frequent bytes, the one that occurred first: the byte\n"
            "between apostrophes, a space and its count.  The line feed is shown as\n"
            "\\n; every other byte is written as it is.\n"
            "\n"
            "  --help     show this text\n"
            "  --version  show the version\n"
            "\n"
            "Exit status: 0 when the report is written; 1 when input, output or\n"
            "memory fails or the input is longer than 2147483647 bytes, with one line\n"
            "on standard error; 2 for an argument it does not take.\n"
            "\n"
            "Example:  printf 'hello\\n' | tally\n"
            "See tally(1) for more.\n",
    .option = nullptr,
};

int main(int argc, char **argv)
{
    Request request = takeArguments(&tallyInterface, argc, argv);
    if (request != REQUEST_RUN)
        return exitStatusOf(request);

    ListNode *head = nullptr;
    int32_t order = 0;
    InputEnd end = countInput(STDIN_FILENO, &head, &order);
    // A count that no longer fits, or a list missing an entry, would be a wrong report.
    if (end == INPUT_TOO_LONG) {
        warnx("input longer than 2147483647 bytes");
        return 1;
    }
    if (end == INPUT_NO_MEMORY) {
        warnx("out of memory");
        return 1;
    }
    // The bytes read before a failed read are still ranked and reported.
    if (end == INPUT_READ_FAIL)
        warn("stdin");

    sortList(&head);
    printList(head, stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        warn("stdout");
        return 1;
    }
    return end == INPUT_EOF ? 0 : 1;
}
