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
    r->line = 1;
    r->itemline = 1;
}

// Makes at least need unread bytes available unless the input ends first.
// need is small: the block always has room for it.
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

// Skips white space, counting lines, up to the next item, whose line it notes.
static void skip_white(mapreader *r)
{
    while (fill(r, 1)) {
        while (r->pos < r->len && iswhite(r->block[r->pos]))
            r->line += r->block[r->pos++] == '\n';
        if (r->pos < r->len)
            break;
    }
    r->itemline = r->line;
}

static bool append(wordbuf *w, const char *bytes, size_t n)
{
    if (w->room - w->length <= n) {
        size_t room = w->room == 0 ? 32 : w->room;
        while (room - w->length <= n)
            room *= 2;
        auto *text = static_cast<char *>(std::realloc(w->text, room));
        if (text == nullptr)
            return false;
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
    return append(w, r->block + r->pos++, 1);
}

itemresult read_word(mapreader *r, wordbuf *w)
{
    w->length = 0;
    skip_white(r);
    if (peek(r, 0) < 0)
        return ITEM_NONE;
    while (fill(r, 1)) {
        size_t start = r->pos;
        while (r->pos < r->len && !iswhite(r->block[r->pos]))
            r->pos++;
        if (!append(w, r->block + start, r->pos - start))
            return ITEM_NO_MEMORY;
        if (r->pos < r->len)
            break;
    }
    return ITEM_READ;
}

// Moves the run of digits that starts at the next unread byte into w, a
// block at a time.
static bool take_digits(mapreader *r, wordbuf *w)
{
    while (fill(r, 1)) {
        size_t start = r->pos;
        while (r->pos < r->len && isdigit_(r->block[r->pos]))
            r->pos++;
        if (!append(w, r->block + start, r->pos - start))
            return false;
        if (r->pos < r->len)
            break;
    }
    return true;
}

// True when the unread bytes begin a decimal number: a digit, or a point
// with a digit after it, after an optional sign.
static bool number_begins(mapreader *r)
{
    size_t sign = peek(r, 0) == '+' || peek(r, 0) == '-' ? 1 : 0;
    return isdigit_(peek(r, sign)) || (peek(r, sign) == '.' && isdigit_(peek(r, sign + 1)));
}

// Takes an exponent, when digits follow the e: in "2e" and "2e+" the e
// begins the next word.
static bool take_exponent(mapreader *r, wordbuf *w)
{
    if (peek(r, 0) != 'e' && peek(r, 0) != 'E')
        return true;
    size_t sign = peek(r, 1) == '+' || peek(r, 1) == '-' ? 1 : 0;
    if (!isdigit_(peek(r, 1 + sign)))
        return true;
    return take(r, w) && (sign == 0 || take(r, w)) && take_digits(r, w);
}

itemresult read_distance(mapreader *r, wordbuf *w, float *dist)
{
    w->length = 0;
    skip_white(r);
    if (peek(r, 0) < 0)
        return ITEM_NONE;
    // Nothing is read until the number is certain, so that what is no
    // number is left whole for whoever reads on.
    if (!number_begins(r))
        return ITEM_NOT_NUMBER;
    int c = peek(r, 0);
    if ((c == '+' || c == '-') && !take(r, w))
        return ITEM_NO_MEMORY;
    // A point belongs to the number beside a digit: "5." and ".5".
    if (!take_digits(r, w) || (peek(r, 0) == '.' && !(take(r, w) && take_digits(r, w))) || !take_exponent(r, w))
        return ITEM_NO_MEMORY;
    *dist = std::strtof(w->text, nullptr);
    return ITEM_READ;
}

size_t peek_item(mapreader *r, char *bytes, size_t room)
{
    size_t n = 0;
    for (int b = peek(r, 0); n < room && b >= 0 && !iswhite(b); b = peek(r, n))
        bytes[n++] = static_cast<char>(b);
    return n;
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
