// balance: says whether the brackets of the first word of standard input
// are matched and properly nested.
#include <cerrno>
#include <cstdio>
#include <err.h>
#include <unistd.h>

#include "check.h"
#include "cli.h"
#include "firstword.h"
#include "trace.h"

static const Interface balanceInterface = {
    .name = "balance",
    .help = "usage: balance < FILE\n"
            "       balance --trace < FILE\n"
            "\n"
            "Reads the first word of standard input and says whether its round, square\n"
            "and curly brackets are matched and properly nested, with at most 30\n"
            "opening brackets pending at once.  The answer is one line of GBK-encoded\n"
            "Chinese, \"the match succeeded\" or \"the match failed\": read it through\n"
            "iconv -f GBK -t UTF-8.\n"
            "\n"
            "  --trace    show each bracket and the pending ones, and why a check\n"
            "             fails, before the answer\n"
            "  --help     show this text\n"
            "  --version  show the version\n"
            "\n"
            "Exit status: 0 when the answer is written; 1 when input or output fails,\n"
            "with one line on standard error; 2 for an argument it does not take.\n"
            "\n"
            "Example:  echo '{[()]}' | balance | iconv -f GBK -t UTF-8\n"
            "See balance(1) for more.\n",
    .option = "--trace",
};

// The two answers, in GBK.
static const char matched[] = "\xC6\xA5\xC5\xE4\xB3\xC9\xB9\xA6\n";   // 匹配成功
static const char unmatched[] = "\xC6\xA5\xC5\xE4\xCA\xA7\xB0\xDC\n"; // 匹配失败

// Checks the word that r reads, and shows each bracket's step on trace
// unless it is null.
static void checkword(wordreader *r, bracketscan *k, FILE *trace)
{
    const char *piece;
    size_t n, offset = 0;
    while (nextpiece(r, &piece, &n)) {
        if (trace == nullptr) {
            scanbytes(k, piece, n);
            continue;
        }
        for (size_t i = 0; i < n; i++, offset++)
            tracestep(trace, k, offset, piece[i], scanbyte(k, piece[i]));
    }
}

int main(int argc, char **argv)
{
    Request request = takeArguments(&balanceInterface, argc, argv);
    if (request != REQUEST_RUN && request != REQUEST_OPTION)
        return exitStatusOf(request);
    FILE *trace = request == REQUEST_OPTION ? stdout : nullptr;

    wordreader r;
    bracketscan k;
    readinit(&r, STDIN_FILENO);
    scanbegin(&k);
    checkword(&r, &k, trace);
    // Without the whole word there is no answer to give.
    if (r.error != 0) {
        errno = r.error;
        warn("stdin");
        return 1;
    }
    if (k.failure == STEP_FULL)
        warnx("more than %d opening brackets pending; the word is not checked further", MAXSIZE);
    if (trace != nullptr)
        tracewhy(trace, &k);
    std::fputs(scanend(&k) ? matched : unmatched, stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        warn("stdout");
        return 1;
    }
    return 0;
}
