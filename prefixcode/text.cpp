#include "text.h"

#include <cerrno>
#include <cinttypes>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

static const size_t readBlock = 65536;

// Makes room for at least one more block after the stored bytes.
static bool reserveBlock(TextBuffer *text)
{
    if (text->room - text->index >= readBlock)
        return true;
    size_t room = text->room == 0 ? readBlock : text->room;
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
        int32_t before = *order;
        InsertEnd end = insertBytes(head, block, static_cast<size_t>(got), order);
        text->index += static_cast<size_t>(*order - before);
        if (end == INSERT_TOO_LONG)
            return READ_TOO_LONG;
        if (end == INSERT_NO_MEMORY)
            return READ_NO_MEMORY;
    }
}

// Codes are gathered into blocks before they go to the stream: one stream
// call per input byte would cost more than the coding itself.
static void writeCodes(FILE *out, const TextBuffer *text, char *const lookup[256])
{
    size_t length[256];
    for (int c = 0; c < 256; c++)
        length[c] = lookup[c] != nullptr ? std::strlen(lookup[c]) : 0;
    char block[65536];
    size_t used = 0;
    for (size_t i = 0; i < text->index; i++) {
        unsigned char byte = text->bytes[i];
        if (used + length[byte] > sizeof block) {
            std::fwrite(block, 1, used, out);
            used = 0;
        }
        std::memcpy(block + used, lookup[byte], length[byte]);
        used += length[byte];
    }
    std::fwrite(block, 1, used, out);
}

void writeReport(FILE *out, const TextBuffer *text, char *const lookup[256], int64_t wpl)
{
    writeCodes(out, text, lookup);

    // The echo is the text as a string: it ends at the first zero byte.
    size_t echoed = text->index;
    if (const void *zero = std::memchr(text->bytes, 0, text->index))
        echoed = static_cast<size_t>(static_cast<const unsigned char *>(zero) - text->bytes);
    std::putc('\n', out);
    std::fwrite(text->bytes, 1, echoed, out);
    std::fprintf(out, "\n%" PRId64, wpl);
}
