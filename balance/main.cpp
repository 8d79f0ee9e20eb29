// balance: says whether the brackets of the first word of standard input
// are matched and properly nested.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "check.h"

// The two answers, in GBK.
static const char matched[] = "\xC6\xA5\xC5\xE4\xB3\xC9\xB9\xA6\n";   // 匹配成功
static const char unmatched[] = "\xC6\xA5\xC5\xE4\xCA\xA7\xB0\xDC\n"; // 匹配失败

static bool iswhite(char b)
{
    return b == ' ' || b == '\t' || b == '\n' || b == '\v' || b == '\f' || b == '\r';
}

// Feeds the first word of fd to k, however long, and leaves seekable input
// just after the word.  False when a read fails.
static bool scanfirstword(int fd, bracketscan *k)
{
    char block[4096];
    bool inword = false;
    for (;;) {
        ssize_t got = read(fd, block, sizeof block);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        ssize_t start = 0;
        while (!inword && start < got && iswhite(block[start]))
            start++;
        if (start == got)
            continue;
        inword = true;
        ssize_t end = start;
        while (end < got && !iswhite(block[end]))
            end++;
        scanbytes(k, block + start, static_cast<size_t>(end - start));
        if (end < got) {
            // Hand back what was read past the word, where input can seek,
            // so that whoever reads on finds it; a pipe cannot and need not.
            (void)lseek(fd, end - got, SEEK_CUR);
            return true;
        }
    }
}

static int fail(const char *what)
{
    std::fprintf(stderr, "balance: %s: %s\n", what, std::strerror(errno));
    return 1;
}

int main()
{
    bracketscan k;
    scanbegin(&k);
    // Without the whole word there is no answer to give.
    if (!scanfirstword(STDIN_FILENO, &k))
        return fail("stdin");
    std::fputs(scanend(&k) ? matched : unmatched, stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return fail("stdout");
    return 0;
}
