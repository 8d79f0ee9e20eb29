#include "firstword.h"

#include <cerrno>
#include <unistd.h>

void readinit(wordreader *r, int fd)
{
    r->fd = fd;
    r->pos = 0;
    r->len = 0;
    r->inword = false;
    r->done = false;
    r->error = 0;
}

// The white space that "%s" skips and that ends a word.
static bool iswhite(char b)
{
    return b == ' ' || b == '\t' || b == '\n' || b == '\v' || b == '\f' || b == '\r';
}

// Refills the block once it is used up; false at the end of input or on a
// failed read, which end the word.
static bool fill(wordreader *r)
{
    while (r->pos == r->len) {
        ssize_t got = read(r->fd, r->block, sizeof r->block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            r->error = got < 0 ? errno : 0;
            r->done = true;
            return false;
        }
        r->pos = 0;
        r->len = static_cast<size_t>(got);
    }
    return true;
}

bool nextpiece(wordreader *r, const char **piece, size_t *n)
{
    while (!r->done && fill(r)) {
        if (!r->inword) {
            while (r->pos < r->len && iswhite(r->block[r->pos]))
                r->pos++;
            r->inword = r->pos < r->len;
            if (!r->inword)
                continue;
        }
        size_t start = r->pos;
        while (r->pos < r->len && !iswhite(r->block[r->pos]))
            r->pos++;
        if (r->pos < r->len) {
            r->done = true;
            // A pipe cannot seek and need not: nobody else can read what it held.
            (void)lseek(r->fd, -static_cast<off_t>(r->len - r->pos), SEEK_CUR);
        }
        *piece = r->block + start;
        *n = r->pos - start;
        if (*n > 0)
            return true;
    }
    return false;
}
