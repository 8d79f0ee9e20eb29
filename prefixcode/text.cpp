#include "text.h"

#include <cerrno>
#include <cinttypes>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

static const size_t firstRoom = 10000;
static const size_t readBlock = 65536;

// Makes room for at least one more block after the stored bytes.
static bool reserveBlock(TextBuffer *text)
{
    if (text->room - text->index >= readBlock)
        return true;
    size_t room = text->room == 0 ? firstRoom : text->room;
    while (room - text->index < readBlock) {
        if (room > SIZE_MAX / 2)
            return false;
        room *= 2;
    }
    void *bytes = std::realloc(text->bytes, room);
    if (bytes == nullptr)
        return false;
    text->bytes = static_cast<unsigned char *>(bytes);
    text->room = room;
    return true;
}

ReadEnd readInput(int fd, TextBuffer *text, ListNode **head, int32_t *order)
{
    for (;;) {
        if (!reserveBlock(text))
            return READ_NO_MEMORY;
        unsigned char *block = text->bytes + text->index;
        ssize_t got = read(fd, block, readBlock);
        if (got == 0)
            return READ_EOF;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return READ_FAIL;
        }
        for (ssize_t i = 0; i < got; i++) {
            if (*order == INT32_MAX)
                return READ_TOO_LONG;
            if (!insertNode(head, block[i], *order))
                return READ_NO_MEMORY;
            (*order)++;
            text->index++;
        }
    }
}

void writeReport(FILE *out, const TextBuffer *text, char *const lookup[256], int64_t wpl)
{
    for (size_t i = 0; i < text->index; i++)
        std::fputs(lookup[text->bytes[i]], out);

    // The echo is the text as a string: it ends at the first zero byte.
    size_t echoed = text->index;
    if (const void *zero = std::memchr(text->bytes, 0, text->index))
        echoed = static_cast<size_t>(static_cast<const unsigned char *>(zero) - text->bytes);
    std::putc('\n', out);
    std::fwrite(text->bytes, 1, echoed, out);
    std::fprintf(out, "\n%" PRId64, wpl);
}
