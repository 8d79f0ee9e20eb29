#include "mapreader.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

void reader_init(mapreader *r, int fd)
{
    r->fd = fd;
    r->pos = 0;
    r->len = 0;
    r->ended = false;
    r->error = 0;
    r->nomemory = false;
}

// Makes at least need unread bytes available unless the input ends first.
static bool fill(mapreader *r, size_t need)
{
    while (r->len - r->pos < need && !r->ended) {
        std::memmove(r->block, r->block + r->pos, r->len - r->pos);
        r->len -= r->pos;
        r->pos = 0;
        ssize_t got = read(r->fd, r->block + r->len, sizeof r->block - r->len);
        if (got > 0) {
            r->len += static_cast<size_t>(got);
        } else if (got == 0) {
            r->ended = true;
        } else if (errno != EINTR) {
            r->error = errno;
            r->ended = true;
        }
    }
    return r->len - r->pos >= need;
}

// The byte ahead bytes past the next unread one, or -1 past the end.
static int peek(mapreader *r, size_t ahead)
{
    return fill(r, ahead + 1) ? static_cast<unsigned char>(r->block[r->pos + ahead]) : -1;
}

static bool iswhite(int b)
{
    return b == ' ' || b == '\t' || b == '\n' || b == '\v' || b == '\f' || b == '\r';
}

static bool isdigit_(int b)
{
    return b >= '0' && b <= '9';
}

static void skip_white(mapreader *r)
{
    while (iswhite(peek(r, 0)))
        r->pos++;
}

static bool append(mapreader *r, wordbuf *w, const char *bytes, size_t n)
{
    if (w->room - w->length <= n) {
        size_t room = w->room == 0 ? 32 : w->room;
        while (room - w->length <= n)
            room *= 2;
        char *text = static_cast<char *>(std::realloc(w->text, room));
        if (text == nullptr) {
            r->nomemory = true;
            return false;
        }
        w->text = text;
        w->room = room;
    }
    std::memcpy(w->text + w->length, bytes, n);
    w->length += n;
    w->text[w->length] = '\0';
    return true;
}

// Moves the next unread byte into w.
static bool take(mapreader *r, wordbuf *w)
{
    return append(r, w, r->block + r->pos++, 1);
}

bool read_word(mapreader *r, wordbuf *w)
{
    w->length = 0;
    skip_white(r);
    if (peek(r, 0) < 0)
        return false;
    while (fill(r, 1)) {
        size_t start = r->pos;
        while (r->pos < r->len && !iswhite(r->block[r->pos]))
            r->pos++;
        if (!append(r, w, r->block + start, r->pos - start))
            return false;
        if (r->pos < r->len)
            break;
    }
    return true;
}

static bool take_digits(mapreader *r, wordbuf *w, size_t *count)
{
    while (isdigit_(peek(r, 0))) {
        if (!take(r, w))
            return false;
        (*count)++;
    }
    return true;
}

bool read_distance(mapreader *r, wordbuf *w, float *dist)
{
    w->length = 0;
    skip_white(r);
    size_t digits = 0;
    int c = peek(r, 0);
    if ((c == '+' || c == '-') && !take(r, w))
        return false;
    if (!take_digits(r, w, &digits))
        return false;
    // A point belongs to the number only beside a digit: "5." and ".5", not ".".
    if (peek(r, 0) == '.' && (digits > 0 || isdigit_(peek(r, 1)))) {
        if (!take(r, w) || !take_digits(r, w, &digits))
            return false;
    }
    if (digits == 0)
        return false;
    // An exponent only when digits follow: in "2e" and "2e+" the e starts the next word.
    c = peek(r, 0);
    if (c == 'e' || c == 'E') {
        int sign = peek(r, 1);
        size_t signlength = sign == '+' || sign == '-' ? 1 : 0;
        if (isdigit_(peek(r, 1 + signlength))) {
            if (!take(r, w) || (signlength == 1 && !take(r, w)) || !take_digits(r, w, &digits))
                return false;
        }
    }
    *dist = std::strtof(w->text, nullptr);
    return true;
}

void reader_finish(mapreader *r)
{
    // A pipe cannot seek and need not: nobody else can read what it held.
    if (r->len > r->pos)
        (void)lseek(r->fd, -static_cast<off_t>(r->len - r->pos), SEEK_CUR);
    r->pos = r->len;
}

void free_word(wordbuf *w)
{
    std::free(w->text);
    w->text = nullptr;
    w->length = 0;
    w->room = 0;
}
